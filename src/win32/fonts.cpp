#include "win32/fonts.h"

#include <cmath>

namespace brisolt::win32 {

int ScreenDpiX() {
    ScopedGetDC screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSX);
}

int ScreenDpiY() {
    ScopedGetDC screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

Font CreatePointFont(const std::string& faceName, double sizePt, int dpiY) {
    const int height = -static_cast<int>(std::lround(sizePt * dpiY / 72.0));
    return Font(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceName.c_str()));
}

SIZE TextExtent(HDC dc, HFONT font, const std::string& text) {
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

}  // namespace brisolt::win32
