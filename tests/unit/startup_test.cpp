#include <gtest/gtest.h>

#include "shell/commands.h"
#include "shell/language.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "test_app.h"

namespace brisolt {
namespace {

class StartUpTest : public ::testing::Test {
protected:
    test::TestApp t;
    App& app = t.app;
    void SetUp() override {
        // The close message reaches the main window's close handler.
        t.ui.onCloseMainWindow = [this] {
            bool cancel = false;
            frmMain_Close(app, cancel);
            closedForGood = !cancel;
        };
    }
    void Ini(const std::string& text) {
        t.profile.text = text;
        t.profile.exists = true;
    }
    bool closedForGood = false;
};

TEST_F(StartUpTest, FirstStartWithoutFileAsksForTheLanguageAndStoresItAtOnce) {
    bool listWindowExistedDuringDialog = true;
    t.ui.onCreateListWindow = [this](int x, int y) { t.listWindow.MoveTo(x, y); };
    int listCreated = 0;
    t.ui.onCreateListWindow = [&](int x, int y) {
        ++listCreated;
        t.listWindow.MoveTo(x, y);
    };
    t.ui.onLanguageDialog = [&] {
        listWindowExistedDuringDialog = listCreated > 0;
        EXPECT_FALSE(app.forms.frmAllgemein.tmr1.Enabled);  // no tick while the dialog is open
        cmdLangEng_Click(app);
    };
    StartUp(app, "C:\\Prog");
    EXPECT_EQ(t.ui.languageDialogs, 1);
    EXPECT_FALSE(listWindowExistedDuringDialog);
    EXPECT_EQ(t.profile.KeysOf("Options"), "Language");
    EXPECT_EQ(ReadIniString(app, "Options", "Language", ""), "1");
    EXPECT_EQ(t.listWindow.Position().x, 50);
    EXPECT_EQ(t.listWindow.Position().y, 50);
    EXPECT_EQ(app.shell.IniFile, "C:\\Prog\\KelmorL.ini");
    EXPECT_EQ(app.shell.ManualFile, "C:\\Prog\\Doc\\kelmorL.htm");
    // English everywhere: menu bar, Extras check mark, tab 2.
    ASSERT_EQ(app.shell.Menus.bar.size(), 3u);
    EXPECT_EQ(app.shell.Menus.bar[0].text, "&File");
    EXPECT_EQ(app.shell.Menus.bar[1].text, "E&xtra");
    EXPECT_EQ(app.shell.Menus.bar[2].text, "&?");
    EXPECT_TRUE(IsMenuItemChecked(app.shell.Menus.extras, 3120));
    EXPECT_FALSE(IsMenuItemChecked(app.shell.Menus.extras, 3110));
    EXPECT_EQ(app.forms.frmMain.tbsMain.Tabs.at(1).Caption, "List window");
    EXPECT_TRUE(app.forms.frmAllgemein.tmr1.Enabled);
    EXPECT_EQ(app.forms.frmAllgemein.tmr1.Interval, 2000);
    EXPECT_TRUE(app.forms.frmMain.Visible);
    EXPECT_TRUE(app.forms.frmMain.tic1.Visible);
    EXPECT_EQ(app.forms.frmMain.tic1.ToolTip, "Brisolt light");
    EXPECT_EQ(app.accessLog.LogIdentity, "jdoe");
}

TEST_F(StartUpTest, LanguageDialogClosedWithoutChoiceKeepsGermanLoadTexts) {
    StartUp(app, "C:\\Prog");
    EXPECT_EQ(ReadIniString(app, "Options", "Language", ""), "-1");
    EXPECT_EQ(app.shell.Language, -1);
    EXPECT_EQ(app.shell.Menus.bar.at(0).text, "&Datei");  // built while loading
    EXPECT_EQ(app.forms.frmMain.tbsMain.Tabs.at(1).Caption, "Fensterliste");
    EXPECT_EQ(app.forms.frmFensterliste.cd1.HelpFile, "");
}

TEST_F(StartUpTest, StoredSettingsSkipTheDialogAndShapeTheStart) {
    struct Case {
        std::string ini;
        bool mainVisible;
        bool onTop;
        bool check3010, check3020;
        int interval;
    } cases[] = {
        {"[Options]\r\nLanguage=0\r\n", true, false, false, false, 2000},
        {"[Options]\r\nLanguage=0\r\nWin1IconStart=1\r\n", false, false, true, false, 2000},
        {"[Options]\r\nLanguage=1\r\nWin1OnTop=1\r\n", true, true, false, true, 2000},
        {"[Options]\r\nLanguage=1\r\nIntervall=5\r\n", true, false, false, false, 5000},
        {"[Options]\r\nLanguage=1\r\nIntervall=fast\r\n", true, false, false, false, 2000},
    };
    for (const Case& c : cases) {
        test::TestApp fresh;
        fresh.profile.text = c.ini;
        fresh.profile.exists = true;
        StartUp(fresh.app, "C:\\P");
        App& a = fresh.app;
        EXPECT_EQ(fresh.ui.languageDialogs, 0) << c.ini;
        EXPECT_EQ(a.forms.frmMain.Visible, c.mainVisible) << c.ini;
        EXPECT_EQ(a.forms.frmMain.OnTop, c.onTop) << c.ini;
        EXPECT_EQ(IsMenuItemChecked(a.shell.Menus.extras, 3010), c.check3010) << c.ini;
        EXPECT_EQ(IsMenuItemChecked(a.shell.Menus.extras, 3020), c.check3020) << c.ini;
        EXPECT_EQ(a.forms.frmAllgemein.tmr1.Interval, c.interval) << c.ini;
        EXPECT_TRUE(a.forms.frmAllgemein.tmr1.Enabled);
        EXPECT_TRUE(a.forms.frmMain.tic1.Visible);
    }
}

TEST_F(StartUpTest, CloseWithoutQuitOnlyHidesAndSavesNothing) {
    Ini("[Options]\r\nLanguage=0\r\n");
    StartUp(app, "C:\\P");
    const std::string before = t.profile.text;
    bool cancel = false;
    frmMain_Close(app, cancel);
    EXPECT_TRUE(cancel);
    EXPECT_FALSE(app.forms.frmMain.Visible);
    EXPECT_TRUE(t.listWindow.Exists());
    EXPECT_TRUE(app.forms.frmAllgemein.tmr1.Enabled);
    EXPECT_EQ(t.profile.text, before);
}

TEST_F(StartUpTest, QuitSavesEverySettingIncludingTheListPositionThenCloses) {
    Ini("[Options]\r\nLanguage=0\r\n");
    StartUp(app, "C:\\P");
    bool cancel = false;
    frmMain_Close(app, cancel);  // the close box first: only hidden
    t.listWindow.MoveTo(222, 111);
    frmMain_MenuEvent(app, 1990);
    EXPECT_TRUE(app.shell.QuitRequested);
    EXPECT_EQ(t.ui.closeRequests, 1);
    EXPECT_TRUE(closedForGood);
    EXPECT_EQ(t.profile.KeyCount("WinLoc"), 2);
    EXPECT_EQ(t.profile.KeyCount("Options"), 41);
    EXPECT_EQ(ReadIniString(app, "WinLoc", "Win1x", ""), "222");
    EXPECT_FALSE(t.listWindow.Exists());
    EXPECT_FALSE(app.forms.frmAllgemein.tmr1.Enabled);
    EXPECT_FALSE(app.forms.frmMain.tic1.Visible);
}

TEST_F(StartUpTest, EndOfSessionSavesLikeQuitButACancelledEndOnlyHides) {
    Ini("[Options]\r\nLanguage=0\r\n");
    StartUp(app, "C:\\P");
    app.forms.frmAllgemein.chkAlarm.Value = 1;

    frmMain_EndSession(app, false);
    EXPECT_EQ(t.profile.KeyCount("Options"), 1);
    EXPECT_TRUE(t.listWindow.Exists());

    frmMain_EndSession(app, true);
    EXPECT_EQ(t.profile.KeyCount("Options"), 41);
    EXPECT_EQ(ReadIniString(app, "Options", "Alarm", ""), "1");
}

TEST_F(StartUpTest, IntervalFieldRule) {
    struct Case {
        std::vector<std::string> typed;  // the text after each key release
        int interval;
    } cases[] = {
        {{"1", "12"}, 12000},
        {{"1", "1a"}, 1000},
        {{"3", ""}, 3000},    // empty: the timer keeps its interval
        {{"3", "0"}, 3000},   // 0 would stop the timer
        {{"3", "-4"}, 3000},
        {{"3", "99999999999"}, 3000},  // more than the timer takes
    };
    for (const Case& c : cases) {
        app.forms.frmAllgemein.tmr1.Interval = 2000;
        for (const std::string& text : c.typed) {
            app.forms.frmAllgemein.edIntervall.Text = text;
            ApplyIntervalText(app);
        }
        EXPECT_EQ(app.forms.frmAllgemein.tmr1.Interval, c.interval) << c.typed.back();
    }
}

}  // namespace
}  // namespace brisolt
