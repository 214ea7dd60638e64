// A hidden message-only window that owns the program's timers (tmr1, …) and
// reports their ticks. It is not one of the program's visible windows, so it
// does not keep the message loop alive.
#pragma once
#include "win32/win.h"

#include <functional>

#include "win32/handles.h"

namespace brisolt::win32 {

class TimerWindow {
public:
    static constexpr const char* kClassName = "BrisoltTimerWindow";

    TimerWindow(HINSTANCE instance, std::function<void(UINT_PTR id)> onTick);
    TimerWindow(const TimerWindow&) = delete;
    TimerWindow& operator=(const TimerWindow&) = delete;
    ~TimerWindow();

    // Starts (or restarts, with a new interval) the timer `id`.
    bool Start(UINT_PTR id, UINT intervalMs);
    void Stop(UINT_PTR id);
    HWND Hwnd() const { return window_.Get(); }

private:
    static LRESULT CALLBACK WindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);

    std::function<void(UINT_PTR)> onTick_;
    UniqueWindow window_;
};

}  // namespace brisolt::win32
