// A whole program on the in-memory platform.
#pragma once
#include "fake_profile.h"
#include "fake_ui.h"
#include "fakes.h"
#include "program/app.h"
#include "sim_desktop.h"

namespace brisolt::test {

struct TestApp {
    SimDesktop desktop;
    FakeProfile profile;
    FakeClock clock;
    FakeSound sound;
    FakeFiles files;
    FakeIdentity identity;
    FakeCodePage codePage;
    FakeListWindow listWindow{desktop};
    FakeTextMeasure textMeasure;
    FakeUserInterface ui;
    App app;

    TestApp() {
        app.platform.desktop = &desktop;
        app.platform.profile = &profile;
        app.platform.clock = &clock;
        app.platform.sound = &sound;
        app.platform.files = &files;
        app.platform.identity = &identity;
        app.platform.codePage = &codePage;
        app.platform.listWindowHost = &listWindow;
        app.platform.textMeasure = &textMeasure;
        app.platform.ui = &ui;
        app.platform.version = {"Brisolt light", 1, 0, 0, 7, "Copyright (C) 2026 Brisolt developers"};
        ui.onCreateListWindow = [this](int x, int y) { listWindow.MoveTo(x, y); };
        app.program.programDir = "C:\\Brisolt";
        app.program.iniFile = "C:\\Brisolt\\KelmorL.ini";
        app.program.manualFile = "C:\\Brisolt\\Doc\\kelmorL.htm";
        app.accessLog = AccessLog(identity.name);
    }
};

}  // namespace brisolt::test
