// Carries the program's state (settings, view, timers) to the native side after
// every dispatched event: what a handler changed shows on the screen.
// The timers (Interval, Enabled) become SetTimer / KillTimer; the settings
// window (with its pages, menu bar and tray icon) pushes itself.
#pragma once
#include "win32/base/win.h"

#include "program/app.h"
#include "win32/base/timer_window.h"

namespace brisolt::win32 {

// Timer ids on the timer window.
constexpr UINT_PTR kScanTimer = 1;
constexpr UINT_PTR kTrayAlertTimer = 2;
constexpr UINT_PTR kEventScanTimer = 3;  // a scan brought forward by window events

// The settings window, once it exists.
class PushedWindow {
public:
    virtual ~PushedWindow() = default;
    // Throws ControlError when an operation on a window fails.
    virtual void Push() = 0;
};

class ControlSync {
public:
    ControlSync(App& app, TimerWindow& timers) : app_(app), timers_(timers) {}
    // Pushes every control whose state differs from what the screen has.
    void Push();
    // The window to push from now on (null: none).
    void Attach(PushedWindow* window) { window_ = window; }

private:
    // What the native timer currently does.
    struct NativeTimer {
        bool running = false;
        int interval = 0;
    };
    void PushTimer(const TimerState& timer, NativeTimer& native, UINT_PTR id);

    App& app_;
    TimerWindow& timers_;
    NativeTimer scanTimer_;
    NativeTimer trayAlertTimer_;
    PushedWindow* window_ = nullptr;
};

}  // namespace brisolt::win32
