// This computer's UTC clock, and the local time of day of a UTC second.
#pragma once
#include <cstdint>
#include <string>

namespace brisolt::win32 {

// Now, in seconds since 1970-01-01 UTC.
std::int64_t UtcNowSeconds();
// The local time of day of a UTC second, "HH:MM" ("" when it cannot be converted).
std::string LocalTimeOfDay(std::int64_t utcSeconds);

}  // namespace brisolt::win32
