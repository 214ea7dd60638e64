// Reading UTF-8 from untrusted bytes, one code point at a time.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace brisolt::team {

// The code point starting at `s[i]` and its length in bytes; length 0 when
// the bytes there are no UTF-8 (a stray byte, an overlong form, a surrogate).
inline std::size_t NextCodePoint(std::string_view s, std::size_t i, std::uint32_t& cp) {
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

}  // namespace brisolt::team
