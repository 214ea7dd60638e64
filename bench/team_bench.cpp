// Team mode at the size of a large team: 50 other copies with 50 open
// designers each in a folder in memory (and the Team page's rows for them). What one cycle of ours costs when
// nothing changed (list, the reads that are due, liveness) plus matching the
// others against 50 rows, and how many listings and reads it makes; the same
// beside 1,000 junk files that look like records, which a cycle reads at most
// SyncTiming::maxReadsPerCycle of.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "fake_team_folder.h"
#include "fakes.h"
#include "program/team_page.h"
#include "team/overlap.h"
#include "team/record.h"
#include "team/sync.h"

namespace brisolt::team {
namespace {

constexpr int kCopies = 50, kObjects = 50, kRows = 50;

Record CopyRecord(int copy) {
    Record r;
    r.user = "user" + std::to_string(copy);
    r.computer = "PC-" + std::to_string(copy);
    r.runId = "run" + std::to_string(copy);
    // Every copy has its own objects; copy 0 also has the first of our rows.
    for (int i = 0; i < kObjects; ++i)
        r.objects.push_back({{i % 5, std::to_string(copy * 1000 + i)}, 1700000000 + i});
    return r;
}

struct Team {
    test::FakeTeamFolder folder;
    std::vector<Record> records;
    std::vector<std::string> names;
    Record mine;
    std::vector<ObjectId> rows;
    TeamSync sync;

    // `junk`: files beside the records that are none; `dead`: records crashed
    // copies left 2 to 300 days ago.
    explicit Team(int junk = 0, int dead = 0) {
        for (int j = 0; j < junk; ++j)
            folder.Put("junk" + std::to_string(j) + std::string(kRecordExtension), "BrisoltTeam 1\nnot a record\n");
        for (int d = 0; d < dead; ++d) {
            Record r = CopyRecord(1000 + d);
            folder.Put(RecordFileName(r.computer, r.user, r.runId), WriteRecord(r), (2 + d % 299) * 86400000LL);
        }
        for (int c = 0; c < kCopies; ++c) {
            records.push_back(CopyRecord(c));
            names.push_back(RecordFileName(records[c].computer, records[c].user, records[c].runId));
            Heartbeat(c);
        }
        mine.user = "me";
        mine.computer = "PC-0";
        mine.runId = "mine";
        // Our 50 rows: 5 of them open on other PCs too.
        for (int i = 0; i < kRows; ++i) {
            ObjectId id = i < 5 ? records[i * 7].objects[i].id : ObjectId{i % 5, std::to_string(900000 + i)};
            rows.push_back(id);
            mine.objects.push_back({id, 1700000000});
        }
    }
    // Copy c rewrites its record, as every copy does once per heartbeat.
    void Heartbeat(int c) {
        ++records[c].sequence;
        folder.Put(names[c], WriteRecord(records[c]));
    }
};

// One interval is a second; the others heartbeat every 10 s, spread over the period.
void BM_TeamCycleAndMatch_NothingChanged(benchmark::State& state) {
    Team team(static_cast<int>(state.range(0)));
    std::int64_t now = 0;
    std::size_t overlapped = 0;
    OverlapAlarm alarm;
    std::int64_t mostReads = 0;
    double slowest = 0;
    auto second = [&](bool timed) {
        now += 1000;
        team.folder.shareMs += 1000;
        const int readsBefore = team.folder.TotalReads();
        for (int c = 0; c < kCopies; ++c)
            if ((now / 1000 + c) % 10 == 0) team.Heartbeat(c);
        const auto start = std::chrono::steady_clock::now();
        const TeamState s = team.sync.Cycle(team.folder, team.mine, now);
        const std::vector<RowOverlap> overlaps = MatchRows(team.rows, s.others);
        alarm.Update(overlaps, s.others, now);
        const auto end = std::chrono::steady_clock::now();
        if (timed) mostReads = std::max<std::int64_t>(mostReads, team.folder.TotalReads() - readsBefore);
        if (timed) slowest = std::max(slowest, std::chrono::duration<double, std::micro>(end - start).count());
        overlapped = 0;
        for (const RowOverlap& r : overlaps) overlapped += !r.holders.empty();
        if (!s.folderOk || s.others.size() != kCopies) state.SkipWithError("a copy dropped out");
        return timed ? std::chrono::duration<double>(end - start).count() : 0.0;
    };
    for (int i = 0; i < 60; ++i) second(false);  // settle: everyone read, everyone heartbeating
    const int lists0 = team.folder.lists, reads0 = team.folder.TotalReads(), writes0 = team.folder.writes;
    long long cycles = 0;
    for (auto _ : state) {
        state.SetIterationTime(second(true));
        ++cycles;
    }
    const double periods = static_cast<double>(cycles) / 10.0;
    state.counters["overlapped_rows"] = static_cast<double>(overlapped);
    state.counters["most_reads_in_a_cycle"] = static_cast<double>(mostReads);
    state.counters["slowest_cycle_us"] = slowest;
    state.counters["lists_per_cycle"] = static_cast<double>(team.folder.lists - lists0) / cycles;
    state.counters["reads_per_cycle"] = static_cast<double>(team.folder.TotalReads() - reads0) / cycles;
    // The others' own writes are in the folder's count too: ours are the rest.
    state.counters["reads_per_other_per_10s"] =
        static_cast<double>(team.folder.TotalReads() - reads0) / periods / kCopies;
    state.counters["own_writes_per_10s"] =
        (static_cast<double>(team.folder.writes - writes0)) / periods;
}
// Arg: junk files beside the 50 records.
BENCHMARK(BM_TeamCycleAndMatch_NothingChanged)->Arg(0)->Arg(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);

// A year of crashes in the folder: the first cycle beside 1,000 dead
// records, and what a cycle reads once they are cleared (a few a cycle).
void BM_TeamCycleBeside1000DeadRecords(benchmark::State& state) {
    double slowest = 0, cyclesToClear = 0, readsAfter = 0;
    for (auto _ : state) {
        Team team(0, 1000);
        std::int64_t now = 0;
        double first = 0;
        for (int cycle = 0; team.folder.files.size() > kCopies + 1; ++cycle, now += 2000) {
            team.folder.shareMs += 2000;
            const auto start = std::chrono::steady_clock::now();
            team.sync.Cycle(team.folder, team.mine, now);
            const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
            if (cycle == 0) first = us;
            slowest = std::max(slowest, us);
            cyclesToClear = cycle + 1;
        }
        // Cleared: a minute of cycles, every copy heartbeating every 10 s.
        const int reads0 = team.folder.TotalReads();
        for (int s = 0; s < 60; s += 2, now += 2000) {
            team.folder.shareMs += 2000;
            for (int c = 0; c < kCopies; ++c)
                if ((now / 1000 + c) % 10 == 0 || (now / 1000 + c) % 10 == 1) team.Heartbeat(c);
            team.sync.Cycle(team.folder, team.mine, now);
        }
        readsAfter = (team.folder.TotalReads() - reads0) / 60.0;
        state.SetIterationTime(first / 1e6);
    }
    state.counters["slowest_cycle_us"] = slowest;
    state.counters["cycles_to_clear"] = cyclesToClear;
    state.counters["reads_per_s_after"] = readsAfter;  // the 50 live records, each once in 10 s: 5
}
BENCHMARK(BM_TeamCycleBeside1000DeadRecords)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_TeamMatch50Rows(benchmark::State& state) {
    Team team;
    const TeamState s = team.sync.Cycle(team.folder, team.mine, 0);
    for (auto _ : state) benchmark::DoNotOptimize(MatchRows(team.rows, s.others));
}
BENCHMARK(BM_TeamMatch50Rows)->Unit(benchmark::kMicrosecond);

void BM_TeamParseRecord50Objects(benchmark::State& state) {
    const std::string text = WriteRecord(CopyRecord(1));
    Record r;
    for (auto _ : state) benchmark::DoNotOptimize(ParseRecord(text, r));
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_TeamParseRecord50Objects)->Unit(benchmark::kMicrosecond);

// The Team page at every scan while it is shown: its rows built from 50
// copies x 50 named objects, sorted, filtered by what the user typed.
void BM_TeamPageRows50x50(benchmark::State& state, const char* filter) {
    std::vector<Record> others;
    for (int c = 0; c < kCopies; ++c) {
        others.push_back(CopyRecord(c));
        others.back().startedUtc = 1700000000;
        for (OpenObject& o : others.back().objects) o.name = "Sales-Post Line " + o.id.number;
    }
    std::vector<ObjectId> here;
    for (int i = 0; i < kRows; ++i) here.push_back(others[i % kCopies].objects[i % kObjects].id);
    // As the clock formats a time of day: "10:42".
    auto timeOfDay = [](std::int64_t utc) {
        char text[8];
        std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(utc / 3600 % 24), static_cast<int>(utc / 60 % 60));
        return std::string(text);
    };
    test::FakeCodePage codePage;
    auto lower = [&codePage](std::string_view text) { return codePage.Lower(text); };
    std::size_t shown = 0;
    for (auto _ : state) shown = BuildTeamRows(others, here, filter, timeOfDay, lower).objects.size();
    state.counters["rows_shown"] = static_cast<double>(shown);
}
BENCHMARK_CAPTURE(BM_TeamPageRows50x50, typed_80, "80")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TeamPageRows50x50, typed_codeunit_sales, "Codeunit sales")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TeamPageRows50x50, nothing_typed, "")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brisolt::team
