// The settings window's menu bar on the screen. BuildMainMenu describes a new bar
// (MenuSet, whose version grows with every build); this builds the real
// menus from it, attaches them with SetMenu and destroys the bar it replaces.
// Check marks set later on the data are carried over with CheckMenuItem.
#pragma once
#include "win32/base/win.h"

#include <utility>
#include <vector>

#include "program/menus.h"
#include "win32/base/handles.h"

namespace brisolt::win32 {

// The real menus of one MenuSet: the bar owns its drop-down menus.
UniqueMenu BuildMenuBar(const MenuSet& menus);

class MenuBar {
public:
    explicit MenuBar(HWND window) : window_(window) {}
    MenuBar(const MenuBar&) = delete;
    MenuBar& operator=(const MenuBar&) = delete;
    ~MenuBar() { Detach(); }

    // Makes the screen follow the data: a new bar when the version changed,
    // otherwise the check marks that differ. Throws ControlError.
    void Push(const MenuSet& menus);
    // Takes the bar off the window and destroys it (before the window goes:
    // a window destroys the menu attached to it).
    void Detach();

    HMENU Handle() const { return bar_.Get(); }

private:
    void Replace(const MenuSet& menus);

    HWND window_;
    UniqueMenu bar_;
    int version_ = -1;
    std::vector<std::pair<int, bool>> checks_;  // (item id, checked) as shown
};

}  // namespace brisolt::win32
