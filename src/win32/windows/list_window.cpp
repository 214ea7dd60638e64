#include "win32/windows/list_window.h"

#include <cmath>

#include "win32/ports/fonts.h"
#include "win32/base/handles.h"

namespace brisolt::win32 {

namespace {

// Every mouse button the button state of a mouse message can report.
constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2;

POINT MessageCursorPos() {
    const DWORD pos = GetMessagePos();
    return POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

}  // namespace

ListWindow::ListWindow(HINSTANCE instance, ProgramWindows& windows, ListWindowEvents events, const Scale& scale)
    : NativeWindow(&windows), events_(std::move(events)), scale_(scale), canvas_(scale) {
    WindowArgs args;
    args.className = kClassName;
    args.classStyle = CS_DBLCLKS;
    args.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    args.style = WS_POPUP;
    // With no size: the first tick sizes it to its rows.
    args.x = args.y = 50;
    args.what = "Creating the list window";
    Create(instance, args);
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
}

ListWindow::~ListWindow() { Destroy(); }

LRESULT ListWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
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
        if (events_.doubleClick) events_.doubleClick(1, static_cast<short>(HIWORD(lp)) * scale_.twipsPerPixelY);
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
        return Default(msg, wp, lp);
    }
}

void ListWindow::Paint() {
    ScopedPaint paint(Hwnd());
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

bool ListWindow::Exists() const { return Hwnd() != nullptr && IsWindow(Hwnd()); }

double ListWindow::ScaleWidth() const {
    RECT r{};
    GetClientRect(Hwnd(), &r);
    return r.right * scale_.twipsPerPixelX;
}

double ListWindow::ScaleHeight() const {
    RECT r{};
    GetClientRect(Hwnd(), &r);
    return r.bottom * scale_.twipsPerPixelY;
}

void ListWindow::SetSize(double widthTwips, double heightTwips) {
    const int width = static_cast<int>(std::lround(widthTwips / scale_.twipsPerPixelX));
    const int height = static_cast<int>(std::lround(heightTwips / scale_.twipsPerPixelY));
    const int cx = width < 0 ? 0 : width, cy = height < 0 ? 0 : height;
    // Every tick sizes the window; one that already has its size is left
    // alone, so a settled list costs no move.
    RECT r{};
    if (GetWindowRect(Hwnd(), &r) && r.right - r.left == cx && r.bottom - r.top == cy) return;
    SetWindowPos(Hwnd(), nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Point ListWindow::Position() const {
    RECT r{};
    GetWindowRect(Hwnd(), &r);
    return Point{r.left, r.top};
}

void ListWindow::MoveTo(int x, int y) {
    SetWindowPos(Hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ListWindow::BeginDrag() {
    const HWND w = Hwnd();
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
    if (GetCapture() == Hwnd()) ReleaseCapture();
}

void ListWindow::Present() {
    if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
}

void ListWindow::Close() { Destroy(); }

}  // namespace brisolt::win32
