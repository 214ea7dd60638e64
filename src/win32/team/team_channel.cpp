#include "win32/team/team_channel.h"

#include <algorithm>

#include "win32/base/code_page.h"
#include "win32/ports/win32_system.h"
#include "win32/ports/win32_processes.h"
#include "win32/team/win32_team_folder.h"

namespace brisolt::win32 {

namespace {

// Names between the program's code page and the records' UTF-8, converted
// here and nowhere else.
void ConvertNames(team::Record& r, std::string (*convert)(std::string_view)) {
    r.user = convert(r.user);
    r.computer = convert(r.computer);
    for (team::OpenObject& o : r.objects) o.name = convert(o.name);
}

}  // namespace

Win32TeamChannel::~Win32TeamChannel() {
    // Our records go now; a share that does not answer is waited for at most
    // TeamWorker::kQuitWait in all, counted from Quit (which left the folder
    // before the windows closed) when the last worker retired then.
    auto from = std::chrono::steady_clock::now();
    if (worker_)
        retired_.push_back(std::move(worker_));
    else if (!retired_.empty())
        from = std::min(from, lastRetiredAt_);
    for (auto& worker : retired_) worker->RequestStop();
    const auto deadline = from + TeamWorker::kQuitWait;
    for (auto& worker : retired_) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        worker->Stop(std::max(left, std::chrono::milliseconds(0)));
    }
}

void Win32TeamChannel::JoinFinished() {
    retired_.erase(std::remove_if(retired_.begin(), retired_.end(),
                                  [](const std::unique_ptr<TeamWorker>& w) { return w->Finished() && w->Stop(); }),
                   retired_.end());
}

void Win32TeamChannel::Configure(const std::string& folder, int intervalMs) {
    JoinFinished();
    // Only another folder starts another worker, however it is spelt: a new
    // interval takes effect with the next one (two workers on one folder
    // would race over our record).
    if (folder == folder_) return;
    const std::string canonical = CanonicalTeamFolder(folder);
    if (canonical == canonical_) {
        folder_ = folder;
        return;
    }
    // The worker looks at the folder once per scan interval (one listing an
    // interval keeps the load on the server small), and at least as often as
    // the liveness margin counts with.
    const int cycleMs = std::clamp(intervalMs, 100, static_cast<int>(team::kMaxCycleIntervalMs));
    // The old worker removes our record from the old folder in its own time:
    // the user interface does not wait for a share that may not answer.
    if (worker_) {
        worker_->RequestStop();
        retired_.push_back(std::move(worker_));
        lastRetiredAt_ = std::chrono::steady_clock::now();
    }
    folder_ = folder;
    canonical_ = canonical;
    if (folder.empty()) return;
    worker_ = std::make_unique<TeamWorker>(std::make_unique<Win32TeamFolder>(folder),
                                           std::chrono::milliseconds(cycleMs), team::SyncTiming{},
                                           std::make_unique<Win32LocalProcesses>(),
                                           std::to_string(++workers_));
    if (published_) worker_->Publish(mine_);
}

void Win32TeamChannel::Publish(const team::Record& mine) {
    mine_ = mine;
    ConvertNames(mine_, Utf8FromAnsi);
    const ProcessStamp self = ThisProcess();
    mine_.processId = self.id;
    mine_.processStart = self.startTime;
    published_ = true;
    if (worker_) worker_->Publish(mine_);
}

std::shared_ptr<const team::TeamState> Win32TeamChannel::Latest() {
    if (!worker_) return nullptr;
    auto state = std::make_shared<team::TeamState>(worker_->Latest());
    // The names are fit to show already (the sync made them so), in UTF-8.
    for (team::Record& other : state->others) ConvertNames(other, AnsiFromUtf8);
    return state;
}

void Win32TeamChannel::RequestHistory() {
    // The history's names too come to the program in its code page, and its
    // search looks in them in lower case by the code page's letters.
    if (worker_)
        worker_->RequestHistory({[](std::string_view utf8) { return AnsiFromUtf8(utf8); },
                                 [](std::string_view ansi) { return Win32CodePage().Lower(ansi); }});
}

team::TeamChannel::History Win32TeamChannel::LatestHistory() { return worker_ ? worker_->History() : History{}; }

}  // namespace brisolt::win32
