#include "program/team_mode.h"

#include <algorithm>
#include <random>

#include "program/app.h"
#include "program/texts.h"
#include "program/tray_alert.h"
#include "team/team_channel.h"

namespace brisolt {

namespace {

constexpr int kTrayAlertMs = 1000;  // the folder is judged, and the alert look alternates, every second

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

TeamView ViewTeam(const team::TeamState* state, const std::vector<team::ObjectId>& rows, team::OverlapAlarm& alarm,
                  std::int64_t steadyMs) {
    TeamView view;
    view.look = state ? team::JudgeFolder(*state) : team::FolderLook{};
    // A silent folder names nobody, and hears nobody: the rows keep their
    // objects, so that the alarm knows the overlaps it loses from sight.
    const bool shown = state && view.look.othersShown;
    const std::vector<team::Record> nobody;
    const std::vector<team::Record>& heard = shown ? state->others : nobody;
    std::vector<std::vector<std::string>> runs;
    if (shown)
        for (const team::TeamState::Heard& h : state->heard) runs.push_back(h.runs);
    view.overlaps = team::MatchRows(rows, heard);
    view.begins = alarm.Update(view.overlaps, heard, steadyMs, runs);
    return view;
}

void ApplyTeamFolder(App& app) { app.team.folder = app.settings.teamFolder; }

bool UpdateTeamMode(App& app) {
    team::TeamChannel* channel = app.platform.team;
    if (!channel) return false;
    TeamModeState& team = app.team;
    const std::string& folder = team.folder;
    channel->Configure(folder, app.program.scanTimer.interval);
    app.program.trayAlertTimer.interval = kTrayAlertMs;
    app.program.trayAlertTimer.enabled = !folder.empty();
    if (folder.empty()) {
        if (!team.publishedTo.empty() || team.folderFailing) ClearTeam(app);
        return false;
    }
    Clock& clock = *app.platform.clock;

    // The objects of this tick's rows; a window that is no designer has none.
    const std::vector<ClientRow>& rows = app.scan.clientWindows;
    std::vector<team::ObjectId> ids;
    ids.reserve(rows.size());
    for (const ClientRow& row : rows) ids.push_back({row.designer.typeCode, std::string(row.designer.Number(row.title))});

    const bool changed = team.presence.Update(ids, clock.UtcSeconds());
    // The history is shared from the moment the option is seen on: a session
    // open before counts from then on.
    if (!app.settings.shareHistory)
        team.historySinceUtc = 0;
    else if (team.historySinceUtc == 0)
        team.historySinceUtc = clock.UtcSeconds();
    if (changed || team.publishedTo != folder || team.publishedHistorySinceUtc != team.historySinceUtc) {
        team::Record mine;
        mine.user = app.accessLog.User();
        mine.computer = app.program.computerName;
        mine.runId = team.runId;
        mine.startedUtc = team.startedUtc;
        mine.historySinceUtc = team.historySinceUtc;
        mine.objects = team.presence.Objects();
        NameObjects(mine.objects, rows);
        channel->Publish(mine);
        team.publishedTo = folder;
        team.publishedHistorySinceUtc = team.historySinceUtc;
    }

    const std::shared_ptr<const team::TeamState> state = channel->Latest();
    const TeamView view = ViewTeam(state.get(), ids, team.overlapAlarm, clock.SteadyMilliseconds());
    team.latest = state;
    team.look = view.look;
    ShowFolderFailing(app, view.look.networkError);
    const std::vector<team::RowOverlap>& overlaps = view.overlaps;
    const char* more = Pick(texts::kMoreHolders, app.settings.language);
    team.remarks.assign(overlaps.size(), {});
    for (std::size_t i = 0; i < overlaps.size(); ++i)
        if (!overlaps[i].holders.empty())
            team.remarks[i].text = team::HoldersText(
                overlaps[i].holders, [&clock](std::int64_t utc) { return clock.TimeOfDayText(utc); },
                more ? more : "more");
    return view.begins;
}

void LeaveTeam(App& app) {
    if (app.platform.team) app.platform.team->Configure("", app.program.scanTimer.interval);
    app.team.publishedTo.clear();
}

}  // namespace brisolt
