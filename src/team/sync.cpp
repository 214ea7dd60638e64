#include "team/sync.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "team/display_name.h"

namespace brisolt::team {
namespace {

constexpr std::int64_t kFileTimePerMs = 10000;
constexpr std::int64_t kErrorAfterFailingMs = 10000;
constexpr std::int64_t kSilentMs = 20000;

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

Record Shown(const Record& r) {
    Record shown = r;
    shown.user = DisplayName(r.user);
    shown.computer = DisplayName(r.computer);
    return shown;
}

}  // namespace

bool CountsAsOther(const Sighting& s, const SyncTiming& timing) {
    if (s.samePerson || s.sinceListedMs >= timing.heardMs) return false;
    if (s.writerRuns) return *s.writerRuns;
    return s.sinceChangeMs && *s.sinceChangeMs < timing.aliveMs;
}

FolderLook JudgeFolder(const TeamState& state) {
    FolderLook look;
    look.othersShown = state.silentForMs < kSilentMs;
    look.networkError = state.failingForMs >= kErrorAfterFailingMs || !look.othersShown;
    return look;
}

bool TeamSync::WriteMine(TeamFolder& folder, const Record& mine, std::int64_t now) {
    const std::string name = RecordFileName(mine.computer, mine.user, mine.runId);
    const bool due = !everWritten_ || lastCycleFailed_ || name != myName_ || !SameContent(mine, written_) ||
                     now - lastWriteMs_ >= timing_.heartbeatMs;
    if (!due) return true;

    if (everWritten_ && name != myName_) Leave(folder);  // best effort: it stops counting anyway
    Record out = mine;
    // Never a number an earlier worker of this run wrote (see Leave): the
    // steady clock outruns the writes.
    sequence_ = std::max<std::uint64_t>(sequence_ + 1, static_cast<std::uint64_t>(std::max<std::int64_t>(now, 0)));
    out.sequence = sequence_;
    std::uint64_t writeTime = 0;
    if (!folder.WriteAtomically(name, WriteRecord(out), writeTime)) return false;  // tried again next cycle
    written_ = std::move(out);
    myName_ = name;
    everWritten_ = true;
    lastWriteMs_ = now;
    shareAnchor_ = std::make_pair(writeTime, now);
    return true;
}

Sighting TeamSync::SightingOf(const Known& k, const Record& mine, std::int64_t now) {
    Sighting s;
    const Record& r = k.record;
    const bool sameComputer = SameName(r.computer, mine.computer);
    s.samePerson = sameComputer && SameName(r.user, mine.user);
    if (sameComputer && r.processId != 0 && processes_)
        s.writerRuns = processes_->IsRunning(r.processId, r.processStart);
    if (k.lastChangeMs) s.sinceChangeMs = now - *k.lastChangeMs;
    s.sinceListedMs = now - k.lastListedMs;
    return s;
}

void TeamSync::ReadOne(TeamFolder& folder, const std::string& name, Known& k, std::int64_t now) {
    k.attempted = true;
    k.lastReadMs = now;
    std::string bytes;
    std::uint64_t writeTime = 0;
    // One byte more than a record may have, to tell a grown file.
    if (!folder.Read(name, kMaxRecordBytes + 1, bytes, writeTime)) return;  // keep what we had: liveness decides
    Record record;
    if (!ParseRecord(bytes, record)) {
        k.hasRecord = false;
        return;
    }
    const bool first = !k.hasRecord && !k.lastChangeMs;
    const bool changed = !k.hasRecord || record.sequence != k.record.sequence || record.runId != k.record.runId;
    if (changed) {
        if (shareAnchor_) {
            // When it was written, by the share's clock, as a moment of ours.
            const std::int64_t shareNow =
                static_cast<std::int64_t>(shareAnchor_->first) + (now - shareAnchor_->second) * kFileTimePerMs;
            const std::int64_t ageMs = std::max<std::int64_t>(0, shareNow - static_cast<std::int64_t>(writeTime)) /
                                       kFileTimePerMs;
            k.lastChangeMs = now - ageMs;
        } else if (!first) {
            k.lastChangeMs = now;
        }
    }
    k.record = std::move(record);
    k.hasRecord = true;
}

bool TeamSync::ReadOthers(TeamFolder& folder, const Record& mine, std::int64_t now) {
    std::vector<FolderEntry> entries;
    if (!folder.List(entries)) return false;  // what we know stops counting by the liveness rule

    std::unordered_set<std::string> listed;
    struct Due {
        int priority;  // 0: new or changed in the listing, 1: the heartbeat's re-read
        std::int64_t lastReadMs;
        const std::string* name;
    };
    std::vector<Due> due;
    for (const FolderEntry& entry : entries) {
        if (!IsRecordFileName(entry.name) || entry.name == myName_) continue;
        if (entry.size > kMaxRecordBytes) continue;  // no writer of ours makes that: not read, not kept
        auto found = known_.find(entry.name);
        if (found == known_.end()) {
            if (known_.size() >= timing_.maxFilesKnown) continue;
            found = known_.emplace(entry.name, Known{}).first;
        }
        Known& k = found->second;
        listed.insert(entry.name);
        const bool listingChanged = k.entry.size != entry.size || k.entry.writeTime != entry.writeTime;
        k.entry = entry;
        k.lastListedMs = now;
        const bool heartbeatDue = now - k.lastReadMs >= timing_.heartbeatMs;
        if (!k.attempted)
            due.push_back({0, 0, &found->first});
        else if (k.hasRecord && listingChanged)
            due.push_back({0, k.lastReadMs, &found->first});
        else if (heartbeatDue)  // a file that failed waits for this too
            due.push_back({1, k.lastReadMs, &found->first});
    }
    // Records gone from the folder (their copy quit) are forgotten at once.
    for (auto it = known_.begin(); it != known_.end();)
        it = listed.count(it->first) ? std::next(it) : known_.erase(it);

    // The most urgent first, then the longest unread: junk cannot starve a record.
    const std::size_t reads = std::min(due.size(), timing_.maxReadsPerCycle);
    std::partial_sort(due.begin(), due.begin() + static_cast<std::ptrdiff_t>(reads), due.end(),
                      [](const Due& a, const Due& b) {
                          return a.priority != b.priority ? a.priority < b.priority : a.lastReadMs < b.lastReadMs;
                      });
    for (std::size_t i = 0; i < reads; ++i) {
        const std::string name = *due[i].name;
        Known& k = known_[name];
        ReadOne(folder, name, k, now);
        // An earlier run of ours that no longer runs (killed, or this computer
        // crashed): its record is ours to remove.
        if (k.hasRecord && k.record.runId != mine.runId && processes_) {
            const Sighting s = SightingOf(k, mine, now);
            if (s.samePerson && s.writerRuns == false && folder.Remove(name)) known_.erase(name);
        }
    }
    return true;
}

TeamState TeamSync::Cycle(TeamFolder& folder, const Record& mine, std::int64_t steadyMs) {
    TeamState state;
    const bool wrote = WriteMine(folder, mine, steadyMs);
    const bool listed = ReadOthers(folder, mine, steadyMs);
    state.folderOk = wrote && listed;
    lastCycleFailed_ = !state.folderOk;
    if (state.folderOk)
        failingSinceMs_.reset();
    else if (!failingSinceMs_)
        failingSinceMs_ = steadyMs;
    state.failingForMs = failingSinceMs_ ? steadyMs - *failingSinceMs_ : 0;
    for (const auto& [name, k] : known_)
        if (k.hasRecord && CountsAsOther(SightingOf(k, mine, steadyMs), timing_))
            state.others.push_back(Shown(k.record));
    return state;
}

bool TeamSync::Leave(TeamFolder& folder) {
    if (!everWritten_) return true;
    // Only what we wrote last: another worker of ours may have written since.
    std::string bytes;
    std::uint64_t writeTime = 0;
    Record there;
    if (folder.Read(myName_, kMaxRecordBytes + 1, bytes, writeTime)) {
        if (!ParseRecord(bytes, there) || there.runId != written_.runId || there.sequence != written_.sequence) {
            everWritten_ = false;  // not ours any more
            return true;
        }
    }
    if (!folder.Remove(myName_)) return false;
    everWritten_ = false;
    return true;
}

}  // namespace brisolt::team
