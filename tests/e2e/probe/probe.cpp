// probe: looks at and drives windows for the end-to-end scripts, which run it
// under Wine. Prints plain text to stdout; exit code 0 = ok, 1 = not found,
// 2 = usage error.
//
//   probe list                              every top-level window: hwnd visible class "title" l t r b
//   probe rect <class> [title]              window rectangle "l t r b" (class "-" = any)
//   probe client <class> [title]            client area in screen coordinates "l t r b"
//   probe title <class>                     window title
//   probe visible <class> [title]           exit 0 when visible, 1 otherwise
//   probe wait <class> [timeoutMs] [title]  waits until the window exists
//   probe waitgone <class> [timeoutMs]      waits until the window is gone
//   probe command <class> <id>              posts WM_COMMAND id
//   probe close <class> [title]             posts WM_CLOSE
//   probe text <class> <controlId>          text of a control anywhere below the window
//   probe pixel <x> <y>                     screen pixel as 0xBBGGRR
//   probe mdiclient <frameTitle>            MDI area's client rectangle "0 0 w h"
//   probe mdilist <frameTitle>              MDI children front-most first: iconic "title" l t r b
//   probe mdirect <frameTitle> <childTitle> [n]  n-th such child's rectangle in MDI-area coordinates
//   probe mdimove <frameTitle> <childTitle> x y w h   moves that child (as a user would drag it)
//   probe move <class> <title> x y w h      moves a top-level window
//   probe username                          GetUserName
//   probe dpi                               the screen's logical pixels per inch
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

enum Exit { kOk = 0, kNotFound = 1, kUsage = 2 };

std::string Narrow(const std::wstring& w) {
    if (w.empty()) return "";
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), &s[0], n, nullptr, nullptr);
    return s;
}

std::wstring Title(HWND w) {
    wchar_t buf[512] = {};
    GetWindowTextW(w, buf, 512);
    return buf;
}

std::wstring ClassOf(HWND w) {
    wchar_t buf[256] = {};
    GetClassNameW(w, buf, 256);
    return buf;
}

class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() { ReleaseDC(nullptr, dc_); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }
private:
    HDC dc_;
};

// "-" stands for "any class" / "any title".
const wchar_t* OrNull(const wchar_t* s) { return (s && wcscmp(s, L"-") != 0) ? s : nullptr; }

HWND FindTop(const wchar_t* cls, const wchar_t* title) {
    return FindWindowW(OrNull(cls), OrNull(title));
}

void PrintRect(const RECT& r) { std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom); }

int ToInt(const wchar_t* s) { return (int)wcstol(s, nullptr, 10); }

HWND FindFrame(const wchar_t* title) { return FindWindowW(nullptr, title); }

HWND MdiArea(HWND frame) { return frame ? GetWindow(frame, GW_CHILD) : nullptr; }

// The n-th (from 0) MDI child with that title, in Z-order.
HWND FindMdiChild(HWND mdi, const wchar_t* title, int n) {
    for (HWND w = GetWindow(mdi, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (Title(w) == title && n-- == 0) return w;
    return nullptr;
}

RECT RectInParent(HWND w, HWND parent) {
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct FindById {
    int id;
    HWND found;
};

BOOL CALLBACK FindByIdProc(HWND w, LPARAM lp) {
    auto* f = reinterpret_cast<FindById*>(lp);
    if (GetDlgCtrlID(w) == f->id) {
        f->found = w;
        return FALSE;
    }
    return TRUE;
}

int WaitFor(const wchar_t* cls, const wchar_t* title, int timeoutMs, bool present) {
    DWORD start = GetTickCount();
    for (;;) {
        bool there = FindTop(cls, title) != nullptr;
        if (there == present) return kOk;
        if ((int)(GetTickCount() - start) >= timeoutMs) return kNotFound;
        Sleep(50);
    }
}

int Run(int argc, wchar_t** argv) {
    if (argc < 2) return kUsage;
    std::wstring cmd = argv[1];
    auto arg = [&](int i) -> const wchar_t* { return i < argc ? argv[i] : nullptr; };

    if (cmd == L"list") {
        for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
            RECT r;
            GetWindowRect(w, &r);
            std::printf("%p %d %s \"%s\" %ld %ld %ld %ld\n", (void*)w, IsWindowVisible(w) ? 1 : 0,
                        Narrow(ClassOf(w)).c_str(), Narrow(Title(w)).c_str(), r.left, r.top, r.right,
                        r.bottom);
        }
        return kOk;
    }
    if (cmd == L"rect" || cmd == L"client" || cmd == L"title" || cmd == L"visible" ||
        cmd == L"close") {
        if (argc < 3) return kUsage;
        HWND w = FindTop(argv[2], arg(3));
        if (!w) return kNotFound;
        if (cmd == L"rect") {
            RECT r;
            GetWindowRect(w, &r);
            PrintRect(r);
        } else if (cmd == L"client") {
            RECT r;
            GetClientRect(w, &r);
            MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
            PrintRect(r);
        } else if (cmd == L"title") {
            std::printf("%s\n", Narrow(Title(w)).c_str());
        } else if (cmd == L"visible") {
            return IsWindowVisible(w) ? kOk : kNotFound;
        } else {
            PostMessageW(w, WM_CLOSE, 0, 0);
        }
        return kOk;
    }
    if (cmd == L"wait" || cmd == L"waitgone") {
        if (argc < 3) return kUsage;
        int timeout = argc > 3 ? ToInt(argv[3]) : 10000;
        return WaitFor(argv[2], arg(4), timeout, cmd == L"wait");
    }
    if (cmd == L"command") {
        if (argc < 4) return kUsage;
        HWND w = FindTop(argv[2], nullptr);
        if (!w) return kNotFound;
        PostMessageW(w, WM_COMMAND, MAKEWPARAM(ToInt(argv[3]), 0), 0);
        return kOk;
    }
    if (cmd == L"text") {
        if (argc < 4) return kUsage;
        HWND w = FindTop(argv[2], nullptr);
        if (!w) return kNotFound;
        FindById f{ToInt(argv[3]), nullptr};
        EnumChildWindows(w, FindByIdProc, reinterpret_cast<LPARAM>(&f));
        if (!f.found) return kNotFound;
        std::printf("%s\n", Narrow(Title(f.found)).c_str());
        return kOk;
    }
    if (cmd == L"pixel") {
        if (argc < 4) return kUsage;
        ScreenDC dc;
        COLORREF c = GetPixel(dc.get(), ToInt(argv[2]), ToInt(argv[3]));
        if (c == CLR_INVALID) return kNotFound;
        std::printf("0x%06lX\n", (unsigned long)c);
        return kOk;
    }
    if (cmd == L"mdiclient" || cmd == L"mdilist") {
        if (argc < 3) return kUsage;
        HWND mdi = MdiArea(FindFrame(argv[2]));
        if (!mdi) return kNotFound;
        if (cmd == L"mdiclient") {
            RECT r;
            GetClientRect(mdi, &r);
            PrintRect(r);
            return kOk;
        }
        for (HWND w = GetWindow(mdi, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
            RECT r = RectInParent(w, mdi);
            std::printf("%d \"%s\" %ld %ld %ld %ld\n", IsIconic(w) ? 1 : 0, Narrow(Title(w)).c_str(),
                        r.left, r.top, r.right, r.bottom);
        }
        return kOk;
    }
    if (cmd == L"mdirect" || cmd == L"mdimove") {
        if (argc < 4) return kUsage;
        HWND mdi = MdiArea(FindFrame(argv[2]));
        if (!mdi) return kNotFound;
        if (cmd == L"mdirect") {
            HWND w = FindMdiChild(mdi, argv[3], argc > 4 ? ToInt(argv[4]) : 0);
            if (!w) return kNotFound;
            PrintRect(RectInParent(w, mdi));
            return kOk;
        }
        if (argc < 8) return kUsage;
        HWND w = FindMdiChild(mdi, argv[3], 0);
        if (!w) return kNotFound;
        SetWindowPos(w, nullptr, ToInt(argv[4]), ToInt(argv[5]), ToInt(argv[6]), ToInt(argv[7]),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return kOk;
    }
    if (cmd == L"move") {
        if (argc < 8) return kUsage;
        HWND w = FindTop(argv[2], argv[3]);
        if (!w) return kNotFound;
        SetWindowPos(w, nullptr, ToInt(argv[4]), ToInt(argv[5]), ToInt(argv[6]), ToInt(argv[7]),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return kOk;
    }
    if (cmd == L"username") {
        wchar_t buf[256] = {};
        DWORD n = 256;
        if (!GetUserNameW(buf, &n)) return kNotFound;
        std::printf("%s\n", Narrow(buf).c_str());
        return kOk;
    }
    if (cmd == L"dpi") {
        ScreenDC dc;
        std::printf("%d\n", GetDeviceCaps(dc.get(), LOGPIXELSY));
        return kOk;
    }
    return kUsage;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int rc = Run(argc, argv);
    if (rc == kUsage) std::fprintf(stderr, "probe: bad command line (see the comment at the top of probe.cpp)\n");
    std::fflush(stdout);
    return rc;
}
