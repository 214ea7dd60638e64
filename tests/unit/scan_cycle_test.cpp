#include "monitor/scan_cycle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim_client.h"
#include "test_app.h"

namespace brisolt {
namespace {

const std::string kClientTitle = "Muster GmbH - Navision Financials";
const std::string kOrders = "Table 123 Demo Orders - Table Designer";

class ScanTick : public ::testing::Test {
protected:
    void Tick() { tmr1_Timer(t.app); }
    const ScanState& Scan() const { return t.app.scan; }
    std::vector<std::string> RowTitles() const {
        std::vector<std::string> r;
        for (int i = 0; i < Scan().Objects.Count; ++i) r.push_back(Scan().Objects.Rows[i].Title);
        return r;
    }
    std::vector<WindowHandle> TopWindows() const {
        std::vector<WindowHandle> r;
        for (int i = 0; i < Scan().TopWindowCount; ++i) r.push_back(Scan().TopWindows[i].Window);
        return r;
    }
    const std::string& Parents() const { return t.app.forms.frmFensterliste.lblParents.Caption; }
    const std::string& Clients() const { return t.app.forms.frmFensterliste.lblClients.Caption; }

    test::TestApp t;
};

// --- the 1023 caps ---

struct TopCapCase {
    int collectableBefore;  // visible titled windows above the client
    bool clientFound;
};

void PrintTo(const TopCapCase& c, std::ostream* os) { *os << c.collectableBefore << " windows above the client"; }

class TopLevelCapTest : public ScanTick, public ::testing::WithParamInterface<TopCapCase> {};

TEST_P(TopLevelCapTest, WalkStopsAt1023Collected) {
    for (int i = 0; i < GetParam().collectableBefore; ++i) {
        t.desktop.AddTopLevel("Window " + std::to_string(i));
        // Hidden and untitled windows are walked but not counted.
        if (i % 100 == 0) t.desktop.AddTopLevel("Hidden " + std::to_string(i), false);
        if (i % 100 == 1) t.desktop.AddTopLevel("");
    }
    test::SimClient client(t.desktop);
    client.Open(kOrders);
    for (int i = 0; i < 50; ++i) t.desktop.AddTopLevel("Below " + std::to_string(i));

    Tick();

    EXPECT_EQ(Scan().TopWindowCount, 1023);
    EXPECT_EQ(Parents(), "1023");
    EXPECT_EQ(Scan().TopWindows[0].Title, "Window 0");
    EXPECT_EQ(Scan().ClientMainWindow, GetParam().clientFound ? client.main : 0);
    EXPECT_EQ(Scan().Objects.Count, GetParam().clientFound ? 1 : 0);
}

// The client as the 1023rd window collected is still tested; one further down
// the walk never reaches.
INSTANTIATE_TEST_SUITE_P(Caps, TopLevelCapTest, ::testing::Values(TopCapCase{1022, true}, TopCapCase{1023, false}));

TEST_F(ScanTick, ClientWalkStopsAt1023) {
    test::SimClient client(t.desktop);
    for (int i = 0; i < 1100; ++i) client.Open("Table " + std::to_string(i + 1) + " T - Table Designer");
    Tick();
    EXPECT_EQ(Scan().Objects.Count, 1023);
    EXPECT_EQ(Clients(), "1023");
    EXPECT_EQ(Scan().Objects.Rows[1022].Title, "Table 1023 T - Table Designer");
    EXPECT_TRUE(Scan().Objects.Rows[1023].Title.empty());
}

// --- which window is the client's main window ---

TEST_F(ScanTick, InvisibleMainWindowIsTheClientButNotListed) {
    WindowHandle other = t.desktop.AddTopLevel("Editor");
    test::SimClient client(t.desktop);
    t.desktop.Get(client.main).visible = false;
    client.Open(kOrders);
    Tick();
    EXPECT_EQ(Scan().ClientMainWindow, client.main);
    EXPECT_EQ(RowTitles(), std::vector<std::string>{kOrders});
    EXPECT_EQ(TopWindows(), std::vector<WindowHandle>{other});
    EXPECT_EQ(Parents(), "1");
    EXPECT_EQ(Clients(), "1");
}

TEST_F(ScanTick, TopmostWindowIsNeverTheClient) {
    test::SimClient client(t.desktop);
    client.Open(kOrders);
    test::SimClient topmost(t.desktop, "Other GmbH - Navision Financials");
    topmost.Open("Form 21 Demo Card - Formular Designer");
    t.desktop.BringToFront(topmost.main);  // above the list window
    Tick();
    EXPECT_EQ(Scan().ClientMainWindow, client.main);
    EXPECT_EQ(RowTitles(), std::vector<std::string>{kOrders});
    EXPECT_EQ(TopWindows(), (std::vector<WindowHandle>{topmost.main, client.main}));
}

TEST_F(ScanTick, HigherOfTwoClientsWins) {
    test::SimClient first(t.desktop, "First AG - Navision Financials");
    first.Open(kOrders);
    test::SimClient second(t.desktop, "Second AG - Navision Financials");
    second.Open("Codeunit 1 X - C/AL Editor");
    second.Open("Codeunit 2 Y - C/AL Editor");
    Tick();
    EXPECT_EQ(Scan().ClientMainWindow, first.main);
    EXPECT_EQ(RowTitles(), std::vector<std::string>{kOrders});
    EXPECT_EQ(t.app.forms.frmAllgemein.lblMandantName.Caption, "First AG");

    first.Quit();
    Tick();
    EXPECT_EQ(Scan().ClientMainWindow, second.main);
    EXPECT_EQ(Scan().Objects.Count, 2);
}

struct ParentCase {
    const char* name;
    std::string parent;  // text of edParent
    bool found;
};

void PrintTo(const ParentCase& c, std::ostream* os) { *os << c.name; }

class IdentificationTextTest : public ScanTick, public ::testing::WithParamInterface<ParentCase> {};

TEST_P(IdentificationTextTest, FindsTheClientByTitleSubstring) {
    t.desktop.AddTopLevel("Untitled - Notepad");
    test::SimClient client(t.desktop);
    client.Open(kOrders);
    t.app.forms.frmAllgemein.edParent.Text = GetParam().parent;
    Tick();
    EXPECT_EQ(Scan().ClientMainWindow, GetParam().found ? client.main : 0);
    EXPECT_EQ(Scan().Objects.Count, GetParam().found ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Parents, IdentificationTextTest,
    ::testing::Values(ParentCase{"Default", "- Navi", true}, ParentCase{"Inside", "ter Gm", true},
                      ParentCase{"CutAtNul", std::string("- Navi\0Notepad", 14), true},
                      ParentCase{"Capitals", "- navi", false},
                      // An empty text identifies no window at all.
                      ParentCase{"Empty", "", false}, ParentCase{"NulFirst", std::string("\0- Navi", 7), false}),
    [](const ::testing::TestParamInfo<ParentCase>& info) { return info.param.name; });

TEST_F(ScanTick, ClientMainWindowIsKeptWhenTheClientIsGone) {
    test::SimClient client(t.desktop);
    client.Open(kOrders);
    Tick();
    client.Quit();
    Tick();
    EXPECT_EQ(Scan().ClientMainWindow, client.main);
    EXPECT_EQ(Scan().Objects.Count, 0);
    EXPECT_EQ(Clients(), "0");
}

// --- the client's windows ---

TEST_F(ScanTick, HiddenFirstChildIsCollectedHiddenLaterOnesAreNot) {
    test::SimClient client(t.desktop);
    client.Open("Table 1 A - Table Designer", false);
    client.Open("Table 2 B - Table Designer");
    client.Open("Table 3 C - Table Designer", false);
    client.Open("");
    client.Open("Table 4 D - Table Designer");
    Tick();
    EXPECT_EQ(RowTitles(), (std::vector<std::string>{"Table 1 A - Table Designer", "Table 2 B - Table Designer",
                                                     "Table 4 D - Table Designer"}));
}

TEST_F(ScanTick, UntitledFirstChildIsSkipped) {
    test::SimClient client(t.desktop);
    client.Open("");
    client.Open(kOrders);
    Tick();
    EXPECT_EQ(RowTitles(), std::vector<std::string>{kOrders});
}

TEST_F(ScanTick, TitlesAreReadThrough127Characters) {
    const std::string longA = std::string(126, 'x') + "A - Table Designer";
    const std::string longB = std::string(126, 'x') + "B - Table Designer";
    WindowHandle topmost = t.desktop.AddTopLevel(longA);
    t.desktop.BringToFront(topmost);
    t.desktop.AddTopLevel(longB);
    test::SimClient client(t.desktop);
    client.Open(longA);
    client.Open(longB);
    Tick();
    // Both client windows are cut to the same 126 characters.
    EXPECT_EQ(RowTitles(), (std::vector<std::string>{std::string(126, 'x'), std::string(126, 'x')}));
    // The topmost window's title is cut too; the later ones are read whole.
    ASSERT_EQ(Scan().TopWindowCount, 3);
    EXPECT_EQ(Scan().TopWindows[0].Title, std::string(126, 'x'));
    EXPECT_EQ(Scan().TopWindows[1].Title, longB);
}

TEST_F(ScanTick, RectanglesOfTheClient) {
    test::SimClient client(t.desktop, kClientTitle, {10, 20, 800, 600});
    t.desktop.SetClientSize(client.mdiArea, 780, 520);
    Tick();
    EXPECT_EQ(Scan().ClientMainRect, (Rect{10, 20, 810, 620}));
    EXPECT_EQ(Scan().MdiAreaRect, (Rect{0, 0, 780, 520}));

    // Without an MDI area the rectangle stays; the empty table is still
    // logged and checked.
    t.desktop.Remove(client.mdiArea);
    t.desktop.Get(client.main).place = {30, 40, 500, 400};
    t.app.forms.frmAllgemein.chkLogging.Value = 1;
    t.app.forms.frmAllgemein.edLogFilename.Text = "access.csv";
    Tick();
    EXPECT_EQ(Scan().ClientMainRect, (Rect{30, 40, 530, 440}));
    EXPECT_EQ(Scan().MdiAreaRect, (Rect{0, 0, 780, 520}));
    EXPECT_EQ(Scan().Objects.Count, 0);
    EXPECT_EQ(t.app.accessLog.LastLoggedTitle, "-");
}

// --- windows that change while they are walked ---

TEST_F(ScanTick, WindowClosedMidWalkEndsTheWalk) {
    std::vector<WindowHandle> windows;
    for (int i = 0; i < 10; ++i) windows.push_back(t.desktop.AddTopLevel("Window " + std::to_string(i)));
    test::SimClient client(t.desktop);
    client.Open(kOrders);
    t.desktop.onNextSibling = [&](WindowHandle w) {
        if (w == windows[4]) t.desktop.Remove(w);
    };
    Tick();
    EXPECT_EQ(TopWindows(), (std::vector<WindowHandle>{windows.begin(), windows.begin() + 5}));
    EXPECT_EQ(Scan().Objects.Count, 0);
    EXPECT_EQ(Parents(), "5");
}

TEST_F(ScanTick, ClientClosingDuringItsWalkKeepsWhatWasRead) {
    test::SimClient client(t.desktop);
    WindowHandle first = client.Open(kOrders);
    client.Open(kOrders);
    t.desktop.AddTopLevel("Below");
    t.desktop.onNextSibling = [&](WindowHandle w) {
        if (w == first) client.Quit();
    };
    Tick();
    EXPECT_EQ(RowTitles(), std::vector<std::string>{kOrders});
    EXPECT_FALSE(Scan().Objects.Rows[0].Duplicate);
}

TEST_F(ScanTick, WindowsRestackedDuringTheWalkDoNotHangIt) {
    // Leaving a window brings it to the front, so the walk goes back and
    // forth between the first two windows for ever.
    t.desktop.AddTopLevel("Hidden A", false);
    t.desktop.AddTopLevel("Hidden B", false);
    t.desktop.onNextSibling = [&](WindowHandle w) { t.desktop.BringToFront(w); };
    Tick();
    EXPECT_EQ(Scan().TopWindowCount, 0);

    t.desktop.onNextSibling = nullptr;
    test::SimClient client(t.desktop);
    client.Open("Table 1 A - Table Designer", false);
    client.Open("Table 2 B - Table Designer", false);
    client.Open("Table 3 C - Table Designer", false);
    t.desktop.onNextSibling = [&](WindowHandle w) {
        if (t.desktop.Get(w).parent == client.mdiArea) t.desktop.BringToFront(w);
    };
    Tick();
    EXPECT_EQ(Scan().ClientMainWindow, client.main);
    EXPECT_EQ(Scan().Objects.Count, 1);
}

// --- the tick around the walk ---

TEST_F(ScanTick, NoListWindowNoScan) {
    test::SimClient client(t.desktop);
    client.Open(kOrders);
    t.app.forms.frmFensterliste.lblParents.Caption = "untouched";
    t.listWindow.Close();
    Tick();
    EXPECT_EQ(Parents(), "untouched");
    EXPECT_EQ(Scan().ClientMainWindow, 0u);
}

TEST_F(ScanTick, RowHeightAndMarginInTwips) {
    t.listWindow.canvas.fontSize = 7;  // a line of 8.75 pixels rounds to 9
    t.app.platform.twipsPerPixelX = 12.5;
    Tick();
    EXPECT_EQ(Scan().Margin, 25);
    EXPECT_EQ(Scan().RowHeight, 9 * 15);
}

}  // namespace
}  // namespace brisolt
