// Text metrics of a font on the screen, in twips.
#pragma once
#include <string>

#include "platform/text_measure.h"
#include "win32/handles.h"

namespace brisolt::win32 {

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
