#include "team/text_fields.h"

#include "team/utf8.h"

namespace brisolt::team {

namespace {
constexpr std::size_t kMaxFileNamePart = 32;
}

bool IsUtf8(std::string_view s) {
    std::uint32_t cp = 0;
    for (std::size_t i = 0, length = 0; i < s.size(); i += length)
        if ((length = NextCodePoint(s, i, cp)) == 0) return false;
    return true;
}

std::string_view CutUtf8(std::string_view s, std::size_t limit) {
    if (s.size() <= limit) return s;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
    return s.substr(0, end);
}

std::string CleanText(std::string_view s, std::size_t limit) {
    std::string out;
    for (char c : CutUtf8(s, limit))
        if (!IsControl(static_cast<unsigned char>(c))) out += c;
    if (!IsUtf8(out)) {
        // Not UTF-8 (say, a code-page name): keep the ASCII, mark the rest.
        for (char& c : out)
            if (static_cast<unsigned char>(c) >= 0x80) c = '?';
    }
    return out;
}

bool IsValidName(std::string_view s, std::size_t limit) {
    if (s.empty() || s.size() > limit) return false;
    for (char c : s)
        if (IsControl(static_cast<unsigned char>(c))) return false;
    return IsUtf8(s);
}

std::string FileNamePart(std::string_view s) {
    std::string out;
    for (char c : s.substr(0, kMaxFileNamePart)) out += IsAsciiAlnum(c) || c == '-' ? c : '_';
    return out.empty() ? "_" : out;
}

}  // namespace brisolt::team
