// Plain value types shared by the logic and the platforms.
#pragma once
#include <cstdint>
#include <string>

namespace brisolt {

// A window handle as the window system gives it; 0 means "no window".
using WindowHandle = std::uint64_t;

// A Windows COLORREF: 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;

constexpr Colour RgbColour(int r, int g, int b) {
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// left, top, right, bottom in pixels.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// A window's left and top edge in the coordinates it is moved in (the parent's
// client area for a child window, the screen for a top-level window) and its
// outer width and height, in pixels.
struct Placement {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool operator==(const Placement& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};

struct Point {
    int x = 0;
    int y = 0;
};

// The screen's scale: twips (1440 per inch) per pixel, 1440 / dpi.
struct Scale {
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
};

// A local date and time of day as read from the clock.
struct DateTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

}  // namespace brisolt

namespace brisolt {

// The program's own version information.
struct VersionInfo {
    std::string productName;
    int major = 0, minor = 0, patch = 0, build = 0;  // the file version
    std::string legalCopyright;
};

}  // namespace brisolt
