// The tray icon's buttons, the menu bar's commands and the manual.
#pragma once

namespace brisolt {
struct App;
// 1 left, 2 right mouse button on the tray icon.
void TrayIconClicked(App& app, int button);
void MenuCommand(App& app, int item);
// The settings window's Help button.
void OpenManualDirectly(App& app);
// Sets the quit request and sends the close message to the settings window.
void RequestQuit(App& app);
}  // namespace brisolt
