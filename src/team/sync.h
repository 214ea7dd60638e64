// One copy's exchange with the team folder: publish our record, read the
// others', and tell which of them are alive. Runs off the user-interface
// thread; every call does a bounded amount of I/O.
//
// Liveness compares no clocks of other computers: every copy rewrites its
// record at least once per heartbeat, raising `seq`. A reader notes by its
// own steady clock when it last saw a record's `seq` change (a first sighting
// counts) and counts the record while that is less than `aliveMs` ago.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/team_folder.h"
#include "team/record.h"

namespace brisolt::team {

struct SyncTiming {
    // Our record is rewritten at least this often; others' records are
    // re-read at least this often (shares cache directory listings ~10 s).
    std::int64_t heartbeatMs = 10000;
    // A record whose seq has not changed for this long stops counting: two
    // heartbeats and a half, so a copy that crashed is gone within 30 s of
    // its crash, cycles and scans included, while a live copy's changes are
    // seen at least every heartbeat (plus a cycle) even on a share that
    // caches its listings.
    std::int64_t aliveMs = 25000;
    // A record whose seq has not changed for this long is a crashed copy's:
    // its file is removed (a live copy would have written it again long ago,
    // and writes it again at its next heartbeat anyway).
    std::int64_t removeAfterMs = 10 * 60 * 1000;
};

struct TeamState {
    bool folderOk = true;        // the last listing and the last due write worked
    std::vector<Record> others;  // alive records of other copies, by file name
};

class TeamSync {
public:
    explicit TeamSync(SyncTiming timing = {}) : timing_(timing) {}

    // One cycle at `steadyMs` (a monotonic clock of this computer): writes
    // our record when its content changed or a heartbeat is due, lists the
    // folder once, reads the records whose listing changed or whose re-read
    // is due. `mine.sequence` is ignored: the sync numbers its writes.
    TeamState Cycle(TeamFolder& folder, const Record& mine, std::int64_t steadyMs);

    // Removes our record (at quit). True when it is gone or was never written.
    bool Leave(TeamFolder& folder);

private:
    struct Known {
        FolderEntry entry;
        std::int64_t lastReadMs = 0;
        bool hasRecord = false;
        Record record;
        std::int64_t lastChangeMs = 0;  // when `record.sequence` last changed, by our clock
    };

    bool WriteMine(TeamFolder& folder, const Record& mine, std::int64_t now);
    bool ReadOthers(TeamFolder& folder, std::int64_t now);

    SyncTiming timing_;
    std::string myName_;     // our record's file name once written
    Record written_;         // what we wrote last
    bool everWritten_ = false;
    bool lastCycleFailed_ = false;  // then our record may be gone: written again
    std::int64_t lastWriteMs_ = 0;
    std::uint64_t sequence_ = 0;
    std::map<std::string, Known> known_;  // other records, by file name
};

}  // namespace brisolt::team
