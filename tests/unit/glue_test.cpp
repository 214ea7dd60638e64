#include "glue/glue.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <tuple>
#include <vector>

#include "program/tick.h"
#include "sim_client.h"
#include "test_app.h"

namespace brisolt {

static void PrintTo(const Placement& p, std::ostream* os) {
    *os << "{" << p.x << ", " << p.y << ", " << p.w << ", " << p.h << "}";
}

namespace {

using Target = std::optional<Placement>;
const Rect kArea{0, 0, 1000, 700};  // the MDI area's client rectangle
const ClientPlace kMaximised{{0, 0, 1024, 768}, false, true};

TEST(GlueRules, TargetOnlyWhenOutOfPlaceAndNoneOnceThere) {
    using Rule = std::function<Target(Placement)>;
    const Rule designer = [](Placement p) { return ObjectDesignerTarget(p, kArea); };
    const Rule properties = [](Placement p) { return PropertiesTarget(p, kArea); };
    const Rule mainMenu = [](Placement p) { return MainMenuTarget(p, kArea); };
    const Rule list = [](Placement p) { return ListWindowTarget(p, {0, 0, 300, 700}); };
    auto toolbox = [](ClientPlace c) { return Rule([c](Placement p) { return ToolboxTarget(p, c); }); };
    auto fieldMenu = [](ClientPlace c) { return Rule([c](Placement p) { return FieldMenuTarget(p, c); }); };
    const ClientPlace smaller{{100, 50, 900, 600}, false, true}, neverSeen{};
    const ClientPlace minimised{{-32000, -32000, -31840, -31976}, true, true};
    struct Case {
        const char* name;
        Rule rule;
        Placement now;
        Target want;
    } cases[] = {
        {"DesignerAwayFromLeftEdge", designer, {30, 0, 300, 700}, Placement{0, 0, 300, 700}},
        {"DesignerTooShort", designer, {0, 40, 300, 500}, Placement{0, 0, 300, 700}},
        {"DesignerFullHeightLowerDown", designer, {0, 40, 300, 700}, std::nullopt},
        {"Properties", properties, {10, 10, 200, 300}, Placement{800, 0, 200, 700}},
        {"PropertiesInPlaceLowerDown", properties, {800, 30, 200, 700}, std::nullopt},
        {"MainMenu", mainMenu, {10, 10, 150, 200}, Placement{850, 500, 150, 200}},
        {"ListBesideDesigner", list, {500, 300, 120, 90}, Placement{300, 0, 0, 0}},
        {"ListAtDesignerWidthAnyTop", list, {300, 80, 120, 90}, std::nullopt},
        {"Toolbox", toolbox(kMaximised), {100, 50, 120, 300}, Placement{0, 468, 120, 300}},
        {"ToolboxBottomInPlaceAnyLeft", toolbox(kMaximised), {100, 468, 120, 300}, std::nullopt},
        {"ToolboxAgainstMainBottom", toolbox(smaller), {0, 0, 120, 300}, Placement{0, 300, 120, 300}},
        {"FieldMenuWrongHeightOnly", fieldMenu(kMaximised), {844, 0, 180, 400}, Placement{844, 0, 180, 768}},
        {"FieldMenuInPlaceLowerDown", fieldMenu(kMaximised), {844, 20, 180, 768}, std::nullopt},
        {"FieldMenuAgainstMainEdge", fieldMenu(smaller), {10, 10, 180, 400}, Placement{720, 0, 180, 600}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.rule(c.now), c.want) << c.name;
        if (c.want) {
            EXPECT_EQ(c.rule(*c.want), std::nullopt) << c.name << ": a settled window must stay";
        }
    }
    for (const ClientPlace& client : {neverSeen, minimised}) {  // nothing to place against
        EXPECT_EQ(ToolboxTarget({100, 50, 120, 300}, client), std::nullopt);
        EXPECT_EQ(FieldMenuTarget({10, 10, 180, 400}, client), std::nullopt);
    }
}

// A client filling a 1024 x 768 screen, its MDI area 1000 x 700, every rule
// on; the list window at (500, 300), 120 x 90.
class GlueTick : public ::testing::Test {
protected:
    GlueTick() {
        t.desktop.SetClientSize(client.mdiArea, 1000, 700);
        t.desktop.Get(list).place = {500, 300, 120, 90};
        SetRules(true);
    }
    void SetRules(bool on) {
        Settings& s = t.app.settings;
        s.glueObjectDesigner = s.glueProperties = s.glueMainMenu = s.glueListWindow = s.glueToolbox =
            s.glueFieldMenu = on;
    }
    WindowHandle Child(const std::string& title, Placement p, bool iconic = false) {
        const WindowHandle w = t.desktop.AddChild(client.mdiArea, title, true, p);
        t.desktop.Get(w).iconic = iconic;
        return w;
    }
    using Call = std::tuple<WindowHandle, int, int, int, int, unsigned>;
    std::vector<Call> Tick() {
        t.desktop.setPosCalls.clear();
        RefreshWindowList(t.app);
        std::vector<Call> r;
        for (const auto& c : t.desktop.setPosCalls) r.emplace_back(c.window, c.x, c.y, c.cx, c.cy, c.flags);
        return r;
    }
    Placement At(WindowHandle w) { return t.desktop.PlacementOf(w); }

    test::TestApp t;
    test::SimClient client{t.desktop, "Muster GmbH - Navision Financials", {0, 0, 1024, 768}};
    WindowHandle list = t.listWindow.Handle();
};

// A rule takes its windows by their exact title; moves never re-stack or
// activate, and the list window keeps its size. Rules that are off move nothing.
TEST_F(GlueTick, RulesPickTheirWindowsByExactTitle) {
    struct Case {
        const char* title;
        Placement now;
        bool iconic;
        Target want;
    } cases[] = {
        {"Object Designer", {30, 0, 300, 700}, false, Placement{0, 0, 300, 700}},
        {"Object Designer", {0, 650, 160, 24}, true, std::nullopt},  // minimised: stays, and the list too
        {"object designer", {30, 0, 300, 700}, false, std::nullopt},
        {"Table 18 Customer - Properties", {10, 10, 200, 300}, false, Placement{800, 0, 200, 700}},
        {"Form 21 - Properties", {0, 650, 160, 24}, true, Placement{840, 0, 160, 700}},  // minimised: moved
        {"Properties", {10, 10, 200, 300}, false, std::nullopt},
        {"Table 18 - PROPERTIES", {10, 10, 200, 300}, false, std::nullopt},
        {"Main Menu", {10, 10, 150, 200}, false, Placement{850, 500, 150, 200}},
        {"Hauptmen\xFC", {10, 10, 150, 200}, false, Placement{850, 500, 150, 200}},
        {"Sozialmen\xFC", {850, 10, 150, 200}, false, Placement{850, 500, 150, 200}},
        {"Sozialmen\xFC", {0, 676, 160, 24}, true, std::nullopt},  // minimised: stays
        {"Hauptmen\xC3\xBC", {10, 10, 150, 200}, false, std::nullopt},  // UTF-8 is not the client's text
        {"MAIN MENU", {10, 10, 150, 200}, false, std::nullopt},
        {"Table 18 Customer - Table Designer", {10, 10, 400, 300}, false, std::nullopt},
    };
    std::vector<Call> want;
    for (const auto& c : cases) {
        const WindowHandle w = Child(c.title, c.now, c.iconic);
        if (c.want) want.emplace_back(w, c.want->x, c.want->y, c.want->w, c.want->h, kClientMoveFlags);
        if (c.want && c.title == std::string("Object Designer")) want.emplace_back(list, 300, 0, 0, 0, kListMoveFlags);
    }
    for (const char* title : {"Toolbox", "TOOLBOX", "Field Menu", "field menu", "Object Designer"}) {
        const WindowHandle w = t.desktop.AddTopLevel(title, true, {100, 50, 120, 300});
        if (title == std::string("Toolbox")) want.emplace_back(w, 0, 468, 120, 300, kClientMoveFlags);
        if (title == std::string("Field Menu")) want.emplace_back(w, 904, 0, 120, 768, kClientMoveFlags);
    }
    SetRules(false);
    EXPECT_TRUE(Tick().empty());
    SetRules(true);
    EXPECT_EQ(Tick(), want);
    EXPECT_TRUE(Tick().empty());  // a settled layout issues no moves
}

TEST_F(GlueTick, ListWindowGoesBesideEachDesignerAndFollowsAMinimisedOneOnlyWithItsRuleOff) {
    const WindowHandle first = Child("Object Designer", {30, 40, 300, 500});
    const WindowHandle second = Child("Object Designer", {60, 10, 250, 400});
    EXPECT_EQ(Tick(), (std::vector<Call>{{first, 0, 0, 300, 700, kClientMoveFlags},
                                         {list, 300, 0, 0, 0, kListMoveFlags},
                                         {second, 0, 0, 250, 700, kClientMoveFlags},
                                         {list, 250, 0, 0, 0, kListMoveFlags}}));
    t.desktop.Remove(first);
    t.desktop.Get(second).iconic = true;
    t.desktop.Get(second).place = {0, 650, 160, 24};
    EXPECT_TRUE(Tick().empty());
    t.app.settings.glueObjectDesigner = false;
    EXPECT_EQ(Tick(), (std::vector<Call>{{list, 160, 0, 0, 0, kListMoveFlags}}));
}

// A window met before the client's main window in the walk is judged against
// where the client stood after the previous tick.
TEST_F(GlueTick, AToolboxAboveTheClientFollowsItOneTickLate) {
    const WindowHandle above = t.desktop.AddTopLevel("Toolbox", true, {100, 50, 120, 300});
    t.desktop.BringToFront(above);
    t.desktop.BringToFront(list);
    const WindowHandle below = t.desktop.AddTopLevel("Toolbox", true, {100, 50, 120, 300});
    const std::pair<int, int> afterTick[] = {{50, 468}, {468, 468}, {468, 300}, {300, 300}};  // above, below
    for (int tick = 0; tick < 4; ++tick) {
        if (tick == 2) t.desktop.Get(client.main).place.h = 600;
        Tick();
        EXPECT_EQ(std::make_pair(At(above).y, At(below).y), afterTick[tick]) << "tick " << tick;
    }
}

TEST_F(GlueTick, NothingIsPlacedAgainstAMinimisedClientAndAllIsGluedAgainAfterRestore) {
    const WindowHandle windows[] = {Child("Object Designer", {30, 40, 300, 500}),
                                    Child("Main Menu", {10, 10, 150, 200}),
                                    t.desktop.AddTopLevel("Toolbox", true, {100, 50, 120, 300}),
                                    t.desktop.AddTopLevel("Field Menu", true, {10, 10, 180, 400})};
    Tick();
    auto& main = t.desktop.Get(client.main);
    main.iconic = true;
    main.place = {-32000, -32000, 160, 24};
    t.desktop.SetClientSize(client.mdiArea, 0, 0);
    for (WindowHandle w : windows) t.desktop.Get(w).place = {5, 5, 100, 100};
    EXPECT_TRUE(Tick().empty());
    EXPECT_TRUE(Tick().empty());

    main.iconic = false;
    main.place = {0, 0, 1024, 768};
    t.desktop.SetClientSize(client.mdiArea, 1000, 700);
    Tick();
    const Placement glued[] = {{0, 0, 100, 700}, {900, 600, 100, 100}, {0, 668, 100, 100}, {924, 0, 100, 768}};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(At(windows[i]), glued[i]) << i;
}

}  // namespace
}  // namespace brisolt
