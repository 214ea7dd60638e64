#include "monitor/duplicates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/scan_cycle.h"
#include "sim_client.h"
#include "test_app.h"

namespace brisolt {
namespace {

const std::string kOrders = "Table 123 Demo Orders - Table Designer";
const std::string kCard = "Form 21 Demo Card - Formular Designer";
const std::string kPosting = "Codeunit 456 Demo Posting - C/AL Editor";
const std::string kLongA = "Table 1 " + std::string(130, 'a') + "A - Table Designer";
const std::string kLongB = "Table 1 " + std::string(130, 'a') + "B - Table Designer";

struct DuplicateCase {
    const char* name;
    std::vector<std::string> titles;  // client windows, front-most first
    int optFormularDesigner;
    std::vector<bool> flags;
    long long requests;  // exclamation requests per tick with the alarm on
};

void PrintTo(const DuplicateCase& c, std::ostream* os) { *os << c.name; }

class DuplicateTickTest : public ::testing::TestWithParam<DuplicateCase> {};

TEST_P(DuplicateTickTest, FlagsRowsAndRequestsOncePerOrderedPair) {
    const DuplicateCase& c = GetParam();
    test::TestApp t;
    test::SimClient client(t.desktop);
    for (const std::string& title : c.titles) client.Open(title);
    t.app.forms.frmOptions.optFormularDesigner.Value = c.optFormularDesigner;
    t.app.forms.frmAllgemein.chkAlarm.Value = 1;

    for (int tick = 1; tick <= 2; ++tick) {
        tmr1_Timer(t.app);
        const OpenObjectTable& table = t.app.scan.Objects;
        ASSERT_EQ(table.Count, static_cast<int>(c.titles.size()));
        std::vector<bool> flags;
        for (int i = 0; i < table.Count; ++i) flags.push_back(table.Rows[i].Duplicate);
        EXPECT_EQ(flags, c.flags);
        // Requested again in every tick, and handed to the sound in one call.
        EXPECT_EQ(t.sound.exclamations, tick * c.requests);
        EXPECT_EQ(t.sound.calls, c.requests > 0 ? tick : 0);
    }
    EXPECT_EQ(MarkDuplicates(t.app), c.requests);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, DuplicateTickTest,
    ::testing::Values(
        DuplicateCase{"TwoWindows", {kOrders, kOrders}, 1, {true, true}, 2},
        DuplicateCase{"ThreeWindows", {kOrders, kOrders, kOrders}, 1, {true, true, true}, 6},
        DuplicateCase{"PairsAmongOthers", {kOrders, kCard, "Object Designer", kOrders, kPosting, kCard}, 1,
                      {true, true, false, true, false, true}, 4},
        DuplicateCase{"ThreeAndTwo", {kCard, kOrders, kCard, kOrders, kCard}, 1, {true, true, true, true, true}, 8},
        DuplicateCase{"AllDistinct", {kOrders, kCard, kPosting}, 1, {false, false, false}, 0},
        DuplicateCase{"NumberZeroTables", {"Table 0 - Table Designer", "Table 0 - Table Designer"}, 1,
                      {false, false}, 0},
        DuplicateCase{"NumberZeroCodeunits", {"Codeunit 0 - C/AL Editor", "Codeunit 0 - C/AL Editor"}, 1,
                      {true, true}, 2},
        DuplicateCase{"DifferentCapitals", {kOrders, "Table 123 Demo ORDERS - Table Designer"}, 1, {false, false}, 0},
        DuplicateCase{"NoDesignerTitles", {"Object Designer", "Object Designer"}, 1, {false, false}, 0},
        DuplicateCase{"OtherFormSuffix", {kCard, kCard}, 0, {false, false}, 0},
        DuplicateCase{"FormDesigner", {"Form 21 Demo Card - Form Designer", "Form 21 Demo Card - Form Designer"}, 0,
                      {true, true}, 2},
        // Cut to 126 characters both read the same, but have lost their suffix.
        DuplicateCase{"EqualOnlyWhenCut", {kLongA, kLongB}, 1, {false, false}, 0}),
    [](const ::testing::TestParamInfo<DuplicateCase>& info) { return info.param.name; });

TEST(DuplicateTick, NoSoundUnlessTheAlarmIsExactlyOne) {
    for (int alarm : {0, 2, -1}) {
        test::TestApp t;
        test::SimClient client(t.desktop);
        client.Open(kOrders);
        client.Open(kOrders);
        t.app.forms.frmAllgemein.chkAlarm.Value = alarm;
        tmr1_Timer(t.app);
        EXPECT_TRUE(t.app.scan.Objects.Rows[0].Duplicate && t.app.scan.Objects.Rows[1].Duplicate) << alarm;
        EXPECT_EQ(t.sound.calls, 0) << alarm;
        EXPECT_EQ(MarkDuplicates(t.app), 0) << alarm;
    }
}

TEST(DuplicateTick, ClosingOneOfThePairClearsTheFlag) {
    test::TestApp t;
    test::SimClient client(t.desktop);
    client.Open(kOrders);
    WindowHandle second = client.Open(kOrders);
    t.app.forms.frmAllgemein.chkAlarm.Value = 1;
    tmr1_Timer(t.app);
    ASSERT_TRUE(t.app.scan.Objects.Rows[0].Duplicate);

    t.desktop.Remove(second);
    tmr1_Timer(t.app);
    ASSERT_EQ(t.app.scan.Objects.Count, 1);
    EXPECT_FALSE(t.app.scan.Objects.Rows[0].Duplicate);
    EXPECT_EQ(t.sound.exclamations, 2);  // nothing more after the first tick
}

}  // namespace
}  // namespace brisolt
