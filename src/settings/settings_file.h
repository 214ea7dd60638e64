// KelmorL.ini beside the program: two sections, "WinLoc" and "Options", read
// once at start-up and written back once at Quit. One key table says, for
// every key, where it lives, its default, the rule that judges a stored
// value, and which setting it holds; loading, saving and the tests all go
// through it, so the file keeps its keys, order and defaults.
#pragma once
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "platform/profile.h"
#include "settings/settings.h"

namespace brisolt {

// How a stored value is judged when it is read.
enum class KeyRule {
    Flag,         // 0 or 1; anything else gives the default
    Range,        // a number in [min, max]; anything else gives the default
    Number,       // any number (text that is none reads as 0)
    OneElseZero,  // exactly 1 is 1, anything else 0
    Text,         // kept as stored
    Colour,       // a COLORREF 1..0xFFFFFF; anything else gives `fallback`
};

using SettingRef = std::variant<bool*, int*, std::string*, Colour*, Language*>;

struct SettingKey {
    const char* section;
    std::string key;
    const char* defaultText;
    KeyRule rule;
    std::function<SettingRef(Settings&)> member;
    int min = 0, max = 0;   // KeyRule::Range
    Colour fallback = 0;     // KeyRule::Colour
};

// Every key in the order Quit writes them.
const std::vector<SettingKey>& SettingKeys();

// One value, at most 256 characters; def when the file or key is missing.
std::string ReadSetting(Profile& profile, const std::string& section, const std::string& key,
                        const std::string& def);

// Where the list window opens for a stored top-left corner: the stored place
// when it lies on a connected monitor, otherwise 20 / 10 for the edge that
// does not.
Point ListWindowStartPosition(Point stored, const std::function<bool(Point)>& onMonitor);

// Every setting from the file; unusable values give their defaults.
Settings LoadSettings(Profile& profile, const std::function<bool(Point)>& onMonitor);

enum class SaveOutcome {
    Saved,
    ReadOnlyFile,  // the file is marked read-only: kept as it is, on purpose
    Failed,        // nothing could be stored
};
SaveOutcome SaveSettings(Profile& profile, const Settings& settings);

}  // namespace brisolt
