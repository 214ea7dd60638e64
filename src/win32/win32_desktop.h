// The real desktop: the window enumeration, inspection and the few moves and
// activations the program makes, on the Win32 API.
#pragma once
#include "platform/desktop.h"

namespace brisolt::win32 {

class Win32Desktop : public Desktop {
public:
    std::vector<WindowHandle> TopLevelWindows() override;
    std::vector<WindowHandle> ChildWindows(WindowHandle w) override;
    std::string Title(WindowHandle w, std::size_t maxChars) override;
    bool IsVisible(WindowHandle w) override;
    bool HasVisibleStyle(WindowHandle w) override;
    bool IsIconic(WindowHandle w) override;
    Rect WindowRect(WindowHandle w) override;
    Rect ClientRect(WindowHandle w) override;
    Placement PlacementOf(WindowHandle w) override;
    void SetWindowPos(WindowHandle w, int x, int y, int cx, int cy, unsigned flags) override;
    void Restore(WindowHandle w) override;
    void BringToTop(WindowHandle w) override;
    bool IsOnMonitor(Point p) override;
};

}  // namespace brisolt::win32
