// Text and numbers as the settings file and the text boxes hold them.
#pragma once
#include <string>
#include <string_view>

namespace brisolt {

// The decimal number at the start of the text (blanks before it and one sign
// allowed); 0 when there is none. Values beyond the int range are clamped.
int LeadingNumber(std::string_view text);

// True when the whole text is a number by LeadingNumber's rule (digits after
// an optional sign, nothing else); sets value. An empty text is not a number.
bool WholeNumber(std::string_view text, long long& value);

// Decimal digits, a leading "-" when negative, no blank.
std::string NumberText(long long value);

}  // namespace brisolt
