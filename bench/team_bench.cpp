// Team mode at the size of a large team: 50 other copies with 50 open
// designers each in a folder in memory (and the Team page's rows for them). What one cycle of ours costs when
// nothing changed (list, the reads that are due, liveness) plus matching the
// others against 50 rows, and how many listings and reads it makes; the same
// beside 1,000 junk files that look like records, which a cycle reads at most
// SyncTiming::maxReadsPerCycle of. And the designer history of a team of 20
// over a year, in files on a local disk: read and merged by a fresh reader,
// and searched once read.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#if defined(__unix__)
#include <fcntl.h>
#include <unistd.h>
#endif

#include "fake_team_folder.h"
#include "fakes.h"
#include "program/team_page.h"
#include "team/history.h"
#include "team/history_writer.h"
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

// ---- The designer history: 20 people x 12 months, about 50 sessions a day each.

constexpr int kPeople = 20, kSessionsPerDay = 50, kDays = 365;
constexpr std::int64_t kNow = 1717200000 + 86400 * 29;  // 2024-06-30

// A folder on the local disk through std::filesystem: what the history reader
// uses of the port (listing and reading).
class LocalFolder : public TeamFolder {
public:
    explicit LocalFolder(std::filesystem::path path) : path_(std::move(path)) {}
    bool List(std::vector<FolderEntry>& entries) override {
        entries.clear();
        std::error_code error;
        for (const auto& e : std::filesystem::directory_iterator(path_, error))
            if (e.is_regular_file())
                entries.push_back({e.path().filename().string(), e.file_size(),
                                   static_cast<std::uint64_t>(e.last_write_time().time_since_epoch().count())});
        return !error;
    }
    bool Read(const std::string& name, std::size_t maxBytes, std::string& bytes, std::uint64_t&) override {
        std::ifstream in(path_ / name, std::ios::binary);
        if (!in) return false;
        bytes.resize(maxBytes);
        in.read(bytes.data(), static_cast<std::streamsize>(maxBytes));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        return true;
    }
    bool WriteAtomically(const std::string&, const std::string&, std::uint64_t&) override { return false; }
    AppendResult AppendAt(const std::string&, std::uint64_t, const std::string&, std::size_t, std::string&,
                          std::uint64_t&) override {
        return AppendResult::Failed;
    }
    bool Remove(const std::string&) override { return false; }
    // Drops the files from the page cache, so that the next read comes from the disk.
    void Evict() const {
#if defined(__unix__)
        for (const auto& e : std::filesystem::directory_iterator(path_)) {
            const int fd = open(e.path().c_str(), O_RDONLY);
            if (fd < 0) continue;
            fdatasync(fd);
            posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            close(fd);
        }
#endif
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The team's year, written once per run of the benchmark: each person's
// sessions over 1,000 objects (Codeunit 80 among them), eight hours a day.
struct HistoryYear {
    LocalFolder folder;
    std::size_t sessions = 0, bytes = 0;

    HistoryYear() : folder(std::filesystem::temp_directory_path() / "brisolt_history_bench") {
        std::filesystem::remove_all(folder.Path());
        std::filesystem::create_directories(folder.Path());
        std::mt19937 random(80);
        const char* names[] = {"Sales-Post", "Customer", "Artikel\xC3\xBC" "bersicht", "Purch.-Post", "G/L Entry"};
        for (int p = 0; p < kPeople; ++p) {
            const std::string user = "user" + std::to_string(p), computer = "PC-" + std::to_string(p);
            std::map<int, std::string> files;  // by month
            for (int day = kDays - 1; day >= 0; --day) {
                const std::int64_t start = kNow - day * 86400 - 86400 + 8 * 3600;
                for (int i = 0; i < kSessionsPerDay; ++i) {
                    const int object = static_cast<int>(random() % 1000);
                    const std::int64_t from = start + i * 8 * 3600 / kSessionsPerDay;
                    Session s{{object % 5, std::to_string(object < 20 ? 80 : object * 37 % 99999 + 1)},
                              names[object % 5], user, computer, from, from + 300 + static_cast<std::int64_t>(random() % 300)};
                    std::string& file = files[MonthOf(from)];
                    if (file.empty()) file = std::string(kHistoryHeader);
                    file += SessionLine(s);
                    ++sessions;
                }
            }
            for (const auto& [month, text] : files) {
                std::ofstream(folder.Path() / HistoryFileName(computer, user, month), std::ios::binary) << text;
                bytes += text.size();
            }
        }
    }
    ~HistoryYear() { std::filesystem::remove_all(folder.Path()); }
};

HistoryYear& Year() {
    static HistoryYear year;
    return year;
}

// Names kept as they are; the search in lower case byte by byte, as a code page's does.
const TextFunction kSame = [](std::string_view s) { return std::string(s); };
const TextFunction kLower = [](std::string_view s) {
    std::string lower(s);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return lower;
};

// A reader that has read nothing yet, and files that are not in memory.
void BM_HistoryReadCold_20People12Months_Search80(benchmark::State& state) {
    HistoryYear& year = Year();
    std::size_t shown = 0, merged = 0;
    for (auto _ : state) {
        year.folder.Evict();
        const auto start = std::chrono::steady_clock::now();
        HistoryReader reader;
        const auto index = reader.Read(year.folder, kNow, {kSame, kLower});
        shown = SearchHistory(*index, "80", kLower).size();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        merged = index->sessions.size();
    }
    state.counters["sessions"] = static_cast<double>(merged);
    state.counters["MB"] = static_cast<double>(year.bytes) / 1e6;
    state.counters["shown"] = static_cast<double>(shown);
}
BENCHMARK(BM_HistoryReadCold_20People12Months_Search80)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// Once read: what typing in the search box costs.
void BM_HistorySearch_20People12Months(benchmark::State& state, const char* query) {
    HistoryReader reader;
    const auto index = reader.Read(Year().folder, kNow, {kSame, kLower});
    std::size_t shown = 0;
    for (auto _ : state) shown = SearchHistory(*index, query, kLower).size();
    state.counters["shown"] = static_cast<double>(shown);
}
BENCHMARK_CAPTURE(BM_HistorySearch_20People12Months, typed_80, "80")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HistorySearch_20People12Months, typed_codeunit_80, "codeunit 80")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HistorySearch_20People12Months, typed_sales, "sales")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HistorySearch_20People12Months, typed_umlaut, "\xC3\xBC" "bersicht user7")
    ->Unit(benchmark::kMillisecond);

// Asked again later: only what changed since is read (one person's month), then merged anew.
void BM_HistoryReadAgain_OneFileChanged(benchmark::State& state) {
    HistoryYear& year = Year();
    HistoryReader reader;
    reader.Read(year.folder, kNow, {kSame, kLower});
    const auto changed = year.folder.Path() / HistoryFileName("PC-0", "user0", MonthOf(kNow));
    std::size_t merged = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(changed, std::ios::binary | std::ios::app)
            << SessionLine({{4, "80"}, "", "user0", "PC-0", kNow - 60 + state.iterations(), kNow});
        state.ResumeTiming();
        merged = reader.Read(year.folder, kNow, {kSame, kLower})->sessions.size();
    }
    state.counters["sessions"] = static_cast<double>(merged);
}
BENCHMARK(BM_HistoryReadAgain_OneFileChanged)->Unit(benchmark::kMillisecond);

// A designer closes at every cycle of a copy that shares its history: what
// the cycle asks of the folder (the record's write and listing as ever, the
// session's append beside them) and what it costs.
void BM_HistoryAppendInTheCycle(benchmark::State& state) {
    Team team;
    HistoryKeeper keeper;
    Record mine = team.mine;
    mine.historySinceUtc = 1700000000;
    std::int64_t now = 0;
    auto cycle = [&] {
        now += 1000;
        team.folder.shareMs += 1000;
        mine.objects.back().sinceUtc = 1700000000 + now / 1000;  // the last designer closed and opened again
        keeper.Publish(mine, 1700000000 + now / 1000);
        CycleWithHistory(team.sync, keeper, team.folder, mine, [&] { return now; }, 1700000000 + now / 1000);
    };
    for (int i = 0; i < 20; ++i) cycle();
    const int appends0 = team.folder.appends, writes0 = team.folder.writes, lists0 = team.folder.lists;
    long long cycles = 0;
    for (auto _ : state) {
        cycle();
        ++cycles;
    }
    state.counters["appends_per_cycle"] = static_cast<double>(team.folder.appends - appends0) / cycles;
    state.counters["record_writes_per_cycle"] = static_cast<double>(team.folder.writes - writes0) / cycles;
    state.counters["lists_per_cycle"] = static_cast<double>(team.folder.lists - lists0) / cycles;
    state.counters["left_to_write"] = static_cast<double>(keeper.Writer().Pending());
}
BENCHMARK(BM_HistoryAppendInTheCycle)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brisolt::team
