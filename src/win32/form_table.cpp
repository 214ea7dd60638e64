#include "win32/form_table.h"

#include "form_ids.h"
#include "program/app.h"
#include "program/commands.h"
#include "program/pages.h"
#include "program/startup.h"

namespace brisolt::win32 {

namespace {

Binding Base(HWND parent, int id) {
    Binding b;
    b.parent = parent;
    b.id = id;
    return b;
}

// The same control, with a caption that follows the language.
Binding Labelled(Binding b, const Bilingual& text, const int& language) {
    b.languageText = &text;
    b.language = &language;
    return b;
}

// A caption the program sets (a label that shows a value).
Binding CaptionOf(HWND parent, int id, std::string& caption) {
    Binding b = Base(parent, id);
    b.caption = &caption;
    return b;
}

// A caption that follows the language.
Binding TextOf(HWND parent, int id, const Bilingual& text, const int& language) {
    return Labelled(Base(parent, id), text, language);
}

// A colour preview: its back colour, font and position are the program's.
Binding PreviewOf(HWND parent, int id, ColourPreview& preview) {
    Binding b = CaptionOf(parent, id, preview.text);
    b.look = &preview;
    b.bounds = &preview.bounds;  // the template's place, until the layout moves it
    return b;
}

Binding ButtonOf(HWND parent, int id, std::function<void()> click) {
    Binding b = Base(parent, id);
    b.onClick = std::move(click);
    return b;
}

Binding CheckOf(HWND parent, int id, bool& setting, std::function<void()> click = nullptr) {
    Binding b = Base(parent, id);
    b.check = &setting;
    b.onClick = std::move(click);
    return b;
}

Binding OptionOf(HWND parent, int id, bool& setting, bool checkedWhen) {
    Binding b = CheckOf(parent, id, setting);
    b.checkedWhen = checkedWhen;
    return b;
}

Binding EditOf(HWND parent, int id, std::string& setting, std::function<void()> keyUp = nullptr) {
    Binding b = Base(parent, id);
    b.text = &setting;
    b.onKeyUp = std::move(keyUp);
    return b;
}

// A read-only text box that opens a link when a mouse button goes down on it.
Binding LinkOf(HWND parent, int id, std::string& text, std::string& toolTip, std::function<void()> open) {
    Binding b = EditOf(parent, id, text);
    b.toolTip = &toolTip;
    b.onMouseDown = [open = std::move(open)](int) { open(); };
    return b;
}

}  // namespace

std::vector<Binding> FormTable(App& app, const FormWindows& f) {
    Settings& s = app.settings;
    SettingsWindowView& v = app.view;
    const int& lang = app.settings.language;
    auto run = [&app](void (*handler)(App&)) { return [&app, handler] { handler(app); }; };

    Binding company = CaptionOf(f.frmAllgemein, IDC_lblMandantName, v.company);
    company.toolTip = &v.companyToolTip;
    company.onMouseMove = run(CompanyHovered);
    Binding alarmButton = ButtonOf(f.frmFensterliste, IDC_cmdColorAlarm, run(ChooseAlarmColour));
    alarmButton.bounds = &v.alarmColourButton;
    Binding font = Base(f.frmFensterliste, IDC_cbFont);
    font.items = &v.fontChoices;
    font.selection = &s.listFont;
    font.enabled = &v.fontChoiceEnabled;
    font.onClick = run(ApplyChosenFont);

    return {
        // frmMain
        Labelled(ButtonOf(f.frmMain, IDC_cmdOK, run(HideSettingsWindow)), texts::kOkButton, lang),
        Labelled(ButtonOf(f.frmMain, IDC_cmdHelp, run(OpenManualDirectly)), texts::kHelpButton, lang),
        ButtonOf(f.frmMain, IDC_cmdCancel, run(HideSettingsWindow)),

        // frmAllgemein
        TextOf(f.frmAllgemein, IDC_frIdent, texts::kIdentificationFrame, lang),
        TextOf(f.frmAllgemein, IDC_lblSubstring, texts::kTitleMarkerLabel, lang),
        EditOf(f.frmAllgemein, IDC_edParent, s.clientTitleMarker),
        TextOf(f.frmAllgemein, IDC_lblMandantLabel, texts::kCompanyLabel, lang),
        company,
        TextOf(f.frmAllgemein, IDC_frOptions, texts::kOptionsFrame, lang),
        Labelled(CheckOf(f.frmAllgemein, IDC_chkAlarm, s.alarmSound), texts::kAlarmSound, lang),
        TextOf(f.frmAllgemein, IDC_lblIntervall, texts::kIntervalLabel, lang),
        EditOf(f.frmAllgemein, IDC_edIntervall, s.scanInterval, run(ApplyScanInterval)),
        TextOf(f.frmAllgemein, IDC_lblIntervall2, texts::kSecondsLabel, lang),
        TextOf(f.frmAllgemein, IDC_frLog, texts::kLogFrame, lang),
        Labelled(CheckOf(f.frmAllgemein, IDC_chkLogging, s.logging), texts::kLogging, lang),
        EditOf(f.frmAllgemein, IDC_edLogFilename, s.logFile),
        Labelled(ButtonOf(f.frmAllgemein, IDC_cmdLogBrowse, run(BrowseLogFile)), texts::kBrowse, lang),
        TextOf(f.frmAllgemein, IDC_lblLogView, texts::kShowLogLabel, lang),
        Labelled(ButtonOf(f.frmAllgemein, IDC_cmdLogView, run(ShowLogFile)), texts::kShowLog, lang),
        TextOf(f.frmAllgemein, IDC_frPos, texts::kArrangeFrame, lang),
        CheckOf(f.frmAllgemein, IDC_chkGlueObjDes, s.glueObjectDesigner),
        CheckOf(f.frmAllgemein, IDC_chkGlueProperties, s.glueProperties),
        Labelled(CheckOf(f.frmAllgemein, IDC_chkGlueHauptmenu, s.glueMainMenu), texts::kGlueMainMenu, lang),
        Labelled(CheckOf(f.frmAllgemein, IDC_chkGlueFensterliste, s.glueListWindow), texts::kGlueListWindow, lang),
        CheckOf(f.frmAllgemein, IDC_chkGlueToolbox, s.glueToolbox),
        CheckOf(f.frmAllgemein, IDC_chkGlueFieldMenu, s.glueFieldMenu),

        // frmFensterliste
        TextOf(f.frmFensterliste, IDC_frCol, texts::kColourFrame, lang),
        PreviewOf(f.frmFensterliste, IDC_lblPreview1, v.previews[0]),
        PreviewOf(f.frmFensterliste, IDC_lblPreview2, v.previews[1]),
        PreviewOf(f.frmFensterliste, IDC_lblPreview3, v.previews[2]),
        ButtonOf(f.frmFensterliste, IDC_cmdColorNormal, run(ChooseNormalColour)),
        alarmButton,
        TextOf(f.frmFensterliste, IDC_frZeichensatz, texts::kFontFrame, lang),
        TextOf(f.frmFensterliste, IDC_lblFont, texts::kFontLabel, lang),
        font,
        Labelled(CheckOf(f.frmFensterliste, IDC_chkDynamicFonts, s.dynamicFont, run(ApplyDynamicFontChoice)), texts::kDynamicFont, lang),
        EditOf(f.frmFensterliste, IDC_edDyn1, s.dynamicFontRows7pt),
        EditOf(f.frmFensterliste, IDC_edDyn2, s.dynamicFontRows6pt),
        TextOf(f.frmFensterliste, IDC_frAnzeige, texts::kDisplayFrame, lang),
        Labelled(CheckOf(f.frmFensterliste, IDC_chkShowParents, s.showTopLevelWindows), texts::kShowTopLevel, lang),
        CaptionOf(f.frmFensterliste, IDC_lblParents, v.topLevelCount),
        Labelled(CheckOf(f.frmFensterliste, IDC_chkShowClients, s.showClientWindows), texts::kShowClients, lang),
        CaptionOf(f.frmFensterliste, IDC_lblClients, v.clientCount),
        Labelled(CheckOf(f.frmFensterliste, IDC_chkShortNames, s.shortNames), texts::kShortNames, lang),

        // frmOptions
        TextOf(f.frmOptions, IDC_frFormDesigner, texts::kFormsFrame, lang),
        TextOf(f.frmOptions, IDC_lblFormDesigner, texts::kFormsLabel, lang),
        Labelled(OptionOf(f.frmOptions, IDC_optFormDesigner, s.formularDesignerTitles, false), texts::kFormDesigner, lang),
        Labelled(OptionOf(f.frmOptions, IDC_optFormularDesigner, s.formularDesignerTitles, true), texts::kFormularDesigner, lang),

        // frmInfo (img1 shows the program icon by its template)
        TextOf(f.frmInfo, IDC_frProductInfo, texts::kProductInfoFrame, lang),
        CaptionOf(f.frmInfo, IDC_lblAppName, v.appName),
        CaptionOf(f.frmInfo, IDC_lblProductName, v.productName),
        CaptionOf(f.frmInfo, IDC_lblVersion, v.version),
        CaptionOf(f.frmInfo, IDC_lblCopyright, v.copyright),
        LinkOf(f.frmInfo, IDC_edEMail, v.email, v.emailToolTip, run(EmailClicked)),
        LinkOf(f.frmInfo, IDC_edWWW, v.homepage, v.homepageToolTip, run(HomepageClicked)),
        TextOf(f.frmInfo, IDC_lblInfoHeadline, texts::kInfoHeadline, lang),
        CaptionOf(f.frmInfo, IDC_lblInformation, v.information),
    };
}

}  // namespace brisolt::win32
