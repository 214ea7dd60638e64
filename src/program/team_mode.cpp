#include "program/team_mode.h"

#include <algorithm>
#include <random>

#include "program/app.h"
#include "program/commands.h"
#include "team/team_channel.h"

namespace brisolt {

namespace {

constexpr int kTrayAlertMs = 1000;  // the alert look alternates every second

// The tray's alternating network-error look, while the folder fails.
void ShowFolderFailing(App& app, bool failing) {
    TeamModeState& team = app.team;
    if (failing == team.folderFailing) return;
    team.folderFailing = failing;
    ProgramState& program = app.program;
    program.trayAlertTimer.interval = kTrayAlertMs;
    program.trayAlertTimer.enabled = failing;
    // The alert look shows at once; the timer alternates it from then on.
    if (failing && !program.trayAlertPhase) TrayAlertTick(app);
    if (!failing) {
        // Back to the program's own look.
        program.trayAlertPhase = false;
        app.tray.icon = ":ico";
        app.tray.toolTip = app.view.caption;
    }
}

// Each published object gets the name its title shows.
void NameObjects(std::vector<team::OpenObject>& objects, const std::vector<ClientRow>& rows) {
    for (const ClientRow& row : rows) {
        const team::ObjectId id{row.designer.typeCode, std::string(row.designer.Number(row.title))};
        auto found = std::lower_bound(objects.begin(), objects.end(), id,
                                      [](const team::OpenObject& o, const team::ObjectId& i) { return o.id < i; });
        if (found != objects.end() && found->id == id && found->name.empty())
            found->name = std::string(row.designer.Name(row.title));
    }
}

void ClearTeam(App& app) {
    TeamModeState& team = app.team;
    team.presence = {};
    team.overlapAlarm = {};
    team.remarks.clear();
    team.publishedTo.clear();
    team.latest = nullptr;
    ShowFolderFailing(app, false);
}

}  // namespace

std::string NewRunId(std::uint64_t salt) {
    std::random_device device;
    std::seed_seq seed{device(), device(), static_cast<unsigned>(salt), static_cast<unsigned>(salt >> 32)};
    std::mt19937_64 random(seed);
    const char digits[] = "0123456789abcdef";
    std::uint64_t value = random();
    std::string id;
    for (int i = 0; i < 16; ++i, value >>= 4) id += digits[value & 0xF];
    return id;
}

bool UpdateTeamMode(App& app) {
    team::TeamChannel* channel = app.platform.team;
    if (!channel) return false;
    TeamModeState& team = app.team;
    if (app.settings.teamFolder != team.typedFolder)
        team.typedFolder = app.settings.teamFolder;
    else
        team.folder = team.typedFolder;
    const std::string& folder = team.folder;
    channel->Configure(folder, app.program.scanTimer.interval);
    if (folder.empty()) {
        if (!app.team.publishedTo.empty() || app.team.folderFailing) ClearTeam(app);
        return false;
    }
    Clock& clock = *app.platform.clock;

    // The objects of this tick's rows; a window that is no designer has none.
    const std::vector<ClientRow>& rows = app.scan.clientWindows;
    std::vector<team::ObjectId> ids;
    ids.reserve(rows.size());
    for (const ClientRow& row : rows) ids.push_back({row.designer.typeCode, std::string(row.designer.Number(row.title))});

    const bool changed = team.presence.Update(ids, clock.UtcSeconds());
    if (changed || team.publishedTo != folder) {
        team::Record mine;
        mine.user = app.accessLog.User();
        mine.computer = app.program.computerName;
        mine.runId = team.runId;
        mine.startedUtc = team.startedUtc;
        mine.objects = team.presence.Objects();
        NameObjects(mine.objects, rows);
        channel->Publish(mine);
        team.publishedTo = folder;
    }

    const std::shared_ptr<const team::TeamState> state = channel->Latest();
    team.latest = state;
    ShowFolderFailing(app, state && !state->folderOk);
    const std::vector<team::RowOverlap> overlaps =
        state ? team::MatchRows(ids, state->others) : std::vector<team::RowOverlap>(ids.size());
    team.remarks.assign(overlaps.size(), {});
    for (std::size_t i = 0; i < overlaps.size(); ++i)
        if (!overlaps[i].holders.empty())
            team.remarks[i].text = team::HoldersText(
                overlaps[i].holders, [&clock](std::int64_t utc) { return clock.TimeOfDayText(utc); });
    return team.overlapAlarm.Update(overlaps);
}

void LeaveTeam(App& app) {
    if (app.platform.team) app.platform.team->Configure("", app.program.scanTimer.interval);
    app.team.publishedTo.clear();
}

}  // namespace brisolt
