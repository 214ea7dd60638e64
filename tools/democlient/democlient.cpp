// The stand-in for the ERP client: an MDI application whose windows follow a
// scenario file. The file (first command-line argument) is re-read whenever its
// modification time or size changes; the windows are then made to match it.
// Each MDI window it opens, and each one it brings to the front, is noted in
// "<scenario file>.created" as a line "<milliseconds since 1970> <title>", for
// benchmarks that time a reaction.
#include <windows.h>

#include <string>
#include <vector>

#include "scenario.h"

using democlient::Box;
using democlient::ChildWindow;
using democlient::Scenario;
using democlient::ToolWindow;

namespace {

constexpr wchar_t kFrameClass[] = L"DemoClientFrame";
constexpr wchar_t kChildClass[] = L"DemoClientChild";
constexpr wchar_t kToolClass[] = L"DemoClientTool";
constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT_PTR kChurnTimer = 2;
constexpr UINT kWatchMs = 200;
// The spare windows of the churn mode take these titles in turn. Seven of them,
// so a program that looks every second does not always meet the same one.
constexpr const wchar_t* kChurnTitles[] = {
    L"Codeunit 99 Churn Test - C/AL Editor",   L"Table 99 Churn Table - Table Designer",
    L"Form 99 Churn Card - Formular Designer", L"Report 99 Churn List - Report Designer",
    L"Dataport 99 Churn Export - Dataport Designer", L"Table 98 Churn Twin - Table Designer",
    L"Churn Notes",
};

// ---- small RAII helpers ----------------------------------------------------

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return h_; }
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
private:
    HANDLE h_;
};

class PaintScope {
public:
    explicit PaintScope(HWND w) : w_(w) { dc_ = BeginPaint(w_, &ps_); }
    ~PaintScope() { EndPaint(w_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }
private:
    HWND w_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return L"";
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &w[0], n);
    return w;
}

std::wstring WindowTitle(HWND w) {
    wchar_t buf[512] = {};
    GetWindowTextW(w, buf, 512);
    return buf;
}

// ---- the program's state -----------------------------------------------------

struct LiveChild {
    HWND hwnd;
    ChildWindow entry;  // the scenario entry it was last matched to
};

struct LiveTool {
    HWND hwnd;
    ToolWindow entry;
};

struct Client {
    HINSTANCE instance = nullptr;
    HWND frame = nullptr;
    HWND mdi = nullptr;
    std::wstring scenarioPath;
    FILETIME lastWrite{};
    ULONGLONG lastSize = ~0ULL;
    Scenario applied;
    bool appliedOnce = false;
    std::vector<LiveChild> children;
    std::vector<LiveTool> tools;
    std::vector<HWND> churnChildren;  // the spare windows open now
    int churnMs = 0;
    size_t churnNext = 0;   // index into kChurnTitles
    unsigned churnStep = 0;
};

Client g;

// ---- reading the scenario ---------------------------------------------------

// True when the file changed since the last look (or has never been read).
bool ScenarioChanged() {
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExW(g.scenarioPath.c_str(), GetFileExInfoStandard, &info)) return false;
    ULONGLONG size = (ULONGLONG(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (CompareFileTime(&info.ftLastWriteTime, &g.lastWrite) == 0 && size == g.lastSize) return false;
    g.lastWrite = info.ftLastWriteTime;
    g.lastSize = size;
    return true;
}

bool ReadScenario(Scenario& out) {
    FileHandle f(CreateFileW(g.scenarioPath.c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.ok()) return false;
    std::string text;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f.get(), buf, sizeof buf, &got, nullptr) && got > 0) text.append(buf, got);
    out = democlient::ParseScenario(text);
    return true;
}

// ---- making the windows match ------------------------------------------------

unsigned long long UnixMs() {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    const unsigned long long ticks = (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return (ticks - 116444736000000000ULL) / 10000;  // 100 ns since 1601 -> ms since 1970
}

void NoteCreated(const std::string& title, unsigned long long atMs) {
    if (g.scenarioPath.empty()) return;
    FileHandle f(CreateFileW((g.scenarioPath + L".created").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.ok()) return;
    const std::string line = std::to_string(atMs) + " " + title + "\r\n";
    DWORD written = 0;
    WriteFile(f.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

HWND CreateChild(const ChildWindow& entry) {
    DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (entry.minimised) style |= WS_MINIMIZE;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, w = CW_USEDEFAULT, h = CW_USEDEFAULT;
    if (entry.box) { x = entry.box->x; y = entry.box->y; w = entry.box->w; h = entry.box->h; }
    const unsigned long long at = UnixMs();
    HWND child = CreateMDIWindowW(kChildClass, Widen(entry.title).c_str(), style, x, y, w, h, g.mdi, g.instance, 0);
    if (child) NoteCreated(entry.title, at);
    return child;
}

HWND CreateTool(const ToolWindow& entry) {
    int x = 600, y = 100, w = 160, h = 220;
    if (entry.box) { x = entry.box->x; y = entry.box->y; w = entry.box->w; h = entry.box->h; }
    // An owned pop-up: a top-level window that stays above the client's main window.
    return CreateWindowExW(WS_EX_TOOLWINDOW, kToolClass, Widen(entry.title).c_str(),
                           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE, x, y, w,
                           h, g.frame, nullptr, g.instance, nullptr);
}

// The tracked children in their current Z-order, front-most first.
std::vector<HWND> ChildZOrder() {
    std::vector<HWND> order;
    for (HWND w = GetWindow(g.mdi, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        for (const auto& c : g.children)
            if (c.hwnd == w) order.push_back(w);
    }
    return order;
}

void ApplyChildren(const std::vector<ChildWindow>& wanted) {
    // Match wanted entries to live windows with the same title, in Z-order, so a
    // window that stays keeps its place.
    std::vector<HWND> zorder = ChildZOrder();
    std::vector<bool> taken(zorder.size(), false);
    std::vector<HWND> matched(wanted.size(), nullptr);
    for (size_t i = 0; i < wanted.size(); ++i) {
        std::wstring title = Widen(wanted[i].title);
        for (size_t j = 0; j < zorder.size(); ++j) {
            if (!taken[j] && WindowTitle(zorder[j]) == title) {
                taken[j] = true;
                matched[i] = zorder[j];
                break;
            }
        }
    }
    // Close back-most first, so the front-most window changes only once for a
    // program that watches the client while it changes.
    for (size_t j = zorder.size(); j-- > 0;)
        if (!taken[j]) SendMessageW(g.mdi, WM_MDIDESTROY, (WPARAM)zorder[j], 0);

    std::vector<LiveChild> live;
    for (size_t i = wanted.size(); i-- > 0;) {  // back-most first: new windows open on top
        const ChildWindow& entry = wanted[i];
        HWND w = matched[i];
        if (!w) {
            w = CreateChild(entry);
            if (!w) continue;
        } else {
            const ChildWindow* old = nullptr;
            for (const auto& c : g.children)
                if (c.hwnd == w) old = &c.entry;
            if (entry.box && (!old || !old->box || *old->box != *entry.box))
                MoveWindow(w, entry.box->x, entry.box->y, entry.box->w, entry.box->h, TRUE);
            if (entry.minimised && !IsIconic(w)) ShowWindow(w, SW_MINIMIZE);
            if (!entry.minimised && IsIconic(w)) ShowWindow(w, SW_RESTORE);
        }
        live.insert(live.begin(), LiveChild{w, entry});
    }
    g.children = live;

    // Re-stack only when the order differs, so an unchanged scenario causes no flicker.
    std::vector<HWND> want;
    for (const auto& c : g.children) want.push_back(c.hwnd);
    // Front to back, each behind the one before, for the same reason.
    if (ChildZOrder() != want) {
        HWND after = HWND_TOP;
        for (HWND w : want) {
            SetWindowPos(w, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            after = w;
        }
    }
    for (const auto& c : g.children) {
        if (!IsIconic(c.hwnd)) {
            if ((HWND)SendMessageW(g.mdi, WM_MDIGETACTIVE, 0, 0) != c.hwnd) {
                NoteCreated(c.entry.title, UnixMs());
                SendMessageW(g.mdi, WM_MDIACTIVATE, (WPARAM)c.hwnd, 0);
            }
            break;
        }
    }
}

void ApplyTools(const std::vector<ToolWindow>& wanted) {
    std::vector<bool> taken(g.tools.size(), false);
    std::vector<LiveTool> live;
    for (const auto& entry : wanted) {
        HWND w = nullptr;
        for (size_t j = 0; j < g.tools.size(); ++j) {
            if (!taken[j] && g.tools[j].entry.title == entry.title) {
                taken[j] = true;
                w = g.tools[j].hwnd;
                const auto& old = g.tools[j].entry.box;
                if (entry.box && (!old || *old != *entry.box))
                    MoveWindow(w, entry.box->x, entry.box->y, entry.box->w, entry.box->h, TRUE);
                break;
            }
        }
        if (!w) w = CreateTool(entry);
        if (w) live.push_back({w, entry});
    }
    for (size_t j = 0; j < g.tools.size(); ++j)
        if (!taken[j]) DestroyWindow(g.tools[j].hwnd);
    g.tools = live;
}

void CloseChurnChildren() {
    const std::vector<HWND> open = g.churnChildren;  // WM_NCDESTROY takes each off the list
    for (HWND w : open) SendMessageW(g.mdi, WM_MDIDESTROY, (WPARAM)w, 0);
    g.churnChildren.clear();
}

void ApplyScenario(const Scenario& sc) {
    std::wstring title = Widen(sc.title);
    if (WindowTitle(g.frame) != title) SetWindowTextW(g.frame, title.c_str());
    if (sc.frame && (!g.appliedOnce || !g.applied.frame || *g.applied.frame != *sc.frame))
        MoveWindow(g.frame, sc.frame->x, sc.frame->y, sc.frame->w, sc.frame->h, TRUE);

    ApplyChildren(sc.children);
    ApplyTools(sc.tools);

    if (sc.churnMs != g.churnMs) {
        g.churnMs = sc.churnMs;
        if (g.churnMs > 0) SetTimer(g.frame, kChurnTimer, g.churnMs, nullptr);
        else KillTimer(g.frame, kChurnTimer);
    }
    if (g.churnMs == 0) CloseChurnChildren();
    g.applied = sc;
    g.appliedOnce = true;

    // A busy client: its windows are painted and in place, and then its thread
    // answers nothing (no moves, no activation, no paint) until it wakes.
    if (sc.sleepMs > 0) {
        UpdateWindow(g.frame);
        for (const auto& c : g.children) UpdateWindow(c.hwnd);
        for (const auto& t : g.tools) UpdateWindow(t.hwnd);
        Sleep(static_cast<DWORD>(sc.sleepMs));
    }
}

void CheckScenario() {
    if (g.scenarioPath.empty() || !ScenarioChanged()) return;
    Scenario sc;
    if (ReadScenario(sc)) ApplyScenario(sc);
}

void Churn() {
    // Three steps: open one, open another on top, close both. A program that
    // looks every second (ten steps) finds one, two or none in turn.
    if (g.churnStep++ % 3 == 2) {
        CloseChurnChildren();
        return;
    }
    const wchar_t* title = kChurnTitles[g.churnNext];
    g.churnNext = (g.churnNext + 1) % (sizeof kChurnTitles / sizeof kChurnTitles[0]);
    HWND w = CreateMDIWindowW(kChildClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                              300, 200, g.mdi, g.instance, 0);
    if (w) g.churnChildren.push_back(w);
}

// ---- window procedures ------------------------------------------------------

// Children and tool windows show their title inside, since Wine without a window
// manager draws no caption for top-level windows.
void PaintTitle(HWND w) {
    PaintScope paint(w);
    RECT rc;
    GetClientRect(w, &rc);
    FillRect(paint.dc(), &rc, GetSysColorBrush(COLOR_WINDOW));
    std::wstring title = WindowTitle(w);
    SetBkMode(paint.dc(), TRANSPARENT);
    SelectObject(paint.dc(), GetStockObject(DEFAULT_GUI_FONT));
    InflateRect(&rc, -6, -6);
    DrawTextW(paint.dc(), title.c_str(), -1, &rc, DT_LEFT | DT_TOP | DT_WORDBREAK);
}

LRESULT CALLBACK ChildProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        PaintTitle(w);
        return 0;
    case WM_NCDESTROY:
        for (size_t i = 0; i < g.children.size(); ++i)
            if (g.children[i].hwnd == w) { g.children.erase(g.children.begin() + i); break; }
        for (size_t i = 0; i < g.churnChildren.size(); ++i)
            if (g.churnChildren[i] == w) { g.churnChildren.erase(g.churnChildren.begin() + i); break; }
        break;
    }
    return DefMDIChildProcW(w, msg, wp, lp);
}

LRESULT CALLBACK ToolProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        PaintTitle(w);
        return 0;
    case WM_NCDESTROY:
        for (size_t i = 0; i < g.tools.size(); ++i)
            if (g.tools[i].hwnd == w) { g.tools.erase(g.tools.begin() + i); break; }
        break;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

LRESULT CALLBACK FrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: {
        CLIENTCREATESTRUCT ccs{};
        ccs.idFirstChild = 50000;
        g.mdi = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0,
                                0, 0, w, nullptr, g.instance, &ccs);
        return g.mdi ? 0 : -1;
    }
    case WM_TIMER:
        if (wp == kWatchTimer) CheckScenario();
        else if (wp == kChurnTimer) Churn();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefFrameProcW(w, g.mdi, msg, wp, lp);
}

bool RegisterClasses() {
    WNDCLASSEXW wc{sizeof wc};
    wc.hInstance = g.instance;
    wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, (LPCWSTR)IDI_APPLICATION);

    wc.lpfnWndProc = FrameProc;
    wc.hbrBackground = (HBRUSH)(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kFrameClass;
    if (!RegisterClassExW(&wc)) return false;

    wc.lpfnWndProc = ChildProc;
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = kChildClass;
    if (!RegisterClassExW(&wc)) return false;

    wc.lpfnWndProc = ToolProc;
    wc.lpszClassName = kToolClass;
    return RegisterClassExW(&wc) != 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    g.instance = instance;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv && argc > 1) g.scenarioPath = argv[1];
    if (argv) LocalFree(argv);

    if (!RegisterClasses()) return 1;

    Scenario first;
    if (!g.scenarioPath.empty()) {
        ScenarioChanged();  // remember the file's time so the first timer tick does not re-apply
        ReadScenario(first);
    }
    Box fb = first.frame.value_or(Box{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT});
    g.frame = CreateWindowExW(0, kFrameClass, Widen(first.title).c_str(),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, fb.x, fb.y, fb.w, fb.h, nullptr,
                              nullptr, instance, nullptr);
    if (!g.frame) return 1;
    ShowWindow(g.frame, show);
    ApplyScenario(first);
    UpdateWindow(g.frame);
    SetTimer(g.frame, kWatchTimer, kWatchMs, nullptr);

    // Keep pumping: another process's SetWindowPos on our windows waits for this loop.
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!TranslateMDISysAccel(g.mdi, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return (int)msg.wParam;
}
