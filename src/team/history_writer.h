// This copy's part of the designer history (team/history.h): the sessions of
// its designers, and their appends to its own monthly files in the folder.
//
// One writer per file, append only; why an append neither loses nor doubles
// a session:
//   - Every append is conditional (TeamFolder::AppendAt): the file is open to
//     no other writer during the call, and the bytes go in only if the file is
//     as long as this writer last knew it. Otherwise nothing is written and
//     the call returns what the file holds beyond that length.
//   - A session leaves the queue only when an append that held it returned
//     Written, or when the file shows its line whole (the same user, computer,
//     object and `from`). An append that failed or timed out half-way leaves
//     the known length as it was: if any of its bytes arrived, the next append
//     finds the file longer, reads what is new and drops from the queue what
//     arrived whole. The rest is written again; a cut line before it is ended
//     first (a LF), so it stays one damaged line that readers skip.
//   - A file's first append in a run expects it empty, so it reads the whole
//     file once: a session an ended run of ours left open and the next start
//     closes again is not written twice if the ended run wrote it itself.
//   - A session goes into the file of the month of its `from`, the same
//     whether it closed normally or was closed after its run ended.
// The bounds: a queue of kMaxPendingSessions (the oldest go first) and files
// of kMaxHistoryFileBytes; what does not fit is dropped and counted.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/team_folder.h"
#include "team/history.h"
#include "team/record.h"
#include "team/sync.h"

namespace brisolt::team {

constexpr std::size_t kMaxPendingSessions = 1000;

// The sessions of this copy's designers, from the records it publishes. A
// session covers only time while its user shares the history
// (Record::historySinceUtc): its `from` is the later of the designer's first
// sighting and that moment. While the record does not share, nothing is open.
class SessionTracker {
public:
    // The record as published at `nowUtc`: the sessions that closed since the
    // last call (objects gone from it, or open again since a later second).
    std::vector<Session> Update(const Record& mine, std::int64_t nowUtc);
    // Every open session closes at `nowUtc` (the copy quits).
    std::vector<Session> CloseAll(std::int64_t nowUtc);

private:
    Record open_;
};

// The sessions a run of ours left open when it ended without closing them
// (a crash, a kill): they close when its record was last written. None when
// that run did not share its history.
std::vector<Session> SessionsLeftOpen(const Record& ended, std::int64_t lastSeenUtc);

class HistoryWriter {
public:
    // Queues sessions to append; sessions that cannot be written or whose
    // month is past keeping are left out.
    void Add(const std::vector<Session>& sessions, std::int64_t nowUtc);
    // Nothing queued is written any more (the user stopped sharing).
    void Clear() { pending_.clear(); }
    // Appends what is queued: one call per file in the common case, a second
    // when the file was longer than known. Once a month it removes this
    // writer's files older than kHistoryMonths. True when nothing is left.
    bool Flush(TeamFolder& folder, std::int64_t nowUtc);

    std::size_t Pending() const { return pending_.size(); }
    std::uint64_t Dropped() const { return dropped_; }

private:
    struct Queued {
        std::string file;
        std::string key;   // user, computer, object and from
        std::string line;  // with its LF
    };
    struct FileState {
        std::uint64_t length = 0;  // as this writer knows it
        bool header = false;       // a whole header line is in it
        bool endsWithLf = true;    // its last known byte ends a line (or it is empty)
        bool full = false;         // another session would pass kMaxHistoryFileBytes
        std::unordered_set<std::string> keys;  // the sessions in it
    };
    enum class Outcome { Done, Again, Failed };

    Outcome AppendTo(TeamFolder& folder, const std::string& file, FileState& state);
    void Learn(FileState& state, std::string_view tail);
    void RemoveOldFiles(TeamFolder& folder, std::int64_t nowUtc);

    std::deque<Queued> pending_;
    std::map<std::string, FileState> files_;
    std::set<std::string> writers_;  // our files' <computer>_<user>
    int cleanedMonth_ = -1;
    std::uint64_t dropped_ = 0;
};

// The team worker's part: the sessions of the records it publishes and of
// the runs of ours that ended without closing theirs, appended in its cycles.
// While the published record does not share, nothing is queued, and what
// was queued is dropped: nothing of a user who stopped sharing is written.
class HistoryKeeper {
public:
    // Each published record (no file call).
    void Publish(const Record& mine, std::int64_t nowUtc);
    // A run of ours that ended without closing its sessions, last seen then.
    void RunEnded(const Record& ended, std::int64_t lastSeenUtc, std::int64_t nowUtc);
    // Appends what is queued; true when nothing is left.
    bool Flush(TeamFolder& folder, std::int64_t nowUtc) { return writer_.Flush(folder, nowUtc); }
    // The copy quits or leaves the folder: every open session closes now and
    // is appended. True when nothing is left.
    bool Close(TeamFolder& folder, std::int64_t nowUtc);

    const HistoryWriter& Writer() const { return writer_; }

private:
    bool sharing_ = false;
    SessionTracker tracker_;
    HistoryWriter writer_;
};

// One cycle of the team worker with the history. What closed is appended
// first, then our record is written: a crash between leaves a record that
// names a session the file holds already, which the next start closes again
// and finds there (not written twice); the other order could lose it. Then
// the sessions of the runs of ours that the cycle found ended.
TeamState CycleWithHistory(TeamSync& sync, HistoryKeeper& history, TeamFolder& folder, const Record& mine,
                           const SteadyClock& now, std::int64_t nowUtc);

// The worker ends (quit, or the folder is left): every open session closes
// and is appended, and only then our record goes. Were it removed with
// sessions unwritten, they would be lost; left, it is an ended run's record
// that the next start of ours closes. True when the record is gone.
bool LeaveWithHistory(TeamSync& sync, HistoryKeeper& history, TeamFolder& folder, std::int64_t nowUtc);

}  // namespace brisolt::team
