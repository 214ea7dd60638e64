// The three fonts the list window can show, as cbFont lists them.
#include "listwin/list_window.h"
#include "shell/app.h"

namespace brisolt {

const ListFont kListFonts[3] = {
    {"MS Sans Serif 8 pt", "MS Sans Serif", 8},
    {"Small Fonts 7pt", "Small Fonts", 7},
    {"Small Fonts 6pt", "Small Fonts", 6},
};

void ApplyListFont(App& app, int index) {
    if (index < 0 || index > 2 || app.platform.listWindow == nullptr) return;
    const ListFont& font = kListFonts[index];
    app.platform.listWindow->Surface().SetFont(font.fontName, font.sizePt);
}

}  // namespace brisolt
