// The settings window with its pages on a whole App: real windows, a real list
// window and text measure, the settings file in a temporary folder, and the
// user-facing services in memory. Run-time error reports are collected.
#pragma once
#include "win32/base/win.h"

#include <memory>
#include <string>
#include <vector>

#include "fake_ui.h"
#include "program/app.h"
#include "temp_dir.h"
#include "win32/windows/control_sync.h"
#include "win32/windows/event_dispatcher.h"
#include "win32/windows/list_window.h"
#include "win32/windows/settings_window.h"
#include "win32/base/native_window.h"
#include "win32/base/timer_window.h"
#include "win32/ports/win32_profile.h"
#include "win32/ports/win32_system.h"

namespace wintest {

struct SettingsWindowRig {
    SettingsWindowRig();
    ~SettingsWindowRig();

    // The page (0..3) or, for -1, the settings window a control sits on.
    HWND Parent(int page) const;
    HWND Control(int page, int id) const;
    // Tabs as start-up makes them, the given one selected, window shown.
    void ShowPage(int page);

    brisolt::App app;
    TempDir dir;
    std::string iniFile;
    brisolt::win32::Win32Profile profile{iniFile};
    brisolt::win32::SystemServices services;
    brisolt::test::FakeUserInterface ui;
    brisolt::win32::ProgramWindows windows;
    brisolt::win32::TimerWindow timers{GetModuleHandleA(nullptr), nullptr};
    brisolt::win32::ControlSync sync{app, timers};
    std::vector<std::string> reports;
    brisolt::win32::EventDispatcher dispatcher{app, sync, [this](const std::string& t) { reports.push_back(t); }};
    std::unique_ptr<brisolt::win32::ListWindow> list;
    std::unique_ptr<brisolt::win32::SettingsWindow> settingsWindow;
};

}  // namespace wintest
