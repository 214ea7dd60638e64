// One copy's exchange with the team folder: publish our record, read the
// others', and tell which of them are alive. Runs off the user-interface
// thread. A cycle writes at most one record (ours), lists the folder once,
// and reads at most SyncTiming::maxReadsPerCycle files of at most
// kMaxRecordBytes each; a file that could not be read or parsed is tried
// again a heartbeat later at the earliest.
//
// Liveness compares no two computers' clocks. Every copy rewrites its record
// at least once per heartbeat, raising `seq`. A record counts while its seq
// last changed less than `aliveMs` ago, measured
//   - by the share's clock where we can: the record's write time against the
//     write time of our own record (the share's "now" when we wrote it), so a
//     record found at start that has stood still for hours never counts;
//   - by our own steady clock from the read that saw the change, where we
//     cannot (we have not written yet): a record first seen then counts only
//     once we have seen its seq change.
// A record from this computer that names its writer's process counts exactly
// while that process runs. Records of our own user on our own computer (our
// own, an earlier run, a second copy) never count: they are us. A record no
// listing has held for `heardMs` stops counting.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/team_folder.h"
#include "team/record.h"

namespace brisolt::team {

struct SyncTiming {
    // Our record is rewritten at least this often; others' records are
    // re-read at least this often, whatever the listing says (shares cache
    // directory listings for about 10 s).
    std::int64_t heartbeatMs = 10000;
    // The longest cycle of any copy (the worker cycles once per scan interval,
    // at most every five seconds).
    std::int64_t maxCycleMs = 5000;
    // Twice the worst gap between two changes of a live record as a reader
    // sees them: the writer writes within a heartbeat and a cycle, one failed
    // write adds a cycle (it is tried again at the next): 10 + 5 + 5 = 20 s;
    // the reader re-reads within a heartbeat and a cycle: 15 s. 2 x 35 s.
    std::int64_t aliveMs = 70000;
    // A record that no listing has held for this long stops counting (the
    // folder fails): no row names someone last heard of longer ago.
    std::int64_t heardMs = 20000;
    std::size_t maxReadsPerCycle = 200;
    std::size_t maxFilesKnown = 2000;  // record files beyond are not looked at
};

struct TeamState {
    bool folderOk = true;        // the last cycle's listing and due write worked
    std::vector<Record> others;  // alive records of other copies, names made fit to show (DisplayName)
    std::int64_t failingForMs = 0;  // how long the folder has failed in a row (0: the last cycle worked)
    std::int64_t silentForMs = 0;   // how long since the folder last answered a call (the worker sets it)
};

// What a reader knows of one record, for the liveness rule.
struct Sighting {
    bool samePerson = false;             // our user on our computer
    std::optional<bool> writerRuns;      // this computer, the record names its process: does it run?
    std::optional<std::int64_t> sinceChangeMs;  // since its seq last changed; none: never seen to change
    std::int64_t sinceListedMs = 0;      // since a listing last held it
};
bool CountsAsOther(const Sighting& s, const SyncTiming& timing);

// How the tray and the rows show the folder.
struct FolderLook {
    bool networkError = false;  // failing for 10 s in a row, or silent for 20 s
    bool othersShown = true;    // false while the folder is silent: what we knew is too old
};
FolderLook JudgeFolder(const TeamState& state);

class TeamSync {
public:
    explicit TeamSync(SyncTiming timing = {}, LocalProcesses* processes = nullptr)
        : timing_(timing), processes_(processes) {}

    // One cycle at `steadyMs` (a monotonic clock of this computer): writes
    // our record when its content changed or a heartbeat is due, lists the
    // folder once, reads the records whose listing changed or whose re-read
    // is due. `mine.sequence` is ignored: the sync numbers its writes.
    TeamState Cycle(TeamFolder& folder, const Record& mine, std::int64_t steadyMs);

    // Removes our record (at quit, or when the folder is left) if it still
    // holds what we wrote last. True when it is gone or was never written.
    bool Leave(TeamFolder& folder);

private:
    struct Known {
        FolderEntry entry;             // as last listed
        std::int64_t lastListedMs = 0;
        bool attempted = false;        // read at least once
        std::int64_t lastReadMs = 0;   // the last read, good or not
        bool hasRecord = false;        // the last read gave a record
        Record record;
        std::optional<std::int64_t> lastChangeMs;  // when its seq last changed, by our clock
    };

    bool WriteMine(TeamFolder& folder, const Record& mine, std::int64_t now);
    bool ReadOthers(TeamFolder& folder, const Record& mine, std::int64_t now);
    void ReadOne(TeamFolder& folder, const std::string& name, Known& k, std::int64_t now);
    Sighting SightingOf(const Known& k, const Record& mine, std::int64_t now);

    SyncTiming timing_;
    LocalProcesses* processes_;
    std::string myName_;     // our record's file name once written
    Record written_;         // what we wrote last
    bool everWritten_ = false;
    bool lastCycleFailed_ = false;  // then our record may be gone: written again
    std::int64_t lastWriteMs_ = 0;
    std::uint64_t sequence_ = 0;
    // Our last write: the share's time of it and ours, to tell the share's now.
    std::optional<std::pair<std::uint64_t, std::int64_t>> shareAnchor_;
    std::optional<std::int64_t> failingSinceMs_;
    std::map<std::string, Known> known_;  // other records, by file name
};

}  // namespace brisolt::team
