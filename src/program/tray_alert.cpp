#include "program/tray_alert.h"

#include "program/app.h"
#include "program/texts.h"
#include "program/tick.h"

namespace brisolt {

std::string TrayToolTip(const App& app) {
    const std::string& caption = app.view.caption;
    const char* words = Pick(texts::kInTheTeam, app.settings.language);
    if (!app.team.latest || app.team.look.networkError || !app.team.look.othersShown || !words) return caption;
    const std::string suffix = " - " + std::to_string(app.team.latest->others.size()) + words;
    return caption.substr(0, kTrayToolTipChars - suffix.size()) + suffix;
}

void ShowTrayLook(App& app) {
    const bool alert = app.team.folderFailing && app.program.trayAlertPhase;
    app.tray.icon = alert ? ":ksalert" : ":ico";
    const char* suffix = alert ? Pick(texts::kNetworkError, app.settings.language) : nullptr;
    app.tray.toolTip = suffix ? app.view.caption + suffix : TrayToolTip(app);
}

void ShowFolderFailing(App& app, bool failing) {
    if (failing == app.team.folderFailing) return;
    app.team.folderFailing = failing;
    app.program.trayAlertPhase = failing;
    ShowTrayLook(app);
}

void TrayAlertTick(App& app) {
    team::TeamChannel* channel = app.platform.team;
    if (!channel || app.team.folder.empty()) return;
    const std::shared_ptr<const team::TeamState> state = channel->Latest();
    const team::FolderLook look = state ? team::JudgeFolder(*state) : team::FolderLook{};
    app.team.latest = state;
    app.team.look = look;
    if (look.networkError && app.team.folderFailing) {
        app.program.trayAlertPhase = !app.program.trayAlertPhase;
        ShowTrayLook(app);
    }
    ShowFolderFailing(app, look.networkError);
    // A folder gone silent: the rows stop naming others now, not at the next scan.
    if (!look.othersShown)
        for (const RowRemark& remark : app.team.remarks)
            if (!remark.text.empty()) return RefreshWindowList(app);
}

}  // namespace brisolt
