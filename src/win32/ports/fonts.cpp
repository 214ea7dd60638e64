#include "win32/ports/fonts.h"

#include <cmath>

namespace brisolt::win32 {

int ScreenDpiX() {
    ScopedGetDC screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSX);
}

Scale ScreenScale() { return {1440.0 / ScreenDpiX(), 1440.0 / ScreenDpiY()}; }

int ScreenDpiY() {
    ScopedGetDC screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

Font CreatePointFont(const std::string& faceName, double sizePt, int dpiY) {
    const int height = -static_cast<int>(std::lround(sizePt * dpiY / 72.0));
    return Font(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceName.c_str()));
}

SIZE TextExtent(HDC dc, HFONT font, std::string_view text) {
    ScopedSelect select(dc, font);
    SIZE size{0, 0};
    if (text.empty()) {
        // An empty text is one line high, as a line of the list would be.
        TEXTMETRICA tm{};
        if (GetTextMetricsA(dc, &tm)) size.cy = tm.tmHeight;
        return size;
    }
    if (!GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size)) return SIZE{0, 0};
    return size;
}

Win32TextMeasure::Win32TextMeasure() : dpiX_(ScreenDpiX()), dpiY_(ScreenDpiY()) {}

SIZE Win32TextMeasure::Measure(const std::string& fontName, double sizePt, const std::string& text) {
    if (!font_ || fontName != fontName_ || sizePt != sizePt_) {
        font_ = CreatePointFont(fontName, sizePt, dpiY_);
        fontName_ = fontName;
        sizePt_ = sizePt;
    }
    ScopedGetDC screen(nullptr);
    const UniqueDC dc = CompatibleDC(screen.Get());
    return TextExtent(dc.Get(), font_.Get(), text);
}

double Win32TextMeasure::TextWidth(const std::string& fontName, double sizePt, const std::string& text) {
    return Measure(fontName, sizePt, text).cx * (1440.0 / dpiX_);
}

double Win32TextMeasure::TextHeight(const std::string& fontName, double sizePt, const std::string& text) {
    return Measure(fontName, sizePt, text).cy * (1440.0 / dpiY_);
}

}  // namespace brisolt::win32
