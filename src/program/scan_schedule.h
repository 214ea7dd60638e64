// When the desktop is scanned: the interval timer's heartbeat, and scans that
// window events of the client bring forward.
//
// The heartbeat scans at every interval, as always. A window event only asks
// for the next scan to come sooner; it carries nothing into it (the scan reads
// the desktop as always). Events are coalesced: every event that arrives before
// a scan starts is answered by that one scan, and an event during a scan asks
// for exactly one scan after it. A window just created may show only a moment
// later (Wine reports the creation first, and a busy client may take a while
// to show it): a creation asks for two more looks, 0.2 s and 0.5 s after it. After every scan comes a gap of twice that
// scan's cost before an event may start the next one, so a client that fires
// storms of events costs at most a third of the time.
//
// The exclamation sound keeps the interval's rhythm: while duplicates last,
// the heartbeat sounds at every interval as it always did, and scans brought
// forward add no sounds. Only a duplicate that is new sounds at once: a scan
// brought forward may sound when the last sound is an interval or more ago.
// The heartbeat after it then passes its turn, and until the heartbeat after
// that, scans brought forward stay silent; so sounds come at least an interval
// apart, and as many as the heartbeat alone would give.
//
// Time is plain data: steady milliseconds (any origin, never going back) in
// every call. The caller:
//   - on a window event:     OnWindowEvent(now), then follows EventScanDueAt();
//   - around every scan:     ScanStarted(now, cause) ... ScanFinished(now), then
//                            follows EventScanDueAt();
//   - in the scan, before the exclamation sound: MaySound(); after it, SoundPlayed();
//   - when its one-shot timer fires: scans if EventScanDue(now).
// "Follows EventScanDueAt()" means: arm a one-shot timer for that moment when
// it differs from the moment armed for, stop it when there is none. Re-arming
// on every event would let a storm push the scan out for ever.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/types.h"

namespace brisolt {

// Which of the client's window events bring a scan forward. Creation, show,
// hide, Z-order, minimising, name and location changes count only for the
// windows the scan reads: the client's top-level windows (its main window
// among them), the MDI area and the MDI children. The controls inside a
// dialog or a designer never count: a progress dialog changes its text many
// times a second for as long as a posting runs, and tells the scan nothing.
// Focus and foreground count for any window of the client (a switch between
// designers may come as focus on a control, or on the MDI area and then the
// child), and so does a window gone when its event is looked at.
enum class HookedEvent {
    Created, Destroyed, Shown, Hidden, Reordered, Focused, Moved, Renamed,
    Foreground, MinimiseStarted, MinimiseEnded,
};
// The part of the window the event is about.
enum class EventObject {
    Window,      // the window itself
    ClientArea,  // its client area: focus, and a Z-order change of its children
    Other,       // a scroll bar, the caret, a menu, ...
};
// The window an event names, as the hook finds it when the event arrives.
struct EventWindow {
    WindowHandle window = 0;
    WindowHandle parent = 0;  // 0: a top-level window
    bool gone = false;
};
// The client's main window and its first child, the MDI area (0: not known).
struct ClientFrame {
    WindowHandle main = 0;
    WindowHandle mdiArea = 0;
};

bool WakesScan(HookedEvent event, EventObject object, const EventWindow& window, const ClientFrame& client);

enum class WindowEvent {
    Changed,
    Created,  // a window was created: it may show only a moment later
};

enum class ScanCause {
    Heartbeat,    // the interval timer
    WindowEvent,  // brought forward by a window event
};

class ScanSchedule {
public:
    // The scan timer's interval in milliseconds: the rhythm of the sound.
    void SetInterval(int ms) { intervalMs_ = ms; }

    // The looks after a creation, this long after it.
    static constexpr std::int64_t kLooksAfterCreationMs[] = {200, 500};

    // Something changed in the client's windows at `now`.
    void OnWindowEvent(std::int64_t now, WindowEvent event = WindowEvent::Changed);

    // When a scan brought forward by events should start; none while no event
    // waits for a scan, or while a scan runs (its end decides).
    std::optional<std::int64_t> EventScanDueAt() const;
    bool EventScanDue(std::int64_t now) const;

    // A scan (of either cause) starts: it answers every event before it.
    void ScanStarted(std::int64_t now, ScanCause cause);
    void ScanFinished(std::int64_t now);

    // Whether the scan in progress may play the exclamation sound. Outside
    // the announced scans (the first scan at start-up, a refresh the user asks
    // for) the sound plays as it always did.
    bool MaySound() const;
    // The scan in progress played the sound.
    void SoundPlayed();

private:
    int intervalMs_ = 2000;
    bool eventWaiting_ = false;
    std::int64_t firstWaitingEventAt_ = 0;
    // The creation the looks after it are for, and how many have been taken.
    std::optional<std::int64_t> createdAt_;
    std::size_t looksTaken_ = 0;
    // No event-driven scan starts before this moment (the gap after a scan).
    std::int64_t gapEndsAt_ = 0;

    bool scanning_ = false;
    ScanCause cause_ = ScanCause::Heartbeat;
    std::int64_t scanStartedAt_ = 0;

    // The sound's rhythm.
    std::optional<std::int64_t> lastSoundAt_;
    bool extraScanSoundedSinceHeartbeat_ = false;
    // The last heartbeat passed its turn (decided when it started): it stays
    // silent, and scans brought forward wait for the next one.
    bool heartbeatPassedTurn_ = false;
};

}  // namespace brisolt
