// The notification-area icon: added, changed and removed as the program's
// tray view says (visible, icon, tooltip). It speaks NOTIFYICON_VERSION_4: the
// owner window gets kTrayCallback messages whose lParam's low word is the
// event (NIN_SELECT, NIN_KEYSELECT, WM_CONTEXTMENU, the mouse messages).
//
// The icon lives in the taskbar's process: when Explorer restarts, the taskbar
// sends the registered message "TaskbarCreated" to every top-level window and
// the icon has to be added again (Readd). While there is no taskbar at all
// (early at logon), adding fails; that is no error of ours, the icon comes
// with the taskbar's TaskbarCreated.
#pragma once
#include "win32/base/win.h"

#include <map>
#include <string>

#include "program/views.h"
#include "win32/base/handles.h"

namespace brisolt::win32 {

constexpr UINT kTrayCallback = WM_APP + 1;


class TrayIcon {
public:
    TrayIcon(HINSTANCE instance, HWND owner);
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { Remove(); }

    // Makes the tray follow what the program wants shown. Throws ControlError for a missing icon.
    void Push(const TrayIconView& tray);
    // After TaskbarCreated: the icon again, if it is meant to be shown.
    void Readd();
    void Remove();

    bool Added() const { return added_; }

private:
    HICON Icon(const std::string& name);
    bool Notify(DWORD message);
    bool Add();

    HINSTANCE instance_;
    HWND owner_;
    bool added_ = false;
    // What the tray shows (or is to show once it can).
    bool visible_ = false;
    std::string tip_;
    std::string iconName_;
    std::map<std::string, UniqueIcon> icons_;  // by name, loaded once
};

}  // namespace brisolt::win32
