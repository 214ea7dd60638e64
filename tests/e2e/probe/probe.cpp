// probe: looks at and drives windows for the end-to-end scripts, which run it
// under Wine. Prints plain text to stdout; exit code 0 = ok, 1 = not found,
// 2 = usage error.
//
//   probe list                              every top-level window: hwnd visible class "title" l t r b
//   probe find <class> [title]              the window's handle as 0x… (usable as <class> below)
//   probe owned <class> [title]             visible top-level windows it owns: 0xhwnd class "title"
//   probe children <class> [title]          every control below the window: id class "text"
//   probe tabs <class> [title]              captions of the window's tab strip, one a line
//   probe values <class> [title]            every control below the window: id state "text", where
//                                           state is a button's check state, a combo box's
//                                           selected entry, or "-"; the whole text, however long
//   probe tabsel <class> [title]            the selected tab, 1-based (0: none)
//   probe tab <class> <n> [title]           screen rectangle "l t r b" of tab n (1-based)
//   probe menu <class> [title]              menu bar: "entry" lines, then per item: id checked "text"
//   probe tiptexts                          the texts of the taskbar's tooltip controls, one a line
//                                           (the tray icons' tooltips)
//   (<class> "0x…": the window with that handle, as printed by find, owned or list)
//   probe rect <class> [title]              window rectangle "l t r b" (class "-" = any)
//   probe client <class> [title]            client area in screen coordinates "l t r b"
//   probe title <class>                     window title
//   probe visible <class> [title]           exit 0 when visible, 1 otherwise
//   probe wait <class> [timeoutMs] [title]  waits until the window exists
//   probe waitgone <class> [timeoutMs]      waits until the window is gone
//   probe command <class> <id> [title]      posts WM_COMMAND id (a menu command)
//   probe close <class> [title]             posts WM_CLOSE
//   probe foreground <class> [title]        makes the window the foreground window
//   probe post <class> <msg> <wParam> <lParam> [title]   posts any message
//   probe text <class> <controlId> [title]  text of a control anywhere below the window (WM_GETTEXT)
//   probe check <class> <controlId> [title] check state of a button: 0, 1 or 2
//   probe enabled <class> <controlId> [title]  exit 0 when the control is enabled, 1 otherwise
//   probe shown <class> <controlId> [title] exit 0 when the control is visible, 1 otherwise
//   probe ctlrect <class> <controlId> [title]  control's screen rectangle "l t r b"
//   probe combo <class> <controlId> [title] selected entry of a combo box (-1: none)
//   probe settext <class> <controlId> <text> [title]  sets an edit's text at once (WM_SETTEXT;
//                                           the edit tells its parent with EN_CHANGE)
//   probe click <class> <controlId> [title] clicks a button (BM_CLICK)
//   probe select <class> <controlId> <index> [title]  picks a combo box entry as the user would
//   probe type <class> <controlId> <text> [title]  replaces an edit's text key by key
//                                           (WM_KEYDOWN and WM_KEYUP posted per character; the
//                                           program's TranslateMessage makes the WM_CHAR;
//                                           a character that needs Shift is posted as WM_CHAR;
//                                           waits for each character to arrive)
//   probe key <class> <controlId> <vk> [title]  posts WM_KEYDOWN and WM_KEYUP of a virtual key
//   probe rows <class> <controlId> [title]  a report list view's rows, one a line, cells joined by " | "
//   probe rowrect <class> <controlId> <n> [title]  screen rectangle "l t r b" of row n (0-based) of a list view
//   probe pixel <x> <y>                     screen pixel as 0xBBGGRR
//   probe mdiclient <frame>                 MDI area's client rectangle "0 0 w h"
//   probe mdilist <frame>                   MDI children front-most first: iconic "title" l t r b
//   probe mdirect <frame> <childTitle> [n]  n-th such child's rectangle in MDI-area coordinates
//   probe mdimove <frame> <childTitle> x y w h   moves that child (as a user would drag it)
//   (<frame>: the main window's class, e.g. DemoClientFrame, or its title)
//   probe move <class> <title> x y w h      moves a top-level window
//   probe username                          GetUserName
//   probe dpi                               the screen's logical pixels per inch
//   probe hold <path> <ms>                  opens (creating) a file with share mode 0, prints
//                                           "held", keeps it open for ms or until killed
#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "menu_dump.h"

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
    if (cls && cls[0] == L'0' && (cls[1] == L'x' || cls[1] == L'X')) {
        HWND w = reinterpret_cast<HWND>(static_cast<INT_PTR>(wcstoull(cls + 2, nullptr, 16)));
        return IsWindow(w) ? w : nullptr;
    }
    if (HWND exact = FindWindowW(OrNull(cls), OrNull(title))) return exact;
    // A title "*X" matches any title ending in X ("Muster GmbH - Brisolt light").
    if (!title || title[0] != L'*') return nullptr;
    struct Search {
        const wchar_t* cls;
        std::wstring tail;
        HWND found;
    } search{OrNull(cls), title + 1, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(p);
            wchar_t text[512] = {}, name[256] = {};
            GetWindowTextW(w, text, 512);
            GetClassNameW(w, name, 256);
            const std::wstring t = text;
            if ((s.cls && wcscmp(s.cls, name) != 0) || t.size() < s.tail.size() ||
                t.compare(t.size() - s.tail.size(), s.tail.size(), s.tail) != 0)
                return TRUE;
            s.found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PrintHandle(HWND w) { std::printf("0x%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w))); }

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
    const bool hasExtra = cmd == L"select" || cmd == L"type" || cmd == L"key" || cmd == L"settext";
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
    } else if (cmd == L"settext") {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]), SMTO_ABORTIFHUNG, 5000,
                                 &result) ||
            !result)
            return kNotFound;
    } else if (cmd == L"click") {
        Send(c, BM_CLICK, 0, 0);
    } else if (cmd == L"select") {
        // The combo box tells its parent only about selections the user makes.
        const int index = ToInt(argv[4]);
        if (Send(c, CB_SETCURSEL, index, 0) != index) return kNotFound;
        Send(GetParent(c), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), CBN_SELCHANGE), reinterpret_cast<LPARAM>(c));
    } else if (cmd == L"type") {
        Send(c, EM_SETSEL, 0, -1);
        int typed = 0;
        for (const wchar_t* p = argv[4]; *p; ++p) {
            const SHORT key = VkKeyScanW(*p);
            if (key != -1 && HIBYTE(key) == 0) {
                PostKey(c, LOBYTE(key));
            } else {
                // A posted key carries no Shift state: the character itself,
                // then the key's release.
                PostMessageW(c, WM_CHAR, *p, 1);
                if (key != -1) PostMessageW(c, WM_KEYUP, LOBYTE(key), KeyLParam(LOBYTE(key), true));
            }
            // The program's TranslateMessage posts a key's character behind
            // whatever is queued already: one character at a time keeps the order.
            ++typed;
            for (int waited = 0; waited < 5000 && Send(c, WM_GETTEXTLENGTH, 0, 0) != typed; waited += 10) Sleep(10);
        }
    } else if (cmd == L"key") {
        PostKey(c, static_cast<UINT>(ToInt(argv[4])));
    }
    return kOk;
}

BOOL CALLBACK PrintChildProc(HWND w, LPARAM) {
    std::printf("%d %s \"%s\"\n", GetDlgCtrlID(w), Narrow(ClassOf(w)).c_str(), Narrow(Title(w)).c_str());
    return TRUE;
}

// Several controls' values at once, in one look at the window.
BOOL CALLBACK PrintValueProc(HWND w, LPARAM) {
    const std::wstring cls = ClassOf(w);
    std::string state = "-";
    if (_wcsicmp(cls.c_str(), L"Button") == 0)
        state = std::to_string(static_cast<int>(Send(w, BM_GETCHECK, 0, 0)));
    else if (_wcsicmp(cls.c_str(), L"ComboBox") == 0)
        state = std::to_string(static_cast<int>(Send(w, CB_GETCURSEL, 0, 0)));
    std::wstring text(static_cast<std::size_t>(Send(w, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(Send(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
    std::printf("%d %s \"%s\"\n", GetDlgCtrlID(w), state.c_str(), Narrow(text).c_str());
    return TRUE;
}

int PrintOwned(HWND owner) {
    int found = 0;
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetWindow(w, GW_OWNER) != owner || !IsWindowVisible(w)) continue;
        PrintHandle(w);
        std::printf(" %s \"%s\"\n", Narrow(ClassOf(w)).c_str(), Narrow(Title(w)).c_str());
        ++found;
    }
    return found ? kOk : kNotFound;
}

// Memory in another process for the messages whose pointers Windows does
// not carry across (the common controls').
class RemoteBuffer {
public:
    RemoteBuffer(HWND w, SIZE_T size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    bool Ok() const { return address_ != nullptr; }
    char* Address() const { return static_cast<char*>(address_); }
    bool Write(SIZE_T offset, const void* data, SIZE_T n) const {
        return offset + n <= size_ && WriteProcessMemory(process_, Address() + offset, data, n, nullptr);
    }
    bool Read(SIZE_T offset, void* data, SIZE_T n) const {
        return offset + n <= size_ && ReadProcessMemory(process_, Address() + offset, data, n, nullptr);
    }

private:
    SIZE_T size_;
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

HWND FindChildOfClass(HWND parent, const wchar_t* cls) {
    if (!parent) return nullptr;
    struct Search {
        const wchar_t* cls;
        HWND found;
    } search{cls, nullptr};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (ClassOf(w) != s->cls) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int PrintRows(HWND list) {
    constexpr int kChars = 512;
    RemoteBuffer remote(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    if (!remote.Ok()) return kNotFound;
    const int rows = static_cast<int>(Send(list, LVM_GETITEMCOUNT, 0, 0));
    const int columns = std::max(1, static_cast<int>(Send(reinterpret_cast<HWND>(Send(list, LVM_GETHEADER, 0, 0)),
                                                          HDM_GETITEMCOUNT, 0, 0)));
    for (int i = 0; i < rows; ++i) {
        std::string line;
        for (int c = 0; c < columns; ++c) {
            LVITEMW item{};
            item.iSubItem = c;
            item.pszText = reinterpret_cast<wchar_t*>(remote.Address() + sizeof(LVITEMW));
            item.cchTextMax = kChars;
            wchar_t text[kChars] = {};
            if (!remote.Write(0, &item, sizeof item) || !remote.Write(sizeof item, text, sizeof text)) return kNotFound;
            Send(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(remote.Address()));
            if (!remote.Read(sizeof item, text, sizeof text)) return kNotFound;
            text[kChars - 1] = 0;
            line += (c ? " | " : "") + Narrow(text);
        }
        std::printf("%s\n", line.c_str());
    }
    return kOk;
}

int PrintRowRect(HWND list, int row) {
    RemoteBuffer remote(list, sizeof(RECT));
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    if (!remote.Ok() || !remote.Write(0, &r, sizeof r) ||
        !Send(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote.Address())) || !remote.Read(0, &r, sizeof r))
        return kNotFound;
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    PrintRect(r);
    return kOk;
}

int PrintTabs(HWND w) {
    HWND tab = FindChildOfClass(w, L"SysTabControl32");
    if (!tab) return kNotFound;
    constexpr int kChars = 256;
    RemoteBuffer remote(tab, sizeof(TCITEMW) + kChars * sizeof(wchar_t));
    if (!remote.Ok()) return kNotFound;
    const int count = static_cast<int>(Send(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(remote.Address() + sizeof(TCITEMW));
        item.cchTextMax = kChars;
        wchar_t text[kChars] = {};
        if (!remote.Write(0, &item, sizeof item) || !remote.Write(sizeof item, text, sizeof text)) return kNotFound;
        if (!Send(tab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(remote.Address()))) return kNotFound;
        if (!remote.Read(sizeof item, text, sizeof text)) return kNotFound;
        text[kChars - 1] = 0;
        std::printf("%s\n", Narrow(text).c_str());
    }
    return kOk;
}

// kernel32's LoadLibraryW in another process: the same offset from the
// module's base as here.
void* RemoteLoadLibrary(DWORD pid) {
    HMODULE local = GetModuleHandleW(L"kernel32.dll");
    auto* loadLibrary = reinterpret_cast<char*>(GetProcAddress(local, "LoadLibraryW"));
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE) return nullptr;
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    void* result = nullptr;
    for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szModule, L"kernel32.dll") != 0) continue;
        result = entry.modBaseAddr + (loadLibrary - reinterpret_cast<char*>(local));
        break;
    }
    CloseHandle(snapshot);
    return result;
}

std::wstring ProbeFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// The menu bar as probe_menu.dll reads it inside the window's process.
int PrintMenuBar(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, probe::kMenuMappingSize,
                                        probe::MenuMappingName(pid).c_str());
    if (!mapping) return kNotFound;
    int rc = kNotFound;
    auto* view = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, probe::kMenuMappingSize));
    const std::wstring dll = ProbeFolder() + L"probe_menu.dll";
    const SIZE_T bytes = (dll.size() + 1) * sizeof(wchar_t);
    RemoteBuffer remote(w, bytes);
    void* loadLibrary = RemoteLoadLibrary(pid);
    if (view && remote.Ok() && loadLibrary && remote.Write(0, dll.c_str(), bytes)) {
        std::memset(view, 0, probe::kMenuTextOffset + 1);
        std::memcpy(view, &w, sizeof w);
        DWORD access = PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION | PROCESS_VM_READ |
                       PROCESS_VM_WRITE;
        HANDLE process = OpenProcess(access, FALSE, pid);
        HANDLE thread = process ? CreateRemoteThread(process, nullptr, 0,
                                                     reinterpret_cast<LPTHREAD_START_ROUTINE>(loadLibrary),
                                                     remote.Address(), 0, nullptr)
                                : nullptr;
        if (thread) {
            WaitForSingleObject(thread, 10000);
            CloseHandle(thread);
        }
        if (process) CloseHandle(process);
        if (view[8] == 1 && view[probe::kMenuTextOffset] != '\0') {
            std::fputs(view + probe::kMenuTextOffset, stdout);
            rc = kOk;
        }
    }
    if (view) UnmapViewOfFile(view);
    CloseHandle(mapping);
    return rc;
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
    if (cmd == L"tiptexts") {
        // The taskbar's top-level tooltip controls (the tray icons' among them),
        // each read inside the taskbar's process; other programs are left alone.
        DWORD taskbar = 0;
        if (HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr)) GetWindowThreadProcessId(tray, &taskbar);
        if (!taskbar) return kNotFound;
        for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD process = 0;
            GetWindowThreadProcessId(w, &process);
            if (process == taskbar && ClassOf(w) == L"tooltips_class32") PrintMenuBar(w);
        }
        return kOk;
    }
    if (cmd == L"rect" || cmd == L"client" || cmd == L"title" || cmd == L"visible" ||
        cmd == L"close" || cmd == L"foreground") {
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
        } else if (cmd == L"foreground") {
            return SetForegroundWindow(w) ? kOk : kNotFound;
        } else {
            PostMessageW(w, WM_CLOSE, 0, 0);
        }
        return kOk;
    }
    if (cmd == L"find" || cmd == L"owned" || cmd == L"children" || cmd == L"values" || cmd == L"tabs" ||
        cmd == L"menu") {
        if (argc < 3) return kUsage;
        HWND w = FindTop(argv[2], arg(3));
        if (!w) return kNotFound;
        if (cmd == L"find") {
            PrintHandle(w);
            std::printf("\n");
            return kOk;
        }
        if (cmd == L"owned") return PrintOwned(w);
        if (cmd == L"children") {
            EnumChildWindows(w, PrintChildProc, 0);
            return kOk;
        }
        if (cmd == L"values") {
            EnumChildWindows(w, PrintValueProc, 0);
            return kOk;
        }
        if (cmd == L"tabs") return PrintTabs(w);
        return PrintMenuBar(w);
    }
    if (cmd == L"tabsel") {
        if (argc < 3) return kUsage;
        HWND tab = FindChildOfClass(FindTop(argv[2], arg(3)), L"SysTabControl32");
        if (!tab) return kNotFound;
        std::printf("%d\n", static_cast<int>(Send(tab, TCM_GETCURSEL, 0, 0)) + 1);
        return kOk;
    }
    if (cmd == L"tab") {
        if (argc < 4) return kUsage;
        HWND tab = FindChildOfClass(FindTop(argv[2], arg(4)), L"SysTabControl32");
        if (!tab) return kNotFound;
        RemoteBuffer remote(tab, sizeof(RECT));
        RECT r{};
        if (!remote.Ok() || !Send(tab, TCM_GETITEMRECT, ToInt(argv[3]) - 1, reinterpret_cast<LPARAM>(remote.Address())) ||
            !remote.Read(0, &r, sizeof r))
            return kNotFound;
        MapWindowPoints(tab, nullptr, reinterpret_cast<POINT*>(&r), 2);
        PrintRect(r);
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
    if (cmd == L"rows" || cmd == L"rowrect") {
        const int need = cmd == L"rows" ? 4 : 5;
        if (argc < need) return kUsage;
        HWND list = FindControl(argv[2], argv[3], argc > need ? argv[need] : nullptr);
        if (!list) return kNotFound;
        return cmd == L"rows" ? PrintRows(list) : PrintRowRect(list, ToInt(argv[4]));
    }
    if (cmd == L"text" || cmd == L"check" || cmd == L"enabled" || cmd == L"shown" || cmd == L"ctlrect" ||
        cmd == L"combo" || cmd == L"click" || cmd == L"select" || cmd == L"type" || cmd == L"key" ||
        cmd == L"settext")
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
    if (cmd == L"hold") {
        // Another program holding the file: every other open fails with a
        // sharing violation until the handle is closed.
        if (argc < 4) return kUsage;
        HANDLE f = CreateFileW(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE) return kNotFound;
        std::printf("held\n");
        std::fflush(stdout);
        Sleep(static_cast<DWORD>(ToInt(argv[3])));
        CloseHandle(f);
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
