#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_profile.h"
#include "sim_desktop.h"

namespace brisolt {
namespace {

using test::FakeProfile;

const auto kEverywhere = [](Point) { return true; };

FakeProfile File(const std::string& text) {
    FakeProfile p;
    p.text = text;
    p.exists = !text.empty();
    return p;
}

// A load of `text` saved into a new file.
FakeProfile Resaved(const std::string& text) {
    FakeProfile in = File(text), out;
    EXPECT_EQ(SaveSettings(out, LoadSettings(in, kEverywhere)), SaveOutcome::Saved);
    return out;
}

const char kFullFile[] =
    "[WinLoc]\r\nWin1x=321\r\nWin1y=145\r\n[Options]\r\nTabSelectedIndex=3\r\nIntervall=7\r\nParent=- Nav\r\n"
    "ShowClient=0\r\nShowParent=0\r\nShortNames=1\r\nFont=2\r\nDynamicFont=1\r\nDynamic1=x9\r\nDynamic2=12\r\n"
    "Alarm=1\r\nLogging=1\r\nLogFilename=C:\\Logs\\access, log.txt\r\nGlue1=1\r\nGlueProperties=1\r\n"
    "GlueHauptmenue=1\r\nGlueList=0\r\nGlueToolbox=1\r\nFieldMenu=1\r\nFormularDesigner=0\r\nFarbeNormal=255\r\n"
    "FarbeAlarm=16777215\r\nLanguage=1\r\nFarbe0=100\r\nFarbe1=101\r\nFarbe2=102\r\nFarbe3=103\r\nFarbe4=104\r\n"
    "Farbe5=105\r\nFarbe6=106\r\nFarbe7=107\r\nFarbe8=108\r\nFarbe9=109\r\nFarbe10=110\r\nFarbe11=111\r\n"
    "Farbe12=112\r\nFarbe13=113\r\nFarbe14=114\r\nFarbe15=115\r\nWin1IconStart=1\r\nWin1OnTop=1\r\n"
    "TeamFolder=\\\\server\\share\\Demo DB\r\nShareHistory=1\r\n";

const char kDefaultFile[] =
    "[WinLoc]\r\nWin1x=50\r\nWin1y=50\r\n[Options]\r\nTabSelectedIndex=1\r\nIntervall=2\r\nParent=- Navi\r\n"
    "ShowClient=1\r\nShowParent=1\r\nShortNames=0\r\nFont=0\r\nDynamicFont=0\r\nDynamic1=5\r\nDynamic2=8\r\n"
    "Alarm=0\r\nLogging=0\r\nLogFilename=\r\nGlue1=0\r\nGlueProperties=0\r\nGlueHauptmenue=0\r\nGlueList=1\r\n"
    "GlueToolbox=0\r\nFieldMenu=0\r\nFormularDesigner=1\r\nFarbeNormal=12648384\r\nFarbeAlarm=8421631\r\n"
    "Language=-1\r\nFarbe0=12648384\r\nFarbe1=8421631\r\nFarbe2=0\r\nFarbe3=0\r\nFarbe4=0\r\nFarbe5=0\r\n"
    "Farbe6=0\r\nFarbe7=0\r\nFarbe8=0\r\nFarbe9=0\r\nFarbe10=0\r\nFarbe11=0\r\nFarbe12=0\r\nFarbe13=0\r\n"
    "Farbe14=0\r\nFarbe15=0\r\nWin1IconStart=0\r\nWin1OnTop=0\r\nTeamFolder=\r\nShareHistory=0\r\n";

TEST(SettingsFile, Save_WritesEveryKeyInOrderByteForByte) {
    EXPECT_EQ(Resaved(kFullFile).text, kFullFile);
    EXPECT_EQ(Resaved("").text, kDefaultFile);  // no file: every default

    FakeProfile full = File(kFullFile);
    const Settings s = LoadSettings(full, kEverywhere);
    EXPECT_EQ((std::vector<std::string>{s.scanInterval, s.clientTitleMarker, s.dynamicFontRows7pt, s.logFile}),
              (std::vector<std::string>{"7", "- Nav", "x9", "C:\\Logs\\access, log.txt"}));
    EXPECT_EQ((std::vector<long long>{s.listWindowPosition.x, s.listWindowPosition.y, s.selectedPage, s.listFont,
                                      s.normalColour, s.alarmColour, static_cast<int>(s.language),
                                      s.customColours[15]}),
              (std::vector<long long>{321, 145, 3, 2, 255, 0xFFFFFF, 1, 115}));
}

TEST(SettingsFile, Load_EachFlagKeyHoldsItsOwnSetting) {
    const std::pair<const char*, bool Settings::*> flags[] = {
        {"ShowClient", &Settings::showClientWindows}, {"ShowParent", &Settings::showTopLevelWindows},
        {"ShortNames", &Settings::shortNames},        {"DynamicFont", &Settings::dynamicFont},
        {"Alarm", &Settings::alarmSound},             {"Logging", &Settings::logging},
        {"Glue1", &Settings::glueObjectDesigner},     {"GlueProperties", &Settings::glueProperties},
        {"GlueHauptmenue", &Settings::glueMainMenu},  {"GlueList", &Settings::glueListWindow},
        {"GlueToolbox", &Settings::glueToolbox},      {"FieldMenu", &Settings::glueFieldMenu},
        {"FormularDesigner", &Settings::formularDesignerTitles}, {"Win1IconStart", &Settings::startHidden},
        {"Win1OnTop", &Settings::settingsWindowOnTop},        {"ShareHistory", &Settings::shareHistory}};
    const Settings defaults;
    for (const auto& [key, member] : flags) {
        FakeProfile p = File(std::string("[Options]\r\n") + key + "=" + (defaults.*member ? "0" : "1") + "\r\n");
        const Settings s = LoadSettings(p, kEverywhere);
        int changed = 0;
        for (const auto& other : flags) changed += s.*other.second != defaults.*other.second;
        EXPECT_TRUE(s.*member != defaults.*member && changed == 1) << key;
    }
}

TEST(SettingsFile, Load_UnusableValuesGiveTheKeysDefault) {
    struct Case {
        std::string key, stored, judged;
    };
    std::vector<Case> cases = {
        {"Font", "9", "0"}, {"Font", "2", "2"}, {"TabSelectedIndex", "12", "1"}, {"TabSelectedIndex", "0", "1"},
        {"TabSelectedIndex", "4", "4"}, {"FormularDesigner", "0", "0"}, {"FormularDesigner", "7", "0"},
        {"FarbeNormal", "0", "12648384"}, {"FarbeNormal", "-5", "12648384"}, {"FarbeAlarm", "99999999", "8421631"},
        {"FarbeAlarm", "16777216", "8421631"}, {"Farbe0", "0", "12648384"}, {"Farbe1", "0", "8421631"},
        {"Farbe15", "65280", "65280"}, {"Intervall", "abc", "abc"}, {"Language", "1x", "1"},
        {"LogFilename", std::string(300, 'x'), std::string(256, 'x')},
        {"Parent", std::string(257, 'p'), std::string(256, 'p')},
    };
    // Every flag takes 0 and 1 and gives its default for anything else.
    for (const SettingKey& k : SettingKeys()) {
        if (k.rule != KeyRule::Flag) continue;
        for (const char* bad : {"7", "-3"}) cases.push_back({k.key, bad, k.defaultText});
        for (const char* good : {"0", "1"}) cases.push_back({k.key, good, good});
    }
    for (const Case& c : cases) {
        FakeProfile saved = Resaved("[Options]\r\n" + c.key + "=" + c.stored + "\r\n");
        EXPECT_EQ(ReadSetting(saved, "Options", c.key, "?"), c.judged) << c.key << "=" << c.stored;
    }
}

TEST(SettingsFile, Load_StoredPositionMustLieOnAMonitor) {
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
        test::SimDesktop desktop;
        desktop.monitors = c.monitors;
        FakeProfile p = File(std::string("[WinLoc]\r\nWin1x=") + c.x + "\r\nWin1y=" + c.y + "\r\n");
        const Point at = LoadSettings(p, [&](Point pt) { return desktop.IsOnMonitor(pt); }).listWindowPosition;
        EXPECT_EQ(at.x, c.wantX) << c.x << "," << c.y;
        EXPECT_EQ(at.y, c.wantY) << c.x << "," << c.y;
    }
}

TEST(SettingsFile, Save_OutcomeAndWhatIsLeftOfTheOldFile) {
    const std::string old = "[Options]\r\nLanguage=1\r\nForeign=kept\r\n[Other]\r\nA=1\r\n";
    for (int place = 0; place < 3; ++place) {  // writable, read-only file, folder that takes no copy
        FakeProfile p = File(old);
        p.readOnly = place == 1;
        p.readOnlyFolder = place == 2;
        Settings s = LoadSettings(p, kEverywhere);
        s.alarmSound = true;
        const SaveOutcome want[] = {SaveOutcome::Saved, SaveOutcome::ReadOnlyFile, SaveOutcome::Failed};
        EXPECT_EQ(SaveSettings(p, s), want[place]);
        EXPECT_EQ(p.text == old, place != 0) << place;
        EXPECT_EQ(p.commits, place == 0 ? 1 : 0);  // in one step
        EXPECT_EQ(ReadSetting(p, "Options", "Alarm", ""), place == 0 ? "1" : "");
        EXPECT_EQ(ReadSetting(p, "Options", "Foreign", "") + ReadSetting(p, "Other", "A", ""), "kept1");
    }
}

}  // namespace
}  // namespace brisolt
