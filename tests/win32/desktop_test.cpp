// Win32Desktop against real windows: titles through a buffer, the snapshots
// of top-level and child windows, visibility, placements, monitors, moves
// and MDI activation.
#include <algorithm>
#include <string>
#include <vector>

#include "check.h"
#include "test_windows.h"
#include "win32/win32_desktop.h"

using brisolt::Placement;
using brisolt::WindowHandle;
using brisolt::win32::FromHwnd;
using brisolt::win32::ToHwnd;
using brisolt::win32::Win32Desktop;

namespace {

// Where w stands in the snapshot, or -1.
int IndexOf(const std::vector<WindowHandle>& windows, HWND w) {
    const auto at = std::find(windows.begin(), windows.end(), FromHwnd(w));
    return at == windows.end() ? -1 : static_cast<int>(at - windows.begin());
}

void RaiseToTop(HWND w) { SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

std::string Letters(std::size_t length) {
    std::string s;
    for (std::size_t i = 0; i < length; ++i) s += static_cast<char>('a' + i % 26);
    return s;
}

}  // namespace

WIN_TEST(Desktop_TitleReadsThroughBufferOfMaxChars) {
    const std::string designer = "Table 18 Customer - Table Designer";  // 34 characters
    const struct {
        std::string title;
        std::size_t maxChars;
        std::string expected;
    } cases[] = {
        {designer, 0, designer},                 // 0: the whole title
        {designer, 1, ""},                       // room for the NUL only
        {designer, 6, "Table"},                  // at most maxChars - 1
        {designer, 34, designer.substr(0, 33)},  // one short of fitting
        {designer, 35, designer},                // just fits
        // Around the first buffer (256): a whole title is read again at its length.
        {Letters(254), 0, Letters(254)},
        {Letters(255), 0, Letters(255)},
        {Letters(256), 0, Letters(256)},
        {Letters(257), 0, Letters(257)},
        {Letters(600), 0, Letters(600)},
        {Letters(300), 127, Letters(126)},  // through the client walk's buffer
        {Letters(300), 256, Letters(255)},
        {Letters(300), 257, Letters(256)},
        {Letters(600), 400, Letters(399)},
    };
    Win32Desktop desktop;
    for (const auto& c : cases) {
        auto w = wintest::MakeWindow(c.title, 0, 0, 200, 100);
        CHECK_EQ(c.expected, desktop.Title(FromHwnd(w.Get()), c.maxChars));
    }
}

WIN_TEST(Desktop_TopLevelWindowsAreAZOrderSnapshot) {
    Win32Desktop desktop;
    auto lower = wintest::MakeWindow("Snapshot lower", 10, 10, 100, 100);
    auto upper = wintest::MakeWindow("Snapshot upper", 20, 20, 100, 100);
    auto hidden = wintest::MakeWindow("Snapshot hidden", 30, 30, 100, 100, nullptr, false);
    auto child = wintest::MakeWindow("Snapshot child", 0, 0, 50, 50, upper.Get());

    RaiseToTop(lower.Get());
    RaiseToTop(upper.Get());
    std::vector<WindowHandle> windows = desktop.TopLevelWindows();
    CHECK(IndexOf(windows, upper.Get()) >= 0);
    CHECK(IndexOf(windows, upper.Get()) < IndexOf(windows, lower.Get()));
    CHECK(IndexOf(windows, hidden.Get()) >= 0);  // hidden windows are walked too
    CHECK_EQ(-1, IndexOf(windows, child.Get()));  // children are not
    std::vector<WindowHandle> sorted = windows;
    std::sort(sorted.begin(), sorted.end());
    CHECK(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end());  // none twice

    RaiseToTop(lower.Get());
    windows = desktop.TopLevelWindows();
    CHECK(IndexOf(windows, lower.Get()) < IndexOf(windows, upper.Get()));

    // A window that closes after the snapshot reads as gone, and nothing done
    // to it fails.
    const WindowHandle gone = FromHwnd(lower.Get());
    lower.Reset();
    CHECK(IndexOf(windows, ToHwnd(gone)) >= 0);
    CHECK_EQ(std::string(), desktop.Title(gone, 0));
    CHECK_EQ(std::string(), desktop.Title(gone, 127));
    CHECK(!desktop.IsVisible(gone));
    CHECK(!desktop.HasVisibleStyle(gone));
    CHECK(desktop.ChildWindows(gone).empty());
    desktop.Restore(gone);
    desktop.BringToTop(gone);
    CHECK_EQ(-1, IndexOf(desktop.TopLevelWindows(), ToHwnd(gone)));
}

WIN_TEST(Desktop_ChildWindowsAreTheDirectChildrenTopFirst) {
    Win32Desktop desktop;
    auto parent = wintest::MakeWindow("Children parent", 10, 10, 300, 200);
    auto first = wintest::MakeWindow("first child", 0, 0, 50, 50, parent.Get());
    auto second = wintest::MakeWindow("second child", 60, 0, 50, 50, parent.Get(), false);
    auto grandchild = wintest::MakeWindow("grandchild", 0, 0, 10, 10, first.Get());

    // The first created is on top; a hidden child is listed; a grandchild is not.
    const std::vector<WindowHandle> created{FromHwnd(first.Get()), FromHwnd(second.Get())};
    CHECK(desktop.ChildWindows(FromHwnd(parent.Get())) == created);
    RaiseToTop(second.Get());
    const std::vector<WindowHandle> raised{FromHwnd(second.Get()), FromHwnd(first.Get())};
    CHECK(desktop.ChildWindows(FromHwnd(parent.Get())) == raised);
    CHECK(desktop.ChildWindows(FromHwnd(first.Get())) == std::vector<WindowHandle>{FromHwnd(grandchild.Get())});
    CHECK(desktop.ChildWindows(FromHwnd(grandchild.Get())).empty());
}

WIN_TEST(Desktop_IsOnMonitorHoldsForThePrimaryScreenOnly) {
    Win32Desktop desktop;
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const struct {
        int x, y;
        bool on;
    } cases[] = {
        {0, 0, true}, {cx - 1, 0, true}, {0, cy - 1, true}, {cx - 1, cy - 1, true}, {cx / 2, cy / 2, true},
        {-32000, -32000, false},  // the parking position of a minimised window
        {100000, 100000, false},
    };
    for (const auto& c : cases) CHECK_EQ(c.on, desktop.IsOnMonitor({c.x, c.y}));
}

WIN_TEST(Desktop_VisibilityOfWindowsAndTheirAncestors) {
    Win32Desktop desktop;
    const struct {
        bool parentShown, childShown;
        bool childVisible, childStyle;
    } cases[] = {
        {true, true, true, true},
        {true, false, false, false},
        {false, true, false, true},  // shown itself, inside a hidden window
        {false, false, false, false},
    };
    for (const auto& c : cases) {
        auto parent = wintest::MakeWindow("Visibility parent", 10, 10, 300, 200, nullptr, c.parentShown);
        auto child = wintest::MakeWindow("Visibility child", 0, 0, 50, 50, parent.Get(), c.childShown);
        CHECK_EQ(c.parentShown, desktop.IsVisible(FromHwnd(parent.Get())));
        CHECK_EQ(c.parentShown, desktop.HasVisibleStyle(FromHwnd(parent.Get())));
        CHECK_EQ(c.childVisible, desktop.IsVisible(FromHwnd(child.Get())));
        CHECK_EQ(c.childStyle, desktop.HasVisibleStyle(FromHwnd(child.Get())));
    }

    auto shown = wintest::MakeWindow("Minimised", 0, 0, 100, 100);
    ShowWindow(shown.Get(), SW_MINIMIZE);
    CHECK(desktop.IsIconic(FromHwnd(shown.Get())));
    desktop.Restore(FromHwnd(shown.Get()));
    CHECK(!desktop.IsIconic(FromHwnd(shown.Get())));
    CHECK(desktop.IsVisible(FromHwnd(shown.Get())));
}

WIN_TEST(Desktop_ChildIsPlacedAndMovedInItsParentsClientCoordinates) {
    Win32Desktop desktop;
    auto parent = wintest::MakeWindow("Placement parent", 100, 120, 400, 300);
    auto child = wintest::MakeWindow("child", 10, 20, 50, 30, parent.Get());
    const WindowHandle p = FromHwnd(parent.Get()), c = FromHwnd(child.Get());

    CHECK(desktop.PlacementOf(c) == (Placement{10, 20, 50, 30}));
    const brisolt::Rect r = desktop.WindowRect(p);
    CHECK_EQ(100, r.left);
    CHECK_EQ(120, r.top);
    CHECK(desktop.PlacementOf(p) == (Placement{r.left, r.top, r.Width(), r.Height()}));
    const brisolt::Rect client = desktop.ClientRect(p);
    CHECK_EQ(0, client.left);
    CHECK_EQ(0, client.top);
    CHECK(client.Width() > 0 && client.Width() <= 400);

    desktop.SetWindowPos(c, 70, 80, 0, 0, brisolt::kSwpNoSize | brisolt::kSwpNoZOrder | brisolt::kSwpNoActivate);
    CHECK(desktop.PlacementOf(c) == (Placement{70, 80, 50, 30}));
    desktop.SetWindowPos(p, 0, 0, 250, 150, brisolt::kSwpNoZOrder | brisolt::kSwpNoActivate);
    CHECK(desktop.PlacementOf(p) == (Placement{0, 0, 250, 150}));
}

WIN_TEST(Desktop_BringToTopMakesMdiChildActive) {
    Win32Desktop desktop;
    auto mdi = wintest::MakeMdiFrame("Muster GmbH - Navision Financials",
                                     {"Table 18 Customer - Table Designer", "Form 21 Customer Card - Form Designer",
                                      "Object Designer"});
    CHECK_EQ(std::size_t{3}, mdi.children.size());
    if (mdi.children.size() != 3) return;
    const auto active = [&] { return reinterpret_cast<HWND>(SendMessageA(mdi.client, WM_MDIGETACTIVE, 0, 0)); };
    CHECK(active() == mdi.children[2]);
    // The MDI client is the frame's first child, as the scan reads it.
    CHECK_EQ(0, IndexOf(desktop.ChildWindows(FromHwnd(mdi.frame.Get())), mdi.client));

    desktop.BringToTop(FromHwnd(mdi.children[0]));
    CHECK(active() == mdi.children[0]);
    // The active child heads the MDI client's children.
    CHECK_EQ(0, IndexOf(desktop.ChildWindows(FromHwnd(mdi.client)), mdi.children[0]));

    // A minimised child comes back with Restore, then to the top.
    ShowWindow(mdi.children[1], SW_MINIMIZE);
    CHECK(desktop.IsIconic(FromHwnd(mdi.children[1])));
    desktop.Restore(FromHwnd(mdi.children[1]));
    desktop.BringToTop(FromHwnd(mdi.children[1]));
    CHECK(!desktop.IsIconic(FromHwnd(mdi.children[1])));
    CHECK(active() == mdi.children[1]);
}
