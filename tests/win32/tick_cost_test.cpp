// What keeps a tick cheap on the real desktop, checked for its answers: long
// titles read whole past the first buffer, visibility from the window's own
// style and its ancestors', and a list window that is not resized to the size
// it already has.
#include <string>

#include "check.h"
#include "test_windows.h"
#include "win32/list_window.h"
#include "win32/native_window.h"
#include "win32/win32_desktop.h"

using brisolt::win32::FromHwnd;
using brisolt::win32::ListWindow;
using brisolt::win32::ListWindowEvents;
using brisolt::win32::ProgramWindows;
using brisolt::win32::Win32Desktop;

WIN_TEST(Desktop_TitleAroundTheFirstBufferIsReadWhole) {
    Win32Desktop desktop;
    struct Case {
        std::size_t length;
        std::size_t maxChars;
        std::size_t expectedLength;
    } cases[] = {
        {254, 0, 254}, {255, 0, 255}, {256, 0, 256}, {257, 0, 257}, {600, 0, 600},
        {300, 127, 126},  // through the client walk's buffer
        {300, 256, 255},  // a buffer as large as the first one
        {300, 257, 256},  // one larger
        {600, 400, 399},
    };
    for (const Case& c : cases) {
        std::string title;
        for (std::size_t i = 0; i < c.length; ++i) title += static_cast<char>('a' + i % 26);
        auto w = wintest::MakeWindow(title, 0, 0, 200, 100);
        CHECK_EQ(title.substr(0, c.expectedLength), desktop.Title(FromHwnd(w.Get()), c.maxChars));
    }
}

WIN_TEST(Desktop_VisibilityOfWindowsAndTheirAncestors) {
    Win32Desktop desktop;
    struct Case {
        bool parentShown, childShown;
        bool childVisible, childStyle;
    } cases[] = {
        {true, true, true, true},
        {true, false, false, false},
        {false, true, false, true},  // shown itself, inside a hidden window
        {false, false, false, false},
    };
    for (const Case& c : cases) {
        auto parent = wintest::MakeWindow("Visibility parent", 10, 10, 300, 200, nullptr, c.parentShown);
        auto child = wintest::MakeWindow("Visibility child", 0, 0, 50, 50, parent.Get(), c.childShown);
        CHECK_EQ(c.parentShown, desktop.IsVisible(FromHwnd(parent.Get())));
        CHECK_EQ(c.parentShown, desktop.HasVisibleStyle(FromHwnd(parent.Get())));
        CHECK_EQ(c.childVisible, desktop.IsVisible(FromHwnd(child.Get())));
        CHECK_EQ(c.childStyle, desktop.HasVisibleStyle(FromHwnd(child.Get())));
        CHECK_EQ(IsWindowVisible(child.Get()) != FALSE, desktop.IsVisible(FromHwnd(child.Get())));
    }
    // A window that is gone is not visible.
    auto gone = wintest::MakeWindow("Visibility gone", 0, 0, 50, 50);
    const auto handle = FromHwnd(gone.Get());
    gone.Reset();
    CHECK(!desktop.IsVisible(handle));
    CHECK(!desktop.HasVisibleStyle(handle));
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

WIN_TEST(ListWindow_SizeItAlreadyHasCostsNoMove) {
    ProgramWindows windows;
    ListWindow list(GetModuleHandleA(nullptr), windows, ListWindowEvents{});
    CHECK(list.Exists());
    g_listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list.Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    const double tx = list.TwipsPerPixelX(), ty = list.TwipsPerPixelY();
    struct Step {
        int w, h;  // pixels
        int moves;
    } steps[] = {{120, 40, 1}, {120, 40, 0}, {120, 40, 0}, {121, 40, 1}, {121, 39, 1}, {0, 39, 1}, {0, 39, 0}};
    for (const Step& s : steps) {
        g_posChanges = 0;
        list.SetSize(s.w * tx, s.h * ty);
        CHECK_EQ(s.moves, g_posChanges);
        RECT r{};
        GetWindowRect(list.Hwnd(), &r);
        CHECK_EQ(s.w, static_cast<int>(r.right - r.left));
        CHECK_EQ(s.h, static_cast<int>(r.bottom - r.top));
    }
    SetWindowLongPtrA(list.Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_listProc));
}
