#include "win32/windows/tray_icon.h"

#include <cstring>

#include "win32/windows/icons.h"

namespace brisolt::win32 {

namespace {

constexpr UINT kTrayId = 1;

}  // namespace

TrayIcon::TrayIcon(HINSTANCE instance, HWND owner) : instance_(instance), owner_(owner) {}

HICON TrayIcon::Icon(const std::string& name) {
    auto found = icons_.find(name);
    if (found == icons_.end())
        found = icons_.emplace(name, LoadProgramIcon(instance_, name, GetSystemMetrics(SM_CXSMICON))).first;
    return found->second.Get();
}

bool TrayIcon::Notify(DWORD message) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = owner_;
    data.uID = kTrayId;
    if (message == NIM_SETVERSION) {
        data.uVersion = NOTIFYICON_VERSION_4;
    } else if (message != NIM_DELETE) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = kTrayCallback;
        data.hIcon = Icon(iconName_);
        const std::string tip = tip_.substr(0, kTrayToolTipChars);
        static_assert(sizeof data.szTip == kTrayToolTipChars + 1, "the tray's tooltip field");
        std::memcpy(data.szTip, tip.c_str(), tip.size() + 1);
    }
    return Shell_NotifyIconA(message, &data) != FALSE;
}

void TrayIcon::Push(const TrayIconView& tray) {
    const bool changed = tray.toolTip != tip_ || tray.icon != iconName_;
    const bool show = tray.visible && !visible_;
    visible_ = tray.visible;
    tip_ = tray.toolTip;
    iconName_ = tray.icon;
    if (!visible_) {
        Remove();
    } else if ((show || changed) && !added_) {
        // (Also when the tray was not there yet at the first try.)
        added_ = Add();
    } else if (changed && added_) {
        // Fails only when the taskbar went away; TaskbarCreated brings it back.
        added_ = Notify(NIM_MODIFY);
    }
}

void TrayIcon::Readd() {
    // The new taskbar knows nothing of the icon, whatever we thought.
    added_ = false;
    // (A tray that still holds the icon refuses to add it twice.)
    if (visible_) added_ = Add() || Notify(NIM_MODIFY);
}

bool TrayIcon::Add() {
    if (!Notify(NIM_ADD)) return false;
    // The platform's way of clicking: the menu on the right button's release
    // (WM_CONTEXTMENU, also Shift+F10 and the menu key), the window on a left
    // click or Enter (NIN_SELECT, NIN_KEYSELECT). A tray that does not know
    // the version keeps the icon all the same.
    Notify(NIM_SETVERSION);
    return true;
}

void TrayIcon::Remove() {
    if (added_) Notify(NIM_DELETE);  // a taskbar that is gone took the icon along
    added_ = false;
}

}  // namespace brisolt::win32
