// One program: the platform it runs on, the settings, what its windows show,
// and the state of every module. Only the program layer and the native
// windows take the whole App; the modules below take what they use.
#pragma once
#include <optional>
#include <stdexcept>
#include <string>

#include "accesslog/access_log.h"
#include "listwin/list_window.h"
#include "platform/canvas.h"
#include "platform/desktop.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "platform/text_measure.h"
#include "platform/ui.h"
#include "program/menus.h"
#include "program/scan_schedule.h"
#include "program/team_mode.h"
#include "program/views.h"
#include "scan/scan.h"
#include "settings/settings.h"
#include "team/team_channel.h"

namespace brisolt {

struct Platform {
    Desktop* desktop = nullptr;
    Profile* profile = nullptr;
    Clock* clock = nullptr;
    Sound* sound = nullptr;
    Files* files = nullptr;
    Identity* identity = nullptr;
    CodePage* codePage = nullptr;
    ListWindowHost* listWindowHost = nullptr;
    TextMeasure* textMeasure = nullptr;
    UserInterface* ui = nullptr;
    team::TeamChannel* team = nullptr;  // none: no team mode
    OneShotTimer* eventScanTimer = nullptr;  // none: scans only at the interval
    VersionInfo version;
    Scale scale;
};

// The program's general run-time error: a failed operation on a form, control
// or window. The event dispatcher reports it once and the program goes on.
struct ControlError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A timer as the program wants it; the platform makes the real one follow.
struct TimerState {
    int interval = 2000;  // milliseconds
    bool enabled = false;
};

struct ProgramState {
    bool quitRequested = false;
    std::string iniFile;
    std::string manualFile;
    std::string programDir;
    std::string computerName;
    MenuSet menus;
    TimerState scanTimer;
    TimerState trayAlertTimer;  // runs while team mode is on (program/tray_alert.h)
    // When scans run besides the interval: window events bring them forward.
    ScanSchedule scanSchedule;
    // The moment the event-scan timer was started for (none: stopped).
    std::optional<std::int64_t> eventScanTimerFor;
    bool trayAlertPhase = false;
};

struct App {
    Platform platform;
    Settings settings;
    SettingsWindowView view;
    TrayIconView tray;
    ProgramState program;
    ScanResult scan;  // the last tick's
    AccessLog accessLog;
    ListWindowState listWindowState;
    TeamModeState team;
};

}  // namespace brisolt
