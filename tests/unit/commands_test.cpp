#include <gtest/gtest.h>

#include "shell/commands.h"
#include "shell/language.h"
#include "shell/startup.h"
#include "test_app.h"

namespace brisolt {
namespace {

class CommandsTest : public ::testing::Test {
protected:
    test::TestApp t;
    App& app = t.app;
    void Start(int language) {
        t.profile.text = "[Options]\r\nLanguage=" + std::to_string(language) + "\r\n";
        t.profile.exists = true;
        StartUp(app, "C:\\P");
    }
};

TEST_F(CommandsTest, TrayButtons) {
    struct Case {
        int language;
        int button;
        int choice;
        bool shown;
        bool quit;
        const char* popup;  // nullptr: no pop-up
    } cases[] = {
        {1, 1, -1, true, false, nullptr},
        {1, 2, 0, true, false, "Settings|Quit"},
        {0, 2, 0, true, false, "Einstellungen|Beenden"},
        {1, 2, 1, false, true, "Settings|Quit"},
        {1, 2, -1, false, false, "Settings|Quit"},
        {-1, 2, -1, false, false, ""},
        {1, 3, -1, false, false, nullptr},
    };
    for (const Case& c : cases) {
        test::TestApp fresh;
        fresh.app.shell.Language = c.language;
        fresh.app.forms.frmMain.Visible = false;
        fresh.ui.popupChoice = c.choice;
        tic1_MBDown(fresh.app, c.button);
        EXPECT_EQ(fresh.app.forms.frmMain.Visible, c.shown) << c.button << "/" << c.choice;
        EXPECT_EQ(fresh.app.shell.QuitRequested, c.quit);
        EXPECT_EQ(fresh.ui.closeRequests, c.quit ? 1 : 0);
        if (c.popup) {
            ASSERT_EQ(fresh.ui.popups.size(), 1u);
            EXPECT_EQ(fresh.ui.popups[0], c.popup);
        } else {
            EXPECT_TRUE(fresh.ui.popups.empty());
        }
    }
}

TEST_F(CommandsTest, StartMinimizedTogglesTwiceBackWithoutShowingOrHiding) {
    Start(0);
    const bool visible = app.forms.frmMain.Visible;
    frmMain_MenuEvent(app, 3010);
    EXPECT_EQ(app.shell.Win1IconStart, 1);
    EXPECT_TRUE(IsMenuItemChecked(app.shell.Menus.extras, 3010));
    frmMain_MenuEvent(app, 3010);
    EXPECT_EQ(app.shell.Win1IconStart, 0);
    EXPECT_FALSE(IsMenuItemChecked(app.shell.Menus.extras, 3010));
    EXPECT_EQ(app.forms.frmMain.Visible, visible);
}

TEST_F(CommandsTest, AlwaysOnTopTakesEffectAtOnce) {
    Start(1);
    frmMain_MenuEvent(app, 3020);
    EXPECT_EQ(app.shell.Win1OnTop, 1);
    EXPECT_TRUE(app.forms.frmMain.OnTop);
    EXPECT_TRUE(IsMenuItemChecked(app.shell.Menus.extras, 3020));
    frmMain_MenuEvent(app, 3020);
    EXPECT_FALSE(app.forms.frmMain.OnTop);
    EXPECT_FALSE(IsMenuItemChecked(app.shell.Menus.extras, 3020));
}

TEST_F(CommandsTest, LanguageRoundTripKeepsTheOptionCheckMarks) {
    Start(0);
    frmMain_MenuEvent(app, 3010);
    frmMain_MenuEvent(app, 3020);
    const auto germanCaption = app.forms.frmAllgemein.chkAlarm.Caption;
    frmMain_MenuEvent(app, 3120);
    EXPECT_EQ(app.shell.Language, 1);
    EXPECT_EQ(app.forms.frmAllgemein.chkAlarm.Caption, "Alarm signal");
    EXPECT_EQ(app.shell.Menus.bar[0].text, "&File");
    EXPECT_TRUE(IsMenuItemChecked(app.shell.Menus.extras, 3120));
    EXPECT_FALSE(IsMenuItemChecked(app.shell.Menus.extras, 3110));
    EXPECT_TRUE(IsMenuItemChecked(app.shell.Menus.extras, 3010));
    EXPECT_TRUE(IsMenuItemChecked(app.shell.Menus.extras, 3020));
    frmMain_MenuEvent(app, 3110);
    EXPECT_EQ(app.forms.frmAllgemein.chkAlarm.Caption, germanCaption);
    EXPECT_EQ(app.forms.frmMain.tbsMain.Tabs[2].Caption, "Optionen");
    EXPECT_EQ(app.shell.Menus.bar[1].text, "E&xtras");
    EXPECT_TRUE(IsMenuItemChecked(app.shell.Menus.extras, 3110));
    EXPECT_TRUE(IsMenuItemChecked(app.shell.Menus.extras, 3010));
    EXPECT_TRUE(IsMenuItemChecked(app.shell.Menus.extras, 3020));
}

TEST_F(CommandsTest, ManualFromTheMenuChecksTheFileTheHelpButtonDoesNot) {
    struct Case {
        int language;
        bool exists;
        const char* message;  // nullptr: none
    } cases[] = {
        {1, true, nullptr},
        {1, false, "The file C:\\P\\Doc\\kelmorL.htm could not be found."},
        {0, false, "Die Datei C:\\P\\Doc\\kelmorL.htm wurde nicht gefunden."},
        {-1, false, nullptr},
    };
    for (const Case& c : cases) {
        test::TestApp fresh;
        InitGlobals(fresh.app, "C:\\P");
        fresh.app.shell.Language = c.language;
        if (c.exists) fresh.files.content["C:\\P\\Doc\\kelmorL.htm"] = "<html>";
        frmMain_MenuEvent(fresh.app, 9010);
        if (c.message) {
            ASSERT_EQ(fresh.ui.boxes.size(), 1u);
            EXPECT_EQ(fresh.ui.boxes[0].text, c.message);
            EXPECT_EQ(fresh.ui.boxes[0].flags, kMbIconStop);
        } else {
            EXPECT_TRUE(fresh.ui.boxes.empty());
        }
        EXPECT_EQ(fresh.ui.opened.size(), c.exists ? 1u : 0u);

        cmdHelp_Click(fresh.app);  // opens without looking
        ASSERT_FALSE(fresh.ui.opened.empty());
        EXPECT_EQ(fresh.ui.opened.back().file, "C:\\P\\Doc\\kelmorL.htm");
        EXPECT_EQ(fresh.ui.boxes.size(), c.message ? 1u : 0u);
    }
}

TEST_F(CommandsTest, AlertTimerAlternatesIconAndTooltip) {
    app.shell.Language = 1;
    app.forms.frmMain.Caption = "Muster GmbH - Brisolt light";
    tmrTaskIcon_Timer(app);
    EXPECT_EQ(app.forms.frmMain.tic1.Icon, ":ksalert");
    EXPECT_EQ(app.forms.frmMain.tic1.ToolTip, "Muster GmbH - Brisolt light: Network error");
    tmrTaskIcon_Timer(app);
    EXPECT_EQ(app.forms.frmMain.tic1.Icon, ":ico");
    EXPECT_EQ(app.forms.frmMain.tic1.ToolTip, "Muster GmbH - Brisolt light");
    app.shell.Language = -1;
    tmrTaskIcon_Timer(app);
    EXPECT_EQ(app.forms.frmMain.tic1.Icon, ":ksalert");
    EXPECT_EQ(app.forms.frmMain.tic1.ToolTip, "Muster GmbH - Brisolt light");
    EXPECT_FALSE(app.forms.frmMain.tmrTaskIcon.Enabled);
}

TEST_F(CommandsTest, PageTextsAndInformationParagraph) {
    struct Case {
        int language;
        const char* help;
        const char* headline;
        const char* infoStart;
        const char* infoJoin;  // where piece 2 runs on after piece 1
    } cases[] = {
        {0, "C:\\P\\KelmorD.hlp", "Sie benutzen die 'light'-Version von Brisolt.", "Die Vollversion",
         "bei der Arbeit in"},
        {1, "C:\\P\\KelmorE.hlp", "You are using the 'light' version of Brisolt.", "The full product",
         "that help you when"},
    };
    for (const Case& c : cases) {
        test::TestApp fresh;
        InitGlobals(fresh.app, "C:\\P");
        fresh.app.shell.Language = c.language;
        SetPageTexts(fresh.app);
        const auto& info = fresh.app.forms.frmInfo.lblInformation.Caption;
        EXPECT_EQ(fresh.app.forms.frmFensterliste.cd1.HelpFile, c.help);
        EXPECT_EQ(fresh.app.forms.frmInfo.lblInfoHeadline.Caption, c.headline);
        EXPECT_EQ(info.rfind(c.infoStart, 0), 0u);
        EXPECT_NE(info.find(c.infoJoin), std::string::npos);
        EXPECT_EQ(info.find("  "), std::string::npos);
        EXPECT_EQ(info.find('\n'), std::string::npos);
        EXPECT_EQ(fresh.app.forms.frmOptions.optFormularDesigner.Caption, " - Formular Designer");
    }
}

}  // namespace
}  // namespace brisolt
