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

// The tabs, left to right (program/pages.h: kTabPages gives each one's page number).
inline constexpr Bilingual kTabs[5] = {{"Allgemein", "General"},
                                       {"Fensterliste", "List window"},
                                       {"Optionen", "Options"},
                                       {"Team", "Team"},
                                       {"Info", "Info"}};

// Tray menu and messages.
inline constexpr Bilingual kTrayMenu{"Einstellungen|Beenden", "Settings|Quit"};
inline constexpr Bilingual kFileNotFoundBefore{"Die Datei ", "The file "};
inline constexpr Bilingual kFileNotFoundAfter{" wurde nicht gefunden.", " could not be found."};
inline constexpr Bilingual kNetworkError{": Netzwerkfehler", ": Network error"};
// After the first holders of an object: "+2 more".
inline constexpr Bilingual kMoreHolders{"weitere", "more"};
// " - 3 im Team": how many other copies are live, behind the tray's caption.
inline constexpr Bilingual kInTheTeam{" im Team", " in the team"};

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
inline constexpr Bilingual kShareHistory{"&Meinen Designer-Verlauf mit dem Team teilen",
                                         "Share &my designer history with the team"};
// The Team page.
inline constexpr Bilingual kTeamPeopleLabel{"Im Teamordner aktiv:", "Live in the team folder:"};
inline constexpr Bilingual kTeamWho{"Wer", "Who"};
inline constexpr Bilingual kTeamRunningSince{"Läuft seit", "Running since"};
inline constexpr Bilingual kTeamSearchLabel{"&Suchen:", "&Search:"};
inline constexpr Bilingual kTeamObject{"Objekt", "Object"};
inline constexpr Bilingual kTeamOpenBy{"Geöffnet von", "Open by"};
inline constexpr Bilingual kTeamSince{"Seit", "Since"};
// "12 Designer auf anderen Rechnern" / "2 von 12 angezeigt"
inline constexpr Bilingual kTeamDesignersElsewhere{" Designer auf anderen Rechnern", " designers on other computers"};
inline constexpr Bilingual kTeamOf{" von ", " of "};
inline constexpr Bilingual kTeamShown{" angezeigt", " shown"};
inline constexpr Bilingual kTeamOff{
    "Der Teammodus ist aus. Sie schalten ihn ein, indem Sie auf der Seite \"Optionen\" einen Teamordner wählen: "
    "einen Ordner, den Ihr Team für diese Datenbank teilt. Dann zeigt diese Seite, wer im Team ist und wer welches "
    "Objekt geöffnet hat.",
    "Team mode is off. To turn it on, choose a Team folder on the Options page: a folder your team shares for this "
    "database. This page then shows who is in the team and who has which object open."};
inline constexpr Bilingual kTeamGoToOptions{"&Zur Seite Optionen", "&Go to the Options page"};
// Its lower list: the designers open now, or the designer history.
inline constexpr Bilingual kTeamOpenNow{"&Jetzt offen", "Open &now"};
inline constexpr Bilingual kTeamHistory{"&Verlauf", "His&tory"};
inline constexpr Bilingual kHistoryFrom{"Von", "From"};
inline constexpr Bilingual kHistoryTo{"Bis", "To"};
inline constexpr Bilingual kExportHistory{"&Exportieren...", "&Export..."};
// "120 Sitzungen" / "12 von 120 Sitzungen angezeigt", and while it is read.
inline constexpr Bilingual kHistorySessions{" Sitzungen", " sessions"};
inline constexpr Bilingual kHistorySessionsShown{" Sitzungen angezeigt", " sessions shown"};
inline constexpr Bilingual kHistoryReading{"Der Verlauf wird gelesen...", "Reading the history..."};
inline constexpr Bilingual kHistoryNotRead{"Der Verlauf konnte nicht gelesen werden.", "The history could not be read."};
inline constexpr Bilingual kExportFailedBefore{"Der Verlauf konnte nicht in ", "The history could not be written to "};
inline constexpr Bilingual kExportFailedAfter{" geschrieben werden.", "."};
inline constexpr Bilingual kTeamFailing{
    "Der Teamordner antwortet nicht oder ist nicht erreichbar. Bis er wieder antwortet, zeigt diese Seite keine "
    "Liste, für die sie nicht einstehen kann; das Symbol im Infobereich zeigt den Netzwerkfehler.",
    "The team folder does not answer or cannot be reached. Until it answers again, this page shows no list it "
    "cannot vouch for; the notification-area icon shows the network error."};
inline constexpr Bilingual kProductInfoFrame{"Produktinformation", "Product information"};
inline constexpr Bilingual kIconCaption{"Brisolt", "Brisolt"};
inline constexpr Bilingual kEmailToolTip{"E-Mail senden", "Send an e-Mail"};
inline constexpr Bilingual kHomepageToolTip{"Homepage öffnen", "Open homepage"};
inline constexpr Bilingual kInfoHeadline{"Sie benutzen die 'light'-Version von Brisolt.",
                                         "You are using the 'light' version of Brisolt."};
inline constexpr Bilingual kSaveFailedBefore{"Die Einstellungen konnten nicht in ", "The settings could not be saved to "};
inline constexpr Bilingual kSaveFailedAfter{" gespeichert werden.", "."};

// The information text below the headline.
inline constexpr Bilingual kInformation{
    "Der Teammodus ist eingebaut: Kopien auf mehreren Rechnern, die einen Teamordner teilen, zeigen, welche "
    "Objekte die anderen geöffnet haben, und warnen, wenn zwei Entwickler dasselbe Objekt öffnen. Sie schalten "
    "ihn mit dem Teamordner auf der Seite \"Optionen\" ein; die Seite \"Team\" zeigt, wer was geöffnet hat.",
    "Team mode is built in: copies on several computers that share a team folder show which objects the others "
    "have open, and warn when two developers open the same object. Turn it on with the Team folder on the "
    "Options page; the Team page shows who has what open."};
}  // namespace texts

}  // namespace brisolt
