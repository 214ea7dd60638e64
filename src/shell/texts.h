// Every language-dependent text of the program, German and English side by
// side. Language 0 is German, 1 English; any other value changes no text.
#pragma once
#include <string>

namespace brisolt {

struct Bilingual {
    const char* german;
    const char* english;
};

// The text for the language, or nullptr when the language is neither 0 nor 1.
inline const char* Pick(const Bilingual& t, int language) {
    return language == 0 ? t.german : language == 1 ? t.english : nullptr;
}

namespace texts {
// Menu bar.
inline constexpr Bilingual kMenuFile{"&Datei", "&File"};
inline constexpr Bilingual kMenuExtras{"E&xtras", "E&xtra"};
inline constexpr Bilingual kMenuHelp{"&?", "&?"};
inline constexpr Bilingual kQuit{"&Beenden", "&Quit"};
inline constexpr Bilingual kStartMinimized{"Minimiert starten", "Start minimized"};
inline constexpr Bilingual kAlwaysOnTop{"Immer im &Vordergrund", "Always on top"};
inline constexpr Bilingual kGerman{"Deutsch", "Deutsch"};
inline constexpr Bilingual kEnglish{"English", "English"};
inline constexpr Bilingual kHelpItem{"&Hilfe", "&Help"};

// Tabs 1 to 4.
inline constexpr Bilingual kTabs[4] = {
    {"Allgemein", "General"}, {"Fensterliste", "List window"}, {"Optionen", "Options"}, {"Info", "Info"}};

// Tray menu and messages.
inline constexpr Bilingual kTrayMenu{"Einstellungen|Beenden", "Settings|Quit"};
inline constexpr Bilingual kFileNotFoundBefore{"Die Datei ", "The file "};
inline constexpr Bilingual kFileNotFoundAfter{" wurde nicht gefunden.", " could not be found."};
inline constexpr Bilingual kNetworkError{": Netzwerkfehler", ": Network error"};

// The help file attached to the file dialog, behind the program's folder.
inline constexpr Bilingual kHelpFile{"\\KelmorD.hlp", "\\KelmorE.hlp"};

// lblInformation: five pieces, each running on after the blank ending the last.
inline constexpr Bilingual kInformation[5] = {
    {"Die Vollversion ist netzwerkfähig und unterstützt Sie bei der ",
     "The full product version offers network capabilities that help "},
    {"Arbeit in einem Team von mehreren Entwicklern. ", "you when you are working in a team with several developers "},
    {"Mehrfach geöffnete Objekte auf mehreren Rechnern werden erkannt, ",
     "connected to the same database. Multiple opened objects on "},
    {"und so kann verhindert werden, dass die Entwickler die Arbeit ",
     "different computers are detected and so developers will not "},
    {"eines anderen zerstören.", "destroy each others work."},
};
}  // namespace texts

}  // namespace brisolt
