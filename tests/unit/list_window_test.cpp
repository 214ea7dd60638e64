#include "listwin/list_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/scan_cycle.h"
#include "test_app.h"

namespace brisolt {
namespace {

using test::DrawOp;
using test::TestApp;

// RecordingCanvas at 15 twips per pixel: "MS Sans Serif" 8 pt is 4.8 px per
// character and 10 px (150 twips) per line; 7 pt is 9 px, 6 pt is 8 px high.
constexpr double kTpp = 15;
constexpr Color kNormal = 0x00123456;
constexpr Color kAlarm = 0x00654321;

class ListWindowTest : public ::testing::Test {
protected:
    ListWindowTest() {
        t.app.shell.FarbeNormal = kNormal;
        t.app.shell.FarbeAlarm = kAlarm;
        page().chkShowClients.Value = 1;
        page().chkShowParents.Value = 1;
        t.desktop.Get(list()).place = {50, 50, 100, 100};  // the size before the paint
    }

    FrmFensterliste& page() { return t.app.forms.frmFensterliste; }
    WindowHandle list() { return t.listWindow.Handle(); }
    Placement listPlace() { return t.desktop.PlacementOf(list()); }

    // The tables as a scan leaves them.
    void Clients(const std::vector<std::string>& titles, const std::vector<bool>& duplicate = {}) {
        for (std::size_t i = 0; i < titles.size(); ++i) {
            auto& row = t.app.scan.Objects.Rows[i];
            row.Title = titles[i];
            row.Window = t.desktop.AddChild(area_, titles[i]);
            row.Duplicate = i < duplicate.size() && duplicate[i];
        }
        t.app.scan.Objects.Count = static_cast<int>(titles.size());
    }
    void TopLevels(const std::vector<std::string>& titles) {
        for (std::size_t i = 0; i < titles.size(); ++i) {
            auto& row = t.app.scan.TopWindows[i];
            row.Title = titles[i];
            row.Window = t.desktop.AddTopLevel(titles[i]);
        }
        t.app.scan.TopWindowCount = static_cast<int>(titles.size());
    }
    void Paint() {
        ComputeRowMetrics(t.app);
        PaintListWindow(t.app);
    }
    std::vector<std::string> TextsDrawn() {
        std::vector<std::string> r;
        for (const auto& op : t.listWindow.canvas.Texts()) r.push_back(op.text);
        return r;
    }

    TestApp t;
    WindowHandle main_ = t.desktop.AddTopLevel("Muster GmbH - Navision Financials", true, {0, 0, 1024, 768});
    WindowHandle area_ = t.desktop.AddChild(main_, "", true, {0, 0, 1000, 700});
};

TEST_F(ListWindowTest, RowMetricsFollowTheFontAndTheScreen) {
    ComputeRowMetrics(t.app);
    EXPECT_EQ(t.app.scan.RowHeight, 150);
    EXPECT_EQ(t.app.scan.Margin, 30);

    ApplyListFont(t.app, 1);
    t.app.platform.twipsPerPixelX = 10;
    ComputeRowMetrics(t.app);
    EXPECT_EQ(t.app.scan.RowHeight, 135);
    EXPECT_EQ(t.app.scan.Margin, 20);
}

TEST_F(ListWindowTest, ApplyListFontTakesTheTableAndIgnoresOtherIndexes) {
    struct Case {
        int index;
        std::string name;
        double size;
    };
    const Case cases[] = {{1, "Small Fonts", 7}, {0, "MS Sans Serif", 8}, {2, "Small Fonts", 6},
                          {-1, "Small Fonts", 6}, {3, "Small Fonts", 6}};
    for (const Case& c : cases) {
        ApplyListFont(t.app, c.index);
        EXPECT_EQ(t.listWindow.canvas.fontName, c.name) << "index " << c.index;
        EXPECT_EQ(t.listWindow.canvas.fontSize, c.size) << "index " << c.index;
    }
    EXPECT_STREQ(kListFonts[0].entryText, "MS Sans Serif 8 pt");
    EXPECT_STREQ(kListFonts[1].entryText, "Small Fonts 7pt");
    EXPECT_STREQ(kListFonts[2].entryText, "Small Fonts 6pt");
}

TEST_F(ListWindowTest, ClientRowsSizeTheWindowToTheWidestRow) {
    Clients({"Main Menu", "Table 18 Customer - Properties", "Object Designer"});
    TopLevels({"Muster GmbH - Navision Financials"});
    Paint();
    // 30 characters of 4.8 px = 144 px, plus the 2 px margin; 3 rows of 10 px.
    EXPECT_EQ(listPlace(), (Placement{50, 50, 146, 30}));
    EXPECT_EQ(t.listWindow.presents, 1);
}

TEST_F(ListWindowTest, DuplicateRowsInAlarmColourOthersInNormal) {
    page().chkShortNames.Value = 1;
    Clients({"Table 18 Customer - Table Designer", "Main Menu", "Table 18 Customer - Table Designer"},
            {true, false, true});
    TopLevels({"Muster GmbH - Navision Financials"});
    Paint();

    const double w = t.listWindow.ScaleWidth();
    const auto fills = t.listWindow.canvas.Fills();
    ASSERT_EQ(fills.size(), 3u);
    const Color expected[] = {kAlarm, kNormal, kAlarm};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fills[i].color, expected[i]) << "row " << i;
        EXPECT_EQ(fills[i].l, 0);
        EXPECT_EQ(fills[i].t, i * 150);
        EXPECT_EQ(fills[i].r, w);
        EXPECT_EQ(fills[i].b, i * 150 + 150);
    }
    const auto texts = t.listWindow.canvas.Texts();
    ASSERT_EQ(texts.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(texts[i].l, 1);
        EXPECT_EQ(texts[i].t, i * 150 + 1);
        EXPECT_EQ(texts[i].color, 0u);
    }
    EXPECT_EQ(TextsDrawn(), (std::vector<std::string>{"Table 18 Customer", "Main Menu", "Table 18 Customer"}));
    // The short names decide the width: 17 characters = 82 px (81.6), plus 2.
    EXPECT_EQ(listPlace().w, 84);
}

TEST_F(ListWindowTest, TopLevelRowsWhileTheClientShowsNoWindow) {
    page().chkShortNames.Value = 1;
    TopLevels({"Toolbox", "Table 18 Customer - Table Designer", "Muster GmbH - Navision Financials"});
    Paint();

    // Titles as they are: 34 characters = 163 px (163.2), plus 2; 3 rows.
    EXPECT_EQ(listPlace(), (Placement{50, 50, 165, 30}));
    const auto fills = t.listWindow.canvas.Fills();
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].color, kNormal);
    EXPECT_EQ(fills[0].b, 450);
    EXPECT_EQ(fills[0].r, t.listWindow.ScaleWidth());
    EXPECT_EQ(TextsDrawn(), (std::vector<std::string>{"Toolbox", "Table 18 Customer - Table Designer",
                                                      "Muster GmbH - Navision Financials"}));
    EXPECT_EQ(t.listWindow.canvas.Texts()[2].t, 301);
}

TEST_F(ListWindowTest, ClientRowsWithoutClientSizingKeepTheEarlierSizeAndHideTopLevelRows) {
    page().chkShowClients.Value = 0;
    Clients({"Main Menu", "Object Designer"}, {false, true});
    TopLevels({"Toolbox", "Muster GmbH - Navision Financials"});
    Paint();

    EXPECT_EQ(listPlace(), (Placement{50, 50, 100, 100}));
    EXPECT_EQ(TextsDrawn(), (std::vector<std::string>{"Main Menu", "Object Designer"}));
    EXPECT_EQ(t.listWindow.canvas.Fills()[1].color, kAlarm);
}

struct HideCase {
    const char* name;
    int clients, topLevels, showClients, showParents;
    int width, height;  // pixels after the paint; 100 x 100 is the earlier size
};

class HidingTest : public ListWindowTest, public ::testing::WithParamInterface<HideCase> {};

TEST_P(HidingTest, WidthZeroHidesTheWindowKeepingItsHeight) {
    const HideCase& c = GetParam();
    page().chkShowClients.Value = c.showClients;
    page().chkShowParents.Value = c.showParents;
    Clients(std::vector<std::string>(c.clients, "Main Menu"));  // 9 characters: 43 px + 2
    TopLevels(std::vector<std::string>(c.topLevels, "Toolbox"));  // 7 characters: 34 px + 2
    Paint();
    EXPECT_EQ(listPlace().w, c.width);
    EXPECT_EQ(listPlace().h, c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, HidingTest,
    ::testing::Values(HideCase{"ClientsListed", 2, 3, 1, 0, 45, 20}, HideCase{"TopLevelsListed", 0, 3, 0, 1, 36, 30},
                      HideCase{"NoTopLevelWindowsSizedToNoRows", 0, 0, 1, 1, 0, 0},
                      HideCase{"NoTopLevelWindowsWithClients", 2, 0, 1, 1, 0, 20},
                      HideCase{"BothSwitchesOff", 2, 3, 0, 0, 0, 100},
                      HideCase{"ParentsOffNoClient", 0, 3, 1, 0, 0, 100},
                      HideCase{"ClientsNotExactlyOneKeepsEarlierSize", 2, 3, 2, 0, 100, 100},
                      HideCase{"ParentsNotExactlyOneListNothingButHideNothing", 0, 3, 0, 2, 100, 100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListWindowTest, CollapsedShowsTheClockWhateverTheSwitchesAndAlarms) {
    t.app.listWindow.ListCollapsed = true;
    for (int switches : {1, 0}) {
        page().chkShowClients.Value = switches;
        page().chkShowParents.Value = switches;
        Clients({"Main Menu", "Main Menu"}, {true, true});
        TopLevels({"Toolbox"});
        Paint();

        // " 12:34:56 ": 10 characters of 4.8 px, plus 2; one 10 px line.
        EXPECT_EQ(listPlace(), (Placement{50, 50, 50, 10}));
        const auto& ops = t.listWindow.canvas.ops;
        ASSERT_EQ(ops.size(), 2u);
        EXPECT_EQ(ops[0].kind, DrawOp::kFill);
        EXPECT_EQ(ops[0].color, kNormal);
        EXPECT_EQ(ops[0].r, 750);
        EXPECT_EQ(ops[0].b, 150);
        EXPECT_EQ(ops[1].kind, DrawOp::kText);
        EXPECT_EQ(ops[1].text, " 12:34:56 ");
        EXPECT_EQ(ops[1].l, 1);
        EXPECT_EQ(ops[1].t, 1);
    }
}

TEST_F(ListWindowTest, CollapsedTextIsTheClockReadNow) {
    EXPECT_EQ(CollapsedText(t.app), "12:34:56");
    t.clock.now.second = 57;
    EXPECT_EQ(CollapsedText(t.app), "12:34:57");
}

// --- Dynamic font ---

struct DynCase {
    const char* name;
    std::string dyn1, dyn2;
    int rows;
    int index;
};

class DynamicFontTest : public ListWindowTest, public ::testing::WithParamInterface<DynCase> {};

TEST_P(DynamicFontTest, RowCountChoosesTheFont) {
    const DynCase& c = GetParam();
    page().chkDynamicFonts.Value = 1;
    page().edDyn1.Text = c.dyn1;
    page().edDyn2.Text = c.dyn2;
    Clients(std::vector<std::string>(c.rows, "Main Menu"));
    TopLevels({"Toolbox"});
    Paint();

    const double lineHeight[] = {150, 135, 120};
    EXPECT_EQ(page().cbFont.ListIndex, c.index);
    EXPECT_EQ(t.listWindow.canvas.fontName, kListFonts[c.index].fontName);
    EXPECT_EQ(t.listWindow.canvas.fontSize, kListFonts[c.index].sizePt);
    EXPECT_EQ(t.app.scan.RowHeight, lineHeight[c.index]);
    EXPECT_EQ(t.listWindow.ScaleHeight(), c.rows * lineHeight[c.index]);
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, DynamicFontTest,
    ::testing::Values(DynCase{"BelowFirst", "10", "20", 9, 0}, DynCase{"AtFirst", "10", "20", 10, 1},
                      DynCase{"BelowSecond", "10", "20", 19, 1}, DynCase{"AtSecond", "10", "20", 20, 2},
                      DynCase{"AboveSecond", "10", "20", 25, 2}, DynCase{"SecondBelowFirst", "20", "10", 10, 2},
                      DynCase{"SecondBelowFirstBelowBoth", "20", "10", 9, 0},
                      DynCase{"FirstNotANumber", "abc", "20", 1, 1}, DynCase{"SecondNotANumber", "10", "x", 1, 2},
                      DynCase{"LeadingNumberOnly", "3 rows", "20", 3, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListWindowTest, DynamicFontCountsTopLevelRowsWhenTheyAreListed) {
    page().chkDynamicFonts.Value = 1;
    page().edDyn1.Text = "2";
    page().edDyn2.Text = "4";
    TopLevels({"Toolbox", "Field Menu", "Muster GmbH - Navision Financials"});
    Paint();
    EXPECT_EQ(page().cbFont.ListIndex, 1);
    EXPECT_EQ(listPlace().h, 27);  // 3 lines of 9 px
}

TEST_F(ListWindowTest, DynamicFontOffOrNotExactlyOneLeavesTheFont) {
    for (int value : {0, 2}) {
        page().chkDynamicFonts.Value = value;
        page().edDyn1.Text = "1";
        page().edDyn2.Text = "1";
        page().cbFont.ListIndex = 0;
        Clients({"Main Menu", "Object Designer"});
        TopLevels({"Toolbox"});
        Paint();
        EXPECT_EQ(page().cbFont.ListIndex, 0) << value;
        EXPECT_EQ(t.listWindow.canvas.fontSize, 8) << value;
        EXPECT_EQ(listPlace().h, 20) << value;
    }
}

// --- Mouse ---

TEST_F(ListWindowTest, LeftButtonDragsRightButtonFoldsAndUnfoldsAtOnce) {
    t.desktop.Get(main_).visible = false;  // no client: the list shows the top-level windows
    TopLevels({"Toolbox"});
    t.desktop.AddTopLevel("Toolbox");

    Win_1_MouseDown(t.app, 1);
    EXPECT_EQ(t.listWindow.drags, 1);
    EXPECT_FALSE(t.app.listWindow.ListCollapsed);
    EXPECT_EQ(t.listWindow.presents, 0);

    Win_1_MouseDown(t.app, 2);
    EXPECT_TRUE(t.app.listWindow.ListCollapsed);
    EXPECT_EQ(t.listWindow.presents, 1);
    EXPECT_EQ(TextsDrawn(), (std::vector<std::string>{" 12:34:56 "}));

    Win_1_MouseDown(t.app, 2);
    EXPECT_FALSE(t.app.listWindow.ListCollapsed);
    EXPECT_EQ(t.listWindow.presents, 2);
    EXPECT_NE(TextsDrawn(), (std::vector<std::string>{" 12:34:56 "}));

    Win_1_MouseDown(t.app, 4);
    EXPECT_EQ(t.listWindow.drags, 1);
    EXPECT_EQ(t.listWindow.presents, 2);
}

struct ClickCase {
    const char* name;
    int fontIndex;
    int showClients;
    double y;  // twips from the window's top
    int row;   // -1: no row
};

class DoubleClickTest : public ListWindowTest, public ::testing::WithParamInterface<ClickCase> {};

// Three client windows and three other top-level windows; the click is lifted
// by 5 px (75 twips) and divided by the height of the first title.
TEST_P(DoubleClickTest, BringsUpTheWindowOfTheRow) {
    const ClickCase& c = GetParam();
    page().chkShowClients.Value = c.showClients;
    ApplyListFont(t.app, c.fontIndex);
    t.app.scan.ClientMainWindow = main_;
    Clients({"Main Menu", "Object Designer", "Form 21 - Properties"});
    TopLevels({"Toolbox", "Field Menu", "Help"});

    Win_1_MouseDblClick(t.app, 1, c.y);

    std::vector<WindowHandle> expected;
    if (c.showClients == 1) expected.push_back(main_);
    if (c.row >= 0)
        expected.push_back(c.showClients == 1 ? t.app.scan.Objects.Rows[c.row].Window
                                              : t.app.scan.TopWindows[c.row].Window);
    EXPECT_EQ(t.desktop.broughtToTop, expected);
    EXPECT_TRUE(t.desktop.restored.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DoubleClickTest,
    ::testing::Values(ClickCase{"FirstRow", 0, 1, 100, 0},     // 25 / 150 -> 0
                      ClickCase{"TopEdgeRoundsToRowZero", 0, 1, 15, 0},  // -60 / 150 -> 0
                      ClickCase{"SecondRow", 0, 1, 280, 1},    // 205 / 150 -> 1
                      ClickCase{"ThirdRow", 0, 1, 400, 2},     // 325 / 150 -> 2
                      ClickCase{"BelowTheRows", 0, 1, 540, -1},  // 465 / 150 -> 3
                      ClickCase{"SmallFontTopEdgeIsRowMinusOne", 2, 1, 0, -1},  // -75 / 120 -> -1
                      ClickCase{"SmallFontSecondRow", 2, 1, 200, 1},            // 125 / 120 -> 1
                      ClickCase{"TopLevelRowWhenClientsNotListed", 0, 0, 280, 1},
                      ClickCase{"TopLevelBelowTheRows", 0, 0, 600, -1},
                      ClickCase{"TopLevelMinusOne", 2, 0, 0, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListWindowTest, DoubleClickRestoresMinimisedWindowsFirst) {
    t.app.scan.ClientMainWindow = main_;
    Clients({"Main Menu", "Object Designer"});
    TopLevels({"Muster GmbH - Navision Financials"});
    t.desktop.Get(main_).iconic = true;
    const WindowHandle second = t.app.scan.Objects.Rows[1].Window;
    t.desktop.Get(second).iconic = true;

    Win_1_MouseDblClick(t.app, 1, 280);

    EXPECT_EQ(t.desktop.restored, (std::vector<WindowHandle>{main_, second}));
    EXPECT_EQ(t.desktop.broughtToTop, (std::vector<WindowHandle>{main_, second}));
    EXPECT_FALSE(t.desktop.Get(second).iconic);
}

TEST_F(ListWindowTest, DoubleClickWithOtherButtonsOrNoRowsDoesNothing) {
    t.app.scan.ClientMainWindow = main_;
    Win_1_MouseDblClick(t.app, 1, 100);  // no rows at all
    Clients({"Main Menu"});
    TopLevels({"Toolbox"});
    Win_1_MouseDblClick(t.app, 2, 100);
    EXPECT_TRUE(t.desktop.broughtToTop.empty());
}

// --- A whole tick ---

TEST_F(ListWindowTest, TickPaintsEqualDesignerTitlesInTheAlarmColour) {
    t.app.forms.frmAllgemein.edParent.Text = "- Navi";
    t.desktop.BringToFront(list());
    const std::string customer = "Table 18 Customer - Table Designer";
    t.desktop.AddChild(area_, customer);
    t.desktop.AddChild(area_, "Form 21 Customer Card - Formular Designer");
    t.desktop.AddChild(area_, customer);

    RefreshWindowList(t.app);

    std::vector<Color> colors;
    for (const auto& f : t.listWindow.canvas.Fills()) colors.push_back(f.color);
    EXPECT_EQ(colors, (std::vector<Color>{kAlarm, kNormal, kAlarm}));
    // 41 characters = 197 px (196.8) + 2; three 10 px rows.
    EXPECT_EQ(listPlace(), (Placement{50, 50, 199, 30}));
}

}  // namespace
}  // namespace brisolt
