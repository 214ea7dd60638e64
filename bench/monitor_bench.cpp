// The per-tick costs: duplicate marking against the all-pairs rule it
// replaces, a whole tick against the bare window walk beneath it, and the
// scans a storm of window events brings.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <string>
#include <vector>

#include "program/tick.h"
#include "scan/scan.h"
#include "sim_client.h"
#include "test_app.h"
#include "titles/designer_title.h"

namespace brisolt {
namespace {

// The rule as first written: every ordered pair of rows compared. Kept here
// only to measure MarkDuplicates against it.
bool MarkDuplicatesAllPairs(std::vector<ClientRow>& rows) {
    bool any = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ClientRow& row = rows[i];
        row.duplicate = false;
        for (std::size_t j = 0; j < rows.size(); ++j)
            if (row.title == rows[j].title && i != j && row.designer.IsDesigner()) row.duplicate = true;
        any = any || row.duplicate;
    }
    return any;
}

enum Mix { kDistinct, kIdentical, kRealistic };

const char* const kTypes[] = {"Table ", "Form ", "Report ", "Dataport ", "Codeunit "};
const char* const kSuffixes[] = {" - Table Designer", " - Formular Designer", " - Report Designer",
                                 " - Dataport Designer", " - C/AL Editor"};

std::string DesignerTitle(int type, int number) {
    return std::string(kTypes[type]) + std::to_string(number) + " Demo Object " + std::to_string(number) +
           kSuffixes[type];
}

// Row i's title: all different; all the same; or what a busy developer has
// open: mostly distinct designers, every tenth one open twice, a few
// non-designer windows and number-0 objects.
std::string TitleFor(Mix mix, int i) {
    switch (mix) {
        case kDistinct: return DesignerTitle(i % 5, 1000 + i);
        case kIdentical: return DesignerTitle(0, 18);
        case kRealistic:
            if (i % 17 == 3) return "Object Designer";
            if (i % 23 == 5) return "Table 0 - Table Designer";
            if (i % 10 == 9) return DesignerTitle((i - 1) % 5, 1000 + i - 1);
            return DesignerTitle(i % 5, 1000 + i);
    }
    return {};
}

std::vector<ClientRow> Rows(Mix mix, int count) {
    std::vector<ClientRow> rows;
    for (int i = 0; i < count; ++i) {
        const std::string title = TitleFor(mix, i);
        rows.push_back({title, static_cast<WindowHandle>(i + 1), IdentifyDesigner(title, FormDesignerVariant::Formular)});
    }
    return rows;
}

template <bool (*Mark)(std::vector<ClientRow>&)>
void BM_Duplicates(benchmark::State& state) {
    std::vector<ClientRow> rows = Rows(static_cast<Mix>(state.range(1)), static_cast<int>(state.range(0)));

    // Both rules must agree before their speed is worth comparing.
    std::vector<ClientRow> reference = rows;
    const bool referenceAlarm = MarkDuplicatesAllPairs(reference);
    const bool alarm = MarkDuplicates(rows);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].duplicate != reference[i].duplicate) state.SkipWithError("flags differ");
    if (alarm != referenceAlarm) state.SkipWithError("alarms differ");

    for (auto _ : state) benchmark::DoNotOptimize(Mark(rows));
    state.SetComplexityN(state.range(0));
}

void DuplicateArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"rows", "mix"});
    for (int mix : {kDistinct, kIdentical, kRealistic})
        for (int rows : {10, 100, 1023}) b->Args({rows, mix});
}

BENCHMARK_TEMPLATE(BM_Duplicates, MarkDuplicates)->Apply(DuplicateArgs);
BENCHMARK_TEMPLATE(BM_Duplicates, MarkDuplicatesAllPairs)->Apply(DuplicateArgs);

// A desktop of 1023 listed top-level windows, one of them the client with
// 1023 windows of its own, the list window on top.
struct BusyDesktop {
    test::TestApp t;
    WindowHandle clientMain = 0;

    BusyDesktop() {
        for (int i = 0; i < 500; ++i) t.desktop.AddTopLevel("Application window " + std::to_string(i));
        test::SimClient client(t.desktop);
        clientMain = client.main;
        for (int i = 0; i < 1023; ++i) client.Open(TitleFor(kRealistic, i));
        for (int i = 500; i < 1022; ++i) t.desktop.AddTopLevel("Application window " + std::to_string(i));
        Settings& s = t.app.settings;
        s.showClientWindows = true;
        s.showTopLevelWindows = true;
        s.shortNames = true;
        s.alarmSound = true;
        s.logging = true;
        s.logFile = "access.csv";
    }

    // What any scan must do: every window's title, visibility and rectangle.
    long long BareWalk() {
        Desktop& d = t.desktop;
        long long sum = 0;
        auto read = [&](WindowHandle w, std::size_t titleBuffer) {
            sum += static_cast<long long>(d.Title(w, titleBuffer).size()) + d.IsVisible(w) + d.WindowRect(w).left;
        };
        for (WindowHandle w : d.TopLevelWindows()) {
            read(w, 0);
            if (w != clientMain) continue;
            const std::vector<WindowHandle> area = d.ChildWindows(w);
            if (!area.empty())
                for (WindowHandle c : d.ChildWindows(area.front())) read(c, kTitleBuffer);
        }
        return sum;
    }
};

void BM_BareWalk(benchmark::State& state) {
    BusyDesktop desk;
    for (auto _ : state) benchmark::DoNotOptimize(desk.BareWalk());
}
BENCHMARK(BM_BareWalk)->Unit(benchmark::kMicrosecond);

void BM_WholeTick(benchmark::State& state) {
    BusyDesktop desk;
    RefreshWindowList(desk.t.app);
    if (desk.t.app.scan.topLevel.size() != 1023 || desk.t.app.scan.clientWindows.size() != 1023)
        state.SkipWithError("the desktop is not the one described");

    using Clock = std::chrono::steady_clock;
    long long ticks = 0;
    Clock::time_point start = Clock::now();
    for (auto _ : state) {
        RefreshWindowList(desk.t.app);
        ++ticks;
    }
    double tickNs = std::chrono::duration<double, std::nano>(Clock::now() - start).count() / std::max(1LL, ticks);

    // The same number of bare walks over the same windows, for the ratio.
    start = Clock::now();
    for (long long i = 0; i < ticks; ++i) benchmark::DoNotOptimize(desk.BareWalk());
    double walkNs = std::chrono::duration<double, std::nano>(Clock::now() - start).count() / std::max(1LL, ticks);

    state.counters["walk_us"] = walkNs / 1000;
    state.counters["tick_over_walk"] = tickNs / walkNs;
}
BENCHMARK(BM_WholeTick)->Unit(benchmark::kMicrosecond);

// The hook's rule as first written: any window one or two levels below a
// top-level window counted (dialog controls, toolbars, status bars). Kept here
// only to measure WakesScan against it. (Of the client area, only focus and
// Z-order changes counted, as now; the storm below names window objects.)
bool WakesScanByDepth(HookedEvent event, test::SimDesktop& desktop, WindowHandle w) {
    if (event == HookedEvent::Focused || event == HookedEvent::Foreground || event == HookedEvent::Destroyed)
        return true;
    if (!desktop.Has(w)) return true;
    for (int depth = 0; depth <= 2; ++depth, w = desktop.Get(w).parent)
        if (desktop.Get(w).parent == 0) return true;
    return false;
}

enum StormRule { kNoEvents, kByDepth, kWakesScan };

class StormTimer : public OneShotTimer {
public:
    explicit StormTimer(const std::int64_t& clock) : clock_(clock) {}
    std::int64_t ticksAt = -1;  // -1: stopped
    bool Start(std::int64_t delayMs) override {
        ticksAt = clock_ + std::max<std::int64_t>(delayMs, 10);  // SetTimer waits at least 10 ms
        return true;
    }
    void Stop() override { ticksAt = -1; }

private:
    const std::int64_t& clock_;
};

// A minute of the usual client (40 windows beside 30 of other programs) while
// a progress dialog's text changes 100 times a second, each change asked of
// the rule as the hook asks it: the scans a second, the CPU the run takes on
// the simulated desktop for each simulated second, and the share of the time
// spent scanning were a scan to cost 1 ms. The heartbeat scans every second.
// Goal: the same as with no events.
void BM_EventStorm(benchmark::State& state, StormRule rule) {
    constexpr std::int64_t kMinuteMs = 60000, kScanMs = 1;
    double scansPerSecond = 0, cpuUsPerSecond = 0, busyPercent = 0;
    for (auto _ : state) {
        test::TestApp t;
        test::SimClient client(t.desktop);
        for (int i = 0; i < 30; ++i) t.desktop.AddTopLevel("Application window " + std::to_string(i));
        for (int i = 0; i < 40; ++i) client.Open(TitleFor(kRealistic, i));
        const WindowHandle text = t.desktop.AddChild(t.desktop.AddTopLevel("Posting"), "Line 1 of 2000");
        std::int64_t& clock = t.clock.steadyMs;
        StormTimer timer(clock);
        t.app.platform.eventScanTimer = &timer;
        t.app.program.scanTimer.interval = 1000;
        int scans = 0;
        t.desktop.onTitleRead = [&, presents = -1](WindowHandle) mutable {
            if (presents == t.listWindow.presents) return;  // a scan's first look
            presents = t.listWindow.presents;
            clock += kScanMs;
            ++scans;
        };
        const std::int64_t start = clock, end = start + kMinuteMs;
        std::int64_t nextEvent = rule == kNoEvents ? end : start, nextBeat = start + 1000;
        const std::clock_t cpuStart = std::clock();
        while (clock < end) {
            const std::int64_t tick = timer.ticksAt < 0 ? end : timer.ticksAt;
            clock = std::max(clock, std::min({nextEvent, nextBeat, tick}));
            if (nextEvent <= std::min(nextBeat, tick)) {
                nextEvent = nextEvent + 10 < end ? nextEvent + 10 : end;
                const bool wakes = rule == kByDepth ? WakesScanByDepth(HookedEvent::Renamed, t.desktop, text)
                                                    : WakesScan(HookedEvent::Renamed, EventObject::Window,
                                                                {text, t.desktop.Get(text).parent},
                                                                {client.main, client.mdiArea});
                if (wakes) ClientWindowChanged(t.app, WindowEvent::Changed);
            } else if (nextBeat <= tick) {
                nextBeat += 1000;
                HeartbeatTick(t.app);
            } else if (tick < end) {
                timer.Stop();
                EventScanTimerTick(t.app);
            }
        }
        const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        scansPerSecond = scans / 60.0;
        cpuUsPerSecond = cpuSeconds * 1e6 / 60;
        busyPercent = 100.0 * scans * kScanMs / kMinuteMs;
    }
    state.counters["scans_per_s"] = scansPerSecond;
    state.counters["cpu_us_per_s"] = cpuUsPerSecond;
    state.counters["busy_pct"] = busyPercent;
}
BENCHMARK_CAPTURE(BM_EventStorm, no_events, kNoEvents)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EventStorm, by_depth, kByDepth)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EventStorm, wakes_scan, kWakesScan)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brisolt
