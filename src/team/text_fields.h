// The rules every file in the team folder shares for its text fields: UTF-8
// names without control characters, cut within their limits, bounded decimal
// numbers, and the safe part of a file name made from a name.
#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace brisolt::team {

// A UTC second as the files write it: at most 15 digits, far beyond any date
// and far below overflow.
constexpr std::int64_t kMaxUtcSeconds = 999999999999999;
constexpr std::size_t kMaxUtcDigits = 15;

inline bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsAsciiAlnum(char c) { return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsUtf8(std::string_view s);

// At most `limit` bytes of `s`, not ending inside a UTF-8 character.
std::string_view CutUtf8(std::string_view s, std::size_t limit);

// A text as written: without control characters (a reader strips them
// anyway), valid UTF-8, within the limit.
std::string CleanText(std::string_view s, std::size_t limit);

// Not empty, within the limit, UTF-8, no control characters.
bool IsValidName(std::string_view s, std::size_t limit);

// At most 32 characters of a name for a file name, anything but ASCII
// letters, digits and '-' turned into '_'; "_" for an empty name.
std::string FileNamePart(std::string_view s);

// A decimal number of at most `maxDigits` digits.
template <class T>
bool ParseDigits(std::string_view s, std::size_t maxDigits, T& value) {
    if (s.empty() || s.size() > maxDigits) return false;
    T v = 0;
    for (char c : s) {
        if (!IsDigit(c)) return false;
        const T digit = static_cast<T>(c - '0');
        if (v > (std::numeric_limits<T>::max() - digit) / 10) return false;
        v = static_cast<T>(v * 10 + digit);
    }
    value = v;
    return true;
}

}  // namespace brisolt::team
