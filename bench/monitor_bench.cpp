// The monitor's per-tick costs: duplicate marking against the all-pairs rule
// it replaces, and a whole tick against the bare window walk beneath it.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "monitor/designer_title.h"
#include "monitor/duplicates.h"
#include "monitor/scan_cycle.h"
#include "sim_client.h"
#include "test_app.h"

namespace brisolt {
namespace {

// The rule as first written: every ordered pair of rows compared, one alert
// request per pair of identical designer titles. Kept here only to measure
// MarkDuplicates against it.
long long MarkDuplicatesAllPairs(App& app) {
    OpenObjectTable& table = app.scan.Objects;
    FormDesignerVariant variant = CurrentFormVariant(app);
    long long requests = 0;
    for (int i = 0; i < table.Count; ++i) {
        OpenObjectEntry& row = table.Rows[i];
        row.Duplicate = false;
        for (int j = 0; j < table.Count; ++j) {
            if (row.Title == table.Rows[j].Title && i != j && IsDesignerTitle(row.Title, variant)) {
                row.Duplicate = true;
                ++requests;
            }
        }
    }
    if (app.forms.frmAllgemein.chkAlarm.Value != 1 || requests == 0) return 0;
    app.platform.sound->Exclamation(static_cast<int>(requests));
    return requests;
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

void FillTable(App& app, Mix mix, int rows) {
    for (int i = 0; i < rows; ++i) {
        app.scan.Objects.Rows[i].Title = TitleFor(mix, i);
        app.scan.Objects.Rows[i].Window = static_cast<WindowHandle>(i + 1);
    }
    app.scan.Objects.Count = rows;
    app.forms.frmAllgemein.chkAlarm.Value = 1;
}

template <long long (*Mark)(App&)>
void BM_Duplicates(benchmark::State& state) {
    test::TestApp t;
    FillTable(t.app, static_cast<Mix>(state.range(1)), static_cast<int>(state.range(0)));

    // Both rules must agree before their speed is worth comparing.
    long long reference = MarkDuplicatesAllPairs(t.app);
    std::vector<bool> flags;
    for (int i = 0; i < t.app.scan.Objects.Count; ++i) flags.push_back(t.app.scan.Objects.Rows[i].Duplicate);
    long long requests = MarkDuplicates(t.app);
    for (int i = 0; i < t.app.scan.Objects.Count; ++i)
        if (flags[i] != t.app.scan.Objects.Rows[i].Duplicate) state.SkipWithError("flags differ");
    if (requests != reference) state.SkipWithError("request counts differ");

    for (auto _ : state) benchmark::DoNotOptimize(Mark(t.app));
    state.counters["requests"] = static_cast<double>(requests);
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
        auto& forms = t.app.forms;
        forms.frmFensterliste.chkShowClients.Value = 1;
        forms.frmFensterliste.chkShowParents.Value = 1;
        forms.frmFensterliste.chkShortNames.Value = 1;
        forms.frmAllgemein.chkAlarm.Value = 1;
        forms.frmAllgemein.chkLogging.Value = 1;
        forms.frmAllgemein.edLogFilename.Text = "access.csv";
    }

    // What any scan must do: every window's title, visibility and rectangle.
    long long BareWalk() {
        Desktop& d = t.desktop;
        long long sum = 0;
        auto walk = [&](WindowHandle w, std::size_t titleBuffer) {
            for (int n = 0; w && n < kWalkLimit + 1; w = d.NextSibling(w), ++n) {
                sum += static_cast<long long>(d.Title(w, titleBuffer).size()) + d.IsVisible(w) + d.WindowRect(w).left;
                if (w == clientMain) {
                    WindowHandle area = d.FirstChild(w);
                    for (WindowHandle c = d.FirstChild(area); c; c = d.NextSibling(c))
                        sum += static_cast<long long>(d.Title(c, kTitleBuffer).size()) + d.IsVisible(c) +
                               d.WindowRect(c).left;
                }
            }
        };
        walk(d.FirstSibling(d.AnyTopLevelWindow()), 0);
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
    tmr1_Timer(desk.t.app);
    if (desk.t.app.scan.TopWindowCount != 1023 || desk.t.app.scan.Objects.Count != 1023)
        state.SkipWithError("the desktop is not the one described");

    using Clock = std::chrono::steady_clock;
    long long ticks = 0;
    Clock::time_point start = Clock::now();
    for (auto _ : state) {
        tmr1_Timer(desk.t.app);
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

}  // namespace
}  // namespace brisolt
