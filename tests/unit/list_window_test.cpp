#include "listwin/list_window.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "program/tick.h"
#include "sim_client.h"
#include "test_app.h"

namespace brisolt {
namespace {

// RecordingCanvas at 15 twips per pixel: "MS Sans Serif" 8 pt is 4.8 px per
// character and 10 px (150 twips) per line; 7 pt is 9 px, 6 pt is 8 px high.
constexpr Colour kNormal = 0x00123456;
constexpr Colour kAlarm = 0x00654321;
using Fill = std::tuple<double, double, double, double, Colour>;

class ListWindowTest : public ::testing::Test {
protected:
    ListWindowTest() {
        t.app.settings.normalColour = kNormal;
        t.app.settings.alarmColour = kAlarm;
        t.desktop.Get(list).place = {50, 50, 100, 100};  // the size before the paint
    }
    // The rows as a scan leaves them, painted.
    // Returns the font painted with.
    int Paint(const std::vector<std::string>& clients, const std::vector<std::string>& topLevel,
              const std::vector<bool>& duplicate = {}) {
        ScanResult& s = t.app.scan;
        s = {};
        s.clientMain = client.main;
        for (std::size_t i = 0; i < clients.size(); ++i) {
            ClientRow row;
            row.title = clients[i];
            row.window = client.Open(clients[i]);
            row.duplicate = i < duplicate.size() && duplicate[i];
            s.clientWindows.push_back(row);
        }
        for (const std::string& title : topLevel) s.topLevel.push_back({title, t.desktop.AddTopLevel(title)});
        const ListSurface surface{t.listWindow, t.clock, t.app.platform.scale};
        ComputeRowMetrics(surface, t.app.listWindowState);
        return PaintListWindow(surface, t.app.scan, {}, t.app.settings, t.app.listWindowState);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> r;
        for (const auto& op : t.listWindow.canvas.Texts()) r.push_back(op.text);
        return r;
    }
    std::vector<Fill> Fills() const {
        std::vector<Fill> r;
        for (const auto& op : t.listWindow.canvas.Fills()) r.emplace_back(op.l, op.t, op.r, op.b, op.color);
        return r;
    }
    Placement Place() { return t.desktop.PlacementOf(list); }

    test::TestApp t;
    WindowHandle list = t.listWindow.Handle();
    test::SimClient client{t.desktop};
};

TEST_F(ListWindowTest, Tick_SizesToTheWidestRowAndPaintsDuplicatesInTheAlarmColour) {
    const char* customer = "Table 18 Customer - Table Designer";
    for (const char* title : {customer, "Form 21 Customer Card - Formular Designer", customer}) client.Open(title);
    RefreshWindowList(t.app);
    // 41 characters = 197 px (196.8) + 2; three 10 px rows.
    EXPECT_EQ(Place(), (Placement{50, 50, 199, 30}));
    const double w = 199 * 15;
    EXPECT_EQ(Fills(), (std::vector<Fill>{{0, 0, w, 450, kNormal}, {0, 0, w, 150, kAlarm}, {0, 300, w, 450, kAlarm}}));
    for (int i = 0; i < 3; ++i) {
        const auto text = t.listWindow.canvas.Texts().at(i);
        EXPECT_EQ(std::make_tuple(text.l, text.t, text.color), std::make_tuple(1.0, i * 150 + 1.0, Colour{0}));
    }
    // Short names decide the width: 21 characters = 101 px (100.8) + 2.
    t.app.settings.shortNames = true;
    RefreshWindowList(t.app);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Table 18 Customer", "Form 21 Customer Card", "Table 18 Customer"}));
    EXPECT_EQ(Place().w, 103);
}

TEST_F(ListWindowTest, TopLevelRowsWhileTheClientListsNone) {
    t.app.settings.shortNames = true;  // top-level titles are shown as they are
    const std::vector<std::string> titles{"Toolbox", "Table 18 Customer - Table Designer", "Muster GmbH"};
    Paint({}, titles);
    // 34 characters = 163 px (163.2) + 2; three rows.
    EXPECT_EQ(Place(), (Placement{50, 50, 165, 30}));
    EXPECT_EQ(Fills(), (std::vector<Fill>{{0, 0, 165 * 15, 450, kNormal}}));
    EXPECT_EQ(Texts(), titles);
    EXPECT_EQ(t.listWindow.canvas.Texts()[2].t, 301);
}

// Client rows without client sizing keep the earlier, taller size: below
// them is the normal colour, not what was painted before.
TEST_F(ListWindowTest, ClientRowsInTheEarlierSizeLeaveNoOldPaintBelowThem) {
    t.app.settings.showClientWindows = false;
    Paint({"Main Menu", "Object Designer"}, {"Toolbox", "Muster GmbH"}, {false, true});
    EXPECT_EQ(Place(), (Placement{50, 50, 100, 100}));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Main Menu", "Object Designer"}));
    EXPECT_EQ(Fills(), (std::vector<Fill>{{0, 0, 1500, 1500, kNormal}, {0, 150, 1500, 300, kAlarm}}));
}

TEST_F(ListWindowTest, WidthZeroHidesTheWindowKeepingItsHeight) {
    struct Case {
        int clients, topLevels;
        bool showClients, showTopLevel;
        int width, height;  // pixels after the paint; 100 x 100 is the earlier size
    } cases[] = {
        {2, 3, true, false, 45, 20},  // "Main Menu": 43 px + 2
        {0, 3, false, true, 36, 30},  // "Toolbox": 34 px + 2
        {0, 0, true, true, 0, 0},     {2, 0, true, true, 0, 20},
        {2, 3, false, false, 0, 100}, {0, 3, true, false, 0, 100},
    };
    for (const Case& c : cases) {
        t.desktop.Get(list).place = {50, 50, 100, 100};
        t.app.settings.showClientWindows = c.showClients;
        t.app.settings.showTopLevelWindows = c.showTopLevel;
        Paint(std::vector<std::string>(c.clients, "Main Menu"), std::vector<std::string>(c.topLevels, "Toolbox"));
        EXPECT_EQ(std::make_pair(Place().w, Place().h), std::make_pair(c.width, c.height))
            << c.clients << " " << c.topLevels << " " << c.showClients << c.showTopLevel;
    }
}

TEST_F(ListWindowTest, DynamicFont_RowCountChoosesTheFont) {
    struct Case {
        bool dynamic;
        const char *rows7pt, *rows6pt;
        int clients, topLevels, font;
    } cases[] = {
        {true, "10", "20", 9, 1, 0},  {true, "10", "20", 10, 1, 1}, {true, "10", "20", 19, 1, 1},
        {true, "10", "20", 20, 1, 2}, {true, "20", "10", 10, 1, 2}, {true, "20", "10", 9, 1, 0},
        {true, "abc", "20", 1, 1, 1}, {true, "10", "x", 1, 1, 2},   {true, "3 rows", "20", 3, 1, 1},
        {true, "2", "4", 0, 3, 1},  // top-level rows count while they are listed
        {false, "1", "1", 2, 1, 0},
    };
    const double lineHeight[] = {150, 135, 120};
    for (const Case& c : cases) {
        Settings& s = t.app.settings;
        std::tie(s.dynamicFont, s.dynamicFontRows7pt, s.dynamicFontRows6pt, s.listFont) =
            std::make_tuple(c.dynamic, c.rows7pt, c.rows6pt, 0);
        ApplyListFont(t.listWindow, 0);
        const int font =
            Paint(std::vector<std::string>(c.clients, "Main Menu"), std::vector<std::string>(c.topLevels, "Toolbox"));
        const std::string what = std::string(c.rows7pt) + "/" + c.rows6pt + " rows " + std::to_string(c.clients);
        EXPECT_EQ(font, c.font) << what;
        EXPECT_EQ(s.listFont, 0) << what;  // the settings are the program's to change
        EXPECT_EQ(t.listWindow.canvas.fontSize, kListFonts[c.font].sizePt) << what;
        EXPECT_EQ(t.listWindow.ScaleHeight(), (c.clients ? c.clients : c.topLevels) * lineHeight[c.font]) << what;
    }
    ApplyListFont(t.listWindow, 3);  // no such font: unchanged
    EXPECT_EQ(t.listWindow.canvas.fontSize, 8);
    const Scale at144Dpi{10, 10};
    ComputeRowMetrics({t.listWindow, t.clock, at144Dpi}, t.app.listWindowState);
    EXPECT_EQ(t.app.listWindowState.margin, 20);  // two pixels at 144 dpi
}

// Folded, the window shows the time of day whatever it lists and whatever
// is open twice.
TEST_F(ListWindowTest, Mouse_LeftButtonDragsRightButtonFoldsToAClockAndBack) {
    const char* customer = "Table 18 Customer - Table Designer";
    client.Open(customer);
    client.Open(customer);
    ListWindowMouseDown(t.app, 1);
    EXPECT_EQ(t.listWindow.drags, 1);
    ListWindowMouseDown(t.app, 2);
    t.app.settings.showClientWindows = t.app.settings.showTopLevelWindows = false;
    RefreshWindowList(t.app);
    // " 12:34:56 ": 10 characters of 4.8 px, plus 2; one 10 px line.
    EXPECT_EQ(Place(), (Placement{50, 50, 50, 10}));
    EXPECT_EQ(Fills(), (std::vector<Fill>{{0, 0, 750, 150, kNormal}}));
    EXPECT_EQ(Texts(), (std::vector<std::string>{" 12:34:56 "}));
    t.app.settings.showClientWindows = true;
    ListWindowMouseDown(t.app, 2);
    ListWindowMouseDown(t.app, 4);
    EXPECT_EQ(Texts(), (std::vector<std::string>{customer, customer}));
    EXPECT_EQ(t.listWindow.presents, 3);
    EXPECT_EQ(t.listWindow.drags, 1);
}

// Rows are painted in bands [i * h, (i + 1) * h); a double-click hits the band
// that holds it, whatever the row height at the screen's dpi.
TEST_F(ListWindowTest, DoubleClick_BringsUpTheWindowOfTheBandClicked) {
    Paint({"Main Menu", "Object Designer", "Form 21 - Properties"}, {"Toolbox", "Field Menu", "Help"});
    const ScanResult withClients = t.app.scan;
    const ScanResult topLevelOnly = [&] { ScanResult s = withClients; s.clientWindows.clear(); return s; }();
    for (double h : {195.0, 130.0, 97.5}) {
        const std::tuple<double, int, bool> cases[] = {  // y, row (-1: none), collapsed
            {0, 0, false}, {h - 0.5, 0, false}, {h, 1, false}, {2.5 * h, 2, false},
            {3 * h, -1, false}, {-1, -1, false}, {h / 2, -1, true}};
        for (const auto& [y, row, collapsed] : cases) {
            for (const ScanResult* scan : {&withClients, &topLevelOnly}) {
                t.app.scan = *scan;
                t.app.listWindowState.rowHeight = h;
                t.app.listWindowState.collapsed = collapsed;
                t.desktop.broughtToTop.clear();
                ListWindowDoubleClick(t.app, 1, y);
                std::vector<WindowHandle> want;
                if (row >= 0 && scan == &withClients) want = {client.main, scan->clientWindows[row].window};
                if (row >= 0 && scan == &topLevelOnly) want = {scan->topLevel[row].window};
                EXPECT_EQ(t.desktop.broughtToTop, want) << "row height " << h << ", y " << y;
            }
        }
    }
}

TEST_F(ListWindowTest, DoubleClick_RestoresMinimisedWindowsFirstAndIgnoresOtherButtons) {
    Paint({"Main Menu", "Object Designer"}, {"Muster GmbH - Navision Financials"});
    const WindowHandle second = t.app.scan.clientWindows[1].window;
    t.desktop.Get(client.main).iconic = true;
    t.desktop.Get(second).iconic = true;
    ListWindowDoubleClick(t.app, 2, 200);
    EXPECT_TRUE(t.desktop.broughtToTop.empty());
    ListWindowDoubleClick(t.app, 1, 200);
    EXPECT_EQ(t.desktop.restored, (std::vector<WindowHandle>{client.main, second}));
    EXPECT_EQ(t.desktop.broughtToTop, (std::vector<WindowHandle>{client.main, second}));
}

}  // namespace
}  // namespace brisolt
