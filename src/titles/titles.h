// Object identity from a designer window's title: 'Table 123 Demo Orders -
// Table Designer' names table 123, "Demo Orders".
#pragma once
#include <string>
#include <string_view>

namespace brisolt {

// The client titles form designers " - Formular Designer" or " - Form
// Designer"; only one of the two is recognised at a time.
enum class FormDesignerVariant { Formular, Form };

inline FormDesignerVariant FormVariantOf(bool formularDesignerTitles) {
    return formularDesignerTitles ? FormDesignerVariant::Formular : FormDesignerVariant::Form;
}

// 'Table 123'; empty when no type word begins the title.
std::string ObjectKeyFromTitle(std::string_view title);
// 'Demo Orders'; empty when no type word begins the title or nothing stands
// between the number and the suffix.
std::string ObjectNameFromTitle(std::string_view title, FormDesignerVariant variant);
// '123' from 'Table 123'; a key without a blank is all number.
std::string ObjectNumberFromKey(std::string_view key);
// 0 Table, 1 Form, 2 Report, 3 Dataport, 4 Codeunit, by the key's first
// letter; -1 for a key of no type.
int ObjectTypeCode(std::string_view key);
std::string ObjectTypeCodeText(std::string_view key);

}  // namespace brisolt
