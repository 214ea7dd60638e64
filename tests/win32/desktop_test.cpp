// Win32Desktop against real windows: titles through a buffer, the snapshots
// of top-level and child windows, visibility, placements, monitors, moves
// and MDI activation, and requests to a window that does not answer.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "check.h"
#include "test_windows.h"
#include "win32/ports/win32_desktop.h"

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

namespace {

// A stand-in for the client on a thread of its own: an MDI frame with two
// children and a top-level tool window. It pumps its messages until it is
// told to doze, and then answers nothing until it wakes.
class ClientThread {
public:
    ClientThread() {
        thread_ = brisolt::win32::UniqueHandle(CreateThread(nullptr, 0, &ClientThread::Run, this, 0, &threadId_));
        WaitForSingleObject(ready_.Get(), 10000);
    }
    ~ClientThread() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_.Get(), 10000);
    }
    ClientThread(const ClientThread&) = delete;
    ClientThread& operator=(const ClientThread&) = delete;

    // Returns once the thread has stopped looking at its messages for `ms`.
    void Doze(int ms) {
        ResetEvent(awake_.Get());
        PostThreadMessageA(threadId_, kDoze, static_cast<WPARAM>(ms), 0);
        WaitForSingleObject(asleep_.Get(), 10000);
    }
    bool Awake() const { return WaitForSingleObject(awake_.Get(), 0) == WAIT_OBJECT_0; }
    // Waits until the thread is back at its messages and has worked through
    // what was sent to `w` meanwhile.
    void CatchUp(HWND w) {
        WaitForSingleObject(awake_.Get(), 20000);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    }

    HWND frame = nullptr;
    HWND tool = nullptr;
    HWND mdiClient = nullptr;
    std::vector<HWND> children;

private:
    static constexpr UINT kDoze = WM_APP + 7;

    static DWORD WINAPI Run(void* self) {
        auto* t = static_cast<ClientThread*>(self);
        auto frame = wintest::MakeMdiFrame("Busy GmbH - Navision Financials",
                                           {"Table 18 Customer - Table Designer", "Object Designer"});
        auto tool = wintest::MakeWindow("Toolbox", 700, 300, 120, 200);
        t->frame = frame.frame.Get();
        t->tool = tool.Get();
        t->mdiClient = frame.client;
        t->children = frame.children;
        SetEvent(t->ready_.Get());
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (msg.hwnd == nullptr && msg.message == kDoze) {
                SetEvent(t->asleep_.Get());
                Sleep(static_cast<DWORD>(msg.wParam));
                SetEvent(t->awake_.Get());
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return 0;
    }

    brisolt::win32::UniqueHandle ready_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    brisolt::win32::UniqueHandle asleep_{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    brisolt::win32::UniqueHandle awake_{CreateEventA(nullptr, TRUE, TRUE, nullptr)};
    brisolt::win32::UniqueHandle thread_;
    DWORD threadId_ = 0;
};

template <typename F>
unsigned long long MillisecondsOf(F&& f) {
    const ULONGLONG start = GetTickCount64();
    f();
    return GetTickCount64() - start;
}

}  // namespace

// Every request to a window whose thread does not answer returns at once and
// takes effect when the thread is back at its messages.
WIN_TEST(Desktop_RequestsToABusyWindowReturnAtOnceAndLandLater) {
    Win32Desktop desktop;
    ClientThread client;
    CHECK(client.tool != nullptr && client.children.size() == 2);
    const auto tool = FromHwnd(client.tool);
    const auto table = FromHwnd(client.children[0]);
    const auto active = [&] {
        return reinterpret_cast<HWND>(SendMessageA(client.mdiClient, WM_MDIGETACTIVE, 0, 0));
    };
    ShowWindowAsync(client.tool, SW_MINIMIZE);
    client.CatchUp(client.tool);
    CHECK(desktop.IsIconic(tool));

    const unsigned flags = brisolt::kSwpNoZOrder | brisolt::kSwpNoActivate;
    const auto toolAboveFrame = [&] {
        for (HWND w = GetWindow(client.tool, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
            if (w == client.frame) return false;
        return true;
    };
    struct Case {
        const char* what;
        std::function<void()> request;
        std::function<bool()> landed;
    } cases[] = {
        {"move an MDI child", [&] { desktop.SetWindowPos(table, 30, 40, 200, 150, flags); },
         [&] { return desktop.PlacementOf(table) == (Placement{30, 40, 200, 150}); }},
        {"restore a top-level window", [&] { desktop.Restore(tool); }, [&] { return !desktop.IsIconic(tool); }},
        {"activate an MDI child", [&] { desktop.BringToTop(table); },
         [&] { return active() == client.children[0]; }},
        {"bring a top-level window up", [&] { desktop.BringToTop(tool); }, toolAboveFrame},
    };
    for (const Case& c : cases) {
        // (the frame on top, so the tool window has somewhere to come up to)
        SetWindowPos(client.frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        CHECK(!c.landed());
        client.Doze(2000);
        const unsigned long long took = MillisecondsOf(c.request);
        if (took >= 800) wintest::Fail(__FILE__, __LINE__, std::string(c.what) + " waited for the busy thread");
        CHECK(!client.Awake());
        client.CatchUp(client.tool);
        if (!c.landed()) wintest::Fail(__FILE__, __LINE__, std::string(c.what) + " did not land");
    }
}

// Ticks go on while the client sleeps: the glue asks for a move at every one.
// Only the first goes into the window's queue (no pile of moves to work
// through on waking, however long it sleeps); once it has landed, the next
// request moves the window again.
WIN_TEST(Desktop_BusyWindowGetsOneMoveAtATime) {
    Win32Desktop desktop;
    ClientThread client;
    const auto tool = FromHwnd(client.tool);
    const unsigned flags = brisolt::kSwpNoSize | brisolt::kSwpNoZOrder | brisolt::kSwpNoActivate;
    // Longer than the five seconds after which the system calls a thread hung.
    client.Doze(6500);
    int asked = 0;
    while (!client.Awake()) {
        ++asked;
        desktop.SetWindowPos(tool, 10 * asked, 20, 0, 0, flags);
        Sleep(500);
    }
    CHECK(asked >= 12);
    client.CatchUp(client.tool);
    CHECK_EQ(10, desktop.PlacementOf(tool).x);

    desktop.SetWindowPos(tool, 300, 20, 0, 0, flags);
    client.CatchUp(client.tool);
    CHECK_EQ(300, desktop.PlacementOf(tool).x);
}
