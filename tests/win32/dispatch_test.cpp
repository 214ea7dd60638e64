// The event dispatcher and the control sync: a failing handler is reported
// once and the program goes on; the scan timer's state becomes a native timer.
#include <string>
#include <vector>

#include "check.h"
#include "win32/windows/control_sync.h"
#include "win32/windows/event_dispatcher.h"
#include "win32/base/timer_window.h"

using namespace brisolt::win32;
using brisolt::App;
using brisolt::ControlError;

namespace {

struct Rig {
    App app;
    int ticks = 0;
    TimerWindow timers{GetModuleHandleA(nullptr), [this](UINT_PTR id) {
                           if (id == kScanTimer) ++ticks;
                       }};
    ControlSync sync{app, timers};
    std::vector<std::string> reports;
    EventDispatcher dispatcher{app, sync, [this](const std::string& text) { reports.push_back(text); }};
    brisolt::TimerState& scanTimer() { return app.program.scanTimer; }
};

}  // namespace

WIN_TEST(Dispatcher_ReportsEachFailureInTheCurrentLanguage) {
    Rig rig;
    rig.app.settings.language = brisolt::Language::German;
    rig.dispatcher.Run([] { throw ControlError("Invalid property value"); });
    rig.app.settings.language = brisolt::Language::English;
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

WIN_TEST(Dispatcher_PushesTheTimerEvenAfterAFailure) {
    Rig rig;
    rig.dispatcher.Run([&] {
        rig.scanTimer().interval = 20;
        rig.scanTimer().enabled = true;
        throw ControlError("after enabling the timer");
    });
    CHECK_EQ(std::size_t{1}, rig.reports.size());
    wintest::Pump(1000, [&] { return rig.ticks >= 1; });
    CHECK(rig.ticks >= 1);
}

WIN_TEST(Sync_TheNativeTimerFollowsIntervalAndEnabled) {
    Rig rig;
    const struct {
        int interval;
        bool enabled;
        bool ticks;
    } steps[] = {
        {30, false, false},
        {30, true, true},
        {30, false, false},  // stops
        {0, true, false},    // an interval of 0 never ticks
        {5000, true, false},
        {20, true, true},    // a new interval restarts the timer
    };
    for (const auto& s : steps) {
        rig.scanTimer().interval = s.interval;
        rig.scanTimer().enabled = s.enabled;
        rig.sync.Push();
        wintest::Pump(50);  // a tick already due may still come
        const int before = rig.ticks;
        if (s.ticks) {
            wintest::Pump(1000, [&] { return rig.ticks >= before + 2; });
            CHECK(rig.ticks >= before + 2);
        } else {
            wintest::Pump(150);
            CHECK_EQ(before, rig.ticks);
        }
    }
}
