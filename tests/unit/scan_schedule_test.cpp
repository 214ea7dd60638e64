// When the desktop is scanned, through the program's own wiring (WakesScan,
// ClientWindowChanged, HeartbeatTick, EventScanTimerTick): a timeline of window
// events, the heartbeat every interval and a one-shot timer, with scans of a
// given cost and a duplicate that may last.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "program/tick.h"
#include "sim_client.h"
#include "test_app.h"

namespace brisolt {
namespace {

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

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

struct Timeline {
    std::int64_t scanCost = 10;
    std::int64_t timerMinimum = 0;
    std::vector<std::int64_t> events;  // sorted, ms from the start
    HookedEvent kind = HookedEvent::Renamed;
    bool fromProgressText = false;  // the events name a progress dialog's text, not an MDI window
    // The client shows a duplicate in these spans [from, until).
    std::vector<std::pair<std::int64_t, std::int64_t>> duplicates;

    // "E100 H1000": each scan's cause and start.
    std::string scans;
    std::vector<std::int64_t> sounds;
    std::int64_t busy = 0;  // time spent scanning

    void Run(std::int64_t end) {
        test::TestApp t;
        test::SimClient client(t.desktop);
        client.Open("Codeunit 80 Sales-Post - C/AL Editor");
        WindowHandle source = client.Open(kOrders);
        if (fromProgressText) source = t.desktop.AddChild(t.desktop.AddTopLevel("Posting"), "Line 1 of 2000");
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
                const EventWindow window{source, t.desktop.Get(source).parent};
                if (WakesScan(kind, EventObject::Window, window, {client.main, client.mdiArea}))
                    ClientWindowChanged(t.app, kind == HookedEvent::Created ? WindowEvent::Created
                                                                            : WindowEvent::Changed);
            } else if (nextBeat <= tick) {
                nextBeat += 1000;
                HeartbeatTick(t.app);
            } else {
                cause = 'E';
                timer.ticksAt.reset();
                EventScanTimerTick(t.app);
            }
            if (t.listWindow.presents == scansBefore) continue;
            scans += (scans.empty() ? "" : " ") + std::string(1, cause) + std::to_string(at - start);
            busy += scanCost;
            if (t.sound.exclamations > soundsBefore) sounds.push_back(at - start);
        }
    }

    static inline const std::string kOrders = "Table 123 Demo Orders - Table Designer";
};

std::vector<std::int64_t> Every(std::int64_t step, std::int64_t from, std::int64_t to) {
    std::vector<std::int64_t> times;
    for (std::int64_t t = from; t <= to; t += step) times.push_back(t);
    return times;
}

TEST(ScanSchedule, EventsBringTheNextScanForward) {
    const struct {
        const char* what;
        std::int64_t cost;
        std::vector<std::int64_t> events;
        HookedEvent kind;
        const char* scans;
    } cases[] = {
        {"no events: the heartbeat alone", 10, {}, HookedEvent::Renamed, "H1000 H2000"},
        {"a burst gives one scan", 10, {100, 100, 100, 100, 100}, HookedEvent::Renamed, "E100 H1000 H2000"},
        {"separate events, separate scans", 10, {100, 500}, HookedEvent::Renamed, "E100 E500 H1000 H2000"},
        // Events during a scan and the gap after it: one more scan (how long
        // the gap is, the storms below tell).
        {"events during the scan", 100, {100, 150, 250, 350}, HookedEvent::Renamed, "E100 E400 H1000 H2000"},
        {"an event during a heartbeat scan", 10, {1005}, HookedEvent::Renamed, "H1000 E1030 H2000"},
        // The gap lasts past the heartbeat: the heartbeat scan answers the event.
        {"the heartbeat covers a waiting event", 400, {100, 900}, HookedEvent::Renamed, "E100 H1000 H2000"},
        // A window created may show a moment later: two more looks after a burst of creations.
        {"a creation is looked at again", 10, {100, 150, 200}, HookedEvent::Created, "E100 E150 E200 E300 E600 H1000 H2000"},
    };
    for (const auto& c : cases) {
        Timeline t;
        t.scanCost = c.cost;
        t.events = c.events;
        t.kind = c.kind;
        t.Run(2500);
        EXPECT_EQ(c.scans, t.scans) << c.what;
    }
}

// Which events wake the scan: the client's main window, its MDI area, an MDI
// window with a control, a toolbar, a progress dialog with its text, one gone.
TEST(ScanSchedule, OnlyTheWindowsTheScanReadsWakeIt) {
    enum : WindowHandle { kMain = 1, kMdiArea, kDesigner, kField, kToolbar, kDialog, kText, kGone };
    const WindowHandle parents[] = {0, 0, kMain, kMdiArea, kDesigner, kMain, 0, kDialog, 0};  // by window
    using E = HookedEvent;
    const EventObject window = EventObject::Window, area = EventObject::ClientArea, other = EventObject::Other;
    const struct { E event; EventObject object; WindowHandle window; bool wakes; } cases[] = {
        {E::Renamed, window, kText, false},   {E::Moved, window, kText, false},     {E::Shown, window, kToolbar, false},
        {E::Hidden, window, kField, false},   {E::Created, window, kField, false},  {E::Renamed, window, kDialog, true},
        {E::Renamed, window, kDesigner, true}, {E::Moved, window, kMain, true},     {E::Moved, window, kMdiArea, true},
        {E::Renamed, area, kDesigner, false}, {E::Renamed, other, kDesigner, false}, {E::Hidden, window, kGone, true},
        // Z-order on the MDI area's client area; focus and foreground on any window.
        {E::Reordered, area, kMdiArea, true}, {E::Focused, area, kField, true}, {E::Foreground, window, kText, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.wakes, WakesScan(c.event, c.object, {c.window, parents[c.window], c.window == kGone},
                                     {kMain, kMdiArea}))
            << "event " << static_cast<int>(c.event) << " on window " << c.window;
}

// A progress dialog's text changing 100 times a second brings no scan forward.
TEST(ScanSchedule, AProgressDialogsTextAddsNoScan) {
    Timeline t;
    t.fromProgressText = true;
    t.events = Every(10, 0, 9999);
    t.Run(9999);
    EXPECT_EQ(std::string::npos, t.scans.find('E')) << t.scans;
}

// Storms of the MDI windows.
TEST(ScanSchedule, StormsCostAtMostAThirdOfTheTime) {
    for (const HookedEvent kind : {HookedEvent::Renamed, HookedEvent::Created}) {
        for (const std::int64_t cost : {1, 7, 40, 300}) {
            Timeline t;
            t.scanCost = cost;
            t.kind = kind;
            t.timerMinimum = 10;  // as SetTimer's
            t.events = Every(1, 0, 9999);  // an event every millisecond for 10 s
            t.Run(9999);
            // The heartbeats come on top of the event-driven scans' third.
            EXPECT_LE(t.busy, 10000 / 3 + cost + 10 * cost) << "cost " << cost;
            // And the storm is followed, never pushed out: a scan at least
            // every gap and timer delay.
            EXPECT_GE(t.busy, 10000 * cost / (3 * cost + 10) - 2 * cost) << "cost " << cost;
        }
    }
}

TEST(ScanSchedule, SoundKeepsTheIntervalsRhythm) {
    const struct {
        const char* what;
        std::vector<std::int64_t> events;
        std::vector<std::pair<std::int64_t, std::int64_t>> duplicates;
        std::vector<std::int64_t> sounds;
    } cases[] = {
        {"a lasting duplicate, no events", {}, {{0, kNever}}, {1000, 2000, 3000}},
        {"event-driven scans stay silent", {1200, 1990, 2500}, {{0, kNever}}, {1000, 2000, 3000}},
        // A new duplicate sounds at once; the next heartbeat passes its turn.
        {"a new duplicate", {1500}, {{1500, kNever}}, {1500, 3000}},
        {"a new duplicate just before a heartbeat", {1990}, {{1990, kNever}}, {1990, 3000}},
        // Until the heartbeat after the passed turn, extra scans stay silent too.
        {"extra scans wait for the heartbeat", {500, 1700}, {{500, kNever}}, {500, 2000, 3000}},
        {"a duplicate that comes back", {500, 2500}, {{500, 1500}, {2500, kNever}}, {500, 2500}},
    };
    for (const auto& c : cases) {
        Timeline t;
        t.events = c.events;
        t.duplicates = c.duplicates;
        t.Run(3500);
        EXPECT_EQ(c.sounds, t.sounds) << c.what;
    }
}

TEST(ScanSchedule, ExtraScansAddNoSoundsToALastingDuplicate) {
    Timeline quiet, busy;
    quiet.duplicates = busy.duplicates = {{300, kNever}};
    busy.events = Every(137, 0, 10000);
    quiet.Run(10000);
    busy.Run(10000);
    EXPECT_EQ(quiet.sounds.size(), busy.sounds.size());
    for (std::size_t i = 1; i < busy.sounds.size(); ++i) EXPECT_GE(busy.sounds[i] - busy.sounds[i - 1], 1000);
}

TEST(ScanSchedule, ScansNotAnnouncedSoundAsAlways) {
    ScanSchedule schedule;
    schedule.ScanStarted(0, ScanCause::Heartbeat);
    schedule.SoundPlayed();
    schedule.ScanFinished(5);
    EXPECT_TRUE(schedule.MaySound());  // e.g. the refresh the user asks for
    schedule.ScanStarted(10, ScanCause::WindowEvent);
    EXPECT_FALSE(schedule.MaySound());
}

}  // namespace
}  // namespace brisolt
