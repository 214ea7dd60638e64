#include "win32/windows/event_dispatcher.h"

#include "program/texts.h"
#include "win32/base/win.h"

namespace brisolt::win32 {

std::string RunTimeErrorText(Language language, const std::string& what) {
    std::string text = language == Language::English ? "Run-time error" : "Laufzeitfehler";
    if (!what.empty()) text += ":\n\n" + what;
    return text;
}

void ShowRunTimeError(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), kProductName, MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

void EventDispatcher::Report(const std::string& what) noexcept {
    ++errors_;
    if (reporting_) return;
    reporting_ = true;
    try {
        if (show_) show_(RunTimeErrorText(app_.settings.language, what));
    } catch (...) {
        // Nothing more we can show.
    }
    reporting_ = false;
}

}  // namespace brisolt::win32
