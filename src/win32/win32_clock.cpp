#include "win32/win32_clock.h"

#include "win32/win.h"

namespace brisolt::win32 {

namespace {

SYSTEMTIME ToSystemTime(const DateTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

}  // namespace

DateTime Win32Clock::Now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return DateTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::string Win32Clock::DateText(const DateTime& t) {
    const SYSTEMTIME st = ToSystemTime(t);
    char buffer[80] = {};
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, sizeof buffer) == 0) return {};
    return buffer;
}

std::string Win32Clock::TimeText(const DateTime& t) {
    const SYSTEMTIME st = ToSystemTime(t);
    char buffer[80] = {};
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, sizeof buffer) == 0) return {};
    return buffer;
}

}  // namespace brisolt::win32
