// The tray icon, the program's icons and the first-start language dialog.
#include <string>

#include "check.h"
#include "control_ids.h"
#include "test_windows.h"
#include "win32/windows/control_sync.h"
#include "win32/windows/event_dispatcher.h"
#include "win32/windows/icons.h"
#include "win32/windows/language_dialog.h"
#include "win32/base/timer_window.h"
#include "win32/windows/tray_icon.h"

using namespace brisolt;
using namespace brisolt::win32;

WIN_TEST(Icons_AreFoundByTheirNamesWithoutRegardToCase) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const char* name : {":ico", ":ksalert", ":KsAlert", "ICO"}) {
        UniqueIcon icon = LoadProgramIcon(instance, name, 16);
        CHECK(icon.Get() != nullptr);
    }
    bool failed = false;
    try {
        LoadProgramIcon(instance, ":nosuchicon", 16);
    } catch (const ControlError&) {
        failed = true;
    }
    CHECK(failed);
}

WIN_TEST(Tray_IconIsAddedChangedAndRemovedAsItsViewSays) {
    wintest::Pump(10);
    brisolt::win32::UniqueWindow owner = wintest::MakeWindow("tray owner", 0, 0, 50, 50, nullptr, false);
    TrayIcon tray(GetModuleHandleA(nullptr), owner.Get());
    TrayIconView view;
    view.toolTip = "Brisolt light";
    tray.Push(view);
    CHECK(!tray.Added());  // not visible yet
    view.visible = true;
    tray.Push(view);
    CHECK(tray.Added());  // the test display has a tray (Wine's own)
    view.icon = ":ksalert";
    view.toolTip = std::string(200, 'x');  // longer than the tray takes
    tray.Push(view);
    CHECK(tray.Added());
    tray.Readd();  // as after TaskbarCreated
    CHECK(tray.Added());
    view.visible = false;
    tray.Push(view);
    CHECK(!tray.Added());
}

namespace {

// What the "user" does in the language dialog, from a timer inside its loop.
UINT g_languageAction = 0;  // a command id, or WM_CLOSE

void CALLBACK ActInLanguageDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindWindowA("#32770", "Brisolt");
    if (!dialog) return;
    KillTimer(nullptr, timer);
    if (g_languageAction == WM_CLOSE)
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    else
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(g_languageAction, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, static_cast<int>(g_languageAction))));
}

}  // namespace

WIN_TEST(LanguageDialog_ButtonsChooseAndTheCloseBoxLeavesNoChoice) {
    const struct {
        UINT action;
        Language language;
    } cases[] = {{IDC_CONTINUE_IN_ENGLISH, Language::English},
                 {IDC_CONTINUE_IN_GERMAN, Language::German},
                 {WM_CLOSE, Language::NotChosen},
                 {IDCANCEL, Language::NotChosen}};
    for (const auto& c : cases) {
        App app;
        app.settings.language = Language::NotChosen;
        TimerWindow timers(GetModuleHandleA(nullptr), nullptr);
        ControlSync sync(app, timers);
        int reports = 0;
        EventDispatcher dispatcher(app, sync, [&](const std::string&) { ++reports; });
        g_languageAction = c.action;
        SetTimer(nullptr, 0, 50, &ActInLanguageDialog);
        RunLanguageDialog(GetModuleHandleA(nullptr), app, dispatcher);
        CHECK(c.language == app.settings.language);
        CHECK_EQ(0, reports);
        CHECK(FindWindowA("#32770", "Brisolt") == nullptr);
    }
}
