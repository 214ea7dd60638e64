#include "win32/team/team_worker.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "team/history_writer.h"
#include "team/worker_timing.h"
#include "win32/base/win.h"
#include "win32/ports/utc_time.h"

namespace brisolt::win32 {

namespace {

// Liveness needs a clock that goes on while the computer sleeps: a laptop
// that wakes after a night must see a night-old record as a night old.
// GetTickCount64 does (QueryUnbiasedInterruptTime would not); its 16 ms
// steps are fine for a rule in seconds.
std::int64_t SteadyNowMs() { return static_cast<std::int64_t>(GetTickCount64()); }

// A read of the history goes on between cycles in slices of this much, so
// that the record's heartbeat waits at most that long for a large or slow folder.
constexpr std::int64_t kHistorySliceMs = 1000;
// Records published while a cycle hangs on a share, kept for the sessions
// they close (the newest; the tick publishes only on a change).
constexpr std::size_t kMaxUnseenRecords = 1000;

}  // namespace

// Owned together by the worker object and its thread: a thread left behind
// at quit keeps what it uses.
struct TeamWorker::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    // Guarded by the mutex:
    team::Record mine;
    bool published = false;
    bool cycleNow = false;
    bool stop = false;
    bool finished = false;
    team::TeamState latest;
    std::int64_t latestFromMs = 0;  // when the last finished cycle started
    std::int64_t lastAnswerMs = 0;  // when a file call last returned
    // Every published record with its UTC second, for the history's sessions.
    std::vector<std::pair<team::Record, std::int64_t>> unseen;
    bool historyWanted = false;
    team::HistoryText historyText;
    team::TeamChannel::History history;
    // The thread's alone:
    std::unique_ptr<TeamFolder> folder;
    std::unique_ptr<LocalProcesses> processes;
    team::TeamSync sync;
    team::HistoryKeeper keeper;
    team::HistoryReader reader;
    bool readBegun = false;
    std::chrono::milliseconds interval;
    std::thread thread;

    Shared(std::unique_ptr<TeamFolder> f, std::unique_ptr<LocalProcesses> p, std::chrono::milliseconds i,
           team::SyncTiming timing, std::string writer)
        : lastAnswerMs(SteadyNowMs()), folder(std::move(f)), processes(std::move(p)),
          sync(timing, processes.get(), std::move(writer)), interval(i) {}

    // The folder as the sync sees it: each call notes when it returned, so
    // the tick can tell a share that has stopped answering.
    struct Watched : TeamFolder {
        Shared& s;
        explicit Watched(Shared& shared) : s(shared) {}
        template <class Call>
        bool Answer(Call call) {
            const bool result = call();
            std::lock_guard<std::mutex> lock(s.mutex);
            s.lastAnswerMs = SteadyNowMs();
            return result;
        }
        bool List(std::vector<FolderEntry>& e) override {
            return Answer([&] { return s.folder->List(e); });
        }
        bool Read(const std::string& n, std::size_t m, std::string& b, std::uint64_t& t) override {
            return Answer([&] { return s.folder->Read(n, m, b, t); });
        }
        bool WriteAtomically(const std::string& n, const std::string& b, std::uint64_t& t) override {
            return Answer([&] { return s.folder->WriteAtomically(n, b, t); });
        }
        AppendResult AppendAt(const std::string& n, std::uint64_t e, const std::string& b, std::size_t m,
                              std::string& t, std::uint64_t& z) override {
            AppendResult result = AppendResult::Failed;
            Answer([&] { return (result = s.folder->AppendAt(n, e, b, m, t, z)) != AppendResult::Failed; });
            return result;
        }
        bool Remove(const std::string& n) override {
            return Answer([&] { return s.folder->Remove(n); });
        }
    };

    // The records published since the last look go to the history's sessions.
    void TakePublished(std::unique_lock<std::mutex>& lock) {
        std::vector<std::pair<team::Record, std::int64_t>> records;
        records.swap(unseen);
        lock.unlock();
        for (const auto& [record, utc] : records) keeper.Publish(record, utc);
        lock.lock();
    }

    // One slice of a history read asked for; the result, once whole, for the tick.
    void ReadHistory(TeamFolder& folder, std::unique_lock<std::mutex>& lock) {
        const team::HistoryText text = historyText;
        lock.unlock();
        bool done = false, failed = false;
        if (!readBegun) failed = !(readBegun = reader.Begin(folder, UtcNowSeconds()));
        const std::int64_t until = SteadyNowMs() + kHistorySliceMs;
        if (readBegun) done = reader.Continue(folder, [until] { return SteadyNowMs() < until; });
        std::shared_ptr<const team::HistoryIndex> index = done ? reader.Merge(text) : nullptr;
        lock.lock();
        if (!done && !failed) return;
        readBegun = false;
        historyWanted = false;
        history.reading = false;
        history.failed = failed;
        if (index) history.index = std::move(index);
    }

    static void Run(std::shared_ptr<Shared> s) {
        Watched watched(*s);
        std::unique_lock<std::mutex> lock(s->mutex);
        std::int64_t lastStart = SteadyNowMs();
        for (;;) {
            const std::int64_t due = team::NextCycleAt(lastStart, s->interval.count());
            s->changed.wait_for(lock, std::chrono::milliseconds(std::max<std::int64_t>(0, due - SteadyNowMs())),
                                [&] { return s->cycleNow || s->stop || s->historyWanted; });
            if (s->stop) break;
            if (s->cycleNow || SteadyNowMs() >= due) {
                s->cycleNow = false;
                lastStart = SteadyNowMs();
                if (s->published) {
                    s->TakePublished(lock);
                    const team::Record mine = s->mine;
                    lock.unlock();
                    const std::int64_t start = lastStart;
                    team::TeamState state =
                        team::CycleWithHistory(s->sync, s->keeper, watched, mine, SteadyNowMs, UtcNowSeconds());
                    lock.lock();
                    s->latest = std::move(state);
                    s->latestFromMs = start;
                }
            }
            if (s->historyWanted) s->ReadHistory(watched, lock);
        }
        s->TakePublished(lock);
        lock.unlock();
        team::LeaveWithHistory(s->sync, s->keeper, watched, UtcNowSeconds());
        lock.lock();
        s->finished = true;
        s->changed.notify_all();
    }
};

TeamWorker::TeamWorker(std::unique_ptr<TeamFolder> folder, std::chrono::milliseconds interval,
                       team::SyncTiming timing, std::unique_ptr<LocalProcesses> processes, std::string writer)
    : shared_(std::make_shared<Shared>(std::move(folder), std::move(processes), interval, timing, std::move(writer))) {
    shared_->thread = std::thread(&Shared::Run, shared_);
}

TeamWorker::~TeamWorker() {
    if (!stopped_) Stop();
}

void TeamWorker::Publish(const team::Record& mine) {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    if (shared_->published && team::SameContent(shared_->mine, mine)) return;
    shared_->mine = mine;
    if (shared_->unseen.size() == kMaxUnseenRecords) shared_->unseen.erase(shared_->unseen.begin());
    shared_->unseen.emplace_back(mine, UtcNowSeconds());
    shared_->published = true;
    shared_->cycleNow = true;
    shared_->changed.notify_all();
}

void TeamWorker::CycleNow() {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->cycleNow = true;
    shared_->changed.notify_all();
}

team::TeamState TeamWorker::Latest() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return team::StateAsOf(shared_->latest, shared_->latestFromMs, shared_->lastAnswerMs, SteadyNowMs());
}

void TeamWorker::RequestHistory(team::HistoryText text) {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    if (shared_->history.reading) return;
    shared_->historyText = std::move(text);
    shared_->historyWanted = true;
    shared_->history.reading = true;
    shared_->changed.notify_all();
}

team::TeamChannel::History TeamWorker::History() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->history;
}

void TeamWorker::RequestStop() {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->stop = true;
    shared_->changed.notify_all();
}

bool TeamWorker::Finished() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->finished;
}

bool TeamWorker::Stop(std::chrono::milliseconds wait) {
    if (stopped_) return true;
    stopped_ = true;
    bool finished;
    {
        std::unique_lock<std::mutex> lock(shared_->mutex);
        shared_->stop = true;
        shared_->changed.notify_all();
        finished = shared_->changed.wait_for(lock, wait, [&] { return shared_->finished; });
    }
    if (finished)
        shared_->thread.join();
    else
        shared_->thread.detach();
    return finished;
}

}  // namespace brisolt::win32
