#include "win32/windows/menu_bar.h"

#include "win32/base/control_error.h"

namespace brisolt::win32 {

namespace {

UniqueMenu BuildDropDown(const Menu& menu) {
    UniqueMenu popup(CreatePopupMenu());
    Check(popup.Get() != nullptr, "CreatePopupMenu");
    for (const MenuItem& item : menu.items) {
        const BOOL ok = item.separator
                            ? AppendMenuA(popup.Get(), MF_SEPARATOR, 0, nullptr)
                            : AppendMenuA(popup.Get(), MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED),
                                          static_cast<UINT_PTR>(item.id), item.text.c_str());
        Check(ok != FALSE, "AppendMenu");
    }
    return popup;
}

std::vector<std::pair<int, bool>> CheckStates(const MenuSet& menus) {
    std::vector<std::pair<int, bool>> states;
    for (const Menu* menu : {&menus.file, &menus.extras, &menus.help})
        for (const MenuItem& item : menu->items)
            if (!item.separator) states.emplace_back(item.id, item.checked);
    return states;
}

const Menu& DropDownOf(const MenuSet& menus, MenuPopup popup) {
    switch (popup) {
        case MenuPopup::File: return menus.file;
        case MenuPopup::Extras: return menus.extras;
        default: return menus.help;
    }
}

// The client area's size.
SIZE ClientSize(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return SIZE{r.right, r.bottom};
}

}  // namespace

UniqueMenu BuildMenuBar(const MenuSet& menus) {
    UniqueMenu bar(CreateMenu());
    Check(bar.Get() != nullptr, "CreateMenu");
    for (const MenuBarEntry& entry : menus.bar) {
        UniqueMenu popup = BuildDropDown(DropDownOf(menus, entry.popup));
        Check(AppendMenuA(bar.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Get()), entry.text.c_str()) != FALSE,
              "AppendMenu");
        popup.Release();  // the bar owns it now
    }
    return bar;
}

void MenuBar::Push(const MenuSet& menus) {
    if (menus.version != version_) {
        Replace(menus);
        return;
    }
    if (!bar_.Get()) return;
    std::vector<std::pair<int, bool>> wanted = CheckStates(menus);
    if (wanted == checks_) return;
    for (const auto& [id, checked] : wanted) {
        bool shown = false;
        for (const auto& [shownId, shownChecked] : checks_)
            if (shownId == id) shown = shownChecked;
        if (shown == checked) continue;
        const DWORD previous =
            CheckMenuItem(bar_.Get(), static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
        if (previous == static_cast<DWORD>(-1)) {
            checks_ = wanted;  // not again at the next push
            throw ControlError("CheckMenuItem failed: there is no menu item " + std::to_string(id));
        }
    }
    checks_ = std::move(wanted);
}

void MenuBar::Replace(const MenuSet& menus) {
    version_ = menus.version;  // a failed build is not tried again at every push
    UniqueMenu bar = BuildMenuBar(menus);
    // A window keeps its outer size when it gets a menu bar, so the bar would
    // take its height from the client area and cut off the dialog buttons.
    const SIZE before = ClientSize(window_);
    Check(SetMenu(window_, bar.Get()) != FALSE, "SetMenu");
    const SIZE after = ClientSize(window_);
    if (after.cy != before.cy) {
        RECT outer{};
        GetWindowRect(window_, &outer);
        Check(SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left,
                           outer.bottom - outer.top + before.cy - after.cy,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE,
              "SetWindowPos");
    }
    bar_ = std::move(bar);  // destroys the bar it replaced
    checks_ = CheckStates(menus);
}

void MenuBar::Detach() {
    if (!bar_.Get()) return;
    if (IsWindow(window_) && GetMenu(window_) == bar_.Get()) SetMenu(window_, nullptr);
    bar_.Reset();
}

}  // namespace brisolt::win32
