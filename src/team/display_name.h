// A name another copy wrote (a user, a computer), made safe to show: anyone
// who can write to the team folder can write any name into a record.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace brisolt::team {

constexpr std::size_t kMaxShownNameChars = 32;

// The UTF-8 name without control characters (below U+0020, U+007F-U+009F)
// and without the Unicode controls that turn text around (U+061C, U+200E,
// U+200F, U+202A-U+202E, U+2066-U+2069), cut to kMaxShownNameChars
// characters. A byte that is not UTF-8 becomes '?'; nothing left gives "?".
std::string DisplayName(std::string_view utf8);

}  // namespace brisolt::team
