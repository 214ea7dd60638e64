#include "win32/ports/win32_desktop.h"

#include "win32/base/win.h"

#include <cstring>
#include <iterator>
#include <vector>

#include "win32/base/handles.h"

namespace brisolt::win32 {

namespace {

Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

bool HasClass(HWND w, const char* className) {
    char name[64] = {};
    return GetClassNameA(w, name, sizeof name) > 0 && std::strcmp(name, className) == 0;
}

// How long a busy client may take to answer an MDI activation before we go
// on; the request stays in its queue and takes effect when it answers. A
// client the system already calls hung gets no wait at all.
constexpr UINT kActivateTimeoutMs = 200;

// The system calls a window hung (IsHungAppWindow) once its thread has not
// looked at its messages for this long; before that, a move that has not
// landed yet counts as pending by its age alone.
constexpr unsigned long long kHungAfterMs = 5000;

bool OwnedByThisThread(HWND w) { return GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId(); }

// To the top of its siblings, activating it, without waiting for its thread.
void Raise(HWND w) {
    if (OwnedByThisThread(w))
        BringWindowToTop(w);
    else
        ::SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
}

// Titles up to 255 characters are read in one call.
constexpr std::size_t kSmallTitleBuffer = 256;

}  // namespace

std::vector<WindowHandle> Win32Desktop::TopLevelWindows() {
    // One snapshot in Z-order, taken in one call: a GetWindow walk ends early
    // when the window it stands on is destroyed during the walk.
    std::vector<WindowHandle> windows;
    EnumWindows(
        [](HWND w, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<WindowHandle>*>(list)->push_back(FromHwnd(w));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<WindowHandle> Win32Desktop::ChildWindows(WindowHandle w) {
    // The direct children only (EnumChildWindows would hand over theirs too).
    // A child destroyed while it is stepped over ends GW_HWNDNEXT: the step is
    // then taken again from the last child that still exists.
    std::vector<WindowHandle> children;
    HWND child = GetWindow(ToHwnd(w), GW_CHILD);
    for (int guard = 0; child && guard < 65536; ++guard) {
        children.push_back(FromHwnd(child));
        HWND next = GetWindow(child, GW_HWNDNEXT);
        while (!next && !IsWindow(child) && !children.empty()) {
            children.pop_back();
            child = children.empty() ? nullptr : ToHwnd(children.back());
            next = child ? GetWindow(child, GW_HWNDNEXT) : GetWindow(ToHwnd(w), GW_CHILD);
        }
        child = next;
    }
    return children;
}

std::string Win32Desktop::Title(WindowHandle w, std::size_t maxChars) {
    const HWND h = ToHwnd(w);
    // Reading another program's title is a round trip to the window system,
    // so the whole title is first read through a buffer that holds any usual
    // title; only a title that fills it is read again at its full length.
    char small[kSmallTitleBuffer];
    if (maxChars == 0 || maxChars <= sizeof small) {
        const int size = static_cast<int>(maxChars == 0 ? sizeof small : maxChars);
        const int copied = GetWindowTextA(h, small, size);
        if (copied <= 0) return {};
        if (maxChars != 0 || copied < size - 1) return std::string(small, std::strlen(small));  // cut at the first NUL
    }
    std::size_t size = maxChars;
    if (size == 0) {
        const int length = GetWindowTextLengthA(h);
        if (length <= 0) return {};
        // The length may be an overestimate (mixed code pages), never less.
        size = static_cast<std::size_t>(length) + 1;
    }
    std::vector<char> buffer(size + 1, '\0');
    const int copied = GetWindowTextA(h, buffer.data(), static_cast<int>(size));
    if (copied <= 0) return {};
    return std::string(buffer.data());  // cut at the first NUL
}

bool Win32Desktop::IsVisible(WindowHandle w) {
    const HWND h = ToHwnd(w);
    const LONG_PTR style = GetWindowLongPtrA(h, GWL_STYLE);
    if (!(style & WS_VISIBLE)) return false;
    // A top-level window's only ancestor is the desktop, which is always
    // visible: its own style decides, one question instead of a walk up.
    if (!(style & WS_CHILD)) return true;
    return IsWindowVisible(h) != FALSE;
}

bool Win32Desktop::HasVisibleStyle(WindowHandle w) {
    return (GetWindowLongPtrA(ToHwnd(w), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool Win32Desktop::IsIconic(WindowHandle w) { return ::IsIconic(ToHwnd(w)) != FALSE; }

Rect Win32Desktop::WindowRect(WindowHandle w) {
    RECT r{};
    if (!GetWindowRect(ToHwnd(w), &r)) return Rect{};
    return ToRect(r);
}

Rect Win32Desktop::ClientRect(WindowHandle w) {
    RECT r{};
    if (!GetClientRect(ToHwnd(w), &r)) return Rect{};
    return ToRect(r);
}

Placement Win32Desktop::PlacementOf(WindowHandle w) {
    const HWND h = ToHwnd(w);
    RECT r{};
    if (!GetWindowRect(h, &r)) return Placement{};
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    // A child window is moved in its parent's client coordinates.
    if (GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD) {
        if (const HWND parent = GetParent(h)) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    return Placement{r.left, r.top, width, height};
}

void Win32Desktop::SetWindowPos(WindowHandle w, int x, int y, int cx, int cy, unsigned flags) {
    const HWND h = ToHwnd(w);
    if (OwnedByThisThread(h)) {
        ::SetWindowPos(h, nullptr, x, y, cx, cy, flags);
        return;
    }
    // Another thread's window moves when that thread next looks at its
    // messages. While our last move has not landed there, a new one would
    // only queue up behind it: the next tick reads the placement again and
    // asks for the move that is right then.
    ForgetSettledMoves();
    if (pendingMoves_.count(w) != 0) return;
    const Placement from = PlacementOf(w);
    if (::SetWindowPos(h, nullptr, x, y, cx, cy, flags | SWP_ASYNCWINDOWPOS))
        pendingMoves_[w] = PendingMove{from, GetTickCount64()};
}

bool Win32Desktop::StillPending(WindowHandle w, const PendingMove& move) {
    const HWND h = ToHwnd(w);
    if (!IsWindow(h)) return false;
    // Only its own thread moves a window: once it has moved, that thread has
    // been at its messages since we asked.
    if (!(PlacementOf(w) == move.from)) return false;
    // A window that answers but stays put refused the move (or was moved back):
    // after a while it may be asked again.
    return IsHungAppWindow(h) || GetTickCount64() - move.askedAtMs < kHungAfterMs;
}

void Win32Desktop::ForgetSettledMoves() {
    for (auto it = pendingMoves_.begin(); it != pendingMoves_.end();)
        it = StillPending(it->first, it->second) ? std::next(it) : pendingMoves_.erase(it);
}

bool Win32Desktop::IsOnMonitor(Point p) {
    return MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONULL) != nullptr;
}

void Win32Desktop::Restore(WindowHandle w) {
    const HWND h = ToHwnd(w);
    if (OwnedByThisThread(h))
        ShowWindow(h, SW_RESTORE);
    else
        ShowWindowAsync(h, SW_RESTORE);
}

void Win32Desktop::BringToTop(WindowHandle w) {
    const HWND h = ToHwnd(w);
    if (!IsWindow(h)) return;
    const bool child = (GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD) != 0;
    const HWND parent = child ? GetParent(h) : nullptr;
    if (parent && HasClass(parent, "MDIClient")) {
        // An MDI child becomes its frame's active child through the MDI client.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(parent, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(h), 0, SMTO_ABORTIFHUNG,
                            kActivateTimeoutMs, &ignored);
        Raise(h);
        return;
    }
    if (!child) {
        // We are the foreground process right after the user's click in the
        // list window, so the system lets us hand the foreground on; the
        // window's thread is told, not waited for.
        SetForegroundWindow(h);
    }
    Raise(h);
}

}  // namespace brisolt::win32
