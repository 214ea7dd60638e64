// Runs every event handler of the program: catches the general run-time
// error (and any other exception) so that it ends only the running handler,
// reports it once in a message box, and afterwards carries the changed
// control state to the screen.
#pragma once
#include <exception>
#include <string>
#include <utility>

#include "shell/app.h"
#include "win32/control_sync.h"

namespace brisolt::win32 {

class EventDispatcher {
public:
    EventDispatcher(App& app, ControlSync& sync) : app_(app), sync_(sync) {}

    template <typename Handler>
    void Run(Handler&& handler) noexcept {
        try {
            std::forward<Handler>(handler)();
        } catch (const ControlError& e) {
            Report(e.what());
        } catch (const std::exception& e) {
            Report(e.what());
        } catch (...) {
            Report("");
        }
        try {
            sync_.Push();
        } catch (const std::exception& e) {
            Report(e.what());
        }
    }

    int Reports() const { return reports_; }

private:
    // One message box per error. The box pumps messages, so ticks go on while
    // it is open; an error raised meanwhile is not stacked in a second box.
    void Report(const std::string& what) noexcept;

    App& app_;
    ControlSync& sync_;
    bool reporting_ = false;
    int reports_ = 0;
};

}  // namespace brisolt::win32
