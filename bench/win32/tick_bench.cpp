// What one tick costs on a real desktop: RefreshWindowList on an App built on
// the Win32 adapters and a real list window, against a bare loop that only
// walks the same windows (top-level and the client's MDI children) and reads
// their titles, rectangles and visibility. Runs beside the demo client.
//
//   tick_bench.exe [ticks] [folder]
//
// The folder (default: the current one) receives KelmorL.ini and the access
// log. Prints the window counts, both times, their ratio and the moves asked
// for on the settled layout; exit code 1 when the client is not found.
#include "win32/base/win.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "counting_desktop.h"
#include "fake_ui.h"
#include "glue/glue.h"
#include "listwin/list_window.h"
#include "program/app.h"
#include "program/startup.h"
#include "program/tick.h"
#include "scan/scan.h"
#include "timing_desktop.h"
#include "win32/windows/list_window.h"
#include "win32/base/native_window.h"
#include "win32/ports/win32_profile.h"
#include "win32/ports/win32_system.h"

using namespace brisolt;
using namespace brisolt::win32;

namespace {

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Mean(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0 : sum / static_cast<double>(v.size());
}

// Reads what every scan has to read at the least: the title, visibility and
// rectangle of every top-level window and of the client's MDI children.
struct BareWalk {
    std::string identification;
    int topLevel = 0;
    int children = 0;

    long long Run() {
        long long sum = 0;
        char title[256];
        auto read = [&](HWND w) {
            const int length = GetWindowTextA(w, title, sizeof title);
            RECT r{};
            GetWindowRect(w, &r);
            sum += length + (IsWindowVisible(w) ? 1 : 0) + r.left;
            return length;
        };
        topLevel = children = 0;
        bool clientFound = false;
        for (HWND w = GetWindow(FindWindowA(nullptr, nullptr), GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT)) {
            ++topLevel;
            if (read(w) > 0 && !clientFound && std::strstr(title, identification.c_str())) {
                clientFound = true;
                const HWND area = GetWindow(w, GW_CHILD);
                for (HWND c = area ? GetWindow(area, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT)) {
                    ++children;
                    read(c);
                }
            }
        }
        return sum;
    }
};

// Counts the moves and resizes that reach the list window (the program's own
// SetWindowPos calls, which do not go through the Desktop).
WNDPROC g_listProc = nullptr;
long long g_listPosChanges = 0;
LRESULT CALLBACK CountingListProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_WINDOWPOSCHANGING) ++g_listPosChanges;
    return CallWindowProcA(g_listProc, w, msg, wp, lp);
}

void WriteSettings(const std::string& folder) {
    const std::string ini = folder + "\\KelmorL.ini";
    DeleteFileA(ini.c_str());
    const std::string log = folder + "\\access.log";
    DeleteFileA(log.c_str());
    const char* options[][2] = {
        {"Language", "1"},       {"Logging", "1"},        {"LogFilename", log.c_str()},
        {"Glue1", "1"},          {"GlueList", "1"},       {"GlueProperties", "1"},
        {"GlueHauptmenue", "1"}, {"GlueToolbox", "1"},    {"FieldMenu", "1"},
        {"Alarm", "0"},          {"ShowClient", "1"},     {"ShowParent", "1"},
    };
    for (const auto& kv : options) WritePrivateProfileStringA("Options", kv[0], kv[1], ini.c_str());
    WritePrivateProfileStringA("WinLoc", "Win1x", "600", ini.c_str());
    WritePrivateProfileStringA("WinLoc", "Win1y", "500", ini.c_str());
}

std::string CurrentFolder() {
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

}  // namespace

int main(int argc, char** argv) {
    const int ticks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const std::string folder = argc > 2 ? argv[2] : CurrentFolder();
    WriteSettings(folder);

    // The program's App on the real adapters, with the user interface services
    // it does not need in a tick left in memory.
    App app;
    SystemServices services;
    bench::CountingDesktop desktop(services.desktop);
    Win32Profile profile(app.program.iniFile);
    test::FakeUserInterface ui;
    ProgramWindows windows;
    std::unique_ptr<ListWindow> listWindow;
    ui.onCreateListWindow = [&](int x, int y) {
        listWindow = std::make_unique<ListWindow>(GetModuleHandleA(nullptr), windows, ListWindowEvents{}, app.platform.scale);
        app.platform.listWindowHost = listWindow.get();
        listWindow->MoveTo(x, y);
    };
    Platform& p = app.platform;
    services.AttachTo(p, &desktop);
    p.profile = &profile;
    p.ui = &ui;
    StartUp(app, folder);
    if (!listWindow || !listWindow->Exists()) {
        std::printf("error: the list window could not be created\n");
        return 2;
    }
    g_listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(listWindow->Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingListProc)));

    // Let the glue rules settle the layout: tick until three ticks in a row
    // ask for no move (the client moves its windows as it pumps messages).
    int quiet = 0;
    for (int i = 0; i < 60 && quiet < 3; ++i) {
        const long long before = desktop.setWindowPosCalls;
        RefreshWindowList(app);
        PumpMessages();
        quiet = desktop.setWindowPosCalls == before ? quiet + 1 : 0;
        Sleep(100);
    }
    if (app.scan.clientMain == 0 || app.scan.clientWindows.empty()) {
        std::printf("error: the client's main window was not found\n");
        return 1;
    }
    const long long movesBefore = desktop.setWindowPosCalls;
    const long long listBefore = g_listPosChanges;

    BareWalk walk{app.settings.clientTitleMarker};
    std::vector<double> tickMs, walkMs;
    for (int i = 0; i < ticks; ++i) {
        // Alternate the order, so neither side always runs on warmer caches.
        for (int side = 0; side < 2; ++side) {
            if ((side == 0) == (i % 2 == 0)) {
                const double t0 = NowMs();
                RefreshWindowList(app);
                PumpMessages();  // the list window paints
                tickMs.push_back(NowMs() - t0);
            } else {
                const double t0 = NowMs();
                volatile long long sink = walk.Run();
                (void)sink;
                walkMs.push_back(NowMs() - t0);
            }
        }
    }

    const double tickMedian = Median(tickMs), walkMedian = Median(walkMs);
    std::printf("windows: %d top-level (%d listed), client main window found, %d MDI children (%d listed)\n",
                walk.topLevel, static_cast<int>(app.scan.topLevel.size()), walk.children,
                static_cast<int>(app.scan.clientWindows.size()));
    std::printf("ticks: %d\n", ticks);
    std::printf("tick: median %.3f ms, mean %.3f ms\n", tickMedian, Mean(tickMs));
    std::printf("walk: median %.3f ms, mean %.3f ms\n", walkMedian, Mean(walkMs));
    std::printf("ratio: %.3f (medians; means %.3f; goal 1.3 or below)\n", tickMedian / walkMedian,
                Mean(tickMs) / Mean(walkMs));
    std::printf("SetWindowPos by the glue rules on the settled layout: %lld in %d ticks (goal 0)\n",
                desktop.setWindowPosCalls - movesBefore, ticks);
    std::printf("list window moves/resizes on the settled layout: %lld in %d ticks\n",
                g_listPosChanges - listBefore, ticks);

    // Where a tick's time goes: its steps timed one by one, and every desktop
    // operation through a timing decorator.
    const int profileTicks = std::max(10, ticks / 2);
    bench::TimingDesktop timing(desktop);
    const ListSurface surface{*app.platform.listWindowHost, *app.platform.clock, app.platform.scale};
    double metricsMs = 0, scanMs = 0, logGlueMs = 0, paintMs = 0, pumpMs = 0;
    for (int i = 0; i < profileTicks; ++i) {
        const double t0 = NowMs();
        ComputeRowMetrics(surface, app.listWindowState);
        const double t1 = NowMs();
        app.scan = ScanDesktop(timing, app.settings, app.scan);
        const double t2 = NowMs();
        app.accessLog.Record(app.scan, app.settings, *app.platform.files, *app.platform.clock);
        ApplyGlue(app.scan, app.settings, timing, app.platform.listWindowHost->Handle());
        const double t3 = NowMs();
        PaintListWindow(surface, app.scan, app.team.remarks, app.settings, app.listWindowState);
        const double t4 = NowMs();
        PumpMessages();
        const double t5 = NowMs();
        metricsMs += t1 - t0;
        scanMs += t2 - t1;
        logGlueMs += t3 - t2;
        paintMs += t4 - t3;
        pumpMs += t5 - t4;
    }
    std::printf("profile over %d ticks (ms per tick): row metrics %.3f, scan %.3f, log and glue %.3f, "
                "paint list %.3f, messages (WM_PAINT) %.3f\n",
                profileTicks, metricsMs / profileTicks, scanMs / profileTicks, logGlueMs / profileTicks,
                paintMs / profileTicks, pumpMs / profileTicks);
    std::printf("desktop operations in the scan and the glue:\n");
    timing.Print(profileTicks);
    listWindow.reset();
    return 0;
}
