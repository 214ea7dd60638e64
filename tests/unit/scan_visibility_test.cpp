// Which client windows the scan collects as the client's windows and their
// ancestors are shown or hidden: a window counts as visible only while it and
// every ancestor (MDI area, main window) are; the first one is collected even
// while hidden.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/scan_cycle.h"
#include "sim_client.h"
#include "test_app.h"

namespace brisolt {
namespace {

struct VisibilityCase {
    const char* name;
    bool mainShown, areaShown;
    std::vector<bool> childShown;  // front-most first
    std::vector<std::string> collected;
};

void PrintTo(const VisibilityCase& c, std::ostream* os) { *os << c.name; }

class ScanVisibilityTest : public ::testing::TestWithParam<VisibilityCase> {};

TEST_P(ScanVisibilityTest, CollectsVisibleChildrenOfVisibleAncestorsAndTheFirstAlways) {
    const VisibilityCase& c = GetParam();
    test::TestApp t;
    t.desktop.AddTopLevel("Some editor");  // the topmost window is never the client
    test::SimClient client(t.desktop);
    const char* const titles[] = {"A - Table Designer", "B - Form Designer", "C - Report Designer"};
    for (std::size_t i = 0; i < c.childShown.size(); ++i) client.Open(titles[i], c.childShown[i]);
    t.desktop.Get(client.main).visible = c.mainShown;
    t.desktop.Get(client.mdiArea).visible = c.areaShown;

    tmr1_Timer(t.app);

    std::vector<std::string> rows;
    for (int i = 0; i < t.app.scan.Objects.Count; ++i) rows.push_back(t.app.scan.Objects.Rows[i].Title);
    EXPECT_EQ(c.collected, rows);
    EXPECT_EQ(client.main, t.app.scan.ClientMainWindow);  // found, shown or not
    // The main window is listed among the top-level windows only while shown.
    EXPECT_EQ(c.mainShown ? 2 : 1, t.app.scan.TopWindowCount);
}

const char* const A = "A - Table Designer";
const char* const B = "B - Form Designer";
const char* const C = "C - Report Designer";

INSTANTIATE_TEST_SUITE_P(
    Ancestors, ScanVisibilityTest,
    ::testing::Values(
        VisibilityCase{"AllShown", true, true, {true, true, true}, {A, B, C}},
        VisibilityCase{"HiddenMiddleChildSkipped", true, true, {true, false, true}, {A, C}},
        VisibilityCase{"HiddenFirstChildStillCollected", true, true, {false, true, true}, {A, B, C}},
        VisibilityCase{"HiddenMdiAreaLeavesOnlyTheFirst", true, false, {true, true, true}, {A}},
        VisibilityCase{"HiddenMainWindowLeavesOnlyTheFirst", false, true, {true, true, true}, {A}},
        VisibilityCase{"HiddenMainAndFirstChild", false, true, {false, true, true}, {A}},
        VisibilityCase{"HiddenAreaWithOneChild", true, false, {true}, {A}}),
    [](const ::testing::TestParamInfo<VisibilityCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace brisolt
