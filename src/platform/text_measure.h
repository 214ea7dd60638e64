// Text metrics of a font on the screen, for laying out labels.
#pragma once
#include <string>

namespace brisolt {

class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // Width and height of the text in the named font, in twips.
    virtual double TextWidth(const std::string& fontName, double sizePt, const std::string& text) = 0;
    virtual double TextHeight(const std::string& fontName, double sizePt, const std::string& text) = 0;
};

}  // namespace brisolt
