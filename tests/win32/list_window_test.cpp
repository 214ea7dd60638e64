// The list window's canvas and host on real GDI and a real window: twips to
// pixels, the rendered display list, the window's shape and size, its mouse
// and drag.
#include <cmath>
#include <string>
#include <vector>

#include "check.h"
#include "test_windows.h"
#include "win32/ports/fonts.h"
#include "win32/base/handles.h"
#include "win32/windows/list_canvas.h"
#include "win32/windows/list_window.h"
#include "win32/ports/fonts.h"

using namespace brisolt::win32;
using brisolt::Colour;
using brisolt::RgbColour;

namespace {

// A 32-bit top-down DIB to render into and read back.
class Pixels {
public:
    Pixels(int w, int h) : w_(w), h_(h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        bitmap_ = Bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
        select_ = SelectObject(dc_.Get(), bitmap_.Get());
    }
    ~Pixels() { SelectObject(dc_.Get(), select_); }
    HDC Dc() const { return dc_.Get(); }
    // As a COLORREF (0x00BBGGRR).
    Colour At(int x, int y) const {
        GdiFlush();
        const unsigned v = bits_[y * w_ + x];  // 0x00RRGGBB
        return RgbColour((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int CountOf(Colour c, int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += At(x, y) == c;
        return n;
    }

private:
    int w_, h_;
    UniqueDC dc_ = CompatibleDC(nullptr);
    Bitmap bitmap_;
    unsigned* bits_ = nullptr;
    HGDIOBJ select_ = nullptr;
};

constexpr Colour kGrey = RgbColour(128, 128, 128);
constexpr Colour kGreen = 12648384;  // the normal row colour
constexpr Colour kRed = 8421631;     // the alarm colour
constexpr Colour kBlack = 0;
constexpr brisolt::Scale k96Dpi{15, 15};
const brisolt::Scale g_screen = ScreenScale();

}  // namespace

WIN_TEST(Canvas_FillsRoundTwipsToPixelsWithBothCornersInside) {
    ListCanvas canvas(k96Dpi);
    struct Case {
        double l, t, r, b;
        int pl, pt, pr, pb;  // expected pixel box, right/bottom inclusive
    } cases[] = {
        {0, 0, 150, 75, 0, 0, 10, 5},
        {22, 23, 44, 52, 1, 2, 3, 3},   // 1.47 -> 1, 1.53 -> 2, 2.93 -> 3, 3.47 -> 3
        {300, 300, 300, 300, 20, 20, 20, 20},  // one pixel
    };
    for (const Case& c : cases) {
        Pixels px(40, 30);
        canvas.Clear();
        canvas.FillRect(c.l, c.t, c.r, c.b, kRed);
        canvas.Render(px.Dc(), RECT{0, 0, 40, 30}, kGrey);
        const int inside = (c.pr - c.pl + 1) * (c.pb - c.pt + 1);
        CHECK_EQ(inside, px.CountOf(kRed, 0, 0, 40, 30));
        CHECK_EQ(kRed, px.At(c.pl, c.pt));
        CHECK_EQ(kRed, px.At(c.pr, c.pb));
        CHECK_EQ(kGrey, px.At(c.pr + 1, c.pb));
        CHECK_EQ(kGrey, px.At(c.pr, c.pb + 1));
    }
}

WIN_TEST(Canvas_RendersRowsInOrderAndClearLeavesBackground) {
    ListCanvas canvas(k96Dpi);
    const double row = std::round(canvas.TextHeight("12:34:56"));
    CHECK(row > 0);
    const int rowPx = static_cast<int>(std::lround(row / 15));
    Pixels px(200, 3 * rowPx);
    canvas.FillRect(0, 0, 3000, row, kRed);
    canvas.DrawText(1, 1, "Table 18 Customer", kBlack);
    canvas.FillRect(0, row, 3000, 2 * row, kGreen);
    canvas.DrawText(1, row + 1, "Form 21 Customer Card", kBlack);
    canvas.Render(px.Dc(), RECT{0, 0, 200, 3 * rowPx}, kGrey);

    // Each row keeps its colour around the black text.
    CHECK(px.CountOf(kBlack, 0, 0, 200, rowPx) > 10);
    CHECK(px.CountOf(kRed, 0, 0, 200, rowPx) > 200 * rowPx / 2);
    CHECK(px.CountOf(kBlack, 0, rowPx, 200, 2 * rowPx) > 10);
    CHECK(px.CountOf(kGreen, 0, rowPx, 200, 2 * rowPx) > 200 * rowPx / 2);
    // Below the rows (the second row's bottom edge is its last line).
    CHECK_EQ(200 * (rowPx - 1), px.CountOf(kGrey, 0, 2 * rowPx + 1, 200, 3 * rowPx));
    CHECK_EQ(kRed, px.At(199, 0));

    // Only the second row needs painting: it lands at the top of the bitmap.
    Pixels part(200, rowPx);
    canvas.Render(part.Dc(), RECT{0, rowPx, 200, 2 * rowPx}, kGrey);
    CHECK_EQ(0, part.CountOf(kRed, 0, 0, 200, rowPx));
    CHECK(part.CountOf(kBlack, 0, 0, 200, rowPx) > 10);
    CHECK(part.CountOf(kGreen, 0, 0, 200, rowPx) > 200 * rowPx / 2);

    canvas.Clear();
    canvas.Render(px.Dc(), RECT{0, 0, 200, 3 * rowPx}, kGrey);
    CHECK_EQ(200 * 3 * rowPx, px.CountOf(kGrey, 0, 0, 200, 3 * rowPx));
}

WIN_TEST(Canvas_MeasuresInTwipsWithTheSelectedFont) {
    const brisolt::Scale screen = ScreenScale();
    const double tx = screen.twipsPerPixelX, ty = screen.twipsPerPixelY;
    ListCanvas canvas(screen);
    CHECK_EQ(std::string("MS Sans Serif"), canvas.FontName());
    CHECK_EQ(8.0, canvas.FontSize());
    const double w1 = canvas.TextWidth("Customer");
    const double w2 = canvas.TextWidth("CustomerCustomer");
    const double h8 = canvas.TextHeight("Customer");
    CHECK(w1 > 0);
    CHECK_EQ(2 * w1, w2);
    CHECK_EQ(0.0, std::fmod(w1, tx));  // whole pixels
    CHECK_EQ(0.0, std::fmod(h8, ty));
    CHECK_EQ(h8, canvas.TextHeight(""));  // an empty text is one line high
    CHECK_EQ(0.0, canvas.TextWidth(""));

    canvas.SetFont("Small Fonts", 6);
    CHECK_EQ(std::string("Small Fonts"), canvas.FontName());
    CHECK_EQ(6.0, canvas.FontSize());
    CHECK(canvas.TextHeight("Customer") < h8);
    CHECK(canvas.TextWidth("Customer") < w1);

    // The label measure agrees with the canvas for the same font.
    Win32TextMeasure measure;
    CHECK_EQ(canvas.TextWidth("Customer"), measure.TextWidth("Small Fonts", 6, "Customer"));
    CHECK_EQ(canvas.TextHeight("Customer"), measure.TextHeight("Small Fonts", 6, "Customer"));
}

namespace {

struct Recorded {
    std::vector<int> downs;
    std::vector<std::pair<int, double>> doubleClicks;
};

ListWindowEvents Recorder(Recorded& r, ListWindow** self = nullptr) {
    ListWindowEvents e;
    e.mouseDown = [&r, self](int button) {
        r.downs.push_back(button);
        if (button == 1 && self && *self) (*self)->BeginDrag();  // as ListWindowMouseDown does
    };
    e.doubleClick = [&r](int button, double y) { r.doubleClicks.push_back({button, y}); };
    return e;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// Real mouse input, as the user gives it.
void MouseTo(int x, int y) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (x * 65536 + cx - 1) / cx;
    in.mi.dy = (y * 65536 + cy - 1) / cy;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

void Buttons(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

// Mouse capture is granted to the thread that has the user's input, as it
// has right after a real click; a window of ours in the foreground does that.
brisolt::win32::UniqueWindow TakeInput() {
    auto w = wintest::MakeWindow("input", 600, 500, 100, 80);
    SetForegroundWindow(w.Get());
    wintest::Pump(100);
    return w;
}

}  // namespace

WIN_TEST(ListWindow_IsCaptionlessTopmostToolPopup) {
    ProgramWindows windows;
    Recorded r;
    ListWindow list(GetModuleHandleA(nullptr), windows, Recorder(r), g_screen);
    const HWND w = list.Hwnd();
    CHECK(list.Exists());
    CHECK_EQ(1, windows.Open());
    const LONG_PTR style = GetWindowLongPtrA(w, GWL_STYLE);
    const LONG_PTR ex = GetWindowLongPtrA(w, GWL_EXSTYLE);
    CHECK((style & WS_POPUP) != 0);
    CHECK((style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER)) == 0);
    CHECK((ex & WS_EX_TOPMOST) != 0);
    CHECK((ex & WS_EX_TOOLWINDOW) != 0);  // no taskbar button
    CHECK((GetClassLongPtrA(w, GCL_STYLE) & CS_DBLCLKS) != 0);
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    CHECK_EQ(std::string("BrisoltListWindow"), std::string(cls));

    list.Close();
    CHECK(!list.Exists());
    CHECK_EQ(0, windows.Open());
    list.Close();  // twice is harmless
}

WIN_TEST(ListWindow_ReportsButtonsAndDoubleClickInTwips) {
    ProgramWindows windows;
    Recorded r;
    ListWindow list(GetModuleHandleA(nullptr), windows, Recorder(r), g_screen);
    list.SetSize(200 * g_screen.twipsPerPixelX, 50 * g_screen.twipsPerPixelY);
    SendMessageA(list.Hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, At(10, 10));
    SendMessageA(list.Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(10, 33));
    SendMessageA(list.Hwnd(), WM_MBUTTONDOWN, MK_MBUTTON, At(10, 10));  // not reported
    CHECK_EQ(std::size_t{1}, r.downs.size());
    if (!r.downs.empty()) CHECK_EQ(2, r.downs[0]);
    CHECK_EQ(std::size_t{1}, r.doubleClicks.size());
    if (!r.doubleClicks.empty()) {
        CHECK_EQ(1, r.doubleClicks[0].first);
        CHECK_EQ(33 * g_screen.twipsPerPixelY, r.doubleClicks[0].second);
    }
}

WIN_TEST(ListWindow_DragFollowsTheMouseUntilTheButtonIsReleasedOrAnotherJoins) {
    ProgramWindows windows;
    Recorded r;
    ListWindow* self = nullptr;
    ListWindow list(GetModuleHandleA(nullptr), windows, Recorder(r, &self), g_screen);
    self = &list;
    auto input = TakeInput();
    list.SetSize(200 * g_screen.twipsPerPixelX, 40 * g_screen.twipsPerPixelY);
    list.MoveTo(300, 200);
    const HWND w = list.Hwnd();
    const auto at = [&](int x, int y) { return list.Position().x == x && list.Position().y == y; };

    // The button goes down 10 px right of and 5 px below the window's corner.
    MouseTo(310, 205);
    Buttons(MOUSEEVENTF_LEFTDOWN);
    wintest::Pump(1000, [&] { return !r.downs.empty(); });
    CHECK(list.Dragging());
    CHECK(GetCapture() == w);
    MouseTo(410, 255);
    wintest::Pump(1000, [&] { return list.Position().x != 300; });
    CHECK(at(400, 250));
    // Outside the window the capture keeps the mouse ours.
    MouseTo(700, 600);
    wintest::Pump(1000, [&] { return list.Position().x != 400; });
    CHECK(at(690, 595));

    Buttons(MOUSEEVENTF_LEFTUP);
    wintest::Pump(1000, [&] { return !list.Dragging(); });
    CHECK(!list.Dragging());
    CHECK(GetCapture() != w);
    // Once released, the mouse no longer moves the window.
    MouseTo(750, 650);
    wintest::Pump(200);
    CHECK(at(690, 595));

    // A second button ends a drag at once.
    MouseTo(700, 600);
    Buttons(MOUSEEVENTF_LEFTDOWN);
    wintest::Pump(1000, [&] { return r.downs.size() >= 2; });
    CHECK(list.Dragging());
    Buttons(MOUSEEVENTF_RIGHTDOWN);
    wintest::Pump(1000, [&] { return r.downs.size() >= 3; });
    CHECK(!list.Dragging());
    CHECK_EQ(std::size_t{3}, r.downs.size());
    MouseTo(750, 650);
    wintest::Pump(200);
    CHECK(at(690, 595));
    Buttons(MOUSEEVENTF_RIGHTUP);
    Buttons(MOUSEEVENTF_LEFTUP);
    wintest::Pump(100);
}

WIN_TEST(ListWindow_PaintShowsTheDisplayListOnScreen) {
    ProgramWindows windows;
    Recorded r;
    ListWindow list(GetModuleHandleA(nullptr), windows, Recorder(r), g_screen);
    const double tx = g_screen.twipsPerPixelX, ty = g_screen.twipsPerPixelY;
    list.MoveTo(40, 400);
    list.SetSize(120 * tx, 30 * ty);
    brisolt::Canvas& canvas = list.Surface();
    canvas.Clear();
    canvas.FillRect(0, 0, list.ScaleWidth(), 15 * ty, kRed);
    canvas.FillRect(0, 15 * ty, list.ScaleWidth(), 30 * ty, kGreen);
    list.Present();
    UpdateWindow(list.Hwnd());
    wintest::Pump(300);

    ScopedGetDC screen(nullptr);
    CHECK_EQ(kRed, static_cast<Colour>(GetPixel(screen.Get(), 40 + 60, 400 + 5)));
    CHECK_EQ(kGreen, static_cast<Colour>(GetPixel(screen.Get(), 40 + 60, 400 + 25)));
    CHECK_EQ(kGreen, static_cast<Colour>(GetPixel(screen.Get(), 40 + 119, 400 + 29)));
}

namespace {

// Counts the size and position changes that reach a window.
WNDPROC g_listProc = nullptr;
int g_posChanges = 0;
LRESULT CALLBACK CountingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_WINDOWPOSCHANGING) ++g_posChanges;
    return CallWindowProcA(g_listProc, w, msg, wp, lp);
}

}  // namespace

WIN_TEST(ListWindow_SizesInTwipsMovesInPixelsAndKeepsTheSizeItHasForFree) {
    ProgramWindows windows;
    ListWindow list(GetModuleHandleA(nullptr), windows, ListWindowEvents{}, g_screen);
    CHECK(list.Exists());
    g_listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list.Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    const double tx = g_screen.twipsPerPixelX, ty = g_screen.twipsPerPixelY;
    const struct {
        double w, h;  // pixels, as asked for in twips
        int pw, ph;
        int moves;
    } steps[] = {
        {120, 40, 120, 40, 1}, {120, 40, 120, 40, 0}, {120, 40, 120, 40, 0},  // the size it has: no move
        {121, 40, 121, 40, 1}, {121, 39, 121, 39, 1},
        {100.4, 20.6, 100, 21, 1},  // rounded to the nearest pixel
        {0, 39, 0, 39, 1},          // width 0: nothing shows
        {0, 39, 0, 39, 0},
    };
    for (const auto& s : steps) {
        g_posChanges = 0;
        list.SetSize(s.w * tx, s.h * ty);
        CHECK_EQ(s.moves, g_posChanges);
        RECT r{};
        GetWindowRect(list.Hwnd(), &r);
        CHECK_EQ(s.pw, static_cast<int>(r.right - r.left));
        CHECK_EQ(s.ph, static_cast<int>(r.bottom - r.top));
        CHECK_EQ(s.pw * tx, list.ScaleWidth());
        CHECK_EQ(s.ph * ty, list.ScaleHeight());
    }
    SetWindowLongPtrA(list.Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_listProc));

    // A move keeps the size.
    list.SetSize(80 * tx, 40 * ty);
    list.MoveTo(321, 123);
    CHECK_EQ(321, list.Position().x);
    CHECK_EQ(123, list.Position().y);
    CHECK_EQ(80 * tx, list.ScaleWidth());
    CHECK_EQ(40 * ty, list.ScaleHeight());
}
