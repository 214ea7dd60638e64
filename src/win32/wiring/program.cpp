#include "win32/wiring/program.h"

#include <commctrl.h>

#include "listwin/list_window.h"
#include "program/commands.h"
#include "program/tray_alert.h"
#include "program/startup.h"
#include "win32/windows/language_dialog.h"
#include "win32/ports/fonts.h"
#include "win32/ports/win32_system.h"

namespace brisolt::win32 {

namespace {

std::string ModulePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // truncated: try a larger buffer
    }
}

// The folder of the program file, without a trailing backslash.
std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

Program::Program(HINSTANCE instance)
    : instance_(instance),
      exePath_(ModulePath()),
      timers_(instance, [this](UINT_PTR id) { OnTimer(id); }),
      sync_(app_, timers_),
      dispatcher_(app_, sync_),
      ui_(Win32UserInterface::Hooks{
          [this](int x, int y) { CreateListWindow(x, y); },
          [this] { CloseMainWindow(); },
          [this] { RunLanguageDialog(instance_, app_, dispatcher_); },
          [this] {
              if (settingsWindow_) settingsWindow_->BringToFront();
          },
          // Boxes, dialogs and the tray menu belong to the settings window.
          [this] { return MainHwnd(); },
          [this] { return MainHwnd(); },
      }) {
    Platform& p = app_.platform;
    services_.AttachTo(p);
    p.profile = &profile_;
    p.ui = &ui_;
    p.team = &team_;
    p.eventScanTimer = &eventScanTimer_;
    p.version = ReadVersionInfo(exePath_);
}

void Program::CreateListWindow(int x, int y) {
    if (!listWindow_) {
        ListWindowEvents events;
        events.mouseDown = [this](int button) { dispatcher_.Run([&] { ListWindowMouseDown(app_, button); }); };
        events.doubleClick = [this](int button, double yTwips) {
            dispatcher_.Run([&] { ListWindowDoubleClick(app_, button, yTwips); });
        };
        listWindow_ = std::make_unique<ListWindow>(instance_, windows_, std::move(events), app_.platform.scale);
        if (!listWindow_->Exists()) throw ControlError("The list window could not be created.");
        app_.platform.listWindowHost = listWindow_.get();
    }
    listWindow_->MoveTo(x, y);
}

void Program::CloseMainWindow() {
    if (!settingsWindow_) throw ControlError("The main window does not exist.");
    settingsWindow_->PostClose();
}

void Program::OnTimer(UINT_PTR id) {
    if (id == kTrayAlertTimer) dispatcher_.Run([this] { TrayAlertTick(app_); });
    if (id != kScanTimer && id != kEventScanTimer) return;
    if (id == kScanTimer) {
        dispatcher_.Run([this] { HeartbeatTick(app_); });
    } else {
        eventScanTimer_.Stop();  // one tick only
        dispatcher_.Run([this] { EventScanTimerTick(app_); });
    }
    // The hooks follow the client the scan found.
    clientEvents_.Follow(ToHwnd(app_.scan.clientMain));
}

int Program::Run() {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    // The settings window and its pages are created (hidden) before start-up runs.
    dispatcher_.Run([this] { settingsWindow_ = std::make_unique<SettingsWindow>(instance_, app_, dispatcher_, sync_, windows_); });
    if (!MainHwnd()) return 1;
    dispatcher_.Run([this] { StartUp(app_, FolderOf(exePath_)); });
    if (!listWindow_ || !listWindow_->Exists()) return 1;  // start-up failed; it has been reported
    // The first scan ran in start-up: from now on the client's window events bring scans forward.
    clientEvents_.Follow(ToHwnd(app_.scan.clientMain));

    MSG msg{};
    while (windows_.Open() > 0 && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (settingsWindow_ && settingsWindow_->PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

}  // namespace brisolt::win32
