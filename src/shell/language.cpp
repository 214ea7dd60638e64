#include "shell/language.h"

#include <string>

#include "shell/app.h"
#include "shell/texts.h"

namespace brisolt {

namespace {

// A caption of a page control in both languages.
struct CaptionText {
    std::string* target;
    Bilingual text;
};

}  // namespace

void SetPageTexts(App& app) {
    const int lang = app.shell.Language;
    if (lang != 0 && lang != 1) return;
    Forms& f = app.forms;
    FrmAllgemein& g = f.frmAllgemein;
    FrmFensterliste& l = f.frmFensterliste;
    FrmOptions& o = f.frmOptions;
    FrmInfo& i = f.frmInfo;

    l.cd1.HelpFile = app.shell.ProgramDir + Pick(texts::kHelpFile, lang);

    std::string information;
    for (const Bilingual& piece : texts::kInformation) information += Pick(piece, lang);

    const CaptionText captions[] = {
        {&f.frmMain.cmdOK.Caption, {"&OK", "&OK"}},
        {&f.frmMain.cmdHelp.Caption, {"&Hilfe", "&Help"}},
        {&g.frIdent.Caption, {"Identifikation", "Identification"}},
        {&g.lblSubstring.Caption, {"Zeichenfolge aus Fenstertitel", "Character sequence"}},
        {&g.lblMandantLabel.Caption, {"Aktueller Mandant", "Current company"}},
        {&g.frOptions.Caption, {"Optionen", "Options"}},
        {&g.chkAlarm.Caption, {"Alarmton bei mehrfach geöffneten Objekten", "Alarm signal"}},
        {&g.lblIntervall.Caption, {"Aktualisierungsintervall", "Update interval"}},
        {&g.lblIntervall2.Caption, {"Sekunden", "seconds"}},
        {&g.frLog.Caption, {"Protokoll", "Log"}},
        {&g.chkLogging.Caption, {"Objektzugriffe protokollieren", "Log opened objects"}},
        {&g.cmdLogBrowse.Caption, {"D&urchsuchen...", "&Browse..."}},
        {&g.lblLogView.Caption, {"Protokolldatei anzeigen", "Show the log file"}},
        {&g.cmdLogView.Caption, {"An&zeigen", "&Show"}},
        {&g.frPos.Caption, {"Fenster positionieren", "Arrange windows"}},
        {&g.chkGlueHauptmenu.Caption, {"Hauptmenü", "Main Menu"}},
        {&g.chkGlueFensterliste.Caption, {"Fensterliste", "List window"}},
        {&l.frZeichensatz.Caption, {"Zeichensatz", "Font"}},
        {&l.lblFont.Caption, {"Zeichensatz für Fensterliste", "Font for the list window"}},
        {&l.chkDynamicFonts.Caption, {"Dynamische Fonthöhe", "Dynamic font size"}},
        {&l.frAnzeige.Caption, {"Anzeige", "Display"}},
        {&l.chkShowParents.Caption, {"Parent-Fenster anzeigen", "Show parent windows"}},
        {&l.chkShowClients.Caption, {"Client-Fenster anzeigen", "Show client windows"}},
        {&l.chkShortNames.Caption, {"Objektnamen in Kurzform anzeigen", "Show object names shortened"}},
        {&l.frCol.Caption, {"Farbauswahl", "Color selection"}},
        {&o.frFormDesigner.Caption, {"Erkennen von Forms", "Detecting forms opened for design"}},
        {&o.lblFormDesigner.Caption,
         {"Einer der folgenden Texte erscheint im Fenstertitel von geöffneten Forms. Wählen Sie den zutreffenden "
          "Text aus:",
          "One of the following texts appears in the window title of forms opened for design. Select the "
          "according text:"}},
        {&o.optFormDesigner.Caption, {" - Form Designer", " - Form Designer"}},
        {&o.optFormularDesigner.Caption, {" - Formular Designer", " - Formular Designer"}},
        {&i.frProductInfo.Caption, {"Produktinformation", "Product information"}},
        {&i.edEMail.ToolTip, {"E-Mail senden", "Send an e-Mail"}},
        {&i.edWWW.ToolTip, {"Homepage öffnen", "Open homepage"}},
        {&i.lblInfoHeadline.Caption,
         {"Sie benutzen die 'light'-Version von Brisolt.", "You are using the 'light' version of Brisolt."}},
    };
    for (const CaptionText& c : captions) *c.target = Pick(c.text, lang);
    i.lblInformation.Caption = information;
}

void SetTabCaptions(App& app) {
    const int lang = app.shell.Language;
    if (lang != 0 && lang != 1) return;
    auto& tabs = app.forms.frmMain.tbsMain.Tabs;
    for (int t = 0; t < 4 && t < static_cast<int>(tabs.size()); ++t) tabs[t].Caption = Pick(texts::kTabs[t], lang);
}

void BuildMainMenu(App& app) {
    const int lang = app.shell.Language;
    if (lang != 0 && lang != 1) return;
    MenuSet& m = app.shell.Menus;
    m.file.items = {{kCmdQuit, Pick(texts::kQuit, lang)}};
    m.extras.items = {
        {kCmdStartMinimized, Pick(texts::kStartMinimized, lang)},
        {kCmdAlwaysOnTop, Pick(texts::kAlwaysOnTop, lang)},
        {0, "", false, true},
        {kCmdGerman, Pick(texts::kGerman, lang), lang == 0},
        {kCmdEnglish, Pick(texts::kEnglish, lang), lang == 1},
    };
    m.help.items = {{kCmdHelp, Pick(texts::kHelpItem, lang)}};
    m.bar = {{Pick(texts::kMenuFile, lang), MenuPopup::File},
             {Pick(texts::kMenuExtras, lang), MenuPopup::Extras},
             {Pick(texts::kMenuHelp, lang), MenuPopup::Help}};
    ++m.version;  // SetMenu: the new bar replaces the old one on the main window
}

void SwitchLanguage(App& app, int language) {
    app.shell.Language = language;
    SetPageTexts(app);
    SetTabCaptions(app);
    BuildMainMenu(app);
    Menu& extras = app.shell.Menus.extras;
    if (app.shell.Win1IconStart == 1) CheckMenuItem(extras, kCmdStartMinimized, kMfChecked);
    if (app.shell.Win1OnTop == 1) CheckMenuItem(extras, kCmdAlwaysOnTop, kMfChecked);
}

void cmdLangEng_Click(App& app) { app.shell.Language = 1; }
void cmdLangGer_Click(App& app) { app.shell.Language = 0; }

}  // namespace brisolt
