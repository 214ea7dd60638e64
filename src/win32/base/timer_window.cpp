#include "win32/base/timer_window.h"

namespace brisolt::win32 {

TimerWindow::TimerWindow(HINSTANCE instance, std::function<void(UINT_PTR id)> onTick) : onTick_(std::move(onTick)) {
    WindowArgs args;
    args.className = kClassName;
    args.parent = HWND_MESSAGE;
    args.what = "Creating the timer window";
    Create(instance, args);
}

bool TimerWindow::Start(UINT_PTR id, UINT intervalMs) {
    return Hwnd() && SetTimer(Hwnd(), id, intervalMs, nullptr) != 0;
}

void TimerWindow::Stop(UINT_PTR id) {
    if (Hwnd()) KillTimer(Hwnd(), id);
}

LRESULT TimerWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_TIMER) return Default(msg, wp, lp);
    if (onTick_) onTick_(wp);
    return 0;
}

}  // namespace brisolt::win32
