// One program: the platform it runs on, its forms and the state of every
// subsystem. Handlers and procedures take the App they work on.
#pragma once
#include <stdexcept>
#include <string>

#include "arrange/arrange_state.h"
#include "listwin/list_state.h"
#include "monitor/scan_state.h"
#include "platform/canvas.h"
#include "platform/desktop.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "platform/text_measure.h"
#include "platform/ui.h"
#include "shell/forms.h"
#include "shell/shell_state.h"

namespace brisolt {

struct Platform {
    Desktop* desktop = nullptr;
    Profile* profile = nullptr;
    Clock* clock = nullptr;
    Sound* sound = nullptr;
    Files* files = nullptr;
    Identity* identity = nullptr;
    ListWindowHost* listWindow = nullptr;
    TextMeasure* textMeasure = nullptr;
    UserInterface* ui = nullptr;
    VersionInfo version;
    // Screen twips per pixel (1440 / dpi).
    double twipsPerPixelX = 15, twipsPerPixelY = 15;
};

// The program's general run-time error: a failed operation on a form, control
// or window. The event dispatcher reports it once and the program goes on.
struct ControlError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct App {
    Platform platform;
    Forms forms;
    ShellState shell;
    ScanState scan;
    AccessLogState accessLog;
    ListWindowState listWindow;
    ArrangeState arrange;
};

}  // namespace brisolt
