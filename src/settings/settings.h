// Everything the user can set, as one typed value. It is read from
// KelmorL.ini at start, changed by the option pages and the menus, read by
// every tick, and written back at Quit (see settings_file.h).
#pragma once
#include <array>
#include <string>

#include "platform/types.h"

namespace brisolt {

constexpr Colour kDefaultNormalColour = 12648384;  // 0xC0FFC0, light green
constexpr Colour kDefaultAlarmColour = 8421631;    // 0x8080FF, light red

// The three fonts the list window can show.
constexpr int kListFontCount = 3;

// The user interface's language. The file may hold any number: one that is
// neither German nor English changes no text and is stored back as it was.
enum class Language : int { NotChosen = -1, German = 0, English = 1 };

inline bool IsKnownLanguage(Language l) { return l == Language::German || l == Language::English; }

struct Settings {
    // The list window's top-left corner, screen pixels.
    Point listWindowPosition{50, 50};
    // The options page shown, 1..5 (1 General, 2 List window, 3 Options, 4 Info, 5 Team).
    int selectedPage = 1;
    // Seconds between two scans, as typed (the timer takes it only when it is
    // a usable number).
    std::string scanInterval = "2";
    // The piece of text that identifies the client's main window title.
    std::string clientTitleMarker = "- Navi";
    bool showClientWindows = true;
    // The desktop's top-level windows, while the client lists none.
    bool showTopLevelWindows = true;
    // Designer titles without their " - … Designer" part.
    bool shortNames = false;
    // 0 "MS Sans Serif 8 pt", 1 "Small Fonts 7pt", 2 "Small Fonts 6pt".
    int listFont = 0;
    // Smaller fonts from this many rows on (as typed).
    bool dynamicFont = false;
    std::string dynamicFontRows7pt = "5";
    std::string dynamicFontRows6pt = "8";
    // The exclamation sound while an object is open twice.
    bool alarmSound = false;
    bool logging = false;
    std::string logFile;
    bool glueObjectDesigner = false;
    bool glueProperties = false;
    bool glueMainMenu = false;
    bool glueListWindow = true;
    bool glueToolbox = false;
    bool glueFieldMenu = false;
    // True: form designers' titles end in " - Formular Designer", false:
    // " - Form Designer".
    bool formularDesignerTitles = true;
    Colour normalColour = kDefaultNormalColour;
    Colour alarmColour = kDefaultAlarmColour;
    // Not chosen yet: the first start asks.
    Language language = Language::NotChosen;
    // The colour chooser's custom colours.
    std::array<Colour, 16> customColours{};
    // Start with the settings window hidden.
    bool startHidden = false;
    bool settingsWindowOnTop = false;
    // The folder the team shares (one per database); "" leaves team mode off.
    std::string teamFolder;
    // This user's designer sessions go into the team folder's history.
    bool shareHistory = false;
};

}  // namespace brisolt
