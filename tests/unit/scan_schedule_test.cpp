// The scan schedule over time: a timeline of window events, the heartbeat
// every interval and a one-shot timer that fires when an event-driven scan is
// due, with scans of a given cost and a duplicate that may last.
#include "program/scan_schedule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace brisolt {
namespace {

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

struct Timeline {
    int interval = 1000;
    std::int64_t scanCost = 10;
    std::vector<std::int64_t> events;   // sorted
    // The scans see a duplicate in these spans [from, until).
    std::vector<std::pair<std::int64_t, std::int64_t>> duplicates;

    // "E100 H1000": each scan's cause and start.
    std::string scans;
    std::vector<std::int64_t> sounds;
    std::int64_t busy = 0;  // time spent scanning

    // The one-shot timer follows the due time: armed anew only when the due
    // time changes (a re-armed timer starts counting again), firing no
    // sooner than this after it was armed.
    std::int64_t timerMinimum = 0;

    void Run(std::int64_t end) {
        ScanSchedule schedule;
        schedule.SetInterval(interval);
        std::size_t next = 0;  // the next event
        std::int64_t clock = 0, nextBeat = interval, firesAt = kNever;
        std::optional<std::int64_t> armedFor;
        const auto follow = [&] {
            const std::optional<std::int64_t> due = schedule.EventScanDueAt();
            if (due == armedFor) return;
            armedFor = due;
            firesAt = due ? std::max(*due, clock + timerMinimum) : kNever;
        };
        for (;;) {
            const std::int64_t event = next < events.size() ? events[next] : kNever;
            // A timer that came due during a scan fires when the scan is done.
            const std::int64_t at = std::max(clock, std::min({event, nextBeat, firesAt}));
            if (at > end) return;
            clock = at;
            if (event <= std::min(nextBeat, firesAt)) {
                schedule.OnWindowEvent(clock);
                ++next;
                follow();
                continue;
            }
            const bool beat = nextBeat <= firesAt;
            if (beat) {
                nextBeat += interval;
            } else {
                armedFor.reset();
                firesAt = kNever;
                if (!schedule.EventScanDue(clock)) {
                    follow();
                    continue;
                }
            }
            schedule.ScanStarted(clock, beat ? ScanCause::Heartbeat : ScanCause::WindowEvent);
            follow();
            scans += (scans.empty() ? "" : " ") + std::string(beat ? "H" : "E") + std::to_string(clock);
            const bool duplicate = std::any_of(duplicates.begin(), duplicates.end(),
                                               [&](auto span) { return span.first <= clock && clock < span.second; });
            if (duplicate && schedule.MaySound()) {
                sounds.push_back(clock);
                schedule.SoundPlayed();
            }
            const std::int64_t finish = clock + scanCost;
            for (; next < events.size() && events[next] < finish; ++next) schedule.OnWindowEvent(events[next]);
            busy += scanCost;
            clock = finish;
            schedule.ScanFinished(clock);
            follow();
        }
    }
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
        const char* scans;
    } cases[] = {
        {"no events: the heartbeat alone", 10, {}, "H1000 H2000"},
        {"a burst gives one scan", 10, {100, 100, 100, 100, 100}, "E100 H1000 H2000"},
        {"separate events, separate scans", 10, {100, 500}, "E100 E500 H1000 H2000"},
        // Events during a scan and during the gap after it: one scan when the
        // gap (twice the cost) is over.
        {"events during the scan", 10, {100, 103, 109}, "E100 E130 H1000 H2000"},
        {"a slow scan's gap", 100, {100, 150, 250, 399}, "E100 E400 H1000 H2000"},
        {"an event after the gap", 100, {100, 400}, "E100 E400 H1000 H2000"},
        {"an event during a heartbeat scan", 10, {1005}, "H1000 E1030 H2000"},
        // The gap lasts past the heartbeat: the heartbeat scan answers the event.
        {"the heartbeat covers a waiting event", 400, {100, 900}, "E100 H1000 H2000"},
    };
    for (const auto& c : cases) {
        Timeline t;
        t.scanCost = c.cost;
        t.events = c.events;
        t.Run(2500);
        EXPECT_EQ(c.scans, t.scans) << c.what;
    }
}

TEST(ScanSchedule, StormsCostAtMostAThirdOfTheTime) {
    for (const std::int64_t cost : {1, 7, 40, 300}) {
        Timeline t;
        t.scanCost = cost;
        t.timerMinimum = 10;  // as SetTimer's
        t.events = Every(1, 0, 9999);  // an event every millisecond for 10 s
        t.Run(9999);
        // The heartbeats come on top of the event-driven scans' third.
        EXPECT_LE(t.busy, 10000 / 3 + cost + 10 * cost) << "cost " << cost;
        // And the storm is followed: a scan at least every gap and timer delay.
        EXPECT_GE(t.busy, 10000 * cost / (3 * cost + t.timerMinimum) - 2 * cost) << "cost " << cost;
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
    for (std::size_t i = 1; i < busy.sounds.size(); ++i) EXPECT_GE(busy.sounds[i] - busy.sounds[i - 1], busy.interval);
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
