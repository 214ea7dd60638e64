#include "program/tray_alert.h"

#include "program/app.h"
#include "program/texts.h"
#include "program/tick.h"

namespace brisolt {

void ShowTrayLook(App& app) {
    const bool alert = app.team.folderFailing && app.program.trayAlertPhase;
    app.tray.icon = alert ? ":ksalert" : ":ico";
    const char* suffix = alert ? Pick(texts::kNetworkError, app.settings.language) : nullptr;
    app.tray.toolTip = suffix ? app.view.caption + suffix : app.view.caption;
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
