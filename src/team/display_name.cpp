#include "team/display_name.h"

#include <cstdint>

namespace brisolt::team {
namespace {

// The code point starting at `s[i]` and its length in bytes; length 0 when
// the bytes there are no UTF-8 (a stray byte, an overlong form, a surrogate).
std::size_t NextCodePoint(std::string_view s, std::size_t i, std::uint32_t& cp) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t length;
    if (c < 0x80) {
        cp = c;
        return 1;
    } else if ((c & 0xE0) == 0xC0) {
        length = 2, cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        length = 3, cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        length = 4, cp = c & 0x07;
    } else {
        return 0;
    }
    if (s.size() - i < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (d & 0x3F);
    }
    static constexpr std::uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

bool IsHidden(std::uint32_t cp) {
    return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || cp == 0x061C || cp == 0x200E || cp == 0x200F ||
           (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069);
}

}  // namespace

std::string DisplayName(std::string_view utf8) {
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < utf8.size() && chars < kMaxShownNameChars;) {
        std::uint32_t cp = 0;
        const std::size_t length = NextCodePoint(utf8, i, cp);
        if (length == 0) {
            out += '?';
            ++i;
            ++chars;
            continue;
        }
        if (!IsHidden(cp)) {
            out.append(utf8.substr(i, length));
            ++chars;
        }
        i += length;
    }
    return out.empty() ? "?" : out;
}

}  // namespace brisolt::team
