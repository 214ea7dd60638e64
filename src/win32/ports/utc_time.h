// This computer's UTC clock, and the local time of day of a UTC second.
#pragma once
#include <cstdint>
#include <string>

#include "win32/base/win.h"

namespace brisolt::win32 {

// Now, in seconds since 1970-01-01 UTC.
std::int64_t UtcNowSeconds();
// The local time of day of a UTC second, "HH:MM" ("" when it cannot be converted).
std::string LocalTimeOfDay(std::int64_t utcSeconds);
// The local date and time of a UTC second; false when it cannot be converted.
bool LocalSystemTime(std::int64_t utcSeconds, SYSTEMTIME& local);

}  // namespace brisolt::win32
