// The tray icon's buttons, the menu bar's commands and the manual.
#pragma once

namespace brisolt {
struct App;
void tic1_MBDown(App& app, int button);
void frmMain_MenuEvent(App& app, int item);
void cmdHelp_Click(App& app);
void tmrTaskIcon_Timer(App& app);
// Sets QuitRequested and sends the close message to the main window.
void RequestQuit(App& app);
}  // namespace brisolt
