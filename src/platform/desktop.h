// The desktop's windows as the program sees them: enumeration, titles,
// rectangles, and the few moves and activations the program makes.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "platform/types.h"

namespace brisolt {

// SetWindowPos flags used by the arrangement.
constexpr unsigned kSwpNoSize = 0x0001;
constexpr unsigned kSwpNoZOrder = 0x0004;
constexpr unsigned kSwpNoActivate = 0x0010;

class Desktop {
public:
    virtual ~Desktop() = default;

    // The top-level windows, top first, as one snapshot: a window that closes
    // while the snapshot is looked at reads as gone (an empty title), and the
    // walk goes on with the next one.
    virtual std::vector<WindowHandle> TopLevelWindows() = 0;
    // w's own child windows (not theirs), top first, as one snapshot.
    virtual std::vector<WindowHandle> ChildWindows(WindowHandle w) = 0;

    // The window's title, cut at its first NUL. maxChars > 0 reads through a
    // buffer of that many characters (so at most maxChars - 1 are returned);
    // maxChars == 0 reads the whole title. A window that is gone gives "".
    virtual std::string Title(WindowHandle w, std::size_t maxChars) = 0;

    // IsWindowVisible: w and every ancestor carry the visible style.
    virtual bool IsVisible(WindowHandle w) = 0;
    // Whether w itself carries the visible style, its ancestors not looked
    // at: a walk over siblings asks their common parent once and this per
    // window. (Asking IsVisible is always right, only slower.)
    virtual bool HasVisibleStyle(WindowHandle w) { return IsVisible(w); }
    virtual bool IsIconic(WindowHandle w) = 0;
    // GetWindowRect: screen coordinates.
    virtual Rect WindowRect(WindowHandle w) = 0;
    // GetClientRect: left = top = 0.
    virtual Rect ClientRect(WindowHandle w) = 0;
    // Position in the coordinates the window is moved in, and outer size.
    virtual Placement PlacementOf(WindowHandle w) = 0;
    // Whether the screen point lies on a connected monitor (monitors of
    // unequal size leave holes in the box around all of them).
    virtual bool IsOnMonitor(Point p) = 0;

    // SetWindowPos(w, 0, x, y, cx, cy, flags); the result is not needed.
    virtual void SetWindowPos(WindowHandle w, int x, int y, int cx, int cy, unsigned flags) = 0;
    // ShowWindow(w, SW_RESTORE).
    virtual void Restore(WindowHandle w) = 0;
    // Bring w to the top: a top-level window comes to the foreground, an MDI
    // child becomes its frame's active child.
    virtual void BringToTop(WindowHandle w) = 0;
};

}  // namespace brisolt
