#include "win32/win32_text_measure.h"

#include "win32/fonts.h"

namespace brisolt::win32 {

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
