#include "win32/windows/tooltips.h"

#include <commctrl.h>

#include "win32/base/control_error.h"

namespace brisolt::win32 {

namespace {

TTTOOLINFOA ToolOf(HWND control, const std::string* text) {
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text ? const_cast<char*>(text->c_str()) : nullptr;
    return tool;
}

}  // namespace

ToolTips::ToolTips(HINSTANCE instance, HWND owner) {
    window_ = UniqueWindow(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                           CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr));
    Check(window_.Get() != nullptr, "Creating the tooltip control");
    // Long company names and the link hints wrap instead of running off screen.
    SendMessageA(window_.Get(), TTM_SETMAXTIPWIDTH, 0, 400);
}

void ToolTips::Add(HWND control) {
    const std::string empty;
    TTTOOLINFOA tool = ToolOf(control, &empty);
    Check(SendMessageA(window_.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE, "TTM_ADDTOOL");
}

void ToolTips::SetText(HWND control, const std::string& text) {
    TTTOOLINFOA tool = ToolOf(control, &text);
    SendMessageA(window_.Get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace brisolt::win32
