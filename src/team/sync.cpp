#include "team/sync.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "team/display_name.h"

namespace brisolt::team {
namespace {

constexpr std::int64_t kFileTimePerMs = 10000;
constexpr std::int64_t kErrorAfterFailingMs = 10000;
// A write that took longer than this tells the share's time too loosely to
// set our idea of its now by (its time lies somewhere within the call).
constexpr std::int64_t kAnchorMaxCallMs = 2000;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerAscii(std::string s) {
    for (char& c : s) c = Lower(c);
    return s;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool SamePerson(const Record& a, const Record& b) { return SameName(a.user, b.user) && SameName(a.computer, b.computer); }

// A FILETIME as seconds since 1970.
std::int64_t UtcOfFileTime(std::uint64_t fileTime) {
    return static_cast<std::int64_t>(fileTime / 10000000) - 11644473600LL;
}

// A record file that may be one of this user's on this computer.
bool MayBeOurs(const std::string& name, const Record& mine) {
    const std::string prefix = RecordFileName(mine.computer, mine.user, "");
    const std::size_t stem = prefix.size() - kRecordExtension.size() - 1;  // "<computer>_<user>_"
    return name.compare(0, stem, prefix, 0, stem) == 0;
}

// Two copies of one person are one: their objects together (each once, with
// the earliest time, by identity), and the earliest start.
void Merge(Record& into, const Record& from) {
    if (from.startedUtc > 0 && (into.startedUtc == 0 || from.startedUtc < into.startedUtc))
        into.startedUtc = from.startedUtc;
    for (const OpenObject& o : from.objects) {
        auto at = std::lower_bound(into.objects.begin(), into.objects.end(), o.id,
                                   [](const OpenObject& x, const ObjectId& id) { return x.id < id; });
        if (at == into.objects.end() || at->id != o.id) {
            into.objects.insert(at, o);
            continue;
        }
        at->sinceUtc = std::min(at->sinceUtc, o.sinceUtc);
        if (at->name.empty()) at->name = o.name;
    }
}

// The record as the tick sees it: every name another copy wrote made safe
// to show, each object once (with its earliest time), by identity.
Record Shown(const Record& r) {
    Record shown = r;
    shown.user = DisplayName(r.user);
    shown.computer = DisplayName(r.computer);
    shown.objects.clear();
    Merge(shown, r);
    for (OpenObject& o : shown.objects)
        if (!o.name.empty()) o.name = DisplayName(o.name);
    return shown;
}

}  // namespace

FolderLook JudgeFolder(const TeamState& state, const SyncTiming& timing) {
    FolderLook look;
    look.othersShown = state.silentForMs < timing.heardMs;
    look.networkError = state.failingForMs >= kErrorAfterFailingMs || !look.othersShown;
    return look;
}

std::optional<std::int64_t> TeamSync::ShareNow(std::int64_t now) const {
    if (!shareAnchor_) return std::nullopt;
    return static_cast<std::int64_t>(shareAnchor_->first) + (now - shareAnchor_->second) * kFileTimePerMs;
}

bool TeamSync::WriteMine(TeamFolder& folder, const Record& mine, const SteadyClock& now) {
    std::string runPart = mine.runId;
    if (!writer_.empty()) runPart += '-' + writer_;
    const std::string name = RecordFileName(mine.computer, mine.user, runPart);
    const std::int64_t start = now();
    const bool due = !everWritten_ || writeAgain_ || name != myName_ || !SameContent(mine, written_) ||
                     start - lastWriteMs_ >= timing_.heartbeatMs;
    if (!due) return true;

    if (everWritten_ && name != myName_) Leave(folder);  // best effort: it stops counting anyway
    Record out = mine;
    // Never a number an earlier sync of this run wrote: the clock outruns the writes.
    sequence_ = std::max<std::uint64_t>(sequence_ + 1, static_cast<std::uint64_t>(std::max<std::int64_t>(start, 0)));
    out.sequence = sequence_;
    std::uint64_t writeTime = 0;
    if (!folder.WriteAtomically(name, WriteRecord(out), writeTime)) return false;  // tried again next cycle
    const std::int64_t end = now();
    written_ = std::move(out);
    myName_ = name;
    everWritten_ = true;
    writeAgain_ = false;
    lastWriteMs_ = end;
    if (end - start <= kAnchorMaxCallMs) shareAnchor_ = std::make_pair(writeTime, end);
    return true;
}

std::optional<std::int64_t> TeamSync::CountsUntil(const Known& k, const Record& mine, std::int64_t now) {
    const Record& r = k.record;
    const std::int64_t heardUntil = k.lastListedMs + timing_.heardMs;
    if (!k.hasRecord || now >= heardUntil) return std::nullopt;
    const bool sameComputer = SameName(r.computer, mine.computer);
    if (sameComputer && SameName(r.user, mine.user)) return std::nullopt;  // us
    if (sameComputer && r.processId != 0 && processes_)
        if (const std::optional<bool> runs = processes_->IsRunning(r.processId, r.processStart))
            return *runs ? std::optional<std::int64_t>(heardUntil) : std::nullopt;
    if (!k.lastChangeMs || now - *k.lastChangeMs >= timing_.aliveMs) return std::nullopt;
    return std::min(heardUntil, *k.lastChangeMs + timing_.aliveMs);
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
    if (const std::optional<std::int64_t> shareNow = ShareNow(now)) {
        // Every write changes the record: its write time is its last change,
        // by the share's clock, here turned into a moment of ours.
        k.lastChangeMs = now - std::max<std::int64_t>(0, *shareNow - static_cast<std::int64_t>(writeTime)) /
                                   kFileTimePerMs;
    } else if (changed && !first) {
        k.lastChangeMs = now;
    }
    k.shown = Shown(record);
    k.record = std::move(record);
    k.hasRecord = true;
}

void TeamSync::RemoveDead(TeamFolder& folder, std::vector<FolderEntry>& dead, const Record& mine,
                          const SteadyClock& now) {
    const std::size_t count = std::min(dead.size(), timing_.maxRemovalsPerCycle);
    std::partial_sort(dead.begin(), dead.begin() + static_cast<std::ptrdiff_t>(count), dead.end(),
                      [](const FolderEntry& a, const FolderEntry& b) { return a.writeTime < b.writeTime; });
    for (std::size_t i = 0; i < count; ++i) {
        // The listing may be old: a copy back after a day may just have written.
        // One of ours is read whole: what it had open ended with it.
        const bool ours = MayBeOurs(dead[i].name, mine);
        std::string bytes;
        std::uint64_t writeTime = 0;
        if (!folder.Read(dead[i].name, ours ? kMaxRecordBytes + 1 : 1, bytes, writeTime)) continue;
        const std::optional<std::int64_t> shareNow = ShareNow(now());
        if (!shareNow || *shareNow - static_cast<std::int64_t>(writeTime) <= timing_.deadAfterMs * kFileTimePerMs ||
            !folder.Remove(dead[i].name))
            continue;
        Record r;
        if (ours && ParseRecord(bytes, r) && SamePerson(r, mine) && r.runId != mine.runId)
            ended_.push_back({std::move(r), UtcOfFileTime(writeTime)});
    }
}

bool TeamSync::ReadOthers(TeamFolder& folder, const Record& mine, const SteadyClock& clock) {
    std::vector<FolderEntry> entries;
    if (!folder.List(entries)) return false;  // what we know stops counting by the liveness rule
    const std::int64_t now = clock();
    const std::optional<std::int64_t> shareNow = ShareNow(now);

    std::vector<FolderEntry> dead;
    std::vector<const FolderEntry*> live;
    for (const FolderEntry& entry : entries) {
        if (!IsRecordFileName(entry.name)) continue;
        if (entry.name == myName_) continue;
        if (shareNow && *shareNow - static_cast<std::int64_t>(entry.writeTime) > timing_.deadAfterMs * kFileTimePerMs)
            dead.push_back(entry);
        else if (entry.size <= kMaxRecordBytes)  // no writer of ours makes more: not read, not kept
            live.push_back(&entry);
    }
    // Too many: the newest, so that junk and the long dead cannot hide a live copy.
    if (live.size() > timing_.maxFilesKnown) {
        std::nth_element(live.begin(), live.begin() + static_cast<std::ptrdiff_t>(timing_.maxFilesKnown), live.end(),
                         [](const FolderEntry* a, const FolderEntry* b) { return a->writeTime > b->writeTime; });
        live.resize(timing_.maxFilesKnown);
    }

    std::unordered_set<std::string> listed;
    struct Due {
        int priority;  // 0: new or changed in the listing, 1: the heartbeat's re-read
        std::int64_t lastReadMs;
        const std::string* name;
    };
    std::vector<Due> due;
    for (const FolderEntry* entry : live) {
        auto found = known_.emplace(entry->name, Known{}).first;
        Known& k = found->second;
        listed.insert(entry->name);
        const bool listingChanged = k.entry.size != entry->size || k.entry.writeTime != entry->writeTime;
        k.entry = *entry;
        k.lastListedMs = now;
        const bool heartbeatDue = now - k.lastReadMs >= timing_.heartbeatMs;
        if (!k.attempted)
            due.push_back({0, 0, &found->first});
        else if (k.hasRecord && listingChanged)
            due.push_back({0, k.lastReadMs, &found->first});
        else if (heartbeatDue)  // a file that failed waits for this too
            due.push_back({1, k.lastReadMs, &found->first});
    }
    // Records gone from the folder (their copy quit), dead or crowded out are forgotten at once.
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
        ReadOne(folder, name, k, clock());
        // An earlier run of ours that surely no longer runs (killed, or this
        // computer crashed): its record is ours to remove.
        const Record& r = k.record;
        if (k.hasRecord && r.runId != mine.runId && r.processId != 0 && processes_ && SamePerson(r, mine) &&
            processes_->IsRunning(r.processId, r.processStart) == false && folder.Remove(name)) {
            ended_.push_back({r, UtcOfFileTime(k.entry.writeTime)});
            known_.erase(name);
        }
    }
    RemoveDead(folder, dead, mine, clock);
    return true;
}

TeamState TeamSync::Cycle(TeamFolder& folder, const Record& mine, const SteadyClock& now) {
    TeamState state;
    const std::int64_t start = now();
    // Our record as written (names cleaned): others' records, and our own
    // earlier runs', are known by it.
    Record me = mine;
    me.user = NameAsWritten(mine.user);
    me.computer = NameAsWritten(mine.computer);
    const bool wrote = WriteMine(folder, me, now);
    const bool listed = ReadOthers(folder, me, now);
    state.folderOk = wrote && listed;
    if (!state.folderOk) writeAgain_ = true;
    if (state.folderOk)
        failingSinceMs_.reset();
    else if (!failingSinceMs_)
        failingSinceMs_ = start;
    // As of the cycle's start; the worker adds the time since (StateAsOf).
    state.failingForMs = failingSinceMs_ ? start - *failingSinceMs_ : 0;
    const std::int64_t end = now();
    std::vector<std::pair<const Known*, std::int64_t>> counting;  // and until when each counts
    for (const auto& [name, k] : known_)
        if (const std::optional<std::int64_t> until = CountsUntil(k, me, end)) counting.emplace_back(&k, *until);
    std::map<std::pair<std::string, std::string>, std::size_t> people;  // by user and computer, lower case
    for (const auto& [k, until] : counting) {
        // A copy that stops counting before the next cycle, while another
        // copy of its person counts on, is left out: the person shown goes
        // when the first of their copies does (its objects are among theirs).
        if (until < end + kMaxCycleIntervalMs &&
            std::any_of(counting.begin(), counting.end(), [&, k = k, until = until](const auto& other) {
                return other.second > until && SamePerson(other.first->record, k->record);
            }))
            continue;
        const auto [at, added] = people.try_emplace({LowerAscii(k->record.user), LowerAscii(k->record.computer)},
                                                    state.others.size());
        if (added) {
            state.others.push_back(k->shown);
            state.heard.push_back({{}, until});
        } else {
            Merge(state.others[at->second], k->shown);
        }
        TeamState::Heard& heard = state.heard[at->second];
        heard.runs.push_back(k->record.runId);
        heard.countsUntilMs = std::min(heard.countsUntilMs, until);
    }
    return state;
}

bool TeamSync::Leave(TeamFolder& folder) {
    if (!everWritten_) return true;
    if (!folder.Remove(myName_)) return false;
    everWritten_ = false;
    return true;
}

}  // namespace brisolt::team
