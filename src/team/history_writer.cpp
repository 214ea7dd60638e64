#include "team/history_writer.h"

#include <algorithm>

#include "team/text_fields.h"

namespace brisolt::team {

namespace {

// What makes a session the same in a file: who, which object, since when.
std::string KeyOf(const SessionFields& s) {
    std::string key(s.user);
    key += '\t';
    key += s.computer;
    key += '\t';
    key += static_cast<char>('0' + s.typeCode);
    key += '\t';
    key += s.number;
    key += '\t';
    key += std::to_string(s.fromUtc);
    return key;
}

Session Closed(const Record& r, const OpenObject& o, std::int64_t nowUtc) {
    Session s;
    s.id = o.id;
    s.name = o.name;
    s.user = r.user;
    s.computer = r.computer;
    s.fromUtc = std::max(o.sinceUtc, r.historySinceUtc);
    s.toUtc = std::max(s.fromUtc, nowUtc);
    return s;
}

}  // namespace

std::vector<Session> SessionTracker::Update(const Record& mine, std::int64_t nowUtc) {
    std::vector<Session> closed;
    if (mine.historySinceUtc <= 0) {
        open_ = {};  // not shared: what was open is not written
        return closed;
    }
    const bool same = open_.user == mine.user && open_.computer == mine.computer &&
                      open_.historySinceUtc == mine.historySinceUtc;
    for (const OpenObject& o : open_.objects) {
        const bool stillOpen = same && std::any_of(mine.objects.begin(), mine.objects.end(), [&o](const OpenObject& m) {
                                   return m.id == o.id && m.sinceUtc == o.sinceUtc;
                               });
        if (!stillOpen) closed.push_back(Closed(open_, o, nowUtc));
    }
    open_ = mine;
    return closed;
}

std::vector<Session> SessionTracker::CloseAll(std::int64_t nowUtc) {
    std::vector<Session> closed = SessionsLeftOpen(open_, nowUtc);
    open_ = {};
    return closed;
}

std::vector<Session> SessionsLeftOpen(const Record& ended, std::int64_t lastSeenUtc) {
    std::vector<Session> closed;
    if (ended.historySinceUtc <= 0) return closed;
    for (const OpenObject& o : ended.objects) closed.push_back(Closed(ended, o, lastSeenUtc));
    return closed;
}

void HistoryKeeper::Publish(const Record& mine, std::int64_t nowUtc) {
    sharing_ = mine.historySinceUtc > 0;
    if (!sharing_) writer_.Clear();
    writer_.Add(tracker_.Update(mine, nowUtc), nowUtc);
}

void HistoryKeeper::RunEnded(const Record& ended, std::int64_t lastSeenUtc, std::int64_t nowUtc) {
    if (sharing_) writer_.Add(SessionsLeftOpen(ended, lastSeenUtc), nowUtc);
}

bool HistoryKeeper::Close(TeamFolder& folder, std::int64_t nowUtc) {
    writer_.Add(tracker_.CloseAll(nowUtc), nowUtc);
    return writer_.Flush(folder, nowUtc);
}

TeamState CycleWithHistory(TeamSync& sync, HistoryKeeper& history, TeamFolder& folder, const Record& mine,
                           const SteadyClock& now, std::int64_t nowUtc) {
    history.Flush(folder, nowUtc);
    TeamState state = sync.Cycle(folder, mine, now);
    const std::vector<EndedRun> ended = sync.TakeEndedRuns();
    for (const EndedRun& run : ended) history.RunEnded(run.record, run.lastSeenUtc, nowUtc);
    if (!ended.empty()) history.Flush(folder, nowUtc);
    return state;
}

bool LeaveWithHistory(TeamSync& sync, HistoryKeeper& history, TeamFolder& folder, std::int64_t nowUtc) {
    return history.Close(folder, nowUtc) && sync.Leave(folder);
}

void HistoryWriter::Add(const std::vector<Session>& sessions, std::int64_t nowUtc) {
    const int oldest = MonthOf(nowUtc) - (kHistoryMonths - 1);
    for (const Session& session : sessions) {
        std::string line = SessionLine(session);
        SessionFields f;
        if (line.empty() || ParseHistoryLine(std::string_view(line).substr(0, line.size() - 1), f) !=
                                HistoryLine::Session)
            continue;
        const int month = MonthOf(f.fromUtc);
        if (month < oldest) {
            ++dropped_;
            continue;
        }
        writers_.insert(FileNamePart(f.computer) + '_' + FileNamePart(f.user));
        Queued q{HistoryFileName(std::string(f.computer), std::string(f.user), month), KeyOf(f), {}};
        q.line = std::move(line);
        pending_.push_back(std::move(q));
        if (pending_.size() > kMaxPendingSessions) {
            pending_.pop_front();
            ++dropped_;
        }
    }
}

bool HistoryWriter::Flush(TeamFolder& folder, std::int64_t nowUtc) {
    if (pending_.empty()) return true;
    if (MonthOf(nowUtc) != cleanedMonth_) RemoveOldFiles(folder, nowUtc);
    std::vector<std::string> files;
    for (const Queued& q : pending_)
        if (std::find(files.begin(), files.end(), q.file) == files.end()) files.push_back(q.file);
    for (const std::string& file : files) {
        // A longer file than known is read once and appended to at once; a
        // third round means another writer is busy there: next time.
        Outcome outcome = Outcome::Again;
        for (int round = 0; round < 3 && outcome == Outcome::Again; ++round)
            outcome = AppendTo(folder, file, files_[file]);
        if (outcome == Outcome::Failed) return false;  // the share fails: the next cycle tries again
    }
    return pending_.empty();
}

HistoryWriter::Outcome HistoryWriter::AppendTo(TeamFolder& folder, const std::string& file, FileState& state) {
    // A cut line is ended first, even with nothing else to write: it is then
    // a damaged line that readers skip, or, cut just before its LF, whole.
    std::string bytes(state.endsWithLf ? "" : "\n");
    std::vector<std::string> keys;
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it->file != file) {
            ++it;
        } else if (state.keys.count(it->key)) {
            it = pending_.erase(it);  // in the file already
        } else {
            const std::string_view header = keys.empty() && !state.header ? kHistoryHeader : std::string_view();
            if (state.full || state.length + bytes.size() + header.size() + it->line.size() > kMaxHistoryFileBytes) {
                state.full = true;
                it = pending_.erase(it);
                ++dropped_;
                continue;
            }
            bytes += header;
            bytes += it->line;
            keys.push_back(it->key);
            ++it;
        }
    }
    if (bytes.empty()) return Outcome::Done;

    std::string tail;
    std::uint64_t size = 0;
    switch (folder.AppendAt(file, state.length, bytes, kMaxHistoryFileBytes, tail, size)) {
    case AppendResult::Written:
        state.length = size;
        state.header = state.header || !keys.empty();
        state.endsWithLf = true;
        state.keys.insert(keys.begin(), keys.end());
        pending_.erase(std::remove_if(pending_.begin(), pending_.end(),
                                      [&](const Queued& q) { return q.file == file && state.keys.count(q.key); }),
                       pending_.end());
        return Outcome::Done;
    case AppendResult::Moved:
        if (size < state.length) {
            state = {};  // replaced or cut short by someone: known again from its start
        } else {
            Learn(state, tail);
            state.full = state.full || tail.size() < size - state.length;
            state.length = size;
        }
        return Outcome::Again;
    case AppendResult::Failed:
        break;
    }
    return Outcome::Failed;
}

void HistoryWriter::Learn(FileState& state, std::string_view tail) {
    // A last line without its LF counts as what it will be once the next
    // append ends it: a line cut just before its LF is whole then.
    for (std::size_t pos = 0; pos < tail.size();) {
        const std::size_t eol = std::min(tail.find('\n', pos), tail.size());
        SessionFields f;
        const HistoryLine kind = ParseHistoryLine(tail.substr(pos, eol - pos), f);
        if (kind == HistoryLine::Header) state.header = true;
        if (kind == HistoryLine::Session && state.header) state.keys.insert(KeyOf(f));
        pos = eol + 1;
    }
    if (!tail.empty()) state.endsWithLf = tail.back() == '\n';
}

void HistoryWriter::RemoveOldFiles(TeamFolder& folder, std::int64_t nowUtc) {
    std::vector<FolderEntry> entries;
    if (!folder.List(entries)) return;
    const int oldest = MonthOf(nowUtc) - (kHistoryMonths - 1);
    for (const FolderEntry& entry : entries) {
        std::string writer;
        int month = 0;
        // Only our own: every other writer keeps its files by this same rule.
        if (ParseHistoryFileName(entry.name, writer, month) && month < oldest && writers_.count(writer) &&
            folder.Remove(entry.name))
            files_.erase(entry.name);
    }
    cleanedMonth_ = MonthOf(nowUtc);
}

}  // namespace brisolt::team
