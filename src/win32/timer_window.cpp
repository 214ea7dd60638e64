#include "win32/timer_window.h"

namespace brisolt::win32 {

TimerWindow::TimerWindow(HINSTANCE instance, std::function<void(UINT_PTR id)> onTick) : onTick_(std::move(onTick)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(instance, kClassName, &wc)) {
        wc = WNDCLASSEXA{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TimerWindow::WindowProc;
        wc.hInstance = instance;
        wc.lpszClassName = kClassName;
        RegisterClassExA(&wc);
    }
    window_ = UniqueWindow(CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this));
}

TimerWindow::~TimerWindow() { window_.Reset(); }

bool TimerWindow::Start(UINT_PTR id, UINT intervalMs) {
    return window_.Get() && SetTimer(window_.Get(), id, intervalMs, nullptr) != 0;
}

void TimerWindow::Stop(UINT_PTR id) {
    if (window_.Get()) KillTimer(window_.Get(), id);
}

LRESULT CALLBACK TimerWindow::WindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<TimerWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TimerWindow*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (self && msg == WM_TIMER) {
        if (self->onTick_) self->onTick_(wp);
        return 0;
    }
    if (self && msg == WM_NCDESTROY) {
        SetWindowLongPtrA(w, GWLP_USERDATA, 0);
        self->window_.Release();
    }
    return DefWindowProcA(w, msg, wp, lp);
}

}  // namespace brisolt::win32
