#include "glue/glue.h"

#include <string_view>

namespace brisolt {

namespace {

// The client's titles are read as 8-bit text in the system code page
// (Windows-1252), so the umlaut is the single byte 0xFC, not UTF-8.
constexpr std::string_view kHauptmenue = "Hauptmen\xFC";
constexpr std::string_view kSozialmenue = "Sozialmen\xFC";
constexpr std::string_view kMainMenu = "Main Menu";
constexpr std::string_view kObjectDesigner = "Object Designer";
constexpr std::string_view kPropertiesSuffix = "- Properties";
constexpr std::string_view kToolbox = "Toolbox";
constexpr std::string_view kFieldMenu = "Field Menu";

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool IsMainMenuTitle(std::string_view title) {
    return title == kHauptmenue || title == kSozialmenue || title == kMainMenu;
}

// A client that can be placed against: seen, not minimised, with a bottom edge.
bool Placeable(const ClientPlace& client) { return client.known && !client.minimised && client.rect.bottom != 0; }

void Move(Desktop& desktop, WindowHandle window, const std::optional<Placement>& target, unsigned flags) {
    if (target) desktop.SetWindowPos(window, target->x, target->y, target->w, target->h, flags);
}

void GlueObjectDesigner(const ScanResult& scan, const Settings& settings, Desktop& desktop, WindowHandle window,
                        WindowHandle listWindow) {
    // Read whether the rule is on or not: the list window goes beside it.
    const Placement p = desktop.PlacementOf(window);
    const std::optional<Placement> target = ObjectDesignerTarget(p, scan.mdiArea);
    // A minimised Object Designer stays where it is, and so does the list window.
    if (settings.glueObjectDesigner && target) {
        if (desktop.IsIconic(window)) return;
        Move(desktop, window, target, kClientMoveFlags);
    }
    if (!settings.glueListWindow || listWindow == 0) return;
    Move(desktop, listWindow, ListWindowTarget(desktop.PlacementOf(listWindow), p), kListMoveFlags);
}

}  // namespace

std::optional<Placement> ObjectDesignerTarget(Placement p, const Rect& mdiArea) {
    if (p.x == 0 && p.h == mdiArea.bottom) return std::nullopt;
    return Placement{0, 0, p.w, mdiArea.bottom};
}

std::optional<Placement> PropertiesTarget(Placement p, const Rect& mdiArea) {
    const int x = mdiArea.right - p.w;
    if (p.x == x && p.h == mdiArea.bottom) return std::nullopt;
    return Placement{x, 0, p.w, mdiArea.bottom};
}

std::optional<Placement> MainMenuTarget(Placement p, const Rect& mdiArea) {
    const int x = mdiArea.right - p.w, y = mdiArea.bottom - p.h;
    if (p.x == x && p.y == y) return std::nullopt;
    return Placement{x, y, p.w, p.h};
}

std::optional<Placement> ListWindowTarget(Placement list, Placement objectDesigner) {
    if (list.x == objectDesigner.w) return std::nullopt;
    return Placement{objectDesigner.w, 0, 0, 0};
}

std::optional<Placement> ToolboxTarget(Placement p, const ClientPlace& client) {
    const int b = client.rect.bottom;
    if (!Placeable(client) || p.y == b - p.h) return std::nullopt;
    return Placement{0, b - p.h, p.w, p.h};
}

std::optional<Placement> FieldMenuTarget(Placement p, const ClientPlace& client) {
    const int r = client.rect.right, b = client.rect.bottom;
    if (!Placeable(client) || (p.x == r - p.w && p.h == b)) return std::nullopt;
    return Placement{r - p.w, 0, p.w, b};
}

void ApplyGlue(const ScanResult& scan, const Settings& settings, Desktop& desktop, WindowHandle listWindow) {
    // The client's MDI windows stay put while the client is minimised.
    if (scan.clientMain != 0 && !scan.client.minimised) {
        for (const ClientRow& row : scan.clientWindows) {
            if (row.designer.IsDesigner()) continue;  // no tool window is titled like a designer
            const WindowHandle w = row.window;
            if (row.title == kObjectDesigner) GlueObjectDesigner(scan, settings, desktop, w, listWindow);
            if (EndsWith(row.title, kPropertiesSuffix) && settings.glueProperties)
                Move(desktop, w, PropertiesTarget(desktop.PlacementOf(w), scan.mdiArea), kClientMoveFlags);
            // A minimised main menu stays where it is.
            if (IsMainMenuTitle(row.title) && settings.glueMainMenu) {
                const auto target = MainMenuTarget(desktop.PlacementOf(w), scan.mdiArea);
                if (target && !desktop.IsIconic(w)) Move(desktop, w, target, kClientMoveFlags);
            }
        }
    }
    for (const TopLevelRow& row : scan.topLevel) {
        // A window met before the client's main window in the walk is judged
        // against where the client stood after the previous walk.
        const ClientPlace& client = row.beforeClient ? scan.clientBefore : scan.client;
        if (row.title == kToolbox && settings.glueToolbox)
            Move(desktop, row.window, ToolboxTarget(desktop.PlacementOf(row.window), client), kClientMoveFlags);
        if (row.title == kFieldMenu && settings.glueFieldMenu)
            Move(desktop, row.window, FieldMenuTarget(desktop.PlacementOf(row.window), client), kClientMoveFlags);
    }
}

}  // namespace brisolt
