// Carries the state of the control objects to the native side after every
// dispatched event: what a handler changed in a control shows on the screen.
// So far: the timers (Interval, Enabled) become SetTimer / KillTimer.
#pragma once
#include "win32/win.h"

#include "shell/app.h"
#include "win32/timer_window.h"

namespace brisolt::win32 {

// Timer ids on the timer window.
constexpr UINT_PTR kTimerTmr1 = 1;

class ControlSync {
public:
    ControlSync(App& app, TimerWindow& timers) : app_(app), timers_(timers) {}
    // Pushes every control whose state differs from what the screen has.
    void Push();

private:
    // What the native timer currently does.
    struct NativeTimer {
        bool running = false;
        int interval = 0;
    };
    void PushTimer(const TimerControl& control, NativeTimer& native, UINT_PTR id);

    App& app_;
    TimerWindow& timers_;
    NativeTimer tmr1_;
};

}  // namespace brisolt::win32
