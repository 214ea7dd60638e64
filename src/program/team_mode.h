// Team mode in the tick: this copy publishes the designers its client has
// open, reads what the other copies in the team folder have open, and says
// for each client row who else has its object. The exchange with the folder
// runs elsewhere (team::TeamChannel); nothing here waits for it.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "listwin/list_window.h"
#include "team/overlap.h"
#include "team/presence.h"
#include "team/sync.h"

namespace brisolt {

struct App;

struct TeamModeState {
    std::string runId;  // this run's id in its record, letters and digits
    std::int64_t startedUtc = 0;  // when this run started
    team::Presence presence;
    team::OverlapAlarm overlapAlarm;
    // What the others have open, beside the client rows.
    std::vector<RowRemark> remarks;
    // The folder in use: the option as it was when the user left its box,
    // pressed Enter in it or chose a folder (never a half-typed path).
    std::string folder;
    // The folder this copy last published to ("" while team mode is off).
    std::string publishedTo;
    // Since when this user shares the designer history (0: does not), and
    // what the last published record said.
    std::int64_t historySinceUtc = 0;
    std::int64_t publishedHistorySinceUtc = 0;
    bool folderFailing = false;
    // The exchange's newest state as this tick took it; null while team mode
    // is off or before the first look. The Team page shows it.
    std::shared_ptr<const team::TeamState> latest;
    // How the folder looks in that state: failing, or too silent to vouch for others.
    team::FolderLook look;
};

// A fresh run id: 16 hexadecimal digits from the random device, mixed with
// `salt` (what differs between two starts anyway: the clocks).
std::string NewRunId(std::uint64_t salt = 0);

// What a tick makes of the exchange's state (null before its first look):
// how the folder looks, who else has each row's object, and whether an
// overlap begins (the sound).
struct TeamView {
    team::FolderLook look;
    std::vector<team::RowOverlap> overlaps;  // one per row
    bool begins = false;
};
TeamView ViewTeam(const team::TeamState* state, const std::vector<team::ObjectId>& rows, team::OverlapAlarm& alarm,
                  std::int64_t steadyMs);

// The team folder option applies: the user left its box, pressed Enter in it
// or chose a folder.
void ApplyTeamFolder(App& app);

// After the scan: publishes, matches, and flags a failing folder on the tray.
// True when an overlap begins (a new object, or a new person on one), which
// sounds the exclamation once while the alarm option is on.
bool UpdateTeamMode(App& app);

// At quit: this copy's record goes at once.
void LeaveTeam(App& app);

}  // namespace brisolt
