// Keeps the client's tool windows and the list window in their fixed places.
// The rules are pure: each takes a window's placement and where the client
// stands and returns the placement it should have, or none when it is where
// it belongs (a settled layout costs no moves). One loop applies them.
#pragma once
#include <optional>
#include <string>

#include "platform/desktop.h"
#include "scan/scan.h"
#include "settings/settings.h"

namespace brisolt {

// Client windows are moved without re-stacking or activating them; the list
// window additionally keeps its size.
constexpr unsigned kClientMoveFlags = kSwpNoZOrder | kSwpNoActivate;            // 0x14
constexpr unsigned kListMoveFlags = kSwpNoSize | kSwpNoZOrder | kSwpNoActivate;  // 0x15

// MDI windows, against the MDI area's client rectangle.
// Object Designer: to the area's left edge at full height, width kept.
std::optional<Placement> ObjectDesignerTarget(Placement p, const Rect& mdiArea);
// Properties: to the area's right edge at full height, width kept.
std::optional<Placement> PropertiesTarget(Placement p, const Rect& mdiArea);
// Main menu: to the area's lower right corner, size kept.
std::optional<Placement> MainMenuTarget(Placement p, const Rect& mdiArea);
// The list window: right beside the Object Designer, at the screen's top.
std::optional<Placement> ListWindowTarget(Placement list, Placement objectDesigner);

// Top-level tool windows, against the client's main window. None while the
// client is minimised (its rectangle is then the parking position) or has
// never been seen.
// Toolbox: to the screen's left edge, its bottom on the main window's bottom.
std::optional<Placement> ToolboxTarget(Placement p, const ClientPlace& client);
// Field Menu: to the main window's right edge, from the screen's top down to
// the main window's bottom.
std::optional<Placement> FieldMenuTarget(Placement p, const ClientPlace& client);

// Applies every rule that is switched on to the windows of this scan.
// `listWindow` is the list window's handle (0: none).
void ApplyGlue(const ScanResult& scan, const Settings& settings, Desktop& desktop, WindowHandle listWindow);

}  // namespace brisolt
