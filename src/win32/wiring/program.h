// The whole program on Windows: the platform adapters, the App built on them,
// the native windows and timers, and the message loop.
#pragma once
#include "win32/base/win.h"

#include <memory>
#include <string>

#include "program/app.h"
#include "program/tick.h"
#include "win32/windows/control_sync.h"
#include "win32/windows/event_dispatcher.h"
#include "win32/windows/list_window.h"
#include "win32/windows/settings_window.h"
#include "win32/team/team_channel.h"
#include "win32/ports/window_events.h"
#include "win32/base/native_window.h"
#include "win32/base/timer_window.h"
#include "win32/ports/win32_profile.h"
#include "win32/ports/win32_system.h"
#include "win32/ports/win32_ui.h"

namespace brisolt::win32 {

class Program {
public:
    explicit Program(HINSTANCE instance);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts up, then runs the message loop until no window of the program
    // is left. Returns the exit code.
    int Run();

private:
    void CreateListWindow(int x, int y);
    void CloseMainWindow();
    void OnTimer(UINT_PTR id);
    HWND MainHwnd() const { return settingsWindow_ ? settingsWindow_->Hwnd() : nullptr; }

    HINSTANCE instance_;
    std::string exePath_;
    App app_;
    SystemServices services_;
    Win32Profile profile_{app_.program.iniFile};
    ProgramWindows windows_;
    TimerWindow timers_;
    Win32OneShotTimer eventScanTimer_{timers_, kEventScanTimer};
    // Not through the dispatcher: a storm of events only moves a due time.
    ClientWindowEvents clientEvents_{[this](WindowEvent event) { ClientWindowChanged(app_, event); }};
    Win32TeamChannel team_;
    ControlSync sync_;
    EventDispatcher dispatcher_;
    Win32UserInterface ui_;
    std::unique_ptr<ListWindow> listWindow_;
    // Last: it detaches itself from sync_ when it goes.
    std::unique_ptr<SettingsWindow> settingsWindow_;
};

}  // namespace brisolt::win32
