// Object identity from a designer window's title: 'Table 123 Demo Orders -
// Table Designer' names table 123, "Demo Orders".
#pragma once
#include <string>
#include <string_view>

namespace brisolt {

// The client titles form designers " - Formular Designer" or " - Form
// Designer"; only one of the two is recognised at a time.
enum class FormDesignerVariant { Formular, Form };

// optFormularDesigner's value exactly 1 means " - Formular Designer".
inline FormDesignerVariant FormVariantOf(int optFormularDesignerValue) {
    return optFormularDesignerValue == 1 ? FormDesignerVariant::Formular : FormDesignerVariant::Form;
}

std::string ObjectKeyFromTitle(std::string_view title);
std::string ObjectNameFromTitle(std::string_view title, FormDesignerVariant variant);
std::string ObjectNumberFromKey(std::string_view key);
int ObjectTypeCode(std::string_view key);
std::string ObjectTypeCodeText(std::string_view key);

}  // namespace brisolt
