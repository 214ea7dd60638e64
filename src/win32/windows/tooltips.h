// One tooltip control for the controls of the option pages that show a
// tooltip (the company, the mail and homepage links). Each control is a tool of its
// own; the tooltip watches the mouse over it by subclassing it.
#pragma once
#include "win32/base/win.h"

#include <string>

#include "win32/base/handles.h"

namespace brisolt::win32 {

class ToolTips {
public:
    // Created hidden, owned by `owner` (the settings window). Throws ControlError.
    ToolTips(HINSTANCE instance, HWND owner);
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    void Add(HWND control);
    // An empty text shows no tooltip.
    void SetText(HWND control, const std::string& text);
    HWND Hwnd() const { return window_.Get(); }

private:
    UniqueWindow window_;
};

}  // namespace brisolt::win32
