#include "settings_window_rig.h"

#include <commctrl.h>

#include "program/startup.h"
#include "program/texts.h"

namespace wintest {

using namespace brisolt;
using namespace brisolt::win32;

SettingsWindowRig::SettingsWindowRig() {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    Platform& p = app.platform;
    services.AttachTo(p);
    ResetForStart(app, dir.Path());
    iniFile = app.program.iniFile;
    p.profile = &profile;
    p.ui = &ui;
    list = std::make_unique<ListWindow>(GetModuleHandleA(nullptr), windows, ListWindowEvents{}, app.platform.scale);
    p.listWindowHost = list.get();
    settingsWindow = std::make_unique<SettingsWindow>(GetModuleHandleA(nullptr), app, dispatcher, sync, windows);
    FillWindowsBeforeStart(app);
    sync.Push();
}

SettingsWindowRig::~SettingsWindowRig() {
    settingsWindow.reset();
    list.reset();
}

HWND SettingsWindowRig::Parent(int page) const { return page < 0 ? settingsWindow->Hwnd() : settingsWindow->Pages().Page(page); }

HWND SettingsWindowRig::Control(int page, int id) const { return GetDlgItem(Parent(page), id); }

void SettingsWindowRig::ShowPage(int page) {
    app.view.tabCaptions.clear();
    for (const Bilingual& t : texts::kTabs) app.view.tabCaptions.push_back(t.german);
    app.settings.selectedPage = page + 1;
    app.view.visible = true;
    sync.Push();
}

}  // namespace wintest
