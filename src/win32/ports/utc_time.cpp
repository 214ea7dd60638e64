#include "win32/ports/utc_time.h"

#include "win32/base/win.h"

#include <cstdio>

namespace brisolt::win32 {
namespace {

constexpr std::int64_t kUnixEpochAsFileTime = 116444736000000000LL;  // 1970-01-01 in 100 ns since 1601
constexpr std::int64_t kFileTimePerSecond = 10000000;

}  // namespace

std::int64_t UtcNowSeconds() {
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    const std::int64_t t = (static_cast<std::int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return (t - kUnixEpochAsFileTime) / kFileTimePerSecond;
}

bool LocalSystemTime(std::int64_t utcSeconds, SYSTEMTIME& local) {
    if (utcSeconds < 0 || utcSeconds > 253402300799LL) return false;  // up to 9999-12-31
    const std::uint64_t t = static_cast<std::uint64_t>(utcSeconds * kFileTimePerSecond + kUnixEpochAsFileTime);
    FILETIME ft{static_cast<DWORD>(t & 0xFFFFFFFFu), static_cast<DWORD>(t >> 32)};
    SYSTEMTIME utc{};
    return FileTimeToSystemTime(&ft, &utc) && SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
}

std::string LocalTimeOfDay(std::int64_t utcSeconds) {
    SYSTEMTIME local{};
    if (!LocalSystemTime(utcSeconds, local)) return {};
    char text[8] = {};
    std::snprintf(text, sizeof text, "%02u:%02u", static_cast<unsigned>(local.wHour),
                  static_cast<unsigned>(local.wMinute));
    return text;
}

}  // namespace brisolt::win32
