#include "win32/main_window.h"

#include <commctrl.h>

#include "form_ids.h"
#include "program/commands.h"
#include "program/startup.h"
#include "win32/control_error.h"
#include "win32/form_table.h"
#include "win32/icons.h"

namespace brisolt::win32 {

MainWindow::MainWindow(HINSTANCE instance, App& app, EventDispatcher& dispatcher, ControlSync& sync,
                       ProgramWindows& windows)
    : instance_(instance),
      app_(app),
      dispatcher_(dispatcher),
      sync_(sync),
      windows_(windows),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
    try {
        Create();
    } catch (...) {
        Teardown();
        throw;
    }
}

void MainWindow::Create() {
    window_ = UniqueWindow(CreateDialogParamA(instance_, MAKEINTRESOURCEA(IDD_FRMMAIN), nullptr,
                                              &MainWindow::MainProc, reinterpret_cast<LPARAM>(this)));
    Check(window_.Get() != nullptr, "Creating the main window");

    bigIcon_ = LoadProgramIcon(instance_, ":ico", GetSystemMetrics(SM_CXICON));
    smallIcon_ = LoadProgramIcon(instance_, ":ico", GetSystemMetrics(SM_CXSMICON));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));

    tabs_ = std::make_unique<TabPages>(instance_, hwnd_, GetDlgItem(hwnd_, IDC_tbsMain), &MainWindow::PageProc,
                                       reinterpret_cast<LPARAM>(this));
    tips_ = std::make_unique<ToolTips>(instance_, hwnd_);
    const FormWindows forms{hwnd_, tabs_->Page(0), tabs_->Page(1), tabs_->Page(2), tabs_->Page(3)};
    binding_ = std::make_unique<FormBinding>(FormTable(app_, forms), *tips_,
                                             [this](const std::function<void()>& handler) { Run(handler); });
    // Start-up lays the colour previews out against cmdColorAlarm: the
    // geometry of the objects is that of the native controls from now on.
    binding_->Attach();
    menuBar_ = std::make_unique<MenuBar>(hwnd_);
    tray_ = std::make_unique<TrayIcon>(instance_, hwnd_);

    Push();
    sync_.Attach(this);
}

MainWindow::~MainWindow() { Teardown(); }

void MainWindow::Teardown() {
    sync_.Attach(nullptr);
    tray_.reset();
    binding_.reset();
    if (menuBar_) menuBar_->Detach();
    if (hwnd_) {
        // No more messages to this object while the window goes.
        SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
        DestroyWindow(hwnd_);
        OnDestroyed();
    }
    window_.Reset();
}

INT_PTR CALLBACK MainWindow::MainProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<MainWindow*>(lp);
        SetWindowLongPtrA(w, DWLP_USER, lp);
        self->hwnd_ = w;
        self->windows_.Opened();
        return TRUE;
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(w, DWLP_USER));
    if (!self) return FALSE;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(w, DWLP_USER, 0);
        self->OnDestroyed();
        return FALSE;
    }
    return self->OnMessage(msg, wp, lp);
}

INT_PTR CALLBACK MainWindow::PageProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(w, DWLP_USER, lp);
        return FALSE;  // the focus stays where it is
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(w, DWLP_USER));
    return self ? self->OnPageMessage(w, msg, wp, lp) : FALSE;
}

INT_PTR MainWindow::OnPageMessage(HWND page, UINT msg, WPARAM wp, LPARAM lp) {
    if (!binding_) return FALSE;
    switch (msg) {
        case WM_COMMAND:
            return binding_->OnCommand(page, LOWORD(wp), HIWORD(wp)) ? TRUE : FALSE;
        case WM_CTLCOLORSTATIC:
            // A dialog procedure answers this message with the brush itself.
            return reinterpret_cast<INT_PTR>(
                binding_->OnCtlColorStatic(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp)));
        default:
            return FALSE;
    }
}

INT_PTR MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kTrayCallback) {
        // lParam: the mouse message over the icon.
        switch (LOWORD(lp)) {
            case WM_LBUTTONDOWN: Run([this] { TrayIconClicked(app_, 1); }); break;
            case WM_RBUTTONDOWN: Run([this] { TrayIconClicked(app_, 2); }); break;
            default: break;
        }
        return TRUE;
    }
    if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        Run([this] { tray_->Readd(); });
        return TRUE;
    }
    switch (msg) {
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            if (binding_ && binding_->OnCommand(hwnd_, id, HIWORD(wp))) return TRUE;
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
            SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);  // the session may end
            return TRUE;
        case WM_ENDSESSION:
            Run([this, wp] { EndSession(app_, wp != FALSE); });
            // A real end saved the settings as Quit does; the window goes with it.
            if (wp && app_.program.quitRequested) DestroyWindow(hwnd_);
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

void MainWindow::OnClose() {
    bool cancel = false;
    const int errorsBefore = dispatcher_.Errors();
    Run([&] { CloseSettingsWindow(app_, cancel); });
    // Cancel keeps the window (the handler hid it); so does a failed handler.
    if (cancel || dispatcher_.Errors() != errorsBefore) return;
    DestroyWindow(hwnd_);
}

void MainWindow::OnDestroyed() {
    sync_.Attach(nullptr);
    hwnd_ = nullptr;
    window_.Release();
    windows_.Closed();
}

void MainWindow::Push() {
    if (!hwnd_) return;
    binding_->Push();
    tabs_->Push(app_.view.tabCaptions, app_.settings.selectedPage);
    PushWindow();
}

void MainWindow::PushWindow() {
    const SettingsWindowView& m = app_.view;
    if (!captionPushed_ || m.caption != caption_) {
        captionPushed_ = true;
        caption_ = m.caption;
        Check(SetWindowTextA(hwnd_, caption_.c_str()) != FALSE, "Setting the main window's caption");
    }
    menuBar_->Push(app_.program.menus);
    tray_->Push(app_.tray);
    const bool topmost = (GetWindowLongPtrA(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (m.onTop != topmost)
        Check(SetWindowPos(hwnd_, m.onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != FALSE,
              "Setting the main window on top");
    PushVisibility();  // last: the window appears complete
}

void MainWindow::PushVisibility() {
    const bool visible = app_.view.visible;
    if (visible == (IsWindowVisible(hwnd_) != FALSE)) return;
    ShowWindow(hwnd_, !visible ? SW_HIDE : IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
}

void MainWindow::BringToFront() {
    if (!hwnd_) return;
    PushVisibility();
    if (IsIconic(hwnd_) && app_.view.visible) ShowWindow(hwnd_, SW_RESTORE);
    // Refused when another program has the foreground and we were not asked
    // by the user; the window is then shown, flashing on the taskbar.
    SetForegroundWindow(hwnd_);
}

void MainWindow::PostClose() {
    if (!hwnd_) throw ControlError("The main window is closed.");
    Check(PostMessageA(hwnd_, WM_CLOSE, 0, 0) != FALSE, "Sending WM_CLOSE to the main window");
}

bool MainWindow::PreTranslate(MSG& msg) {
    if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
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
    return IsDialogMessageA(hwnd_, &msg) != FALSE;
}

}  // namespace brisolt::win32
