// The client's window events: a hook that tells "something changed in the
// client's windows", and the one-shot timer that runs the scan it brings
// forward (see program/scan_schedule.h).
#pragma once
#include "win32/win.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "win32/handles.h"
#include "win32/timer_window.h"

namespace brisolt::win32 {

using UniqueWinEventHook = Unique<HWINEVENTHOOK, &UnhookWinEvent>;

// The steady clock the scan schedule runs on, in milliseconds.
inline std::int64_t SteadyNowMs() { return static_cast<std::int64_t>(GetTickCount64()); }

// Window events of one process, out of context: the system queues them to
// this thread, and its message loop delivers them between other messages, so
// a busy or hung client never holds us up. Hooked: creation, destruction,
// show, hide, Z-order, focus, location and name changes of window objects,
// foreground changes, minimise start and end; in four ranges, so no event
// outside these is sent our way (each one costs a switch into our process).
//
// `changed` runs on this thread for every such event of a window the scan
// reads (a top-level window, the MDI client, an MDI child; focus, foreground
// and destruction of any window of the process). It learns nothing of the
// window: the scan reads the desktop as always.
//
// Our own windows (the list window, the glued windows we move) never call it:
// the hooks skip our own process (WINEVENT_SKIPOWNPROCESS). Tests may hook
// their own process instead.
class ClientWindowEvents {
public:
    enum class OwnProcess { Skip, Include };

    explicit ClientWindowEvents(std::function<void()> changed, OwnProcess own = OwnProcess::Skip);
    ~ClientWindowEvents();
    ClientWindowEvents(const ClientWindowEvents&) = delete;
    ClientWindowEvents& operator=(const ClientWindowEvents&) = delete;

    // Hooks the process of the client's main window, and hooks again when it
    // changes. Null (the client is not known) hooks nothing: the heartbeat
    // finds the client, and we do not listen to every process meanwhile.
    // False when a hook could not be set; the next call tries again.
    bool Follow(HWND clientMain);
    // The same by process id (0: none).
    bool Target(DWORD processId);
    // The process hooked (0: none).
    DWORD Process() const { return process_; }

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                 DWORD thread, DWORD timeMs);
    bool Hooked() const;

    std::function<void()> changed_;
    DWORD flags_;
    DWORD process_ = 0;
    // Wine hands out-of-context events of another process only to hooks on
    // every process, and to those it hands our own events as well (seen with
    // Wine 8): there the hooks take all processes and the callback keeps the
    // client's.
    bool allProcesses_;
    std::vector<UniqueWinEventHook> hooks_;
};

// The one-shot timer of the scans brought forward, kept on the schedule's
// due time. It is armed only when the due time changes: re-arming a timer
// starts its count again, so arming at every event of a storm would push the
// scan out for as long as the storm lasts.
class EventScanTimer {
public:
    EventScanTimer(TimerWindow& timers, UINT_PTR id) : timers_(timers), id_(id) {}

    // Arms the timer for `dueAt` (steady ms, as `now`), or stops it for none.
    void Follow(std::optional<std::int64_t> dueAt, std::int64_t now);
    // The timer ticked: it stops, as a one-shot timer. Follow the schedule again.
    void Fired();

private:
    TimerWindow& timers_;
    UINT_PTR id_;
    std::optional<std::int64_t> armedFor_;
};

}  // namespace brisolt::win32
