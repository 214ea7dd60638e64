// The team channel without a thread: Latest() runs one exchange with an
// in-memory folder whenever the copy's steady clock has moved since the last,
// and the history read asked for since.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "fake_team_folder.h"
#include "fakes.h"
#include "team/history_writer.h"
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
        if (!configured.empty()) team::LeaveWithHistory(sync_, keeper_, folder_, clock_.utcSeconds);
        configured = folder;
        sync_ = team::TeamSync();
        keeper_ = team::HistoryKeeper();
        latest_.reset();
        history_ = {};
    }
    void Publish(const team::Record& mine) override {
        if (!team::SameContent(mine, mine_)) keeper_.Publish(mine, clock_.utcSeconds);
        mine_ = mine;
    }
    void RequestHistory() override { history_.reading = !configured.empty(); }
    History LatestHistory() override { return history_; }
    std::shared_ptr<const team::TeamState> Latest() override {
        if (configured.empty()) return nullptr;
        if (silentSinceMs) {
            auto state = std::make_shared<team::TeamState>(latest_ ? *latest_ : team::TeamState{});
            state->silentForMs = clock_.steadyMs - *silentSinceMs;
            return state;
        }
        if (!latest_ || clock_.steadyMs != cycledAt_)
            latest_ = std::make_shared<const team::TeamState>(
                team::CycleWithHistory(sync_, keeper_, folder_, mine_, [this] { return clock_.steadyMs; }, clock_.utcSeconds));
        cycledAt_ = clock_.steadyMs;
        if (history_.reading) {
            history_.index = reader_.Read(folder_, clock_.utcSeconds, {Same, [this](std::string_view s) { return codePage_.Lower(s); }});
            history_.failed = !history_.index;
            history_.reading = false;
        }
        return latest_;
    }

private:
    FakeTeamFolder& folder_;
    FakeClock& clock_;
    static std::string Same(std::string_view s) { return std::string(s); }

    team::TeamSync sync_;
    team::HistoryKeeper keeper_;
    team::HistoryReader reader_;
    FakeCodePage codePage_;
    History history_;
    team::Record mine_;
    std::shared_ptr<const team::TeamState> latest_;
    std::int64_t cycledAt_ = 0;
};

}  // namespace brisolt::test
