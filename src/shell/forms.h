// The control inventory: every form and control of the program, by name.
#pragma once
#include <string>

#include "shell/controls.h"

namespace brisolt {

struct FrmMain {
    std::string Caption = "Brisolt light";
    bool Visible = false;
    bool OnTop = false;
    TabStrip tbsMain;
    Button cmdOK{"&OK"};
    Button cmdHelp{"&Hilfe"};
    Button cmdCancel{"Abbrechen"};
    TimerControl tmrTaskIcon;  // never started: there is no network-error source
    struct TrayIcon {
        bool Visible = false;
        std::string ToolTip;
        std::string Icon = ":ico";
    } tic1;
};

// Page 1: General.
struct FrmAllgemein {
    Frame frOptions{"Optionen"}, frPos{"Fenster positionieren"}, frIdent{"Identifikation"}, frLog{"Protokoll"};
    CheckBox chkGlueObjDes{"Object Designer"};
    CheckBox chkGlueProperties{"Properties"};
    CheckBox chkGlueHauptmenu{"Hauptmenü"};
    CheckBox chkGlueFensterliste{"Fensterliste"};
    CheckBox chkGlueToolbox{"Toolbox"};
    CheckBox chkGlueFieldMenu{"Field Menu"};
    Label lblIntervall{"Aktualisierungsintervall"}, lblIntervall2{"Sekunden"};
    TextBox edIntervall{"2"};
    Label lblSubstring{"Zeichenfolge aus Fenstertitel"};
    TextBox edParent{"- Navi"};
    TimerControl tmr1;
    Label lblMandantName, lblMandantLabel{"Aktueller Mandant"};
    CheckBox chkLogging{"Objektzugriffe protokollieren"};
    CheckBox chkAlarm{"Alarmton bei mehrfach geöffneten Objekten"};
    TextBox edLogFilename;
    Button cmdLogBrowse{"D&urchsuchen..."}, cmdLogView{"An&zeigen"};
    Label lblLogView{"Protokolldatei anzeigen"};
};

// Page 2: List window.
struct FrmFensterliste {
    Frame frCol{"Farbauswahl"}, frZeichensatz{"Zeichensatz"}, frAnzeige{"Anzeige"};
    Label lblPreview1{"Table 18 Customer"}, lblPreview2{"Form 21 Customer"}, lblPreview3{"Table 18 Customer"};
    Button cmdColorNormal{"Normal..."}, cmdColorAlarm{"Alarm..."};
    ComboBox cbFont;
    Label lblFont{"Zeichensatz für Fensterliste"};
    CheckBox chkDynamicFonts{"Dynamische Fonthöhe"};
    TextBox edDyn1{"5"}, edDyn2{"8"};
    Label lbl5{"ab Fenstern: 7 pt"}, lbl6{"ab Fenstern: 6 pt"};
    CheckBox chkShowParents{"Parent-Fenster anzeigen"};
    Label lblParents{"0"};
    CheckBox chkShowClients{"Client-Fenster anzeigen"};
    Label lblClients{"0"};
    CheckBox chkShortNames{"Objektnamen in Kurzform anzeigen"};
    CommonDialog cd1;
};

// Page 3: Options.
struct FrmOptions {
    Frame frFormDesigner{"Erkennen von Forms"};
    Label lblFormDesigner;
    OptionButton optFormularDesigner{" - Formular Designer", 1};
    OptionButton optFormDesigner{" - Form Designer", 0};
};

// Page 4: Info.
struct FrmInfo {
    Frame frProductInfo{"Produktinformation"};
    Label lblAppName, lblProductName, lblVersion, lblCopyright;
    TextBox edEMail, edWWW;
    Label lbl1{"Brisolt"};
    ImageControl img1;
    Label lblInformation, lblInfoHeadline;
};

// The first-start language dialog.
struct FrmLanguage {
    Button cmdLangEng{"Continue in English"};
    Button cmdLangGer{"Weiter auf Deutsch"};
    Label lbl2{"Please choose the language of the user interface."};
    Label lbl3{"Bitte wählen Sie die Sprache der Benutzeroberfläche."};
};

struct Forms {
    FrmMain frmMain;
    FrmAllgemein frmAllgemein;
    FrmFensterliste frmFensterliste;
    FrmOptions frmOptions;
    FrmInfo frmInfo;
    FrmLanguage frmLanguage;
};

}  // namespace brisolt
