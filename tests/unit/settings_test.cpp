#include <gtest/gtest.h>

#include "dialogs/list_page.h"
#include "shell/settings.h"
#include "test_app.h"

namespace brisolt {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    test::TestApp t;
    App& app = t.app;
    test::SimDesktop& desktop = t.desktop;
    void SetUp() override { frmFensterliste_Load(app); }
    void Ini(const std::string& text) {
        t.profile.text = text;
        t.profile.exists = true;
    }
};

TEST_F(SettingsTest, LoadSettings_MissingFileGivesEveryDefault) {
    LoadSettings(app);
    const auto& g = app.forms.frmAllgemein;
    const auto& l = app.forms.frmFensterliste;
    EXPECT_EQ(app.shell.Win1x, 50);
    EXPECT_EQ(app.shell.Win1y, 50);
    EXPECT_EQ(app.forms.frmMain.tbsMain.SelectedIndex, 1);
    EXPECT_EQ(g.edIntervall.Text, "2");
    EXPECT_EQ(g.edParent.Text, "- Navi");
    EXPECT_EQ(l.chkShowClients.Value, 1);
    EXPECT_EQ(l.chkShowParents.Value, 1);
    EXPECT_EQ(l.chkShortNames.Value, 0);
    EXPECT_EQ(l.cbFont.ListIndex, 0);
    EXPECT_EQ(l.chkDynamicFonts.Value, 0);
    EXPECT_EQ(l.edDyn1.Text, "5");
    EXPECT_EQ(l.edDyn2.Text, "8");
    EXPECT_EQ(g.chkAlarm.Value, 0);
    EXPECT_EQ(g.chkLogging.Value, 0);
    EXPECT_EQ(g.edLogFilename.Text, "");
    EXPECT_EQ(g.chkGlueObjDes.Value, 0);
    EXPECT_EQ(g.chkGlueProperties.Value, 0);
    EXPECT_EQ(g.chkGlueHauptmenu.Value, 0);
    EXPECT_EQ(g.chkGlueFensterliste.Value, 1);
    EXPECT_EQ(g.chkGlueToolbox.Value, 0);
    EXPECT_EQ(g.chkGlueFieldMenu.Value, 0);
    EXPECT_EQ(app.forms.frmOptions.optFormularDesigner.Value, 1);
    EXPECT_EQ(app.forms.frmOptions.optFormDesigner.Value, 0);
    EXPECT_EQ(app.shell.FarbeNormal, 12648384u);
    EXPECT_EQ(app.shell.FarbeAlarm, 8421631u);
    EXPECT_EQ(app.shell.Win1IconStart, 0);
    EXPECT_EQ(app.shell.Win1OnTop, 0);
    EXPECT_EQ(app.shell.Language, -1);
    EXPECT_EQ(app.shell.CustomColors[0], 12648384u);
    EXPECT_EQ(app.shell.CustomColors[1], 8421631u);
    for (int i = 2; i < 16; ++i) EXPECT_EQ(app.shell.CustomColors[i], 0u) << i;
}

TEST_F(SettingsTest, LoadSettings_StoredPositionMustLieOnAMonitor) {
    struct Case {
        const char* x;
        const char* y;
        std::vector<Rect> monitors;
        int wantX, wantY;
    } cases[] = {
        {"-5", "100", {{0, 0, 800, 600}}, 20, 100},
        {"999", "100", {{0, 0, 800, 600}}, 20, 100},   // off the right edge keeps its top edge
        {"785", "100", {{0, 0, 800, 600}}, 785, 100},  // screen width - 15 still counts
        {"786", "100", {{0, 0, 800, 600}}, 20, 100},
        {"100", "760", {{0, 0, 1024, 768}}, 100, 10},
        {"100", "-1", {{0, 0, 1024, 768}}, 100, 10},
        {"2000", "2000", {{0, 0, 1024, 768}}, 20, 10},
        // A second monitor left of the primary one counts.
        {"-1000", "100", {{-1280, 0, 0, 1024}, {0, 0, 1024, 768}}, -1000, 100},
        {"-1300", "100", {{-1280, 0, 0, 1024}, {0, 0, 1024, 768}}, 20, 100},
        // Monitors of unequal size: below the small one is a hole in the box around both.
        {"100", "900", {{-1280, 0, 0, 1024}, {0, 0, 1024, 768}}, 100, 10},
        {"-100", "900", {{-1280, 0, 0, 1024}, {0, 0, 1024, 768}}, -100, 900},
    };
    for (const Case& c : cases) {
        Ini(std::string("[WinLoc]\r\nWin1x=") + c.x + "\r\nWin1y=" + c.y + "\r\n");
        desktop.monitors = c.monitors;
        LoadSettings(app);
        EXPECT_EQ(app.shell.Win1x, c.wantX) << c.x << "," << c.y;
        EXPECT_EQ(app.shell.Win1y, c.wantY) << c.x << "," << c.y;
    }
}

TEST_F(SettingsTest, LoadSettings_ZeroColoursBecomeTheDefaults) {
    Ini("[Options]\r\nFarbeNormal=0\r\nFarbeAlarm=0\r\nFarbe0=0\r\nFarbe1=0\r\nFarbe2=255\r\nFarbe15=65280\r\n");
    LoadSettings(app);
    EXPECT_EQ(app.shell.FarbeNormal, kDefaultNormalColor);
    EXPECT_EQ(app.shell.FarbeAlarm, kDefaultAlarmColor);
    EXPECT_EQ(app.shell.CustomColors[0], kDefaultNormalColor);
    EXPECT_EQ(app.shell.CustomColors[1], kDefaultAlarmColor);
    EXPECT_EQ(app.shell.CustomColors[2], 255u);
    EXPECT_EQ(app.shell.CustomColors[15], 65280u);
}

TEST_F(SettingsTest, LoadSettings_UnusableValuesFallBackAndTextsStayAsStored) {
    Ini("[Options]\r\nAlarm=7\r\nGlueList=-3\r\nFont=9\r\nTabSelectedIndex=12\r\nIntervall=abc\r\n"
        "FarbeNormal=-5\r\nFarbeAlarm=99999999\r\nFormularDesigner=0\r\nWin1OnTop=2\r\nLanguage=1\r\n");
    LoadSettings(app);
    EXPECT_EQ(app.forms.frmAllgemein.chkAlarm.Value, 0);
    EXPECT_EQ(app.forms.frmAllgemein.chkGlueFensterliste.Value, 1);
    EXPECT_EQ(app.forms.frmFensterliste.cbFont.ListIndex, 0);
    EXPECT_EQ(app.forms.frmMain.tbsMain.SelectedIndex, 1);
    EXPECT_EQ(app.forms.frmAllgemein.edIntervall.Text, "abc");
    EXPECT_EQ(app.shell.FarbeNormal, kDefaultNormalColor);
    EXPECT_EQ(app.shell.FarbeAlarm, kDefaultAlarmColor);
    EXPECT_EQ(app.forms.frmOptions.optFormularDesigner.Value, 0);
    EXPECT_EQ(app.forms.frmOptions.optFormDesigner.Value, 1);
    EXPECT_EQ(app.shell.Win1OnTop, 0);
    EXPECT_EQ(app.shell.Language, 1);

    Ini("[Options]\r\nTabSelectedIndex=0\r\n");
    LoadSettings(app);
    EXPECT_EQ(app.forms.frmMain.tbsMain.SelectedIndex, 1);
}

TEST_F(SettingsTest, ReadIniString_SeesAtMost256Characters) {
    Ini("[Options]\r\nLogFilename=" + std::string(300, 'x') + "\r\n");
    EXPECT_EQ(ReadIniString(app, "Options", "LogFilename", "").size(), 256u);
    EXPECT_EQ(ReadIniString(app, "options", "LOGFILENAME", "").size(), 256u);  // keys without regard to case
    EXPECT_EQ(ReadIniString(app, "Options", "Missing", "dflt"), "dflt");
}

const char* const kOptionKeys[] = {
    "TabSelectedIndex", "Intervall", "Parent", "ShowClient", "ShowParent", "ShortNames", "Font",
    "DynamicFont", "Dynamic1", "Dynamic2", "Alarm", "Logging", "LogFilename", "Glue1", "GlueProperties",
    "GlueHauptmenue", "GlueList", "GlueToolbox", "FieldMenu", "FormularDesigner", "FarbeNormal", "FarbeAlarm",
    "Language", "Farbe0", "Farbe1", "Farbe2", "Farbe3", "Farbe4", "Farbe5", "Farbe6", "Farbe7", "Farbe8",
    "Farbe9", "Farbe10", "Farbe11", "Farbe12", "Farbe13", "Farbe14", "Farbe15", "Win1IconStart", "Win1OnTop"};

TEST_F(SettingsTest, SaveSettings_WritesTwoSectionsInKeyOrder) {
    Ini("[Options]\r\nLanguage=1\r\n");
    LoadSettings(app);
    t.listWindow.MoveTo(123, 45);
    SaveSettings(app);
    EXPECT_EQ(t.profile.KeysOf("WinLoc"), "Win1x,Win1y");
    std::string expected;
    for (const char* k : kOptionKeys) {
        if (std::string(k) == "Language") continue;  // was there before: stays in its place
        expected += std::string(expected.empty() ? "" : ",") + k;
    }
    EXPECT_EQ(t.profile.KeysOf("Options"), "Language," + expected);
    EXPECT_EQ(t.profile.KeyCount("WinLoc"), 2);
    EXPECT_EQ(t.profile.KeyCount("Options"), 41);
    EXPECT_EQ(ReadIniString(app, "WinLoc", "Win1x", ""), "123");
    EXPECT_EQ(ReadIniString(app, "WinLoc", "Win1y", ""), "45");
    EXPECT_EQ(ReadIniString(app, "Options", "Farbe2", ""), "0");
    EXPECT_EQ(ReadIniString(app, "Options", "FarbeNormal", ""), "12648384");
    EXPECT_TRUE(t.ui.boxes.empty());
}

TEST_F(SettingsTest, SaveSettings_ThenLoadRestoresEveryValue) {
    LoadSettings(app);
    auto& g = app.forms.frmAllgemein;
    auto& l = app.forms.frmFensterliste;
    g.edIntervall.Text = "7";
    g.edParent.Text = "- Nav";
    g.edLogFilename.Text = "C:\\Logs\\a, \"b\".log";
    g.chkAlarm.Value = 1;
    g.chkGlueToolbox.Value = 1;
    g.chkGlueFensterliste.Value = 0;
    l.cbFont.ListIndex = 2;
    l.edDyn1.Text = "x9";
    app.forms.frmOptions.optFormularDesigner.Value = 0;
    app.forms.frmMain.tbsMain.SelectedIndex = 3;
    app.shell.FarbeAlarm = 0x0000FF;
    app.shell.CustomColors[7] = 0x123456;
    app.shell.Win1OnTop = 1;
    app.shell.Language = 0;
    t.listWindow.MoveTo(300, 200);
    SaveSettings(app);

    test::TestApp fresh;
    fresh.profile = t.profile;
    frmFensterliste_Load(fresh.app);
    LoadSettings(fresh.app);
    App& b = fresh.app;
    EXPECT_EQ(b.forms.frmAllgemein.edIntervall.Text, "7");
    EXPECT_EQ(b.forms.frmAllgemein.edParent.Text, "- Nav");
    EXPECT_EQ(b.forms.frmAllgemein.edLogFilename.Text, "C:\\Logs\\a, \"b\".log");
    EXPECT_EQ(b.forms.frmAllgemein.chkAlarm.Value, 1);
    EXPECT_EQ(b.forms.frmAllgemein.chkGlueToolbox.Value, 1);
    EXPECT_EQ(b.forms.frmAllgemein.chkGlueFensterliste.Value, 0);
    EXPECT_EQ(b.forms.frmFensterliste.cbFont.ListIndex, 2);
    EXPECT_EQ(b.forms.frmFensterliste.edDyn1.Text, "x9");
    EXPECT_EQ(b.forms.frmOptions.optFormDesigner.Value, 1);
    EXPECT_EQ(b.forms.frmMain.tbsMain.SelectedIndex, 3);
    EXPECT_EQ(b.shell.FarbeAlarm, 0x0000FFu);
    EXPECT_EQ(b.shell.CustomColors[7], 0x123456u);
    EXPECT_EQ(b.shell.Win1OnTop, 1);
    EXPECT_EQ(b.shell.Language, 0);
    EXPECT_EQ(b.shell.Win1x, 300);
    EXPECT_EQ(b.shell.Win1y, 200);
}

TEST_F(SettingsTest, SaveSettings_UnreadableValueStopsWithTheGermanMessage) {
    Ini("[WinLoc]\r\nWin1x=1\r\nWin1y=2\r\n[Options]\r\nIntervall=9\r\n");
    LoadSettings(app);
    app.forms.frmAllgemein.edIntervall.Text = "4";
    t.listWindow.failPosition = true;
    SaveSettings(app);
    ASSERT_EQ(t.ui.boxes.size(), 1u);
    EXPECT_EQ(t.ui.boxes[0].text, "Fehler beim Sichern der Einstellungen.");
    EXPECT_EQ(t.ui.boxes[0].flags, kMbOk);
    // Nothing after the failure was written: the old values stay.
    EXPECT_EQ(ReadIniString(app, "Options", "Intervall", ""), "9");
    EXPECT_EQ(t.profile.KeyCount("Options"), 1);
}

}  // namespace
}  // namespace brisolt

namespace brisolt {
namespace {

TEST_F(SettingsTest, SaveSettings_AReadOnlyPlaceKeepsTheOldFileWhole) {
    const std::string old = "[Options]\r\nLanguage=1\r\nForeign=kept\r\n";
    struct Case {
        bool readOnlyFile, readOnlyFolder;
    } cases[] = {{true, false}, {false, true}};
    for (const Case& c : cases) {
        Ini(old);
        t.profile.readOnly = c.readOnlyFile;
        t.profile.readOnlyFolder = c.readOnlyFolder;
        LoadSettings(app);
        app.forms.frmAllgemein.chkAlarm.Value = 1;
        SaveSettings(app);
        EXPECT_EQ(t.profile.text, old);
        EXPECT_TRUE(t.ui.boxes.empty());
    }
}

TEST_F(SettingsTest, SaveSettings_LandsInOneStepAndKeepsForeignKeys) {
    Ini("[Options]\r\nLanguage=1\r\nForeign=kept\r\n[Other]\r\nA=1\r\n");
    LoadSettings(app);
    const int writesBefore = t.profile.writes;
    SaveSettings(app);
    EXPECT_EQ(t.profile.commits, 1);
    EXPECT_EQ(t.profile.writes - writesBefore, 43);
    EXPECT_EQ(ReadIniString(app, "Options", "Foreign", ""), "kept");
    EXPECT_EQ(ReadIniString(app, "Other", "A", ""), "1");
}

}  // namespace
}  // namespace brisolt
