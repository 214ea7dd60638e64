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
//   probe command <class> <id> [title]      posts WM_COMMAND id (a menu command)
//   probe close <class> [title]             posts WM_CLOSE
//   probe post <class> <msg> <wParam> <lParam> [title]   posts any message
//   probe text <class> <controlId> [title]  text of a control anywhere below the window (WM_GETTEXT)
//   probe check <class> <controlId> [title] check state of a button: 0, 1 or 2
//   probe enabled <class> <controlId> [title]  exit 0 when the control is enabled, 1 otherwise
//   probe shown <class> <controlId> [title] exit 0 when the control is visible, 1 otherwise
//   probe ctlrect <class> <controlId> [title]  control's screen rectangle "l t r b"
//   probe combo <class> <controlId> [title] selected entry of a combo box (-1: none)
//   probe click <class> <controlId> [title] clicks a button (BM_CLICK)
//   probe select <class> <controlId> <index> [title]  picks a combo box entry as the user would
//   probe type <class> <controlId> <text> [title]  replaces an edit's text key by key
//                                           (WM_KEYDOWN and WM_KEYUP posted per character; the
//                                           program's TranslateMessage makes the WM_CHAR)
//   probe key <class> <controlId> <vk> [title]  posts WM_KEYDOWN and WM_KEYUP of a virtual key
//   probe pixel <x> <y>                     screen pixel as 0xBBGGRR
//   probe mdiclient <frame>                 MDI area's client rectangle "0 0 w h"
//   probe mdilist <frame>                   MDI children front-most first: iconic "title" l t r b
//   probe mdirect <frame> <childTitle> [n]  n-th such child's rectangle in MDI-area coordinates
//   probe mdimove <frame> <childTitle> x y w h   moves that child (as a user would drag it)
//   (<frame>: the main window's class, e.g. DemoClientFrame, or its title)
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

// The client's main window by its class or, failing that, its title. Prefer the
// class in scripts: a title holding "- Navi" in a probe's command line could be
// mistaken for the client if Wine ever showed it as a console window's caption.
HWND FindFrame(const wchar_t* classOrTitle) {
    HWND w = FindWindowW(classOrTitle, nullptr);
    return w ? w : FindWindowW(nullptr, classOrTitle);
}

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

// A control (by id) of the top-level window of that class and title.
HWND FindControl(const wchar_t* cls, const wchar_t* id, const wchar_t* title) {
    HWND w = FindTop(cls, title);
    if (!w) return nullptr;
    FindById f{ToInt(id), nullptr};
    EnumChildWindows(w, FindByIdProc, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

// SendMessage that gives up after 5 s instead of hanging on a busy program.
LRESULT Send(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

LPARAM KeyLParam(UINT vk, bool up) {
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    return static_cast<LPARAM>(1 | (scan << 16) | (up ? 0xC0000000u : 0u));
}

void PostKey(HWND w, UINT vk) {
    PostMessageW(w, WM_KEYDOWN, vk, KeyLParam(vk, false));
    PostMessageW(w, WM_KEYUP, vk, KeyLParam(vk, true));
}

int ControlCommand(const std::wstring& cmd, int argc, wchar_t** argv) {
    // <class> <controlId> [extra] [title]
    const bool hasExtra = cmd == L"select" || cmd == L"type" || cmd == L"key";
    const int need = hasExtra ? 5 : 4;
    if (argc < need) return kUsage;
    HWND c = FindControl(argv[2], argv[3], argc > need ? argv[need] : nullptr);
    if (!c) return kNotFound;
    if (cmd == L"text") {
        wchar_t buf[1024] = {};
        Send(c, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf));
        std::printf("%s\n", Narrow(buf).c_str());
    } else if (cmd == L"check") {
        std::printf("%d\n", static_cast<int>(Send(c, BM_GETCHECK, 0, 0)));
    } else if (cmd == L"enabled") {
        return IsWindowEnabled(c) ? kOk : kNotFound;
    } else if (cmd == L"shown") {
        return IsWindowVisible(c) ? kOk : kNotFound;
    } else if (cmd == L"ctlrect") {
        RECT r;
        GetWindowRect(c, &r);
        PrintRect(r);
    } else if (cmd == L"combo") {
        std::printf("%d\n", static_cast<int>(Send(c, CB_GETCURSEL, 0, 0)));
    } else if (cmd == L"click") {
        Send(c, BM_CLICK, 0, 0);
    } else if (cmd == L"select") {
        // The combo box tells its parent only about selections the user makes.
        const int index = ToInt(argv[4]);
        if (Send(c, CB_SETCURSEL, index, 0) != index) return kNotFound;
        Send(GetParent(c), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), CBN_SELCHANGE), reinterpret_cast<LPARAM>(c));
    } else if (cmd == L"type") {
        Send(c, EM_SETSEL, 0, -1);
        for (const wchar_t* p = argv[4]; *p; ++p) PostKey(c, LOBYTE(VkKeyScanW(*p)));
    } else if (cmd == L"key") {
        PostKey(c, static_cast<UINT>(ToInt(argv[4])));
    }
    return kOk;
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
        HWND w = FindTop(argv[2], arg(4));
        if (!w) return kNotFound;
        PostMessageW(w, WM_COMMAND, MAKEWPARAM(ToInt(argv[3]), 0), 0);
        return kOk;
    }
    if (cmd == L"post") {
        if (argc < 6) return kUsage;
        HWND w = FindTop(argv[2], arg(6));
        if (!w) return kNotFound;
        PostMessageW(w, static_cast<UINT>(wcstoul(argv[3], nullptr, 0)), wcstoul(argv[4], nullptr, 0),
                     static_cast<LPARAM>(wcstoul(argv[5], nullptr, 0)));
        return kOk;
    }
    if (cmd == L"text" || cmd == L"check" || cmd == L"enabled" || cmd == L"shown" || cmd == L"ctlrect" ||
        cmd == L"combo" || cmd == L"click" || cmd == L"select" || cmd == L"type" || cmd == L"key")
        return ControlCommand(cmd, argc, argv);
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
