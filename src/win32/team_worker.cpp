#include "win32/team_worker.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace brisolt::win32 {

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
    // The thread's alone:
    std::unique_ptr<TeamFolder> folder;
    team::TeamSync sync;
    std::chrono::milliseconds interval;
    std::thread thread;

    Shared(std::unique_ptr<TeamFolder> f, std::chrono::milliseconds i, team::SyncTiming timing)
        : folder(std::move(f)), sync(timing), interval(i) {}

    static void Run(std::shared_ptr<Shared> s) {
        std::unique_lock<std::mutex> lock(s->mutex);
        for (;;) {
            s->changed.wait_for(lock, s->interval, [&] { return s->cycleNow || s->stop; });
            if (s->stop) break;
            s->cycleNow = false;
            if (!s->published) continue;
            const team::Record mine = s->mine;
            lock.unlock();
            const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now().time_since_epoch());
            team::TeamState state = s->sync.Cycle(*s->folder, mine, now.count());
            lock.lock();
            s->latest = std::move(state);
        }
        lock.unlock();
        s->sync.Leave(*s->folder);
        lock.lock();
        s->finished = true;
        s->changed.notify_all();
    }
};

TeamWorker::TeamWorker(std::unique_ptr<TeamFolder> folder, std::chrono::milliseconds interval,
                       team::SyncTiming timing)
    : shared_(std::make_shared<Shared>(std::move(folder), interval, timing)) {
    shared_->thread = std::thread(&Shared::Run, shared_);
}

TeamWorker::~TeamWorker() {
    if (!stopped_) Stop();
}

void TeamWorker::Publish(const team::Record& mine) {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    if (shared_->published && team::SameContent(shared_->mine, mine)) return;
    shared_->mine = mine;
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
    return shared_->latest;
}

void TeamWorker::RequestStop() {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->stop = true;
    shared_->changed.notify_all();
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
