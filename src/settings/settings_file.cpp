#include "settings/settings_file.h"

#include "settings/numbers.h"

namespace brisolt {

namespace {

const char kWinLoc[] = "WinLoc";
const char kOptions[] = "Options";
constexpr std::size_t kReadBuffer = 257;  // a value is seen up to 256 characters

#define SETTING(name) [](Settings& s) -> SettingRef { return &s.name; }

std::vector<SettingKey> MakeKeys() {
    std::vector<SettingKey> keys = {
        {kWinLoc, "Win1x", "50", KeyRule::Number, SETTING(listWindowPosition.x)},
        {kWinLoc, "Win1y", "50", KeyRule::Number, SETTING(listWindowPosition.y)},
        {kOptions, "TabSelectedIndex", "1", KeyRule::Range, SETTING(selectedPage), 1, 5},
        {kOptions, "Intervall", "2", KeyRule::Text, SETTING(scanInterval)},
        {kOptions, "Parent", "- Navi", KeyRule::Text, SETTING(clientTitleMarker)},
        {kOptions, "ShowClient", "1", KeyRule::Flag, SETTING(showClientWindows)},
        {kOptions, "ShowParent", "1", KeyRule::Flag, SETTING(showTopLevelWindows)},
        {kOptions, "ShortNames", "0", KeyRule::Flag, SETTING(shortNames)},
        {kOptions, "Font", "0", KeyRule::Range, SETTING(listFont), 0, kListFontCount - 1},
        {kOptions, "DynamicFont", "0", KeyRule::Flag, SETTING(dynamicFont)},
        {kOptions, "Dynamic1", "5", KeyRule::Text, SETTING(dynamicFontRows7pt)},
        {kOptions, "Dynamic2", "8", KeyRule::Text, SETTING(dynamicFontRows6pt)},
        {kOptions, "Alarm", "0", KeyRule::Flag, SETTING(alarmSound)},
        {kOptions, "Logging", "0", KeyRule::Flag, SETTING(logging)},
        {kOptions, "LogFilename", "", KeyRule::Text, SETTING(logFile)},
        {kOptions, "Glue1", "0", KeyRule::Flag, SETTING(glueObjectDesigner)},
        {kOptions, "GlueProperties", "0", KeyRule::Flag, SETTING(glueProperties)},
        {kOptions, "GlueHauptmenue", "0", KeyRule::Flag, SETTING(glueMainMenu)},
        {kOptions, "GlueList", "1", KeyRule::Flag, SETTING(glueListWindow)},
        {kOptions, "GlueToolbox", "0", KeyRule::Flag, SETTING(glueToolbox)},
        {kOptions, "FieldMenu", "0", KeyRule::Flag, SETTING(glueFieldMenu)},
        {kOptions, "FormularDesigner", "1", KeyRule::OneElseZero, SETTING(formularDesignerTitles)},
        // 0 and values outside a COLORREF give the default, so black can't be
        // stored for the list colours.
        {kOptions, "FarbeNormal", "12648384", KeyRule::Colour, SETTING(normalColour), 0, 0, kDefaultNormalColour},
        {kOptions, "FarbeAlarm", "8421631", KeyRule::Colour, SETTING(alarmColour), 0, 0, kDefaultAlarmColour},
        {kOptions, "Language", "-1", KeyRule::Number, SETTING(language)},
    };
    // The chooser's custom colours: the first two start as the list colours.
    for (int i = 0; i < 16; ++i) {
        const Colour fallback = i == 0 ? kDefaultNormalColour : i == 1 ? kDefaultAlarmColour : 0;
        keys.push_back({kOptions, "Farbe" + NumberText(i), "0", KeyRule::Colour,
                        [i](Settings& s) -> SettingRef { return &s.customColours[i]; }, 0, 0, fallback});
    }
    keys.push_back({kOptions, "Win1IconStart", "0", KeyRule::Flag, SETTING(startHidden)});
    keys.push_back({kOptions, "Win1OnTop", "0", KeyRule::Flag, SETTING(settingsWindowOnTop)});
    keys.push_back({kOptions, "TeamFolder", "", KeyRule::Text, SETTING(teamFolder)});
    keys.push_back({kOptions, "ShareHistory", "0", KeyRule::Flag, SETTING(shareHistory)});
    return keys;
}

#undef SETTING

// The value a stored text gives under the key's rule.
int JudgedNumber(const SettingKey& k, const std::string& stored) {
    const int value = LeadingNumber(stored);
    const int def = LeadingNumber(k.defaultText);
    switch (k.rule) {
        case KeyRule::Flag: return value == 0 || value == 1 ? value : def;
        case KeyRule::Range: return value >= k.min && value <= k.max ? value : def;
        case KeyRule::OneElseZero: return value == 1 ? 1 : 0;
        case KeyRule::Colour: return value > 0 && value <= 0xFFFFFF ? value : static_cast<int>(k.fallback);
        default: return value;
    }
}

struct Assign {
    const SettingKey& key;
    const std::string& stored;
    void operator()(std::string* text) const { *text = stored; }
    void operator()(bool* flag) const { *flag = JudgedNumber(key, stored) == 1; }
    void operator()(int* number) const { *number = JudgedNumber(key, stored); }
    void operator()(Colour* colour) const { *colour = static_cast<Colour>(JudgedNumber(key, stored)); }
    void operator()(Language* language) const { *language = static_cast<Language>(JudgedNumber(key, stored)); }
};

struct Show {
    std::string operator()(const std::string* text) const { return *text; }
    std::string operator()(const bool* flag) const { return *flag ? "1" : "0"; }
    std::string operator()(const int* number) const { return NumberText(*number); }
    std::string operator()(const Colour* colour) const { return NumberText(*colour); }
    std::string operator()(const Language* language) const { return NumberText(static_cast<int>(*language)); }
};

}  // namespace

const std::vector<SettingKey>& SettingKeys() {
    static const std::vector<SettingKey> keys = MakeKeys();
    return keys;
}

std::string ReadSetting(Profile& profile, const std::string& section, const std::string& key,
                        const std::string& def) {
    return profile.Read(section, key, def, kReadBuffer);
}

Point ListWindowStartPosition(Point stored, const std::function<bool(Point)>& onMonitor) {
    // At least this much of the window's corner must be on a monitor.
    constexpr int kVisible = 14;
    const Point fallback{20, 10};
    auto xFits = [&](int y) { return onMonitor({stored.x, y}) && onMonitor({stored.x + kVisible, y}); };
    auto yFits = [&](int x) { return onMonitor({x, stored.y}) && onMonitor({x, stored.y + kVisible}); };
    if (xFits(stored.y) && yFits(stored.x)) return stored;
    // Each edge is judged on its own: a window stored off the right edge keeps
    // its top edge, judged where its left edge will be.
    const bool xOk = xFits(stored.y) || (!yFits(stored.x) && xFits(fallback.y));
    const bool yOk = yFits(stored.x) || (!xOk && yFits(fallback.x));
    return {xOk ? stored.x : fallback.x, yOk ? stored.y : fallback.y};
}

Settings LoadSettings(Profile& profile, const std::function<bool(Point)>& onMonitor) {
    Settings settings;
    for (const SettingKey& k : SettingKeys()) {
        const std::string stored = ReadSetting(profile, k.section, k.key, k.defaultText);
        std::visit(Assign{k, stored}, k.member(settings));
    }
    settings.listWindowPosition = ListWindowStartPosition(settings.listWindowPosition, onMonitor);
    return settings;
}

SaveOutcome SaveSettings(Profile& profile, const Settings& settings) {
    // A file marked read-only pins its settings; nothing is written.
    if (profile.IsReadOnly()) return SaveOutcome::ReadOnlyFile;
    // The new file is written beside the old one and replaces it in one step
    // where the folder allows it, so a crash during Quit leaves either the old
    // or the new settings, never a mix.
    std::unique_ptr<ProfileRewrite> file = profile.BeginRewrite();
    if (!file) return SaveOutcome::Failed;
    Settings copy = settings;  // the table hands out pointers into a Settings
    bool written = true;
    for (const SettingKey& k : SettingKeys()) {
        const std::string text = std::visit(Show{}, k.member(copy));
        written = file->Write(k.section, k.key, text) && written;
    }
    return file->Commit() && written ? SaveOutcome::Saved : SaveOutcome::Failed;
}

}  // namespace brisolt
