#include "program/tick.h"

#include <algorithm>

#include "glue/glue.h"
#include "program/app.h"
#include "program/pages.h"
#include "program/team_mode.h"
#include "program/team_page.h"
#include "program/texts.h"
#include "program/tray_alert.h"

namespace brisolt {

namespace {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
ListSurface SurfaceOf(App& app) { return {*app.platform.listWindowHost, *app.platform.clock, app.platform.scale}; }

void ShowCompany(App& app, const std::string& company) {
    app.view.company = company;
    app.view.caption = company.empty() ? std::string(kProductName) : company + " - " + kProductName;
    ShowTrayLook(app);
}

// A restored window is brought to the top; one that has closed since the
// last tick makes both requests fail silently.
void RestoreAndBringToTop(Desktop& desktop, WindowHandle window) {
    if (desktop.IsIconic(window)) desktop.Restore(window);
    desktop.BringToTop(window);
}

}  // namespace

void RefreshWindowList(App& app) {
    ListWindowHost* list = app.platform.listWindowHost;
    if (!list || !list->Exists()) return;
    const ListSurface surface = SurfaceOf(app);
    ComputeRowMetrics(surface, app.listWindowState);  // row height and margin for the current font

    app.scan = ScanDesktop(*app.platform.desktop, app.settings, app.scan);
    const ScanResult& scan = app.scan;
    app.accessLog.Record(scan, app.settings, *app.platform.files, *app.platform.clock);
    // Local duplicates sound at every tick; an overlap with another copy once, when it begins.
    const bool overlapBegins = UpdateTeamMode(app);
    ScanSchedule& schedule = app.program.scanSchedule;
    if ((scan.alarm && schedule.MaySound()) || (overlapBegins && app.settings.alarmSound)) {
        app.platform.sound->Exclamation();
        schedule.SoundPlayed();
    }
    ShowCompany(app, scan.company);
    UpdateTeamPage(app);
    app.view.topLevelCount = std::to_string(scan.topLevel.size());
    app.view.clientCount = std::to_string(scan.clientWindows.size());

    ApplyGlue(scan, app.settings, *app.platform.desktop, list->Handle());

    const int font = PaintListWindow(surface, scan, app.team.remarks, app.settings, app.listWindowState);
    // The dynamic font picked another font: it becomes the chosen one, which
    // the font box and the previews show and Quit saves.
    if (font != app.settings.listFont) {
        app.settings.listFont = font;
        ShowListFontInPreviews(app);
    }
}

namespace {

// The scan, for the interval timer (a heartbeat) or brought forward by window
// events: the schedule learns what it cost and keeps the sound's rhythm.
void ScheduledScan(App& app, ScanCause cause) {
    ScanSchedule& schedule = app.program.scanSchedule;
    Clock& clock = *app.platform.clock;
    schedule.SetInterval(app.program.scanTimer.interval);
    schedule.ScanStarted(clock.SteadyMilliseconds(), cause);
    // The scan ends in the schedule even when a window operation fails in it.
    struct Finish {
        ScanSchedule& schedule;
        Clock& clock;
        ~Finish() { schedule.ScanFinished(clock.SteadyMilliseconds()); }
    } finish{schedule, clock};
    RefreshWindowList(app);
}

// The event-scan timer follows the schedule's due time. It is started only
// when that time changes: starting it again restarts its count, so starting it
// at every event of a storm would push the scan out for as long as the storm lasts.
void FollowSchedule(App& app) {
    OneShotTimer* timer = app.platform.eventScanTimer;
    const std::optional<std::int64_t> due = app.program.scanSchedule.EventScanDueAt();
    std::optional<std::int64_t>& startedFor = app.program.eventScanTimerFor;
    if (!timer || due == startedFor) return;
    startedFor = due;
    if (!due) {
        timer->Stop();
    } else if (!timer->Start(std::max<std::int64_t>(0, *due - app.platform.clock->SteadyMilliseconds()))) {
        startedFor.reset();  // the heartbeat scans: nothing is lost but time
    }
}

// Follows the schedule when it goes, even when a scan failed.
struct FollowScheduleAfter {
    App& app;
    ~FollowScheduleAfter() { FollowSchedule(app); }
};

}  // namespace

void HeartbeatTick(App& app) {
    FollowScheduleAfter follow{app};
    ScheduledScan(app, ScanCause::Heartbeat);
}

void ClientWindowChanged(App& app, WindowEvent event) {
    app.program.scanSchedule.OnWindowEvent(app.platform.clock->SteadyMilliseconds(), event);
    FollowSchedule(app);
}

void EventScanTimerTick(App& app) {
    app.program.eventScanTimerFor.reset();
    FollowScheduleAfter follow{app};
    if (app.program.scanSchedule.EventScanDue(app.platform.clock->SteadyMilliseconds()))
        ScheduledScan(app, ScanCause::WindowEvent);
}

void ListWindowMouseDown(App& app, int button) {
    if (button == kLeftButton) {
        // The host follows the mouse with the mouse captured; ticks go on.
        app.platform.listWindowHost->BeginDrag();
    } else if (button == kRightButton) {
        app.listWindowState.collapsed = !app.listWindowState.collapsed;
        RefreshWindowList(app);
    }
}

void ListWindowDoubleClick(App& app, int button, double yTwips) {
    if (button != kLeftButton) return;
    const RowTarget target = WindowAtRow(app.scan, app.settings, app.listWindowState, yTwips);
    if (target.window == 0) return;
    Desktop& desktop = *app.platform.desktop;
    // The client comes up first, so its child can become the active one.
    if (target.clientMain != 0) RestoreAndBringToTop(desktop, target.clientMain);
    RestoreAndBringToTop(desktop, target.window);
}

}  // namespace brisolt
