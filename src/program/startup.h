// The program's start and end: start-up in its fixed order, the settings
// window's close handler, the end of the Windows session.
#pragma once
#include <string>

namespace brisolt {

struct App;

// The program's paths and a fresh state, before anything is read.
void ResetForStart(App& app, const std::string& programDir);
// Fills what the windows show before they appear: the menu bar, the info
// page.
void FillWindowsBeforeStart(App& app);
// Start-up; the platform runs the message loop afterwards.
void StartUp(App& app, const std::string& programDir);

// The settings window's close box: hides the window, or ends the program
// when Quit was asked for. True when the window is to close for good.
bool CloseSettingsWindow(App& app);
// endingForReal: the session really ends (WM_ENDSESSION with a true wParam).
void EndSession(App& app, bool endingForReal);

// Gives the scan timer the interval setting when it is a number of seconds
// the timer can take; otherwise the interval stays.
void ApplyScanInterval(App& app);

}  // namespace brisolt
