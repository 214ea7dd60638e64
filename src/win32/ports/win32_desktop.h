// The real desktop: the window enumeration, inspection and the few moves and
// activations the program makes, on the Win32 API.
//
// Reading another program's window never waits for it. Moving, restoring or
// activating it would, so those requests are handed to the window's thread
// without waiting (the client is often busy for minutes): they take effect
// when it looks at its messages again. Our own windows change at once.
#pragma once
#include <unordered_map>

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

private:
    // A move handed to another thread's window, not necessarily carried out.
    struct PendingMove {
        Placement from;                // where the window was when we asked
        unsigned long long askedAtMs;  // GetTickCount64 then
    };
    bool StillPending(WindowHandle w, const PendingMove& move);
    void ForgetSettledMoves();

    // At most one move per window waits in its queue: a window that does not
    // answer gets no new move until the last one has landed.
    std::unordered_map<WindowHandle, PendingMove> pendingMoves_;
};

}  // namespace brisolt::win32
