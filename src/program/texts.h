// Every language-dependent text of the program, German and English side by
// side. A language that is neither changes no text.
#pragma once
#include <string>

#include "settings/settings.h"

namespace brisolt {

struct Bilingual {
    const char* german;
    const char* english;
};

// The text for the language, or nullptr when it is neither German nor English.
inline const char* Pick(const Bilingual& t, Language language) {
    return language == Language::German ? t.german : language == Language::English ? t.english : nullptr;
}

// The program's name: window and message box captions, the tray tooltip.
inline constexpr char kProductName[] = "Brisolt light";

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
// After the first holders of an object: "+2 more".
inline constexpr Bilingual kMoreHolders{"weitere", "more"};

// The help file attached to the file dialog, behind the program's folder.
inline constexpr Bilingual kHelpFile{"\\KelmorD.hlp", "\\KelmorE.hlp"};

// The first-start language dialog speaks both languages at once.
inline constexpr char kContinueInEnglish[] = "Continue in English";
inline constexpr char kContinueInGerman[] = "Weiter auf Deutsch";
inline constexpr char kChooseLanguageEnglish[] = "Please choose the language of the user interface.";
inline constexpr char kChooseLanguageGerman[] = "Bitte wählen Sie die Sprache der Benutzeroberfläche.";
inline constexpr char kLanguageDialogCaption[] = "Brisolt";

// The option pages' captions that follow the language.
inline constexpr Bilingual kOkButton{"&OK", "&OK"};
inline constexpr Bilingual kHelpButton{"&Hilfe", "&Help"};
inline constexpr Bilingual kCancelButton{"Abbrechen", "Abbrechen"};
inline constexpr Bilingual kIdentificationFrame{"Identifikation", "Identification"};
inline constexpr Bilingual kTitleMarkerLabel{"Zeichenfolge aus Fenstertitel", "Character sequence"};
inline constexpr Bilingual kCompanyLabel{"Aktueller Mandant", "Current company"};
inline constexpr Bilingual kOptionsFrame{"Optionen", "Options"};
inline constexpr Bilingual kAlarmSound{"Alarmton bei mehrfach geöffneten Objekten", "Alarm signal"};
inline constexpr Bilingual kIntervalLabel{"Aktualisierungsintervall", "Update interval"};
inline constexpr Bilingual kSecondsLabel{"Sekunden", "seconds"};
inline constexpr Bilingual kLogFrame{"Protokoll", "Log"};
inline constexpr Bilingual kLogging{"Objektzugriffe protokollieren", "Log opened objects"};
inline constexpr Bilingual kBrowse{"D&urchsuchen...", "&Browse..."};
inline constexpr Bilingual kShowLogLabel{"Protokolldatei anzeigen", "Show the log file"};
inline constexpr Bilingual kShowLog{"An&zeigen", "&Show"};
inline constexpr Bilingual kArrangeFrame{"Fenster positionieren", "Arrange windows"};
inline constexpr Bilingual kGlueObjectDesigner{"Object Designer", "Object Designer"};
inline constexpr Bilingual kGlueProperties{"Properties", "Properties"};
inline constexpr Bilingual kGlueMainMenu{"Hauptmenü", "Main Menu"};
inline constexpr Bilingual kGlueListWindow{"Fensterliste", "List window"};
inline constexpr Bilingual kGlueToolbox{"Toolbox", "Toolbox"};
inline constexpr Bilingual kGlueFieldMenu{"Field Menu", "Field Menu"};
inline constexpr Bilingual kFontFrame{"Zeichensatz", "Font"};
inline constexpr Bilingual kFontLabel{"Zeichensatz für Fensterliste", "Font for the list window"};
inline constexpr Bilingual kDynamicFont{"Dynamische Fonthöhe", "Dynamic font size"};
inline constexpr Bilingual kDynamicFont7pt{"ab Fenstern: 7 pt", "ab Fenstern: 7 pt"};
inline constexpr Bilingual kDynamicFont6pt{"ab Fenstern: 6 pt", "ab Fenstern: 6 pt"};
inline constexpr Bilingual kDisplayFrame{"Anzeige", "Display"};
inline constexpr Bilingual kShowTopLevel{"Parent-Fenster anzeigen", "Show parent windows"};
inline constexpr Bilingual kShowClients{"Client-Fenster anzeigen", "Show client windows"};
inline constexpr Bilingual kShortNames{"Objektnamen in Kurzform anzeigen", "Show object names shortened"};
inline constexpr Bilingual kColourFrame{"Farbauswahl", "Color selection"};
inline constexpr Bilingual kNormalColourButton{"Normal...", "Normal..."};
inline constexpr Bilingual kAlarmColourButton{"Alarm...", "Alarm..."};
inline constexpr Bilingual kFormsFrame{"Erkennen von Forms", "Detecting forms opened for design"};
inline constexpr Bilingual kFormsLabel{
    "Einer der folgenden Texte erscheint im Fenstertitel von geöffneten Forms. Wählen Sie den zutreffenden Text aus:",
    "One of the following texts appears in the window title of forms opened for design. Select the according "
    "text:"};
inline constexpr Bilingual kFormDesigner{" - Form Designer", " - Form Designer"};
inline constexpr Bilingual kFormularDesigner{" - Formular Designer", " - Formular Designer"};
inline constexpr Bilingual kTeamFrame{"Team", "Team"};
inline constexpr Bilingual kTeamFolderLabel{"Teamordner (ein Ordner je Datenbank, leer: aus)",
                                            "Team folder (one per database, empty: off)"};
inline constexpr Bilingual kChooseTeamFolder{"Wählen Sie den Ordner, den Ihr Team für diese Datenbank teilt.",
                                             "Choose the folder your team shares for this database."};
inline constexpr Bilingual kProductInfoFrame{"Produktinformation", "Product information"};
inline constexpr Bilingual kIconCaption{"Brisolt", "Brisolt"};
inline constexpr Bilingual kEmailToolTip{"E-Mail senden", "Send an e-Mail"};
inline constexpr Bilingual kHomepageToolTip{"Homepage öffnen", "Open homepage"};
inline constexpr Bilingual kInfoHeadline{"Sie benutzen die 'light'-Version von Brisolt.",
                                         "You are using the 'light' version of Brisolt."};
inline constexpr Bilingual kSaveFailedBefore{"Die Einstellungen konnten nicht in ", "The settings could not be saved to "};
inline constexpr Bilingual kSaveFailedAfter{" gespeichert werden.", "."};

// The information text: five pieces, each running on after the blank ending the last.
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
