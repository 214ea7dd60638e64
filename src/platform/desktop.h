// The desktop's windows as the program sees them: enumeration, titles,
// rectangles, and the few moves and activations the program makes.
#pragma once
#include <cstddef>
#include <string>

#include "platform/types.h"

namespace brisolt {

// SetWindowPos flags used by the arrangement.
constexpr unsigned kSwpNoSize = 0x0001;
constexpr unsigned kSwpNoZOrder = 0x0004;
constexpr unsigned kSwpNoActivate = 0x0010;

class Desktop {
public:
    virtual ~Desktop() = default;

    // Some top-level window (FindWindow with neither class nor title); 0 when none.
    virtual WindowHandle AnyTopLevelWindow() = 0;
    // GetWindow(w, GW_HWNDFIRST): the first window of w's Z-order level.
    virtual WindowHandle FirstSibling(WindowHandle w) = 0;
    // GetWindow(w, GW_HWNDNEXT): the window below w; 0 at the end or when w is gone.
    virtual WindowHandle NextSibling(WindowHandle w) = 0;
    // GetWindow(w, GW_CHILD): w's top-most child; 0 when it has none.
    virtual WindowHandle FirstChild(WindowHandle w) = 0;

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
