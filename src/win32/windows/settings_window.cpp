#include "win32/windows/settings_window.h"

#include <commctrl.h>

#include "control_ids.h"
#include "program/commands.h"
#include "program/startup.h"
#include "win32/base/control_error.h"
#include "win32/windows/page_bindings.h"
#include "win32/windows/icons.h"

namespace brisolt::win32 {

SettingsWindow::SettingsWindow(HINSTANCE instance, App& app, EventDispatcher& dispatcher, ControlSync& sync,
                               ProgramWindows& windows)
    : NativeWindow(&windows),
      instance_(instance),
      app_(app),
      dispatcher_(dispatcher),
      sync_(sync),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
    try {
        Create();
    } catch (...) {
        Teardown();
        throw;
    }
}

void SettingsWindow::Create() {
    CreateDialogFrom(instance_, IDD_SETTINGS_WINDOW, nullptr, "Creating the main window");

    bigIcon_ = LoadProgramIcon(instance_, ":ico", GetSystemMetrics(SM_CXICON));
    smallIcon_ = LoadProgramIcon(instance_, ":ico", GetSystemMetrics(SM_CXSMICON));
    SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));

    tabs_ = std::make_unique<TabPages>(
        instance_, Hwnd(), GetDlgItem(Hwnd(), IDC_PAGE_TABS),
        [this](HWND page, UINT msg, WPARAM wp, LPARAM lp) { return OnPageMessage(page, msg, wp, lp); });
    tips_ = std::make_unique<ToolTips>(instance_, Hwnd());
    teamPage_ = std::make_unique<TeamPage>(tabs_->Page(kTeamPage - 1));
    const SettingsPages pages{Hwnd(),          tabs_->Page(0), tabs_->Page(1), tabs_->Page(2), tabs_->Page(3),
                              teamPage_->Hwnd()};
    binding_ = std::make_unique<ControlBinding>(PageBindings(app_, pages), *tips_,
                                             [this](const std::function<void()>& handler) { Run(handler); });
    // Start-up lays the colour previews out against the alarm colour button:
    // its place is that of the native control from now on.
    binding_->Attach();
    menuBar_ = std::make_unique<MenuBar>(Hwnd());
    tray_ = std::make_unique<TrayIcon>(instance_, Hwnd());

    Push();
    sync_.Attach(this);
}

SettingsWindow::~SettingsWindow() { Teardown(); }

void SettingsWindow::Teardown() {
    sync_.Attach(nullptr);
    tray_.reset();
    binding_.reset();
    if (menuBar_) menuBar_->Detach();
    // No more messages to this object while the window goes.
    DestroyQuietly();
}

LRESULT SettingsWindow::OnPageMessage(HWND page, UINT msg, WPARAM wp, LPARAM lp) {
    if (!binding_) return FALSE;
    switch (msg) {
        case WM_COMMAND:
            return binding_->OnCommand(page, LOWORD(wp), HIWORD(wp)) ? TRUE : FALSE;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (!teamPage_ || page != teamPage_->Hwnd() ||
                !teamPage_->OnNotify(*reinterpret_cast<const NMHDR*>(lp), result))
                return FALSE;
            // A dialog procedure hands a notification's answer over in DWLP_MSGRESULT.
            SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
            // A dialog procedure answers this message with the brush itself.
            return reinterpret_cast<LRESULT>(
                binding_->OnCtlColorStatic(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp)));
        default:
            return FALSE;
    }
}

LRESULT SettingsWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kTrayCallback) {
        // The low word of lParam: what happened on the icon (version 4).
        switch (LOWORD(lp)) {
            case NIN_SELECT:     // a left click
            case NIN_KEYSELECT:  // Enter on the icon
                Run([this] { TrayIconClicked(app_, 1); });
                break;
            case WM_CONTEXTMENU:  // the right button's release, Shift+F10, the menu key
                Run([this] { TrayIconClicked(app_, 2); });
                break;
            default: break;
        }
        return TRUE;
    }
    if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        Run([this] { tray_->Readd(); });
        return TRUE;
    }
    switch (msg) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            if (binding_ && binding_->OnCommand(Hwnd(), id, HIWORD(wp))) return TRUE;
            if (lp != 0) return FALSE;  // a control we do not bind
            Run([this, id] { MenuCommand(app_, id); });
            return TRUE;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lp);
            if (tabs_ && header->hwndFrom == tabs_->Tab() && header->code == TCN_SELCHANGE) {
                Run([this] { app_.settings.selectedPage = tabs_->SelectedByUser(); });
                return TRUE;
            }
            return FALSE;
        }
        case WM_CLOSE:
            OnClose();
            return TRUE;
        case WM_QUERYENDSESSION:
            SetWindowLongPtrA(Hwnd(), DWLP_MSGRESULT, TRUE);  // the session may end
            return TRUE;
        case WM_ENDSESSION:
            Run([this, wp] { EndSession(app_, wp != FALSE); });
            // A real end saved the settings as Quit does; the window goes with it.
            if (wp && app_.program.quitRequested) DestroyWindow(Hwnd());
            return TRUE;
        case WM_DESTROY:
            // Before the children go: the tray icon and the menu bar are ours.
            if (tray_) tray_->Remove();
            if (menuBar_) menuBar_->Detach();
            return FALSE;
        default:
            return FALSE;
    }
}

void SettingsWindow::OnClose() {
    bool closes = false;
    const int errorsBefore = dispatcher_.Errors();
    Run([&] { closes = CloseSettingsWindow(app_); });
    // Only quitting closes the window (otherwise the handler hid it); a failed handler keeps it too.
    if (!closes || dispatcher_.Errors() != errorsBefore) return;
    DestroyWindow(Hwnd());
}

void SettingsWindow::OnDestroyed() { sync_.Attach(nullptr); }

void SettingsWindow::Push() {
    if (!Hwnd()) return;
    // The Team page shows the newest state as soon as it comes on screen, not
    // at the next scan.
    if (TeamPageShown(app_) && !app_.view.team.current) UpdateTeamPage(app_);
    binding_->Push();
    teamPage_->Push(app_.view.team, app_.settings.language, app_.settings.alarmColour);
    tabs_->Push(app_.view.tabCaptions, app_.settings.selectedPage);
    PushWindow();
}

void SettingsWindow::PushWindow() {
    const SettingsWindowView& m = app_.view;
    if (!captionPushed_ || m.caption != caption_) {
        captionPushed_ = true;
        caption_ = m.caption;
        Check(SetWindowTextA(Hwnd(), caption_.c_str()) != FALSE, "Setting the main window's caption");
    }
    menuBar_->Push(app_.program.menus);
    tray_->Push(app_.tray);
    const bool topmost = (GetWindowLongPtrA(Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (m.onTop != topmost)
        Check(SetWindowPos(Hwnd(), m.onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != FALSE,
              "Setting the main window on top");
    PushVisibility();  // last: the window appears complete
}

void SettingsWindow::PushVisibility() {
    const bool visible = app_.view.visible;
    if (visible == (IsWindowVisible(Hwnd()) != FALSE)) return;
    ShowWindow(Hwnd(), !visible ? SW_HIDE : IsIconic(Hwnd()) ? SW_RESTORE : SW_SHOW);
}

void SettingsWindow::BringToFront() {
    if (!Hwnd()) return;
    PushVisibility();
    if (IsIconic(Hwnd()) && app_.view.visible) ShowWindow(Hwnd(), SW_RESTORE);
    // Refused when another program has the foreground and we were not asked
    // by the user; the window is then shown, flashing on the taskbar.
    SetForegroundWindow(Hwnd());
}

void SettingsWindow::PostClose() {
    if (!Hwnd()) throw ControlError("The main window is closed.");
    Check(PostMessageA(Hwnd(), WM_CLOSE, 0, 0) != FALSE, "Sending WM_CLOSE to the main window");
}

bool SettingsWindow::PreTranslate(MSG& msg) {
    if (!Hwnd() || (msg.hwnd != Hwnd() && !IsChild(Hwnd(), msg.hwnd))) return false;
    if (msg.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0 &&
        (msg.wParam == VK_TAB || msg.wParam == VK_PRIOR || msg.wParam == VK_NEXT)) {
        // Ctrl+Tab / Ctrl+PgDn: next tab; Ctrl+Shift+Tab / Ctrl+PgUp: previous.
        const bool back = msg.wParam == VK_PRIOR || (msg.wParam == VK_TAB && GetKeyState(VK_SHIFT) < 0);
        Run([this, back] {
            int& page = app_.settings.selectedPage;
            page = TabPages::Step(page, back ? -1 : 1, static_cast<int>(app_.view.tabCaptions.size()));
        });
        return true;
    }
    return IsDialogMessageA(Hwnd(), &msg) != FALSE;
}

}  // namespace brisolt::win32
