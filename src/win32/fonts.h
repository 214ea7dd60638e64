// Screen resolution and fonts sized in points.
#pragma once
#include "win32/win.h"

#include <string>

#include "win32/handles.h"

namespace brisolt::win32 {

// The screen's logical resolution in dots per inch (LOGPIXELSX / LOGPIXELSY).
int ScreenDpiX();
int ScreenDpiY();

// A font of the given face name and size in points for a device of dpiY dots
// per inch: height = -(pt * dpi / 72), rounded. The name is passed on as given;
// the system may substitute another face (Wine has neither "MS Sans Serif" nor
// "Small Fonts" by default), so measure with the font once it is selected.
Font CreatePointFont(const std::string& faceName, double sizePt, int dpiY);

// Size of the text in pixels with the font selected into the DC.
SIZE TextExtent(HDC dc, HFONT font, const std::string& text);

}  // namespace brisolt::win32
