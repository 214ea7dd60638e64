#include "win32/event_dispatcher.h"

#include "win32/win.h"

namespace brisolt::win32 {

void EventDispatcher::Report(const std::string& what) noexcept {
    ++reports_;
    if (reporting_) return;
    reporting_ = true;
    try {
        const bool english = app_.shell.Language == 1;
        std::string text = english ? "Run-time error" : "Laufzeitfehler";
        if (!what.empty()) text += ":\n\n" + what;
        MessageBoxA(nullptr, text.c_str(), "Brisolt light", MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
    } catch (...) {
        // Out of memory while building the text: nothing more we can show.
    }
    reporting_ = false;
}

}  // namespace brisolt::win32
