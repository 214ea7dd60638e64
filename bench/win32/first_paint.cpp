// Waits for the first painted list window of brisolt.exe: a window of the
// list window's class with a pixel of the list colour on the screen. Prints
// the wall-clock moment it was seen, in milliseconds since 1970, so the caller
// can subtract the moment it started the program.
//
//   first_paint.exe <colour 0xBBGGRR> [timeoutMs]
//
// Exit code 0 when seen, 1 on time-out, 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "win32/base/handles.h"

namespace {

constexpr char kListClass[] = "BrisoltListWindow";

unsigned long long UnixMs() {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    const unsigned long long ticks = (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    constexpr unsigned long long kUnixEpoch = 116444736000000000ULL;  // 1970-01-01 in 100 ns since 1601
    return (ticks - kUnixEpoch) / 10000;
}

// A few pixels down the list window's first row (left of the text, and
// further right where a short title leaves the row's fill uncovered).
bool ShowsColour(HWND w, COLORREF colour) {
    RECT r{};
    if (!IsWindowVisible(w) || !GetWindowRect(w, &r) || r.right - r.left < 4 || r.bottom - r.top < 4) return false;
    brisolt::win32::ScopedGetDC screen(nullptr);  // the screen
    const int y = r.top + 2;
    for (int x = r.left; x < r.right - 1; x += 3)
        if (GetPixel(screen.Get(), x, y) == colour) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_paint.exe <colour 0xBBGGRR> [timeoutMs]\n");
        return 2;
    }
    const COLORREF colour = static_cast<COLORREF>(std::strtoul(argv[1], nullptr, 0));
    const DWORD timeout = argc > 2 ? static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)) : 60000;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout) {
        if (HWND w = FindWindowA(kListClass, nullptr); w && ShowsColour(w, colour)) {
            std::printf("%llu\n", UnixMs());
            return 0;
        }
        Sleep(10);
    }
    return 1;
}
