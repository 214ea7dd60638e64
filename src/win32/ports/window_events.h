// The client's window events: a hook that tells "something changed in the
// client's windows", and the one-shot timer that runs the scan it brings
// forward (see program/scan_schedule.h and HeartbeatTick in program/tick.h).
#pragma once
#include "win32/base/win.h"

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/system.h"
#include "program/scan_schedule.h"
#include "win32/base/handles.h"
#include "win32/base/timer_window.h"

namespace brisolt::win32 {

using UniqueWinEventHook = Unique<HWINEVENTHOOK, &UnhookWinEvent>;

// Window events of one process, out of context: the system queues them to
// this thread, and its message loop delivers them between other messages, so
// a busy or hung client never holds us up. Hooked: creation, destruction,
// show, hide, Z-order, focus, location and name changes of window objects,
// foreground changes, minimise start and end; in four ranges, so no event
// outside these is sent our way (each one costs a switch into our process).
//
// `changed` runs on this thread for every such event that WakesScan lets
// through (program/scan_schedule.h: the windows the scan reads, never the
// controls inside a dialog or a designer). It learns only whether a window was
// created: the scan reads the desktop as always.
//
// Our own windows (the list window, the glued windows we move) never call it:
// the hooks skip our own process (WINEVENT_SKIPOWNPROCESS), and where the
// hooks must take every process, the callback drops the events of windows of
// ours, and of windows already gone that a thread of ours reported. Tests may
// hook their own process instead.
class ClientWindowEvents {
public:
    enum class OwnProcess { Skip, Include };

    explicit ClientWindowEvents(std::function<void(WindowEvent)> changed, OwnProcess own = OwnProcess::Skip);
    ~ClientWindowEvents();
    ClientWindowEvents(const ClientWindowEvents&) = delete;
    ClientWindowEvents& operator=(const ClientWindowEvents&) = delete;

    // Hooks the process of the client's main window, and hooks again when it
    // changes. Null (the client is not known) hooks nothing: the heartbeat
    // finds the client, and we do not listen to every process meanwhile.
    // False when a hook could not be set; the next call tries again.
    bool Follow(HWND clientMain);
    // The same by process id (0: none), the client's main window not known:
    // of its windows only the top-level ones count.
    bool Target(DWORD processId);
    // The process hooked (0: none).
    DWORD Process() const { return process_; }

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                 DWORD thread, DWORD timeMs);
    bool Hooked() const;

    std::function<void(WindowEvent)> changed_;
    DWORD flags_;
    DWORD process_ = 0;
    HWND clientMain_ = nullptr;
    // Wine hands out-of-context events of another process only to hooks on
    // every process, and to those it hands our own events as well (seen with
    // Wine 8): there the hooks take all processes and the callback keeps the
    // client's.
    bool allProcesses_;
    std::vector<UniqueWinEventHook> hooks_;
};

// A one-shot timer on the timer window: it stops when it ticks.
class Win32OneShotTimer : public OneShotTimer {
public:
    Win32OneShotTimer(TimerWindow& timers, UINT_PTR id) : timers_(timers), id_(id) {}
    bool Start(std::int64_t delayMs) override;
    void Stop() override { timers_.Stop(id_); }

private:
    TimerWindow& timers_;
    UINT_PTR id_;
};

}  // namespace brisolt::win32
