#include "program/commands.h"

#include "program/app.h"
#include "program/language.h"
#include "program/texts.h"

namespace brisolt {

namespace {

void ShowSettingsWindow(App& app) {
    app.view.visible = true;
    app.platform.ui->ForegroundMainWindow();
}

// Flips an option together with its check mark on the Extras menu.
void ToggleOption(App& app, bool& option, int item) {
    option = !option;
    CheckMenuItem(app.program.menus.extras, item, option ? kMfChecked : kMfUnchecked);
}

void OpenManual(App& app) {
    const std::string& manual = app.program.manualFile;
    if (app.platform.files->Exists(manual)) {
        app.platform.ui->ShellOpen(manual, true);
        return;
    }
    const Language lang = app.settings.language;
    if (IsKnownLanguage(lang))
        app.platform.ui->MessageBox(
            Pick(texts::kFileNotFoundBefore, lang) + manual + Pick(texts::kFileNotFoundAfter, lang), kMbIconStop);
}

}  // namespace

void RequestQuit(App& app) {
    app.program.quitRequested = true;
    app.platform.ui->CloseMainWindow();
}

void TrayIconClicked(App& app, int button) {
    const char* entries = Pick(texts::kTrayMenu, app.settings.language);
    if (button == 1) {
        ShowSettingsWindow(app);
    } else if (button == 2) {
        switch (app.platform.ui->PopupMenu(entries ? entries : "")) {
            case 0: ShowSettingsWindow(app); break;
            case 1: RequestQuit(app); break;
            default: break;
        }
    }
}

void MenuCommand(App& app, int item) {
    switch (item) {
        case kCmdQuit: RequestQuit(app); break;
        case kCmdStartMinimized: ToggleOption(app, app.settings.startHidden, kCmdStartMinimized); break;
        case kCmdAlwaysOnTop:
            ToggleOption(app, app.settings.settingsWindowOnTop, kCmdAlwaysOnTop);
            app.view.onTop = app.settings.settingsWindowOnTop;
            break;
        case kCmdGerman: SwitchLanguage(app, Language::German); break;
        case kCmdEnglish: SwitchLanguage(app, Language::English); break;
        case kCmdHelp: OpenManual(app); break;
        default: break;
    }
}

void OpenManualDirectly(App& app) { app.platform.ui->ShellOpen(app.program.manualFile, true); }

}  // namespace brisolt
