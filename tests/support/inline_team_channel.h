// The team channel without a thread: Latest() runs one exchange with an
// in-memory folder whenever the copy's steady clock has moved since the last.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "fake_team_folder.h"
#include "fakes.h"
#include "team/team_channel.h"

namespace brisolt::test {

class InlineTeamChannel : public team::TeamChannel {
public:
    InlineTeamChannel(FakeTeamFolder& folder, FakeClock& clock) : folder_(folder), clock_(clock) {}

    std::string configured;  // the folder asked for
    // Set: the folder has not answered since this steady moment (a share
    // that hangs); no exchange runs.
    std::optional<std::int64_t> silentSinceMs;

    void Configure(const std::string& folder, int) override {
        if (folder == configured) return;
        if (!configured.empty()) sync_.Leave(folder_);
        configured = folder;
        sync_ = team::TeamSync();
        latest_.reset();
    }
    void Publish(const team::Record& mine) override { mine_ = mine; }
    std::shared_ptr<const team::TeamState> Latest() override {
        if (configured.empty()) return nullptr;
        if (silentSinceMs) {
            auto state = std::make_shared<team::TeamState>(latest_ ? *latest_ : team::TeamState{});
            state->silentForMs = clock_.steadyMs - *silentSinceMs;
            return state;
        }
        if (!latest_ || clock_.steadyMs != cycledAt_)
            latest_ = std::make_shared<const team::TeamState>(sync_.Cycle(folder_, mine_, clock_.steadyMs));
        cycledAt_ = clock_.steadyMs;
        return latest_;
    }

private:
    FakeTeamFolder& folder_;
    FakeClock& clock_;
    team::TeamSync sync_;
    team::Record mine_;
    std::shared_ptr<const team::TeamState> latest_;
    std::int64_t cycledAt_ = 0;
};

}  // namespace brisolt::test
