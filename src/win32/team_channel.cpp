#include "win32/team_channel.h"

#include <algorithm>

#include "win32/code_page.h"
#include "win32/win32_processes.h"
#include "win32/win32_team_folder.h"

namespace brisolt::win32 {

namespace {

// The worker looks at the folder once per scan interval (one listing an
// interval keeps the load on the server small), and at least every five
// seconds: its record is rewritten within a heartbeat and a cycle, the
// longest cycle team::SyncTiming counts with.
constexpr int kMaxCycleMs = 5000;
static_assert(kMaxCycleMs <= team::SyncTiming{}.maxCycleMs);

// ASCII reads the same in UTF-8 and in the code page: most names need no conversion.
bool IsAscii(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

Win32TeamChannel::~Win32TeamChannel() {
    // Our records go now; a share that does not answer is waited for at most
    // TeamWorker::kQuitWait in all.
    if (worker_) retired_.push_back(std::move(worker_));
    for (auto& worker : retired_) worker->RequestStop();
    const auto deadline = std::chrono::steady_clock::now() + TeamWorker::kQuitWait;
    for (auto& worker : retired_) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        worker->Stop(std::max(left, std::chrono::milliseconds(0)));
    }
}

void Win32TeamChannel::Configure(const std::string& folder, int intervalMs) {
    // Only another folder starts another worker, however it is spelt: a new
    // interval takes effect with the next one (two workers on one folder
    // would race over our record).
    if (folder == folder_) return;
    const std::string canonical = CanonicalTeamFolder(folder);
    if (canonical == canonical_) {
        folder_ = folder;
        return;
    }
    const int cycleMs = std::clamp(intervalMs, 100, kMaxCycleMs);
    // The old worker removes our record from the old folder in its own time:
    // the user interface does not wait for a share that may not answer.
    if (worker_) {
        worker_->RequestStop();
        retired_.push_back(std::move(worker_));
    }
    folder_ = folder;
    canonical_ = canonical;
    if (folder.empty()) return;
    worker_ = std::make_unique<TeamWorker>(std::make_unique<Win32TeamFolder>(folder),
                                           std::chrono::milliseconds(cycleMs), team::SyncTiming{},
                                           std::make_unique<Win32LocalProcesses>());
    if (published_) worker_->Publish(mine_);
}

void Win32TeamChannel::Publish(const team::Record& mine) {
    mine_ = mine;
    mine_.user = Utf8FromAnsi(mine.user);
    mine_.computer = Utf8FromAnsi(mine.computer);
    const ProcessStamp self = ThisProcess();
    mine_.processId = self.id;
    mine_.processStart = self.startTime;
    for (team::OpenObject& o : mine_.objects) o.name = Utf8FromAnsi(o.name);
    published_ = true;
    if (worker_) worker_->Publish(mine_);
}

std::shared_ptr<const team::TeamState> Win32TeamChannel::Latest() {
    if (!worker_) return nullptr;
    auto state = std::make_shared<team::TeamState>(worker_->Latest());
    // The names are fit to show already (the sync made them so), in UTF-8.
    for (team::Record& other : state->others) {
        other.user = AnsiFromUtf8(other.user);
        other.computer = AnsiFromUtf8(other.computer);
        for (team::OpenObject& o : other.objects)
            if (!IsAscii(o.name)) o.name = AnsiFromUtf8(o.name);
    }
    return state;
}

}  // namespace brisolt::win32
