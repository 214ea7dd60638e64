// The main window's menu bar as data: built by BuildMainMenu, shown by the
// platform, check marks set by command id on the Extras menu.
#pragma once
#include <string>
#include <vector>

namespace brisolt {

constexpr int kCmdQuit = 1990;
constexpr int kCmdStartMinimized = 3010;
constexpr int kCmdAlwaysOnTop = 3020;
constexpr int kCmdGerman = 3110;
constexpr int kCmdEnglish = 3120;
constexpr int kCmdHelp = 9010;

constexpr unsigned kMfUnchecked = 0;
constexpr unsigned kMfChecked = 8;

struct MenuItem {
    int id = 0;  // 0 for a separator
    std::string text;
    bool checked = false;
    bool separator = false;
};

struct Menu {
    std::vector<MenuItem> items;
};

enum class MenuPopup { File, Extras, Help };

struct MenuBarEntry {
    std::string text;
    MenuPopup popup;
};

struct MenuSet {
    Menu file, extras, help;
    std::vector<MenuBarEntry> bar;
    int version = 0;  // grows with every new menu bar, so the screen can follow

    Menu& Popup(MenuPopup p) { return p == MenuPopup::File ? file : p == MenuPopup::Extras ? extras : help; }
};

// CheckMenuItem(menu, id, flags) by command id; false when there is no such item.
bool CheckMenuItem(Menu& menu, int id, unsigned flags);
bool IsMenuItemChecked(const Menu& menu, int id);

}  // namespace brisolt
