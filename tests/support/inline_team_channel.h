// The team channel without a thread: every Latest() runs one exchange with an
// in-memory folder, at the steady time of the copy's clock.
#pragma once
#include <memory>
#include <string>

#include "fake_team_folder.h"
#include "fakes.h"
#include "team/team_channel.h"

namespace brisolt::test {

class InlineTeamChannel : public team::TeamChannel {
public:
    InlineTeamChannel(FakeTeamFolder& folder, FakeClock& clock) : folder_(folder), clock_(clock) {}

    std::string configured;  // the folder asked for
    int configures = 0;

    void Configure(const std::string& folder, int) override {
        ++configures;
        if (folder == configured) return;
        if (!configured.empty()) sync_.Leave(folder_);
        configured = folder;
        sync_ = team::TeamSync();
    }
    void Publish(const team::Record& mine) override { mine_ = mine; }
    std::shared_ptr<const team::TeamState> Latest() override {
        if (configured.empty()) return nullptr;
        return std::make_shared<const team::TeamState>(sync_.Cycle(folder_, mine_, clock_.steadyMs));
    }

private:
    FakeTeamFolder& folder_;
    FakeClock& clock_;
    team::TeamSync sync_;
    team::Record mine_;
};

}  // namespace brisolt::test
