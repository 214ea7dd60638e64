#include "team/sync.h"

#include <unordered_set>
#include <utility>

namespace brisolt::team {

bool TeamSync::WriteMine(TeamFolder& folder, const Record& mine, std::int64_t now) {
    const std::string name = RecordFileName(mine.computer, mine.user, mine.runId);
    const bool due = !everWritten_ || lastCycleFailed_ || name != myName_ || !SameContent(mine, written_) ||
                     now - lastWriteMs_ >= timing_.heartbeatMs;
    if (!due) return true;

    if (everWritten_ && name != myName_) folder.Remove(myName_);  // best effort: it ages out anyway
    Record out = mine;
    out.sequence = ++sequence_;
    if (!folder.WriteAtomically(name, WriteRecord(out))) return false;  // tried again next cycle
    written_ = std::move(out);
    myName_ = name;
    everWritten_ = true;
    lastWriteMs_ = now;
    return true;
}

bool TeamSync::ReadOthers(TeamFolder& folder, std::int64_t now) {
    std::vector<FolderEntry> entries;
    if (!folder.List(entries)) return false;  // what we know ages out by the liveness rule

    std::unordered_set<std::string> listed;
    for (const FolderEntry& entry : entries) {
        if (!IsRecordFileName(entry.name) || entry.name == myName_) continue;
        if (entry.size > kMaxRecordBytes) continue;  // no writer of ours makes that: not read, not kept
        listed.insert(entry.name);

        auto found = known_.find(entry.name);
        const bool isNew = found == known_.end();
        if (!isNew) {
            const Known& k = found->second;
            const bool listingChanged = k.entry.size != entry.size || k.entry.writeTime != entry.writeTime;
            if (!listingChanged && now - k.lastReadMs < timing_.heartbeatMs) continue;
        }

        std::string bytes;
        // One byte more than a record may have, to tell a grown file.
        const bool read = folder.Read(entry.name, kMaxRecordBytes + 1, bytes);
        if (!read && isNew) continue;  // deleted since the listing, or unreadable: next cycle
        Known& k = known_[entry.name];
        k.entry = entry;
        k.lastReadMs = now;
        if (!read) continue;  // keep what we had; the liveness rule decides

        Record record;
        if (!ParseRecord(bytes, record)) {
            k.hasRecord = false;  // re-read when the listing changes or at the next heartbeat
            continue;
        }
        const bool changed = !k.hasRecord || record.sequence != k.record.sequence || record.runId != k.record.runId;
        if (changed) k.lastChangeMs = now;
        k.record = std::move(record);
        k.hasRecord = true;
        if (!changed && now - k.lastChangeMs >= timing_.removeAfterMs && folder.Remove(entry.name)) {
            known_.erase(entry.name);
            listed.erase(entry.name);
        }
    }
    // Records gone from the folder (their copy quit) are forgotten at once.
    for (auto it = known_.begin(); it != known_.end();)
        it = listed.count(it->first) ? std::next(it) : known_.erase(it);
    return true;
}

TeamState TeamSync::Cycle(TeamFolder& folder, const Record& mine, std::int64_t steadyMs) {
    TeamState state;
    const bool wrote = WriteMine(folder, mine, steadyMs);
    const bool listed = ReadOthers(folder, steadyMs);
    state.folderOk = wrote && listed;
    lastCycleFailed_ = !state.folderOk;
    for (const auto& [name, k] : known_)
        if (k.hasRecord && steadyMs - k.lastChangeMs < timing_.aliveMs) state.others.push_back(k.record);
    return state;
}

bool TeamSync::Leave(TeamFolder& folder) {
    if (!everWritten_) return true;
    if (!folder.Remove(myName_)) return false;
    everWritten_ = false;
    return true;
}

}  // namespace brisolt::team
