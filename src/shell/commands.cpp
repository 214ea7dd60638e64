#include "shell/commands.h"

#include "shell/app.h"
#include "shell/language.h"
#include "shell/texts.h"

namespace brisolt {

namespace {

void ShowMainWindow(App& app) {
    app.forms.frmMain.Visible = true;
    app.platform.ui->ForegroundMainWindow();
}

// Flips a 0/1 option together with its check mark on the Extras menu.
void ToggleOption(App& app, int& option, int item) {
    Menu& extras = app.shell.Menus.extras;
    if (option == 1) {
        CheckMenuItem(extras, item, kMfUnchecked);
        option = 0;
    } else {
        CheckMenuItem(extras, item, kMfChecked);
        option = 1;
    }
}

void OpenManual(App& app) {
    const std::string& manual = app.shell.ManualFile;
    if (app.platform.files->Exists(manual)) {
        app.platform.ui->ShellOpen(manual, true);
        return;
    }
    const int lang = app.shell.Language;
    if (lang == 0 || lang == 1)
        app.platform.ui->MessageBox(
            Pick(texts::kFileNotFoundBefore, lang) + manual + Pick(texts::kFileNotFoundAfter, lang), kMbIconStop);
}

}  // namespace

void RequestQuit(App& app) {
    app.shell.QuitRequested = true;
    app.platform.ui->CloseMainWindow();
}

void tic1_MBDown(App& app, int button) {
    const char* entries = Pick(texts::kTrayMenu, app.shell.Language);
    if (button == 1) {
        ShowMainWindow(app);
    } else if (button == 2) {
        switch (app.platform.ui->PopupMenu(entries ? entries : "")) {
            case 0: ShowMainWindow(app); break;
            case 1: RequestQuit(app); break;
            default: break;
        }
    }
}

void frmMain_MenuEvent(App& app, int item) {
    switch (item) {
        case kCmdQuit: RequestQuit(app); break;
        case kCmdStartMinimized: ToggleOption(app, app.shell.Win1IconStart, kCmdStartMinimized); break;
        case kCmdAlwaysOnTop:
            ToggleOption(app, app.shell.Win1OnTop, kCmdAlwaysOnTop);
            app.forms.frmMain.OnTop = app.shell.Win1OnTop == 1;
            break;
        case kCmdGerman: SwitchLanguage(app, 0); break;
        case kCmdEnglish: SwitchLanguage(app, 1); break;
        case kCmdHelp: OpenManual(app); break;
        default: break;
    }
}

void cmdHelp_Click(App& app) { app.platform.ui->ShellOpen(app.shell.ManualFile, true); }

void tmrTaskIcon_Timer(App& app) {
    FrmMain& main = app.forms.frmMain;
    if (app.shell.TrayAlertPhase) {
        main.tic1.Icon = ":ico";
        main.tic1.ToolTip = main.Caption;
        app.shell.TrayAlertPhase = false;
    } else {
        main.tic1.Icon = ":ksalert";
        if (const char* suffix = Pick(texts::kNetworkError, app.shell.Language))
            main.tic1.ToolTip = main.Caption + suffix;
        app.shell.TrayAlertPhase = true;
    }
}

}  // namespace brisolt
