// A hidden message-only window that owns the program's timers (the scan, …) and
// reports their ticks. It is not one of the program's visible windows, so it
// does not keep the message loop alive.
#pragma once
#include "win32/base/win.h"

#include <functional>

#include "win32/base/native_window.h"

namespace brisolt::win32 {

class TimerWindow : public NativeWindow {
public:
    static constexpr const char* kClassName = "BrisoltTimerWindow";

    // Throws ControlError when the window cannot be created.
    TimerWindow(HINSTANCE instance, std::function<void(UINT_PTR id)> onTick);

    // Starts (or restarts, with a new interval) the timer `id`.
    bool Start(UINT_PTR id, UINT intervalMs);
    void Stop(UINT_PTR id);

private:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    std::function<void(UINT_PTR)> onTick_;
};

}  // namespace brisolt::win32
