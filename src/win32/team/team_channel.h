// The tick's team channel on Windows: a TeamWorker on the folder the settings
// name, started, moved and stopped as the option changes. The program's text
// is in the Windows code page; records are UTF-8, converted here at the edge.
#pragma once
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "team/team_channel.h"
#include "win32/team/team_worker.h"

namespace brisolt::win32 {

class Win32TeamChannel : public team::TeamChannel {
public:
    ~Win32TeamChannel() override;
    void Configure(const std::string& folder, int intervalMs) override;
    void Publish(const team::Record& mine) override;
    std::shared_ptr<const team::TeamState> Latest() override;
    void RequestHistory() override;
    History LatestHistory() override;

private:
    void JoinFinished();  // retired workers that are done

    std::string folder_;     // as the settings hold it
    std::string canonical_;  // the same in one spelling (CanonicalTeamFolder)
    std::unique_ptr<TeamWorker> worker_;
    // Workers of folders no longer used, removing our record there: joined
    // once done, waited for (a little) when the program ends.
    std::vector<std::unique_ptr<TeamWorker>> retired_;
    std::chrono::steady_clock::time_point lastRetiredAt_;  // when the last of them was asked to stop
    int workers_ = 0;  // started so far: each writes a file of its own
    team::Record mine_;   // as last published, for a worker started anew
    bool published_ = false;
};

}  // namespace brisolt::win32
