#include "win32/windows/control_sync.h"

namespace brisolt::win32 {

void ControlSync::Push() {
    PushTimer(app_.program.scanTimer, scanTimer_, kScanTimer);
    PushTimer(app_.program.trayAlertTimer, trayAlertTimer_, kTrayAlertTimer);
    if (window_) window_->Push();
}

void ControlSync::PushTimer(const TimerState& timer, NativeTimer& native, UINT_PTR id) {
    // A timer with an interval of 0 never ticks, even when enabled.
    const bool run = timer.enabled && timer.interval > 0;
    if (run == native.running && (!run || timer.interval == native.interval)) return;
    if (run) {
        // Setting a new interval restarts the count, as a timer control does.
        native.running = timers_.Start(id, static_cast<UINT>(timer.interval));
        native.interval = timer.interval;
    } else {
        timers_.Stop(id);
        native.running = false;
    }
}

}  // namespace brisolt::win32
