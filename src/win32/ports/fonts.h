// Screen resolution, fonts sized in points, and measuring text with them.
#pragma once
#include "win32/base/win.h"

#include <string>
#include <string_view>

#include "platform/text_measure.h"
#include "win32/base/handles.h"

namespace brisolt::win32 {

// The screen's logical resolution in dots per inch (LOGPIXELSX / LOGPIXELSY).
int ScreenDpiX();
int ScreenDpiY();
// Twips per pixel of the screen, 1440 / dpi: read once, into the platform.
Scale ScreenScale();

// A font of the given face name and size in points for a device of dpiY dots
// per inch: height = -(pt * dpi / 72), rounded. The name is passed on as given;
// the system may substitute another face (Wine has neither "MS Sans Serif" nor
// "Small Fonts" by default), so measure with the font once it is selected.
Font CreatePointFont(const std::string& faceName, double sizePt, int dpiY);

// Size of the text in pixels with the font selected into the DC.
SIZE TextExtent(HDC dc, HFONT font, std::string_view text);

// Text metrics of a font on the screen, in twips.
class Win32TextMeasure : public TextMeasure {
public:
    Win32TextMeasure();
    double TextWidth(const std::string& fontName, double sizePt, const std::string& text) override;
    double TextHeight(const std::string& fontName, double sizePt, const std::string& text) override;

private:
    SIZE Measure(const std::string& fontName, double sizePt, const std::string& text);

    int dpiX_, dpiY_;
    // The last font used, kept for the next call (labels ask in runs).
    std::string fontName_;
    double sizePt_ = 0;
    Font font_;
};

}  // namespace brisolt::win32
