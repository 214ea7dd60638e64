#include "program/menus.h"

namespace brisolt {

bool CheckMenuItem(Menu& menu, int id, unsigned flags) {
    for (MenuItem& item : menu.items) {
        if (!item.separator && item.id == id) {
            item.checked = (flags & kMfChecked) != 0;
            return true;
        }
    }
    return false;
}

bool IsMenuItemChecked(const Menu& menu, int id) {
    for (const MenuItem& item : menu.items)
        if (!item.separator && item.id == id) return item.checked;
    return false;
}

}  // namespace brisolt
