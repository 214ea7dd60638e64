// One copy's exchange with the team folder: publish our record, read the
// others', tell which of them are alive, and clear what crashed copies left
// behind. Runs off the user-interface thread. A cycle writes at most one
// record (ours), lists the folder once, reads at most
// SyncTiming::maxReadsPerCycle records of at most kMaxRecordBytes each, and
// removes at most SyncTiming::maxRemovalsPerCycle dead ones; a file that
// could not be read or parsed is tried again a heartbeat later at the
// earliest.
//
// Liveness compares no two computers' clocks. Every copy rewrites its record
// at least once per heartbeat, raising `seq`. A record counts while it last
// changed less than `aliveMs` ago, measured
//   - by the share's clock where we can: the record's write time against the
//     share's "now", which we know from the write time of our own record,
//     taken as the moment our write returned; so a record found at start that
//     has stood still for hours never counts;
//   - by our own clock from the read that saw its seq change, where we cannot
//     (we have not written yet): a record first seen then counts only once we
//     have seen its seq change.
// The clock must go on while the computer sleeps (GetTickCount64 does).
// A record from this computer that names its writer's process counts exactly
// while that process runs, when we may ask; a process we may not open (another
// user's) is no answer, and the rule above decides. Records of our own user on
// our own computer (ours, an earlier run, a second copy) never count: they are
// us. A record no listing has held for `heardMs` stops counting.
//
// A record whose write time is more than `deadAfterMs` behind the share's now
// is dead beyond doubt: no live copy lets a day pass without a write. Any copy
// that sees one removes it (it reads it first: a copy back after a day has
// written it anew), and never reads it for liveness.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/local_processes.h"
#include "platform/team_folder.h"
#include "team/record.h"

namespace brisolt::team {

// The worker starts a cycle at least this often (once per scan interval).
constexpr std::int64_t kMaxCycleIntervalMs = 5000;

struct SyncTiming {
    // Our record is rewritten at least this often; others' records are
    // re-read at least this often, whatever the listing says (shares cache
    // directory listings for about 10 s).
    std::int64_t heartbeatMs = 10000;
    // Twice the worst gap between two changes of a live record as a reader
    // sees them: the writer writes within a heartbeat and a cycle, one failed
    // write adds a cycle (it is tried again at the next): 10 + 5 + 5 = 20 s;
    // the reader re-reads within a heartbeat and a cycle: 15 s. 2 x 35 s.
    std::int64_t aliveMs = 70000;
    // A record that no listing has held for this long stops counting, and the
    // folder counts as silent once no call has returned for this long: no row
    // names someone last heard of longer ago.
    std::int64_t heardMs = 20000;
    // A record unchanged this long by the share's clock is removed.
    std::int64_t deadAfterMs = 24 * 3600 * 1000LL;
    std::size_t maxReadsPerCycle = 200;
    std::size_t maxRemovalsPerCycle = 150;
    // Beyond this many records, the newest (by write time) are looked at.
    std::size_t maxFilesKnown = 2000;
};

struct TeamState {
    bool folderOk = true;  // the last cycle's listing and due write worked
    // Alive records of other copies, one per person (two copies of one user
    // on one computer are merged), every name made fit to show (DisplayName).
    std::vector<Record> others;
    // How each of `others` is heard: the runs of the person's copies that
    // count, and when the first of them stops counting unless heard from
    // again, by the worker's clock (StateAsOf drops the person then).
    struct Heard {
        std::vector<std::string> runs;
        std::int64_t countsUntilMs = 0;
    };
    std::vector<Heard> heard;
    std::int64_t failingForMs = 0;  // how long the folder has failed in a row (0: the last cycle worked)
    std::int64_t silentForMs = 0;   // how long since the folder last answered a call (the worker sets it)
};

// How the tray and the rows show the folder.
struct FolderLook {
    bool networkError = false;  // failing for 10 s in a row, or silent for `heardMs`
    bool othersShown = true;    // false while the folder is silent: what we knew is too old
};
FolderLook JudgeFolder(const TeamState& state, const SyncTiming& timing = {});

// A run of ours (this user on this computer) that ended without removing its
// record (killed, or the computer crashed), as the sync removed the record:
// what it had open, and when it last wrote, by the share's clock.
struct EndedRun {
    Record record;
    std::int64_t lastSeenUtc = 0;
};

// A monotonic clock of this computer, in milliseconds; read at each step.
using SteadyClock = std::function<std::int64_t()>;

class TeamSync {
public:
    // `writer` tells this sync's file from that of another sync of the same
    // run (a worker started anew on a folder an earlier one still leaves).
    explicit TeamSync(SyncTiming timing = {}, LocalProcesses* processes = nullptr, std::string writer = {})
        : timing_(timing), processes_(processes), writer_(std::move(writer)) {}

    // One cycle: writes our record when its content changed or a heartbeat is
    // due, lists the folder once, reads the records whose listing changed or
    // whose re-read is due, removes dead ones. `mine.sequence` is ignored:
    // the sync numbers its writes.
    TeamState Cycle(TeamFolder& folder, const Record& mine, const SteadyClock& now);
    // The same at one moment (every call takes no time).
    TeamState Cycle(TeamFolder& folder, const Record& mine, std::int64_t steadyMs) {
        return Cycle(folder, mine, [steadyMs] { return steadyMs; });
    }

    // Removes our record (at quit, or when the folder is left). No other
    // writer writes its file. True when it is gone or was never written.
    bool Leave(TeamFolder& folder);

    // The runs of ours whose records the cycles since the last call removed.
    std::vector<EndedRun> TakeEndedRuns() { return std::exchange(ended_, {}); }

private:
    struct Known {
        FolderEntry entry;             // as last listed
        std::int64_t lastListedMs = 0;
        bool attempted = false;        // read at least once
        std::int64_t lastReadMs = 0;   // the last read, good or not
        bool hasRecord = false;        // the last read gave a record
        Record record;
        Record shown;  // the same as the tick sees it (names made safe, each object once)
        std::optional<std::int64_t> lastChangeMs;  // when it last changed, by our clock
    };

    bool WriteMine(TeamFolder& folder, const Record& mine, const SteadyClock& now);
    bool ReadOthers(TeamFolder& folder, const Record& mine, const SteadyClock& now);
    void ReadOne(TeamFolder& folder, const std::string& name, Known& k, std::int64_t now);
    void RemoveDead(TeamFolder& folder, std::vector<FolderEntry>& dead, const Record& mine, const SteadyClock& now);
    std::optional<std::int64_t> ShareNow(std::int64_t now) const;  // in FILETIME units
    // Until when a record counts, as far as we know now; none: it does not.
    std::optional<std::int64_t> CountsUntil(const Known& k, const Record& mine, std::int64_t now);

    SyncTiming timing_;
    LocalProcesses* processes_;
    std::string writer_;
    std::string myName_;     // our record's file name once written
    Record written_;         // what we wrote last
    bool everWritten_ = false;
    bool writeAgain_ = false;  // the last cycle failed: our record may be gone
    std::int64_t lastWriteMs_ = 0;
    std::uint64_t sequence_ = 0;
    // Our last write: the share's time of it and ours, to tell the share's now.
    std::optional<std::pair<std::uint64_t, std::int64_t>> shareAnchor_;
    std::optional<std::int64_t> failingSinceMs_;
    std::map<std::string, Known> known_;  // other records, by file name
    std::vector<EndedRun> ended_;
};

}  // namespace brisolt::team
