// One tick of the scan timer, end to end, and the list window's mouse.
#pragma once
#include "program/scan_schedule.h"

namespace brisolt {

struct App;

// Scan the desktop, log, sound the alarm, show the company, glue, paint.
void RefreshWindowList(App& app);
// The scan timer ticked: the heartbeat's scan.
void HeartbeatTick(App& app);
// The client's windows changed: a scan comes sooner (see ScanSchedule).
void ClientWindowChanged(App& app, WindowEvent event);
// The event-scan timer ticked (it has stopped): the scan brought forward, when due.
void EventScanTimerTick(App& app);

// 1 left button (drag), 2 right button (fold to a clock and back).
void ListWindowMouseDown(App& app, int button);
// A left double-click at y (twips from the window's top) brings that row's
// window to the front.
void ListWindowDoubleClick(App& app, int button, double yTwips);

}  // namespace brisolt
