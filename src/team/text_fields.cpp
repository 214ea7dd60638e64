#include "team/text_fields.h"

#include "team/utf8.h"

namespace brisolt::team {

namespace {

constexpr std::size_t kMaxFileNamePart = 32;

std::uint32_t LowerCodePoint(std::uint32_t cp) {
    if (cp < 0x80) return cp >= 'A' && cp <= 'Z' ? cp + 0x20 : cp;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;
    if (cp >= 0x100 && cp <= 0x17F) {
        if (cp == 0x178) return 0xFF;
        // Capital and small letters in pairs: a capital at even points, from
        // U+0139 to U+0148 and from U+0179 at odd ones.
        const bool oddCapitals = (cp >= 0x139 && cp <= 0x148) || cp >= 0x179;
        if (cp == 0x130) return 'i';
        if (cp == 0x138 || cp == 0x149 || cp == 0x17F) return cp;
        return (cp % 2 == 1) == oddCapitals ? cp + 1 : cp;
    }
    if (cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2) return cp + 0x20;
    if (cp >= 0x410 && cp <= 0x42F) return cp + 0x20;
    if (cp >= 0x400 && cp <= 0x40F) return cp + 0x50;
    return cp;
}

void AppendUtf8(std::uint32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

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
    for (char c : CutUtf8(s, limit)) out += IsControl(static_cast<unsigned char>(c)) ? '?' : c;
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

std::string FoldCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::uint32_t cp = 0;
        const std::size_t length = NextCodePoint(utf8, i, cp);
        if (length == 0) {
            out += utf8[i++];
        } else if (length == 1) {
            out += static_cast<char>(LowerCodePoint(cp));
            ++i;
        } else {
            AppendUtf8(LowerCodePoint(cp), out);
            i += length;
        }
    }
    return out;
}

std::string FileNamePart(std::string_view s) {
    std::string out;
    for (char c : s.substr(0, kMaxFileNamePart)) out += IsAsciiAlnum(c) || c == '-' ? c : '_';
    return out.empty() ? "_" : out;
}

}  // namespace brisolt::team
