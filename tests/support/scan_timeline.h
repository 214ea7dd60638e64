// The program's scans over time, through its own wiring (HeartbeatTick,
// ClientWindowChanged, EventScanTimerTick) on the simulated desktop and clock:
// the client's window events at given moments, each asked of the hook's rule
// as the Windows hook asks it; the heartbeat every interval; a one-shot timer;
// scans of a given cost, and a duplicate that may last.
#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "program/tick.h"
#include "sim_client.h"
#include "test_app.h"

namespace brisolt::test {

// The window an event names and the client's frame, as the hook reads them.
inline EventWindow EventWindowOf(SimDesktop& desktop, WindowHandle w) {
    return desktop.Has(w) ? EventWindow{w, desktop.Get(w).parent, false} : EventWindow{w, 0, true};
}
inline ClientFrame FrameOf(SimDesktop& desktop, WindowHandle clientMain) {
    const std::vector<WindowHandle> children = desktop.ChildWindows(clientMain);
    return {clientMain, children.empty() ? 0 : children.front()};
}

class FakeOneShotTimer : public OneShotTimer {
public:
    explicit FakeOneShotTimer(const std::int64_t& clock) : clock_(clock) {}
    std::optional<std::int64_t> ticksAt;
    std::int64_t minimum = 0;  // the shortest delay
    bool Start(std::int64_t delayMs) override {
        ticksAt = clock_ + std::max(delayMs, minimum);
        return true;
    }
    void Stop() override { ticksAt.reset(); }

private:
    const std::int64_t& clock_;
};

struct ScanTimeline {
    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
    static inline const std::string kOrders = "Table 123 Demo Orders - Table Designer";

    TestApp t;
    SimClient client{t.desktop};
    WindowHandle orders = (client.Open("Codeunit 80 Sales-Post - C/AL Editor"), client.Open(kOrders));

    std::int64_t scanCost = 10;
    std::int64_t timerMinimum = 0;
    std::vector<std::int64_t> events;  // sorted, ms from the start
    HookedEvent kind = HookedEvent::Renamed;
    WindowHandle source = 0;  // the window the events name (0: orders)
    // Whether an event wakes the scan (the program's rule unless set).
    std::function<bool(HookedEvent, WindowHandle)> rule = [this](HookedEvent e, WindowHandle w) {
        return WakesScan(e, EventObject::Window, EventWindowOf(t.desktop, w), FrameOf(t.desktop, client.main));
    };
    // The client shows a duplicate in these spans [from, until).
    std::vector<std::pair<std::int64_t, std::int64_t>> duplicates;

    // "E100 H1000": each scan's cause and start.
    std::string scans;
    int scanCount = 0;
    std::vector<std::int64_t> sounds;
    std::int64_t busy = 0;  // time spent scanning

    void Run(std::int64_t end) {
        WindowHandle copy = 0;
        FakeOneShotTimer timer(t.clock.steadyMs);
        timer.minimum = timerMinimum;
        t.app.platform.eventScanTimer = &timer;
        t.app.program.scanTimer.interval = 1000;
        t.app.settings.alarmSound = true;
        const std::int64_t start = t.clock.steadyMs;
        std::int64_t& clock = t.clock.steadyMs;
        // A scan costs its time at its first look at a title (it presents
        // the list at its end).
        int costed = -1;
        t.desktop.onTitleRead = [&](WindowHandle) {
            if (costed == t.listWindow.presents) return;
            costed = t.listWindow.presents;
            clock += scanCost;
        };
        std::size_t next = 0;
        std::int64_t nextBeat = start + 1000;
        for (;;) {
            const std::int64_t event = next < events.size() ? start + events[next] : kNever;
            const std::int64_t tick = timer.ticksAt.value_or(kNever);
            // What came due during a scan is delivered when it is done.
            const std::int64_t at = std::max(clock, std::min({event, nextBeat, tick}));
            if (at > start + end) return;
            clock = at;
            const bool dup = std::any_of(duplicates.begin(), duplicates.end(), [&](auto span) {
                return span.first <= clock - start && clock - start < span.second;
            });
            if (dup && !copy) copy = client.Open(kOrders);
            if (!dup && copy) t.desktop.Remove(copy), copy = 0;
            const int scansBefore = t.listWindow.presents, soundsBefore = t.sound.exclamations;
            char cause = 'H';
            if (event <= std::min(nextBeat, tick)) {
                ++next;
                if (rule(kind, source ? source : orders))
                    ClientWindowChanged(t.app, kind == HookedEvent::Created ? WindowEvent::Created : WindowEvent::Changed);
            } else if (nextBeat <= tick) {
                nextBeat += 1000;
                HeartbeatTick(t.app);
            } else {
                cause = 'E';
                timer.ticksAt.reset();
                EventScanTimerTick(t.app);
            }
            if (t.listWindow.presents == scansBefore) continue;
            ++scanCount;
            scans += (scans.empty() ? "" : " ") + std::string(1, cause) + std::to_string(at - start);
            busy += scanCost;
            if (t.sound.exclamations > soundsBefore) sounds.push_back(at - start);
        }
    }
};

}  // namespace brisolt::test
