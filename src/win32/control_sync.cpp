#include "win32/control_sync.h"

namespace brisolt::win32 {

void ControlSync::Push() {
    PushTimer(app_.forms.frmAllgemein.tmr1, tmr1_, kTimerTmr1);
    PushTimer(app_.forms.frmMain.tmrTaskIcon, tmrTaskIcon_, kTimerTaskIcon);
    if (forms_) forms_->Push();
}

void ControlSync::PushTimer(const TimerControl& control, NativeTimer& native, UINT_PTR id) {
    // A timer with an interval of 0 never ticks, even when enabled.
    const bool run = control.Enabled && control.Interval > 0;
    if (run == native.running && (!run || control.Interval == native.interval)) return;
    if (run) {
        // Setting a new interval restarts the count, as a timer control does.
        native.running = timers_.Start(id, static_cast<UINT>(control.Interval));
        native.interval = control.Interval;
    } else {
        timers_.Stop(id);
        native.running = false;
    }
}

}  // namespace brisolt::win32
