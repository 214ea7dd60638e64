// Start-up, Quit, the menu and tray commands and the option pages' handlers,
// on a whole program in memory.
#include <gtest/gtest.h>

#include "program/commands.h"
#include "program/language.h"
#include "program/pages.h"
#include "program/startup.h"
#include "settings/settings_file.h"
#include "sim_client.h"
#include "test_app.h"

namespace brisolt {
namespace {

struct Program : test::TestApp {
    explicit Program(const std::string& options = "Language=1\r\n") {
        profile.text = options.empty() ? "" : "[Options]\r\n" + options;
        profile.exists = !options.empty();
        // The close message reaches the settings window's close handler.
        ui.onCloseMainWindow = [this] { CloseSettingsWindow(app); };
    }
    void Start() { StartUp(app, "C:\\P"); }
    std::string Stored(const std::string& key, const std::string& section = "Options") {
        return ReadSetting(profile, section, key, "");
    }
    bool Checked(int id) const { return IsMenuItemChecked(app.program.menus.extras, id); }
};

TEST(StartUp, StoredSettingsShapeTheStartAndTheFirstScanRunsAtOnce) {
    Program p("Language=1\r\nWin1IconStart=1\r\nWin1OnTop=1\r\nIntervall=5\r\n");
    test::SimClient(p.desktop).Open("Table 18 Customer - Table Designer");
    p.Start();
    EXPECT_EQ(p.ui.languageDialogs, 0);
    EXPECT_TRUE(!p.app.view.visible && p.app.view.onTop && p.Checked(kCmdStartMinimized) && p.Checked(kCmdAlwaysOnTop));
    EXPECT_EQ(p.app.program.scanTimer.interval, 5000);
    EXPECT_EQ(p.app.view.caption, "Muster GmbH - Brisolt light");
    EXPECT_EQ(p.app.tray.toolTip, "Muster GmbH - Brisolt light");
    ASSERT_EQ(p.listWindow.canvas.Texts().size(), 1u);
    EXPECT_EQ(p.listWindow.canvas.Texts()[0].text, "Table 18 Customer - Table Designer");
}

TEST(StartUp, FirstStartAsksForTheLanguageAndStoresItAtOnce) {
    struct Case {
        void (*button)(App&);
        bool refused;  // the file refuses the write: the choice holds for this run all the same
        const char *stored, *menu, *tab, *helpFile;
    } cases[] = {{OnEnglishChosen, false, "[Options]\r\nLanguage=1\r\n", "&File", "List window", "C:\\P\\KelmorE.hlp"},
                 {OnGermanChosen, true, "", "&Datei", "Fensterliste", "C:\\P\\KelmorD.hlp"}};
    for (const Case& c : cases) {
        Program p("");
        p.profile.readOnly = c.refused;
        int listWindows = 0;
        p.ui.onCreateListWindow = [&](int, int) { ++listWindows; };
        p.ui.onLanguageDialog = [&] {
            EXPECT_FALSE(listWindows || p.app.program.scanTimer.enabled);  // nothing runs behind the dialog
            c.button(p.app);
        };
        p.Start();
        EXPECT_EQ(p.ui.languageDialogs, 1);
        EXPECT_EQ(p.profile.text, c.stored);
        EXPECT_EQ(p.app.program.menus.bar.at(0).text + p.app.view.tabCaptions.at(1), std::string(c.menu) + c.tab);
        EXPECT_EQ(p.app.view.logDialogHelpFile, c.helpFile);
        EXPECT_NE(p.Checked(kCmdEnglish), p.Checked(kCmdGerman));
        EXPECT_TRUE(p.app.program.scanTimer.enabled && p.app.view.visible && p.app.tray.visible);
    }

    Program closed("");  // closed without a choice: asked again next time, German meanwhile
    closed.Start();
    EXPECT_EQ(closed.Stored("Language"), "-1");
    EXPECT_EQ(closed.app.program.menus.bar.at(0).text, "&Datei");
    EXPECT_EQ(closed.app.view.tabCaptions.at(1), "Fensterliste");
}

TEST(StartUp, ScanIntervalTakesOnlyNumbersTheTimerCanTake) {
    Program p;
    const std::pair<const char*, int> cases[] = {{"12", 12000}, {"1a", 3000},          {"", 3000},
                                                 {"0", 3000},   {"-4", 3000},          {"99999999999", 3000},
                                                 {"2147484", 3000}, {"2147483", 2147483000}};
    for (const auto& [text, interval] : cases) {
        p.app.program.scanTimer.interval = 3000;
        p.app.settings.scanInterval = text;
        ApplyScanInterval(p.app);
        EXPECT_EQ(p.app.program.scanTimer.interval, interval) << text;
    }
}

TEST(Quit, SavesEverySettingWithTheListWindowWhereItIsNow) {
    Program p;
    p.Start();
    const bool closes = CloseSettingsWindow(p.app);  // the close box only hides
    EndSession(p.app, false);                         // and so does a session end called off
    EXPECT_TRUE(!closes && !p.app.view.visible && p.listWindow.Exists());
    EXPECT_EQ(p.profile.KeyCount("Options"), 1);

    p.app.settings.alarmSound = true;
    p.listWindow.MoveTo(222, 111);
    MenuCommand(p.app, kCmdQuit);
    EXPECT_EQ(p.profile.KeyCount("WinLoc") + p.profile.KeyCount("Options"), 45);
    EXPECT_EQ(p.Stored("Win1x", "WinLoc") + "," + p.Stored("Win1y", "WinLoc") + "," + p.Stored("Alarm"), "222,111,1");
    EXPECT_FALSE(p.listWindow.Exists() || p.app.program.scanTimer.enabled || p.app.tray.visible);
    EXPECT_TRUE(p.ui.boxes.empty());
}

TEST(Quit, AFailedSaveIsToldInTheUsersLanguage) {
    struct Case {
        const char* language;
        bool readOnlyFile, readOnlyFolder, sessionEnds, positionUnreadable;
        const char* message;  // nullptr: none
    } cases[] = {
        {"1", false, true, false, false, "The settings could not be saved to C:\\P\\KelmorL.ini."},
        {"0", false, true, false, false, "Die Einstellungen konnten nicht in C:\\P\\KelmorL.ini gespeichert werden."},
        {"1", true, false, false, false, nullptr},  // pinned on purpose
        {"1", false, true, true, false, nullptr},   // the session is ending: no word
        {"1", false, false, true, false, nullptr},
        {"1", false, false, false, true, nullptr},  // the stored position is kept
    };
    for (const Case& c : cases) {
        Program p(std::string("Language=") + c.language + "\r\n[WinLoc]\r\nWin1x=7\r\n");
        p.Start();
        p.profile.readOnly = c.readOnlyFile;
        p.profile.readOnlyFolder = c.readOnlyFolder;
        p.listWindow.failPosition = c.positionUnreadable;
        p.listWindow.MoveTo(300, 200);
        const std::string before = p.profile.text;
        c.sessionEnds ? EndSession(p.app, true) : RequestQuit(p.app);
        ASSERT_EQ(p.ui.boxes.size(), c.message ? 1u : 0u) << c.language << c.readOnlyFile << c.sessionEnds;
        if (c.message) {
            EXPECT_EQ(p.ui.boxes[0].text, c.message);
        }
        const bool saved = !c.readOnlyFile && !c.readOnlyFolder;
        EXPECT_EQ(p.profile.text != before, saved);
        EXPECT_EQ(p.Stored("Win1x", "WinLoc"), saved && !c.positionUnreadable ? "300" : "7");
        EXPECT_FALSE(p.listWindow.Exists());
    }
}

TEST(Commands, TrayButtons) {
    struct Case {
        int language, button, choice;
        bool shown, quit;
        const char* popup;  // nullptr: no pop-up
    } cases[] = {
        {1, 1, -1, true, false, nullptr},  {1, 2, 0, true, false, "Settings|Quit"},
        {0, 2, 0, true, false, "Einstellungen|Beenden"}, {1, 2, 1, false, true, "Settings|Quit"},
        {1, 2, -1, false, false, "Settings|Quit"}, {-1, 2, -1, false, false, ""},
        {1, 3, -1, false, false, nullptr},
    };
    for (const Case& c : cases) {
        Program p;
        p.app.settings.language = static_cast<Language>(c.language);
        p.ui.popupChoice = c.choice;
        TrayIconClicked(p.app, c.button);
        EXPECT_EQ(p.app.view.visible, c.shown) << c.button << "/" << c.choice;
        EXPECT_EQ(p.ui.closeRequests, c.quit ? 1 : 0);
        EXPECT_EQ(p.ui.popups, c.popup ? std::vector<std::string>{c.popup} : std::vector<std::string>{});
    }
}

TEST(Commands, OptionsToggleWithTheirCheckMarksAcrossLanguageSwitches) {
    Program p("Language=0\r\n");
    p.Start();
    MenuCommand(p.app, kCmdStartMinimized);
    MenuCommand(p.app, kCmdAlwaysOnTop);
    EXPECT_TRUE(p.app.settings.startHidden && p.app.view.visible);  // hidden from the next start on
    EXPECT_TRUE(p.app.view.onTop);                                   // on top at once

    const int menuBar = p.app.program.menus.version;
    MenuCommand(p.app, kCmdEnglish);
    EXPECT_GT(p.app.program.menus.version, menuBar);
    EXPECT_EQ(p.app.program.menus.bar.at(0).text + p.app.view.tabCaptions.at(2), "&FileOptions");
    EXPECT_EQ(p.app.view.logDialogHelpFile, "C:\\P\\KelmorE.hlp");
    EXPECT_EQ(p.app.view.information.rfind("Team mode is built in", 0), 0u);
    EXPECT_TRUE(p.Checked(kCmdEnglish) && p.Checked(kCmdStartMinimized) && p.Checked(kCmdAlwaysOnTop));
    EXPECT_FALSE(p.Checked(kCmdGerman));

    MenuCommand(p.app, kCmdGerman);
    MenuCommand(p.app, kCmdStartMinimized);
    MenuCommand(p.app, kCmdAlwaysOnTop);
    EXPECT_EQ(p.app.program.menus.bar.at(1).text, "E&xtras");
    EXPECT_TRUE(p.Checked(kCmdGerman));
    EXPECT_FALSE(p.Checked(kCmdStartMinimized) || p.Checked(kCmdAlwaysOnTop) || p.app.view.onTop);
}

TEST(Commands, HelpOpensTheManualOrSaysItIsMissing) {
    const std::pair<int, const char*> cases[] = {
        {1, nullptr},  // the manual is there
        {1, "The file C:\\P\\Doc\\kelmorL.htm could not be found."},
        {0, "Die Datei C:\\P\\Doc\\kelmorL.htm wurde nicht gefunden."},
        {-1, ""},  // no language: no word
    };
    for (const auto& [language, message] : cases) {
        Program p;
        ResetForStart(p.app, "C:\\P");
        p.app.settings.language = static_cast<Language>(language);
        if (!message) p.files.content["C:\\P\\Doc\\kelmorL.htm"] = "<html>";
        MenuCommand(p.app, kCmdHelp);
        EXPECT_EQ(p.ui.boxes.empty() ? "" : p.ui.boxes[0].text, message ? message : "");
        EXPECT_EQ(p.ui.opened.size(), message ? 0u : 1u);
        OpenManualDirectly(p.app);  // the Help button opens without looking
        EXPECT_EQ(p.ui.opened.back().file, "C:\\P\\Doc\\kelmorL.htm");
    }
}

TEST(Pages, LogFileBrowseKeepsTheNameWhenCancelledAndShowOpensOnlyAFile) {
    Program p;
    p.app.settings.logFile = "C:\\old.log";
    BrowseLogFile(p.app);
    EXPECT_EQ(p.app.settings.logFile, "C:\\old.log");
    EXPECT_EQ(p.ui.lastOpenFile.fileName, "");  // not preset from the log name
    p.ui.fileChoice = "C:\\new.log";
    BrowseLogFile(p.app);
    ShowLogFile(p.app);
    EXPECT_TRUE(p.ui.opened.empty());
    p.files.content["C:\\new.log"] = "x";
    ShowLogFile(p.app);
    ASSERT_EQ(p.ui.opened.size(), 1u);
    EXPECT_EQ(p.ui.opened[0].file, "C:\\new.log");
}

TEST(Pages, TeamFolderBrowseTakesTheChosenFolderAndKeepsItWhenCancelled) {
    Program p;
    p.app.settings.language = Language::English;
    p.app.settings.teamFolder = "\\\\old\\team";
    BrowseTeamFolder(p.app);  // cancelled
    EXPECT_EQ(p.app.settings.teamFolder, "\\\\old\\team");
    EXPECT_EQ(p.ui.lastFolderPrompt, "Choose the folder your team shares for this database.");
    p.ui.folderChoice = "Z:\\shared\\db";
    BrowseTeamFolder(p.app);
    EXPECT_EQ(p.app.settings.teamFolder, "Z:\\shared\\db");
}

TEST(Pages, FontChoiceGoesToTheListAndThePreviewsStackOnTheAlarmButton) {
    Program p;
    p.app.view.alarmColourButton.top = 100;
    for (int font : {0, 2}) {
        p.app.settings.listFont = font;
        ApplyChosenFont(p.app);
        EXPECT_EQ(p.listWindow.canvas.fontSize, kListFonts[font].sizePt);
        const auto& v = p.app.view.previews;
        for (const ColourPreview& preview : v) {
            EXPECT_EQ(preview.fontName, kListFonts[font].fontName);
            // Each row holds its text in the list's font.
            EXPECT_GE(preview.bounds.width * 15, p.textMeasure.TextWidth("", preview.fontSize, preview.text));
            EXPECT_GE(preview.bounds.height * 15, p.textMeasure.TextHeight("", preview.fontSize, preview.text));
        }
        // Three rows that touch, the middle one centred on the button's top edge.
        EXPECT_EQ(v[1].bounds.top, v[0].bounds.top + v[0].bounds.height);
        EXPECT_EQ(v[2].bounds.top, v[1].bounds.top + v[1].bounds.height);
        EXPECT_EQ(v[1].bounds.top + v[1].bounds.height / 2, 100);
    }
    p.app.settings.dynamicFont = true;
    ApplyDynamicFontChoice(p.app);
    EXPECT_FALSE(p.app.view.fontChoiceEnabled);
}

TEST(Pages, VersionTextShowsMajorMinorAndBuild) {
    EXPECT_EQ(VersionText({"", 1, 2, 0, 11, ""}), "Version: 1.2 (Build 11)");
    EXPECT_EQ(VersionText({"", 10, 0, 3, 0, ""}), "Version: 10.0 (Build 0)");
}

}  // namespace
}  // namespace brisolt
