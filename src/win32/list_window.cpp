#include "win32/list_window.h"

#include <cmath>

#include "win32/fonts.h"
#include "win32/handles.h"

namespace brisolt::win32 {

namespace {

// Every mouse button the button state of a mouse message can report.
constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2;

void RegisterListWindowClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(instance, ListWindow::kClassName, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;  // we paint every pixel ourselves
    wc.lpszClassName = ListWindow::kClassName;
    RegisterClassExA(&wc);
}

POINT MessageCursorPos() {
    const DWORD pos = GetMessagePos();
    return POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

}  // namespace

ListWindow::ListWindow(HINSTANCE instance, ProgramWindows& windows, ListWindowEvents events)
    : windows_(windows),
      events_(std::move(events)),
      tppX_(1440.0 / ScreenDpiX()),
      tppY_(1440.0 / ScreenDpiY()),
      canvas_(tppX_, tppY_, ScreenDpiY()) {
    RegisterListWindowClass(instance, &ListWindow::WindowProc);
    // Created with no size: the first tick sizes it to its rows.
    HWND w = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 50, 50, 0, 0, nullptr,
                             nullptr, instance, this);
    window_ = UniqueWindow(w);
    if (w) ShowWindow(w, SW_SHOWNOACTIVATE);
}

ListWindow::~ListWindow() { window_.Reset(); }

LRESULT CALLBACK ListWindow::WindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<ListWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ListWindow*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (!self) return DefWindowProcA(w, msg, wp, lp);
    if (msg == WM_NCCREATE) self->windows_.Opened();
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(w, GWLP_USERDATA, 0);
        self->window_.Release();
        self->dragging_ = false;
        self->windows_.Closed();
        return DefWindowProcA(w, msg, wp, lp);
    }
    return self->Handle(w, msg, wp, lp);
}

LRESULT ListWindow::Handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers every pixel: no flicker
    case WM_PAINT:
        Paint();
        return 0;
    case WM_MOUSEACTIVATE:
        // A click does not activate the list window: the client keeps the
        // focus, and Wine without a window manager keeps the window unmanaged
        // (activating it would re-map the X window mid-drag and drop the
        // capture). The click is still our input, which is what lets a
        // double-click hand the foreground to the client.
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
        if (events_.mouseDown) events_.mouseDown(1);
        return 0;
    case WM_RBUTTONDOWN:
        if (dragging_) EndDrag();
        if (events_.mouseDown) events_.mouseDown(2);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (events_.doubleClick) events_.doubleClick(1, static_cast<short>(HIWORD(lp)) * tppY_);
        return 0;
    case WM_MOUSEMOVE:
        if (dragging_) {
            // The drag lasts while the left button alone is held down.
            if ((wp & kAnyButton) == MK_LBUTTON)
                FollowMouse();
            else
                EndDrag();
        }
        return 0;
    case WM_LBUTTONUP:
        if (dragging_) {
            FollowMouse();
            EndDrag();
        }
        return 0;
    case WM_CAPTURECHANGED:
        dragging_ = false;
        return 0;
    default:
        return DefWindowProcA(w, msg, wp, lp);
    }
}

void ListWindow::Paint() {
    const HWND w = window_.Get();
    ScopedPaint paint(w);
    // Only the part that needs painting: a long list reaches far below the
    // screen, and that part is never seen.
    const RECT area = paint.Area();
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    // Draw into a memory bitmap, then copy it in one blit.
    const UniqueDC memory = CompatibleDC(paint.Get());
    Bitmap bitmap(CreateCompatibleBitmap(paint.Get(), width, height));
    if (!memory.Get() || !bitmap) return;
    ScopedSelect select(memory.Get(), bitmap.Get());
    canvas_.Render(memory.Get(), area, GetSysColor(COLOR_BTNFACE));
    BitBlt(paint.Get(), area.left, area.top, width, height, memory.Get(), 0, 0, SRCCOPY);
}

bool ListWindow::Exists() const { return window_.Get() != nullptr && IsWindow(window_.Get()); }

double ListWindow::ScaleWidth() const {
    RECT r{};
    GetClientRect(window_.Get(), &r);
    return r.right * tppX_;
}

double ListWindow::ScaleHeight() const {
    RECT r{};
    GetClientRect(window_.Get(), &r);
    return r.bottom * tppY_;
}

void ListWindow::SetSize(double widthTwips, double heightTwips) {
    const int width = static_cast<int>(std::lround(widthTwips / tppX_));
    const int height = static_cast<int>(std::lround(heightTwips / tppY_));
    const int cx = width < 0 ? 0 : width, cy = height < 0 ? 0 : height;
    // Every tick sizes the window; one that already has its size is left
    // alone, so a settled list costs no move.
    RECT r{};
    if (GetWindowRect(window_.Get(), &r) && r.right - r.left == cx && r.bottom - r.top == cy) return;
    SetWindowPos(window_.Get(), nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Point ListWindow::Position() const {
    RECT r{};
    GetWindowRect(window_.Get(), &r);
    return Point{r.left, r.top};
}

void ListWindow::MoveTo(int x, int y) {
    SetWindowPos(window_.Get(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ListWindow::BeginDrag() {
    const HWND w = window_.Get();
    if (!w) return;
    // The offset is taken where the button went down, as the window was then.
    const POINT cursor = MessageCursorPos();
    RECT r{};
    GetWindowRect(w, &r);
    dragOffset_ = POINT{cursor.x - r.left, cursor.y - r.top};
    SetCapture(w);
    dragging_ = GetCapture() == w;
}

void ListWindow::FollowMouse() {
    POINT cursor{};
    GetCursorPos(&cursor);
    MoveTo(cursor.x - dragOffset_.x, cursor.y - dragOffset_.y);
}

void ListWindow::EndDrag() {
    dragging_ = false;
    if (GetCapture() == window_.Get()) ReleaseCapture();
}

void ListWindow::Present() {
    if (window_.Get()) InvalidateRect(window_.Get(), nullptr, FALSE);
}

void ListWindow::Close() { window_.Reset(); }

}  // namespace brisolt::win32
