// When the desktop is scanned: which of the client's window events wake the
// scan, and when the scans they ask for run (see scan_timeline.h).
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "scan_timeline.h"

namespace brisolt {
namespace {

constexpr std::int64_t kNever = test::ScanTimeline::kNever;
using Timeline = test::ScanTimeline;

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
        {"a creation is looked at again", 10, {100, 150, 200}, HookedEvent::Created,
         "E100 E150 E200 E300 E600 H1000 H2000"},
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

// Which events wake the scan, on a client with a designer and a field in it,
// a toolbar beside its MDI area, and a progress dialog with its text.
TEST(ScanSchedule, OnlyTheWindowsTheScanReadsWakeIt) {
    test::SimDesktop d;
    test::SimClient client(d);
    const WindowHandle designer = client.Open("Table 18 Customer - Table Designer");
    const WindowHandle field = d.AddChild(designer, "No.");
    const WindowHandle toolbar = d.AddChild(client.main, "");
    const WindowHandle dialog = d.AddTopLevel("Posting");
    const WindowHandle text = d.AddChild(dialog, "Posting line 1 of 2000");
    const WindowHandle gone = d.AddChild(dialog, "Cancel");
    d.Remove(gone);
    using E = HookedEvent;
    using O = EventObject;
    const struct {
        E event;
        O object;
        WindowHandle window;
        bool wakes;
    } cases[] = {
        {E::Renamed, O::Window, text, false},    {E::Moved, O::Window, text, false},
        {E::Shown, O::Window, toolbar, false},   {E::Hidden, O::Window, field, false},
        {E::Created, O::Window, field, false},   {E::Reordered, O::ClientArea, client.mdiArea, true},
        {E::Renamed, O::Window, dialog, true},   {E::Renamed, O::Window, designer, true},
        {E::Moved, O::Window, client.main, true}, {E::Moved, O::Window, client.mdiArea, true},
        {E::Created, O::Window, designer, true}, {E::MinimiseStarted, O::Window, designer, true},
        {E::Renamed, O::ClientArea, designer, false}, {E::Renamed, O::Other, designer, false},
        // Focus and foreground on any window; a window gone may have been read.
        {E::Focused, O::ClientArea, field, true}, {E::Focused, O::ClientArea, client.mdiArea, true},
        {E::Foreground, O::Window, dialog, true}, {E::Hidden, O::Window, gone, true},
        {E::Destroyed, O::Window, gone, true},   {E::Focused, O::Other, field, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.wakes,
                  WakesScan(c.event, c.object, test::EventWindowOf(d, c.window), test::FrameOf(d, client.main)))
            << "event " << static_cast<int>(c.event) << " on " << d.Get(c.window == gone ? dialog : c.window).title;
}

// A progress dialog whose text changes 100 times a second adds no scan.
TEST(ScanSchedule, AProgressDialogsTextAddsNoScan) {
    Timeline quiet, storm;
    for (Timeline* t : {&quiet, &storm}) {
        t->source = t->t.desktop.AddChild(t->t.desktop.AddTopLevel("Posting"), "Posting line 1 of 2000");
        t->timerMinimum = 10;
    }
    storm.events = Every(10, 0, 9999);
    quiet.Run(9999);
    storm.Run(9999);
    EXPECT_EQ(quiet.scans, storm.scans);
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
