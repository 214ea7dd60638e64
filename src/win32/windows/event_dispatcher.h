// Runs every event handler of the program: catches the general run-time
// error (and any other exception) so that it ends only the running handler,
// reports it once, and afterwards carries the changed control state to the
// screen.
#pragma once
#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "program/app.h"
#include "win32/windows/control_sync.h"

namespace brisolt::win32 {

// The report's text: "Laufzeitfehler" / "Run-time error" and what failed.
std::string RunTimeErrorText(Language language, const std::string& what);
// Shows the report in a message box (which pumps messages until it is closed).
void ShowRunTimeError(const std::string& text);

class EventDispatcher {
public:
    using ShowReport = std::function<void(const std::string& text)>;

    EventDispatcher(App& app, ControlSync& sync, ShowReport show = ShowRunTimeError)
        : app_(app), sync_(sync), show_(std::move(show)) {}

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

    // Errors caught so far, shown or not.
    int Errors() const { return errors_; }

private:
    // One report per error. The message box pumps messages, so ticks go on
    // while it is open; an error raised meanwhile is not stacked in a second box.
    void Report(const std::string& what) noexcept;

    App& app_;
    ControlSync& sync_;
    ShowReport show_;
    bool reporting_ = false;
    int errors_ = 0;
};

}  // namespace brisolt::win32
