// The settings window: a modeless dialog (IDD_SETTINGS_WINDOW) with the tab strip
// and its five option pages, OK, Help and Cancel, the menu bar and the
// notification-area icon. It pushes what the program wants shown (the view,
// the settings, menus, tray) to the screen, and turns the user's actions into
// the program's events (through the event dispatcher):
//   close box, Alt+F4      -> CloseSettingsWindow (hide only, unless quitting)
//   end of the session     -> EndSession
//   menu bar               -> MenuCommand
//   tray icon buttons      -> TrayIconClicked
//   a new tab              -> the selected page setting
//   the bound controls     -> their handlers (see page_bindings.cpp)
#pragma once
#include "win32/base/win.h"

#include <memory>
#include <string>

#include "program/app.h"
#include "win32/windows/control_sync.h"
#include "win32/windows/event_dispatcher.h"
#include "win32/windows/control_binding.h"
#include "win32/base/handles.h"
#include "win32/windows/menu_bar.h"
#include "win32/base/native_window.h"
#include "win32/windows/tab_pages.h"
#include "win32/windows/team_page.h"
#include "win32/windows/tooltips.h"
#include "win32/windows/tray_icon.h"

namespace brisolt::win32 {

class SettingsWindow : public PushedWindow, public NativeWindow {
public:
    // Creates the window and its pages, hidden, fills the geometry the view
    // takes from the templates and pushes every control once. Attaches itself
    // to `sync`. Throws ControlError.
    SettingsWindow(HINSTANCE instance, App& app, EventDispatcher& dispatcher, ControlSync& sync,
                   ProgramWindows& windows);
    ~SettingsWindow() override;

    const TabPages& Pages() const { return *tabs_; }
    HWND ToolTipsHwnd() const { return tips_ ? tips_->Hwnd() : nullptr; }

    void Push() override;
    // The dialog keyboard for the window and its pages (Tab, mnemonics,
    // Enter, Esc, Ctrl+Tab); true when the message was handled.
    bool PreTranslate(MSG& msg);
    // WM_CLOSE, handled when the message loop comes to it.
    void PostClose();
    // Shows the window now if it is to be visible, and makes it the
    // foreground window.
    void BringToFront();

private:
    void Create();
    void Teardown();
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT OnPageMessage(HWND page, UINT msg, WPARAM wp, LPARAM lp);
    void OnClose();
    void OnDestroyed() override;
    void PushVisibility();
    void PushWindow();
    template <typename Handler>
    void Run(Handler&& handler) {
        dispatcher_.Run(std::forward<Handler>(handler));
    }

    HINSTANCE instance_;
    App& app_;
    EventDispatcher& dispatcher_;
    ControlSync& sync_;
    const UINT taskbarCreated_;

    UniqueIcon bigIcon_, smallIcon_;
    std::unique_ptr<TabPages> tabs_;
    std::unique_ptr<TeamPage> teamPage_;
    std::unique_ptr<ToolTips> tips_;
    std::unique_ptr<ControlBinding> binding_;
    std::unique_ptr<MenuBar> menuBar_;
    std::unique_ptr<TrayIcon> tray_;
    bool captionPushed_ = false;
    std::string caption_;  // as shown
};

}  // namespace brisolt::win32
