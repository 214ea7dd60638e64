// The program's start and end: start-up in its fixed order, the main
// window's close handler, the end of the Windows session.
#pragma once
#include <string>

namespace brisolt {

struct App;

void InitGlobals(App& app, const std::string& programDir);
// Loads the forms: frmMain_Load, frmInfo_Load, frmFensterliste_Load.
void LoadForms(App& app);
// Start-up steps 1 to 15; the platform runs the message loop afterwards.
void StartUp(App& app, const std::string& programDir);

void frmMain_Load(App& app);
// Cancel in/out: true keeps the main window open (hidden).
void frmMain_Close(App& app, bool& cancel);
// endingForReal: the session really ends (WM_ENDSESSION with a true wParam).
void frmMain_EndSession(App& app, bool endingForReal);

// Applies edIntervall to tmr1 when its text is a number of seconds the timer
// can take; otherwise the interval stays.
void ApplyIntervalText(App& app);

}  // namespace brisolt
