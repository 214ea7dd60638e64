#include "shell/startup.h"

#include "dialogs/info_page.h"
#include "dialogs/list_page.h"
#include "shell/app.h"
#include "shell/language.h"
#include "shell/numbers.h"
#include "shell/settings.h"
#include "shell/texts.h"

namespace brisolt {

namespace {
// SetTimer takes up to 0x7FFFFFFF ms; a timer of 0 never ticks.
constexpr long long kMaxIntervalSeconds = 0x7FFFFFFF / 1000;
}  // namespace

void InitGlobals(App& app, const std::string& programDir) {
    app.accessLog.LogIdentity = app.platform.identity->UserName();
    app.scan = ScanState{};  // the 1024-slot tables
    app.shell.CustomColors = {};
    app.shell.QuitRequested = false;
    app.accessLog.LastLoggedTitle.clear();
    app.shell.ProgramDir = programDir;
    app.shell.IniFile = programDir + "\\KelmorL.ini";
    app.shell.ManualFile = programDir + "\\Doc\\kelmorL.htm";
}

void frmMain_Load(App& app) { BuildMainMenu(app); }

void LoadForms(App& app) {
    frmMain_Load(app);
    frmInfo_Load(app);
    frmFensterliste_Load(app);
}

void ApplyIntervalText(App& app) {
    long long seconds = 0;
    if (WholeNumber(app.forms.frmAllgemein.edIntervall.Text, seconds) && seconds > 0 &&
        seconds <= kMaxIntervalSeconds)
        app.forms.frmAllgemein.tmr1.Interval = static_cast<int>(seconds * 1000);
}

void StartUp(App& app, const std::string& programDir) {
    InitGlobals(app, programDir);
    app.shell.Language = 0;  // the forms load with German menus
    LoadForms(app);

    // (The main window's width is fitted to its tab strip by its template.)
    auto& tabs = app.forms.frmMain.tbsMain.Tabs;
    tabs.clear();
    for (const Bilingual& t : texts::kTabs) tabs.push_back({t.german});

    app.shell.Language = LeadingNumber(ReadIniString(app, "Options", "Language", "-1"));
    if (app.shell.Language == -1) {
        app.platform.ui->RunLanguageDialog();
        WriteIniString(app, "Options", "Language", NumberText(app.shell.Language));
    }

    LoadSettings(app);
    ShowPreviewColors(app);

    FrmMain& main = app.forms.frmMain;
    main.tic1.ToolTip = app.platform.version.productName.empty() ? "Brisolt light" : app.platform.version.productName;
    main.tic1.Visible = true;

    SetPageTexts(app);
    SetTabCaptions(app);
    BuildMainMenu(app);

    app.platform.ui->CreateListWindow(app.shell.Win1x, app.shell.Win1y);
    app.listWindow.ListCollapsed = false;

    cbFont_Click(app);
    chkDynamicFonts_Click(app);

    app.platform.ui->ForegroundMainWindow();

    ApplyIntervalText(app);
    app.forms.frmAllgemein.tmr1.Enabled = true;

    if (app.shell.Win1IconStart == 0) main.Visible = true;
    else CheckMenuItem(app.shell.Menus.extras, kCmdStartMinimized, kMfChecked);

    main.OnTop = app.shell.Win1OnTop != 0;
    if (app.shell.Win1OnTop == 1) CheckMenuItem(app.shell.Menus.extras, kCmdAlwaysOnTop, kMfChecked);
}

void frmMain_Close(App& app, bool& cancel) {
    if (app.shell.QuitRequested) {
        SaveSettings(app);  // before the list window closes: it reads its position
        app.platform.listWindow->Close();
        app.forms.frmAllgemein.tmr1.Enabled = false;
        app.forms.frmMain.tic1.Visible = false;
        app.forms.frmMain.Visible = false;
        return;
    }
    cancel = true;
    app.forms.frmMain.Visible = false;
}

void frmMain_EndSession(App& app, bool endingForReal) {
    // A log-off or shut-down saves what the user set, as Quit does; a session
    // end that is called off only hides the window.
    if (endingForReal) app.shell.QuitRequested = true;
    bool cancel = false;
    frmMain_Close(app, cancel);
}

}  // namespace brisolt
