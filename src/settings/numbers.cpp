#include "settings/numbers.h"

#include <climits>

namespace brisolt {

namespace {
// Parses [blanks][sign]digits from the start; returns the index behind the
// digits (0 when there are none) and the clamped value.
std::size_t ParseLeading(std::string_view text, long long& value) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::size_t digits = i;
    long long v = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (v < LLONG_MAX / 10) v = v * 10 + (text[i] - '0');
        ++i;
    }
    if (i == digits) {
        value = 0;
        return 0;
    }
    value = negative ? -v : v;
    return i;
}
}  // namespace

int LeadingNumber(std::string_view text) {
    long long v = 0;
    ParseLeading(text, v);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

bool WholeNumber(std::string_view text, long long& value) {
    std::size_t end = ParseLeading(text, value);
    return end != 0 && end == text.size();
}

std::string NumberText(long long value) { return std::to_string(value); }

}  // namespace brisolt
