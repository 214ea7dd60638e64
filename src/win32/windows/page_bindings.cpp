#include "win32/windows/page_bindings.h"

#include "control_ids.h"
#include "program/app.h"
#include "program/commands.h"
#include "program/history_page.h"
#include "program/pages.h"
#include "program/startup.h"
#include "program/team_mode.h"
#include "program/team_page.h"

namespace brisolt::win32 {

namespace {

Binding Base(HWND parent, int id) {
    Binding b;
    b.parent = parent;
    b.id = id;
    return b;
}

// The same control, with a caption that follows the language.
Binding Labelled(Binding b, const Bilingual& text, const Language& language) {
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
Binding TextOf(HWND parent, int id, const Bilingual& text, const Language& language) {
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

// A text box whose value applies once the user is done with it.
Binding AppliedOnLeave(Binding b, std::function<void()> apply) {
    b.onLeave = std::move(apply);
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

std::vector<Binding> PageBindings(App& app, const SettingsPages& pages) {
    Settings& s = app.settings;
    SettingsWindowView& v = app.view;
    const Language& lang = app.settings.language;
    auto run = [&app](void (*handler)(App&)) { return [&app, handler] { handler(app); }; };

    Binding company = CaptionOf(pages.general, IDC_COMPANY_NAME, v.company);
    company.toolTip = &v.companyToolTip;
    company.onMouseMove = run(CompanyHovered);
    Binding alarmButton = ButtonOf(pages.listWindow, IDC_ALARM_COLOUR, run(ChooseAlarmColour));
    alarmButton.bounds = &v.alarmColourButton;
    Binding search = EditOf(pages.team, IDC_TEAM_SEARCH, v.team.filter);
    search.onChange = run(SearchTeam);
    Binding showOpen = OptionOf(pages.team, IDC_TEAM_SHOW_OPEN, v.team.historyShown, false);
    showOpen.onClick = run(ShowOpenDesigners);
    Binding showHistory = OptionOf(pages.team, IDC_TEAM_SHOW_HISTORY, v.team.historyShown, true);
    showHistory.onClick = run(ShowDesignerHistory);
    Binding font = Base(pages.listWindow, IDC_LIST_FONT);
    font.items = &v.fontChoices;
    font.selection = &s.listFont;
    font.enabled = &v.fontChoiceEnabled;
    font.onClick = run(ApplyChosenFont);

    return {
        // The settings window
        Labelled(ButtonOf(pages.window, IDC_OK_BUTTON, run(HideSettingsWindow)), texts::kOkButton, lang),
        Labelled(ButtonOf(pages.window, IDC_HELP_BUTTON, run(OpenManualDirectly)), texts::kHelpButton, lang),
        Labelled(ButtonOf(pages.window, IDC_CANCEL_BUTTON, run(HideSettingsWindow)), texts::kCancelButton, lang),

        // The general page
        TextOf(pages.general, IDC_IDENTIFICATION_GROUP, texts::kIdentificationFrame, lang),
        TextOf(pages.general, IDC_CLIENT_TITLE_MARKER_LABEL, texts::kTitleMarkerLabel, lang),
        EditOf(pages.general, IDC_CLIENT_TITLE_MARKER, s.clientTitleMarker),
        TextOf(pages.general, IDC_COMPANY_LABEL, texts::kCompanyLabel, lang),
        company,
        TextOf(pages.general, IDC_OPTIONS_GROUP, texts::kOptionsFrame, lang),
        Labelled(CheckOf(pages.general, IDC_ALARM_SOUND, s.alarmSound), texts::kAlarmSound, lang),
        TextOf(pages.general, IDC_SCAN_INTERVAL_LABEL, texts::kIntervalLabel, lang),
        EditOf(pages.general, IDC_SCAN_INTERVAL, s.scanInterval, run(ApplyScanInterval)),
        TextOf(pages.general, IDC_SCAN_INTERVAL_UNIT, texts::kSecondsLabel, lang),
        TextOf(pages.general, IDC_LOG_GROUP, texts::kLogFrame, lang),
        Labelled(CheckOf(pages.general, IDC_LOGGING, s.logging), texts::kLogging, lang),
        EditOf(pages.general, IDC_LOG_FILE, s.logFile),
        Labelled(ButtonOf(pages.general, IDC_BROWSE_LOG_FILE, run(BrowseLogFile)), texts::kBrowse, lang),
        TextOf(pages.general, IDC_SHOW_LOG_LABEL, texts::kShowLogLabel, lang),
        Labelled(ButtonOf(pages.general, IDC_SHOW_LOG, run(ShowLogFile)), texts::kShowLog, lang),
        TextOf(pages.general, IDC_ARRANGE_GROUP, texts::kArrangeFrame, lang),
        Labelled(CheckOf(pages.general, IDC_GLUE_OBJECT_DESIGNER, s.glueObjectDesigner), texts::kGlueObjectDesigner, lang),
        Labelled(CheckOf(pages.general, IDC_GLUE_PROPERTIES, s.glueProperties), texts::kGlueProperties, lang),
        Labelled(CheckOf(pages.general, IDC_GLUE_MAIN_MENU, s.glueMainMenu), texts::kGlueMainMenu, lang),
        Labelled(CheckOf(pages.general, IDC_GLUE_LIST_WINDOW, s.glueListWindow), texts::kGlueListWindow, lang),
        Labelled(CheckOf(pages.general, IDC_GLUE_TOOLBOX, s.glueToolbox), texts::kGlueToolbox, lang),
        Labelled(CheckOf(pages.general, IDC_GLUE_FIELD_MENU, s.glueFieldMenu), texts::kGlueFieldMenu, lang),

        // The list window page
        TextOf(pages.listWindow, IDC_COLOUR_GROUP, texts::kColourFrame, lang),
        PreviewOf(pages.listWindow, IDC_COLOUR_PREVIEW_1, v.previews[0]),
        PreviewOf(pages.listWindow, IDC_COLOUR_PREVIEW_2, v.previews[1]),
        PreviewOf(pages.listWindow, IDC_COLOUR_PREVIEW_3, v.previews[2]),
        Labelled(ButtonOf(pages.listWindow, IDC_NORMAL_COLOUR, run(ChooseNormalColour)), texts::kNormalColourButton, lang),
        Labelled(alarmButton, texts::kAlarmColourButton, lang),
        TextOf(pages.listWindow, IDC_FONT_GROUP, texts::kFontFrame, lang),
        TextOf(pages.listWindow, IDC_LIST_FONT_LABEL, texts::kFontLabel, lang),
        font,
        Labelled(CheckOf(pages.listWindow, IDC_DYNAMIC_FONT, s.dynamicFont, run(ApplyDynamicFontChoice)), texts::kDynamicFont, lang),
        EditOf(pages.listWindow, IDC_DYNAMIC_FONT_FROM_ROWS_7PT, s.dynamicFontRows7pt),
        TextOf(pages.listWindow, IDC_DYNAMIC_FONT_7PT_LABEL, texts::kDynamicFont7pt, lang),
        EditOf(pages.listWindow, IDC_DYNAMIC_FONT_FROM_ROWS_6PT, s.dynamicFontRows6pt),
        TextOf(pages.listWindow, IDC_DYNAMIC_FONT_6PT_LABEL, texts::kDynamicFont6pt, lang),
        TextOf(pages.listWindow, IDC_DISPLAY_GROUP, texts::kDisplayFrame, lang),
        Labelled(CheckOf(pages.listWindow, IDC_SHOW_TOP_LEVEL, s.showTopLevelWindows), texts::kShowTopLevel, lang),
        CaptionOf(pages.listWindow, IDC_TOP_LEVEL_COUNT, v.topLevelCount),
        Labelled(CheckOf(pages.listWindow, IDC_SHOW_CLIENTS, s.showClientWindows), texts::kShowClients, lang),
        CaptionOf(pages.listWindow, IDC_CLIENT_COUNT, v.clientCount),
        Labelled(CheckOf(pages.listWindow, IDC_SHORT_NAMES, s.shortNames), texts::kShortNames, lang),

        // The options page
        TextOf(pages.options, IDC_DESIGNER_TITLE_GROUP, texts::kFormsFrame, lang),
        TextOf(pages.options, IDC_DESIGNER_TITLE_LABEL, texts::kFormsLabel, lang),
        Labelled(OptionOf(pages.options, IDC_FORM_DESIGNER_TITLES, s.formularDesignerTitles, false), texts::kFormDesigner, lang),
        Labelled(OptionOf(pages.options, IDC_FORMULAR_DESIGNER_TITLES, s.formularDesignerTitles, true), texts::kFormularDesigner, lang),
        TextOf(pages.options, IDC_TEAM_GROUP, texts::kTeamFrame, lang),
        TextOf(pages.options, IDC_TEAM_FOLDER_LABEL, texts::kTeamFolderLabel, lang),
        AppliedOnLeave(EditOf(pages.options, IDC_TEAM_FOLDER, s.teamFolder), run(ApplyTeamFolder)),
        Labelled(ButtonOf(pages.options, IDC_BROWSE_TEAM_FOLDER, run(BrowseTeamFolder)), texts::kBrowse, lang),
        Labelled(CheckOf(pages.options, IDC_SHARE_HISTORY, s.shareHistory), texts::kShareHistory, lang),

        // The info page (the program icon shows by its template)
        TextOf(pages.info, IDC_PRODUCT_INFO_GROUP, texts::kProductInfoFrame, lang),
        TextOf(pages.info, IDC_ICON_CAPTION, texts::kIconCaption, lang),
        CaptionOf(pages.info, IDC_APP_NAME, v.appName),
        CaptionOf(pages.info, IDC_PRODUCT_NAME, v.productName),
        CaptionOf(pages.info, IDC_VERSION, v.version),
        CaptionOf(pages.info, IDC_COPYRIGHT, v.copyright),
        LinkOf(pages.info, IDC_EMAIL, v.email, v.emailToolTip, run(EmailClicked)),
        LinkOf(pages.info, IDC_HOMEPAGE, v.homepage, v.homepageToolTip, run(HomepageClicked)),
        TextOf(pages.info, IDC_INFO_HEADLINE, texts::kInfoHeadline, lang),
        CaptionOf(pages.info, IDC_INFORMATION, v.information),

        // The team page (its lists: team_page.cpp)
        TextOf(pages.team, IDC_TEAM_PEOPLE_LABEL, texts::kTeamPeopleLabel, lang),
        TextOf(pages.team, IDC_TEAM_SEARCH_LABEL, texts::kTeamSearchLabel, lang),
        search,
        CaptionOf(pages.team, IDC_TEAM_COUNT, v.team.count),
        CaptionOf(pages.team, IDC_TEAM_MESSAGE, v.team.message),
        Labelled(ButtonOf(pages.team, IDC_TEAM_GO_TO_OPTIONS, run(GoToOptionsPage)), texts::kTeamGoToOptions, lang),
        Labelled(showOpen, texts::kTeamOpenNow, lang),
        Labelled(showHistory, texts::kTeamHistory, lang),
        Labelled(ButtonOf(pages.team, IDC_TEAM_EXPORT, run(ExportHistory)), texts::kExportHistory, lang),
    };
}

}  // namespace brisolt::win32
