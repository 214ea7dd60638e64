#include "arrange/glue.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <vector>

#include "test_app.h"

namespace brisolt {
namespace {

using test::SetPosCall;
using test::TestApp;

constexpr unsigned kClientFlags = 0x14;
constexpr unsigned kListFlags = 0x15;

// An MDI area of 1000 x 700 inside a client main window that fills a
// 1024 x 768 screen; every glue rule on.
class GlueTest : public ::testing::Test {
protected:
    GlueTest() {
        main_ = t.desktop.AddTopLevel("Muster GmbH - Navision Financials", true, {0, 0, 1024, 768});
        area_ = t.desktop.AddChild(main_, "", true, {4, 40, 1008, 708});
        t.desktop.SetClientSize(area_, 1000, 700);
        t.app.scan.ClientMainWindow = main_;
        t.app.scan.MdiAreaRect = {0, 0, 1000, 700};
        t.app.scan.ClientMainRect = {0, 0, 1024, 768};
        SetAllRules(1);
    }

    void SetAllRules(int value) {
        auto& page = t.app.forms.frmAllgemein;
        for (CheckBox* box : {&page.chkGlueObjDes, &page.chkGlueProperties, &page.chkGlueHauptmenu,
                              &page.chkGlueFensterliste, &page.chkGlueToolbox, &page.chkGlueFieldMenu})
            box->Value = value;
    }

    WindowHandle Child(const std::string& title, Placement p, bool iconic = false) {
        WindowHandle w = t.desktop.AddChild(area_, title, true, p);
        t.desktop.Get(w).iconic = iconic;
        return w;
    }
    WindowHandle TopLevel(const std::string& title, Placement p) { return t.desktop.AddTopLevel(title, true, p); }

    Placement ListPlacement() { return t.desktop.PlacementOf(t.listWindow.Handle()); }
    void PlaceList(Placement p) { t.desktop.Get(t.listWindow.Handle()).place = p; }

    TestApp t;
    WindowHandle main_ = 0, area_ = 0;
};

using CallTuple = std::tuple<WindowHandle, int, int, int, int, unsigned>;
std::vector<CallTuple> Calls(const std::vector<SetPosCall>& calls) {
    std::vector<CallTuple> r;
    for (const auto& c : calls) r.emplace_back(c.window, c.x, c.y, c.cx, c.cy, c.flags);
    return r;
}

// --- MDI child rules, one window at a time (list window rule off) ---

struct MdiCase {
    const char* name;
    std::string title;
    Placement start;
    bool iconic;
    std::optional<Placement> target;  // the move expected, none when left alone
};

void PrintTo(const MdiCase& c, std::ostream* os) { *os << c.name; }

class MdiRuleTest : public GlueTest, public ::testing::WithParamInterface<MdiCase> {};

TEST_P(MdiRuleTest, MovesOnlyWhenOutOfPlace) {
    const MdiCase& c = GetParam();
    t.app.forms.frmAllgemein.chkGlueFensterliste.Value = 0;
    WindowHandle w = Child(c.title, c.start, c.iconic);

    GlueMdiChild(t.app, c.title, w);

    std::vector<CallTuple> expected;
    if (c.target) expected.emplace_back(w, c.target->x, c.target->y, c.target->w, c.target->h, kClientFlags);
    EXPECT_EQ(Calls(t.desktop.setPosCalls), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, MdiRuleTest,
    ::testing::Values(
        MdiCase{"DesignerAwayFromLeftEdge", "Object Designer", {30, 0, 300, 700}, false, Placement{0, 0, 300, 700}},
        MdiCase{"DesignerTooShort", "Object Designer", {0, 40, 300, 500}, false, Placement{0, 0, 300, 700}},
        MdiCase{"DesignerAtLeftFullHeightLowerDown", "Object Designer", {0, 40, 300, 700}, false, std::nullopt},
        MdiCase{"DesignerMinimised", "Object Designer", {30, 40, 160, 24}, true, std::nullopt},
        MdiCase{"DesignerLowerCase", "object designer", {30, 40, 300, 500}, false, std::nullopt},
        MdiCase{"PropertiesOfTable", "Table 18 Customer - Properties", {10, 10, 200, 300}, false,
                Placement{800, 0, 200, 700}},
        MdiCase{"PropertiesSuffixAlone", "- Properties", {10, 10, 200, 700}, false, Placement{800, 0, 200, 700}},
        MdiCase{"PropertiesAtRightEdgeLowerDown", "Form 21 - Properties", {800, 30, 200, 700}, false, std::nullopt},
        MdiCase{"PropertiesMinimisedStillMoved", "Form 21 - Properties", {0, 650, 160, 24}, true,
                Placement{840, 0, 160, 700}},
        MdiCase{"PropertiesWithoutDash", "Properties", {10, 10, 200, 300}, false, std::nullopt},
        MdiCase{"PropertiesOtherCapitals", "Table 18 - PROPERTIES", {10, 10, 200, 300}, false, std::nullopt},
        MdiCase{"MainMenuEnglish", "Main Menu", {10, 10, 150, 200}, false, Placement{850, 500, 150, 200}},
        MdiCase{"MainMenuGerman", "Hauptmen\xFC", {10, 10, 150, 200}, false, Placement{850, 500, 150, 200}},
        MdiCase{"MainMenuSocial", "Sozialmen\xFC", {850, 10, 150, 200}, false, Placement{850, 500, 150, 200}},
        MdiCase{"MainMenuSocialMinimised", "Sozialmen\xFC", {0, 676, 160, 24}, true, std::nullopt},
        MdiCase{"MainMenuInCornerOtherSizeStays", "Main Menu", {850, 500, 150, 200}, false, std::nullopt},
        MdiCase{"MainMenuUtf8UmlautIsNotTheClientsText", "Hauptmen\xC3\xBC", {10, 10, 150, 200}, false,
                std::nullopt},
        MdiCase{"MainMenuOtherCapitals", "MAIN MENU", {10, 10, 150, 200}, false, std::nullopt},
        MdiCase{"OrdinaryDesigner", "Table 18 Customer - Table Designer", {10, 10, 400, 300}, false,
                std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GlueTest, RulesSwitchedOffOrNotExactlyOneMoveNothing) {
    for (int value : {0, 2, -1}) {
        SetAllRules(value);
        WindowHandle od = Child("Object Designer", {30, 40, 300, 500});
        WindowHandle props = Child("Table 18 - Properties", {10, 10, 200, 300});
        WindowHandle menu = Child("Main Menu", {10, 10, 150, 200});
        WindowHandle toolbox = TopLevel("Toolbox", {100, 50, 120, 300});
        WindowHandle field = TopLevel("Field Menu", {10, 10, 180, 400});
        GlueMdiChild(t.app, "Object Designer", od);
        GlueMdiChild(t.app, "Table 18 - Properties", props);
        GlueMdiChild(t.app, "Main Menu", menu);
        GlueTopLevel(t.app, "Toolbox", toolbox);
        GlueTopLevel(t.app, "Field Menu", field);
        EXPECT_TRUE(t.desktop.setPosCalls.empty()) << "value " << value;
    }
}

// --- Object Designer and the list window ---

TEST_F(GlueTest, ListWindowGoesBesideTheDesignerKeepingItsSize) {
    PlaceList({500, 300, 120, 90});
    WindowHandle od = Child("Object Designer", {30, 40, 300, 500});

    GlueMdiChild(t.app, "Object Designer", od);

    const std::vector<CallTuple> expected{{od, 0, 0, 300, 700, kClientFlags},
                                          {t.listWindow.Handle(), 300, 0, 0, 0, kListFlags}};
    EXPECT_EQ(Calls(t.desktop.setPosCalls), expected);
    EXPECT_EQ(ListPlacement(), (Placement{300, 0, 120, 90}));
    EXPECT_EQ(t.app.arrange.ObjectDesignerPlacement, (Placement{30, 40, 300, 500}));
}

TEST_F(GlueTest, ListWindowAtTheDesignersWidthIsLeftAloneWhateverItsTop) {
    PlaceList({300, 80, 120, 90});
    WindowHandle od = Child("Object Designer", {0, 0, 300, 700});
    GlueMdiChild(t.app, "Object Designer", od);
    EXPECT_TRUE(t.desktop.setPosCalls.empty());
}

TEST_F(GlueTest, MinimisedDesignerOutOfPlaceKeepsTheListWindowWhereItIs) {
    PlaceList({500, 300, 120, 90});
    WindowHandle od = Child("Object Designer", {0, 650, 160, 24}, /*iconic=*/true);
    GlueMdiChild(t.app, "Object Designer", od);
    EXPECT_TRUE(t.desktop.setPosCalls.empty());
    EXPECT_EQ(ListPlacement(), (Placement{500, 300, 120, 90}));
}

TEST_F(GlueTest, ListWindowFollowsAMinimisedDesignerWhenTheDesignerRuleIsOff) {
    t.app.forms.frmAllgemein.chkGlueObjDes.Value = 0;
    PlaceList({500, 300, 120, 90});
    WindowHandle od = Child("Object Designer", {0, 650, 160, 24}, /*iconic=*/true);

    GlueMdiChild(t.app, "Object Designer", od);

    const std::vector<CallTuple> expected{{t.listWindow.Handle(), 160, 0, 0, 0, kListFlags}};
    EXPECT_EQ(Calls(t.desktop.setPosCalls), expected);
    EXPECT_EQ(ListPlacement(), (Placement{160, 0, 120, 90}));
}

TEST_F(GlueTest, DesignerPlacementIsReadEvenWithEveryRuleOff) {
    SetAllRules(0);
    WindowHandle od = Child("Object Designer", {30, 40, 300, 500});
    GlueMdiChild(t.app, "Object Designer", od);
    EXPECT_EQ(t.app.arrange.ObjectDesignerPlacement, (Placement{30, 40, 300, 500}));
    EXPECT_TRUE(t.desktop.setPosCalls.empty());
}

TEST_F(GlueTest, TwoDesignersAreBothArrangedAndTheListEndsBesideTheLastOne) {
    PlaceList({500, 300, 120, 90});
    WindowHandle first = Child("Object Designer", {30, 40, 300, 500});
    WindowHandle second = Child("Object Designer", {60, 10, 250, 400});

    GlueMdiChild(t.app, "Object Designer", first);
    GlueMdiChild(t.app, "Object Designer", second);

    const std::vector<CallTuple> expected{{first, 0, 0, 300, 700, kClientFlags},
                                          {t.listWindow.Handle(), 300, 0, 0, 0, kListFlags},
                                          {second, 0, 0, 250, 700, kClientFlags},
                                          {t.listWindow.Handle(), 250, 0, 0, 0, kListFlags}};
    EXPECT_EQ(Calls(t.desktop.setPosCalls), expected);
    EXPECT_EQ(ListPlacement().x, 250);
    EXPECT_EQ(t.app.arrange.ObjectDesignerPlacement.w, 250);
}

// --- Top-level rules ---

struct TopCase {
    const char* name;
    std::string title;
    Placement start;
    Rect mainRect;
    std::optional<Placement> target;
};

void PrintTo(const TopCase& c, std::ostream* os) { *os << c.name; }

class TopRuleTest : public GlueTest, public ::testing::WithParamInterface<TopCase> {};

TEST_P(TopRuleTest, MovesOnlyWhenOutOfPlace) {
    const TopCase& c = GetParam();
    t.app.scan.ClientMainRect = c.mainRect;
    WindowHandle w = TopLevel(c.title, c.start);

    GlueTopLevel(t.app, c.title, w);

    std::vector<CallTuple> expected;
    if (c.target) expected.emplace_back(w, c.target->x, c.target->y, c.target->w, c.target->h, kClientFlags);
    EXPECT_EQ(Calls(t.desktop.setPosCalls), expected);
}

const Rect kMaximised{0, 0, 1024, 768};
const Rect kNotFoundYet{0, 0, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Rules, TopRuleTest,
    ::testing::Values(
        TopCase{"ToolboxToLowerLeft", "Toolbox", {100, 50, 120, 300}, kMaximised, Placement{0, 468, 120, 300}},
        TopCase{"ToolboxRightTopOtherLeftStays", "Toolbox", {100, 468, 120, 300}, kMaximised, std::nullopt},
        TopCase{"ToolboxBeforeMainWindowFound", "Toolbox", {100, 50, 120, 300}, kNotFoundYet, std::nullopt},
        TopCase{"ToolboxAgainstMainWindowBottom", "Toolbox", {0, 0, 120, 300}, Rect{100, 50, 900, 600},
                Placement{0, 300, 120, 300}},
        TopCase{"ToolboxCapitals", "TOOLBOX", {100, 50, 120, 300}, kMaximised, std::nullopt},
        TopCase{"FieldMenuToRightEdge", "Field Menu", {10, 10, 180, 400}, kMaximised, Placement{844, 0, 180, 768}},
        TopCase{"FieldMenuWrongHeightOnly", "Field Menu", {844, 0, 180, 400}, kMaximised,
                Placement{844, 0, 180, 768}},
        TopCase{"FieldMenuInPlaceLowerDownStays", "Field Menu", {844, 20, 180, 768}, kMaximised, std::nullopt},
        TopCase{"FieldMenuBeforeMainWindowFound", "Field Menu", {10, 10, 180, 400}, kNotFoundYet, std::nullopt},
        TopCase{"FieldMenuCapitals", "field menu", {10, 10, 180, 400}, kMaximised, std::nullopt},
        TopCase{"ObjectDesignerIsNoTopLevelRule", "Object Designer", {30, 40, 300, 500}, kMaximised,
                std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// --- A settled layout ---

TEST_F(GlueTest, SecondPassOverArrangedLayoutIssuesNoMoves) {
    PlaceList({500, 300, 120, 90});
    struct Seen {
        std::string title;
        WindowHandle window;
        bool topLevel;
    };
    const std::vector<Seen> walk{
        {"Object Designer", Child("Object Designer", {30, 40, 300, 500}), false},
        {"Table 18 Customer - Properties", Child("Table 18 Customer - Properties", {10, 10, 200, 300}), false},
        {"Hauptmen\xFC", Child("Hauptmen\xFC", {10, 10, 150, 200}), false},
        {"Toolbox", TopLevel("Toolbox", {100, 50, 120, 300}), true},
        {"Field Menu", TopLevel("Field Menu", {10, 10, 180, 400}), true},
    };
    auto pass = [&] {
        for (const auto& s : walk)
            s.topLevel ? GlueTopLevel(t.app, s.title, s.window) : GlueMdiChild(t.app, s.title, s.window);
    };

    pass();
    EXPECT_EQ(t.desktop.setPosCalls.size(), 6u);  // five windows and the list window
    t.desktop.setPosCalls.clear();
    pass();
    EXPECT_TRUE(t.desktop.setPosCalls.empty());
}

}  // namespace
}  // namespace brisolt
