#include "team/display_name.h"

#include <cstdint>

#include "team/utf8.h"

namespace brisolt::team {
namespace {

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
