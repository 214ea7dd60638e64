// The event dispatcher and the control sync: a failing handler is reported
// once and the program goes on; timer controls become native timers.
#include <string>
#include <vector>

#include "check.h"
#include "win32/control_sync.h"
#include "win32/event_dispatcher.h"
#include "win32/timer_window.h"

using namespace brisolt::win32;
using brisolt::App;
using brisolt::ControlError;

namespace {

struct Rig {
    App app;
    int ticks = 0;
    TimerWindow timers{GetModuleHandleA(nullptr), [this](UINT_PTR id) {
                           if (id == kTimerTmr1) ++ticks;
                       }};
    ControlSync sync{app, timers};
    std::vector<std::string> reports;
    EventDispatcher dispatcher{app, sync, [this](const std::string& text) { reports.push_back(text); }};
    brisolt::TimerControl& tmr1() { return app.forms.frmAllgemein.tmr1; }
};

}  // namespace

WIN_TEST(Dispatcher_ReportsEachFailureInTheCurrentLanguage) {
    Rig rig;
    rig.dispatcher.Run([] { throw ControlError("Invalid property value"); });
    rig.app.shell.Language = 1;
    rig.dispatcher.Run([] { throw std::runtime_error("out of range"); });
    rig.dispatcher.Run([] {});  // no failure, no report
    CHECK_EQ(std::size_t{2}, rig.reports.size());
    if (rig.reports.size() == 2) {
        CHECK_EQ(std::string("Laufzeitfehler:\n\nInvalid property value"), rig.reports[0]);
        CHECK_EQ(std::string("Run-time error:\n\nout of range"), rig.reports[1]);
    }
    CHECK_EQ(2, rig.dispatcher.Errors());
}

WIN_TEST(Dispatcher_DoesNotStackReportsWhileOneIsOpen) {
    App app;
    TimerWindow timers(GetModuleHandleA(nullptr), nullptr);
    ControlSync sync(app, timers);
    int shown = 0;
    EventDispatcher* self = nullptr;
    EventDispatcher dispatcher(app, sync, [&](const std::string&) {
        ++shown;
        // A tick that fails while the box is open.
        self->Run([] { throw ControlError("again"); });
    });
    self = &dispatcher;
    dispatcher.Run([] { throw ControlError("first"); });
    CHECK_EQ(1, shown);
    CHECK_EQ(2, dispatcher.Errors());
    dispatcher.Run([] { throw ControlError("later"); });  // a later failure is shown again
    CHECK_EQ(2, shown);
}

WIN_TEST(Sync_EnabledTimerTicksAndDisabledTimerStops) {
    Rig rig;
    rig.tmr1().Interval = 30;
    rig.tmr1().Enabled = false;
    rig.sync.Push();
    wintest::Pump(150);
    CHECK_EQ(0, rig.ticks);

    rig.tmr1().Enabled = true;
    rig.sync.Push();
    wintest::Pump(1000, [&] { return rig.ticks >= 3; });
    CHECK(rig.ticks >= 3);

    rig.tmr1().Enabled = false;
    rig.sync.Push();
    wintest::Pump(50);
    const int stopped = rig.ticks;
    wintest::Pump(150);
    CHECK_EQ(stopped, rig.ticks);
}

WIN_TEST(Sync_ZeroIntervalNeverTicksAndNewIntervalApplies) {
    Rig rig;
    rig.tmr1().Interval = 0;
    rig.tmr1().Enabled = true;
    rig.sync.Push();
    wintest::Pump(150);
    CHECK_EQ(0, rig.ticks);

    rig.tmr1().Interval = 5000;
    rig.sync.Push();
    wintest::Pump(150);
    CHECK_EQ(0, rig.ticks);

    rig.tmr1().Interval = 20;  // a new interval restarts the timer
    rig.sync.Push();
    wintest::Pump(1000, [&] { return rig.ticks >= 2; });
    CHECK(rig.ticks >= 2);
}

WIN_TEST(Dispatcher_PushesControlsEvenAfterAFailure) {
    Rig rig;
    rig.dispatcher.Run([&] {
        rig.tmr1().Interval = 20;
        rig.tmr1().Enabled = true;
        throw ControlError("after enabling the timer");
    });
    CHECK_EQ(std::size_t{1}, rig.reports.size());
    wintest::Pump(1000, [&] { return rig.ticks >= 1; });
    CHECK(rig.ticks >= 1);
}
