// The demo client's scenario file, read the way the end-to-end tests write it.
#include "democlient/scenario.h"

#include <gtest/gtest.h>

namespace democlient {
namespace {

TEST(ScenarioParse, FullFile_AllLinesRead) {
    Scenario sc = ParseScenario(
        "# the e2e scene\r\n"
        "title=Muster GmbH - Navision Financials\r\n"
        "frame=0,0,1024,768\r\n"
        "\r\n"
        "child=Table 18 Customer - Table Designer|300,20,400,250\r\n"
        "child=Main Menu|min\r\n"
        "child=Object Designer\r\n"
        "tool=Toolbox|700,300,120,200\r\n"
        "tool=Field Menu\r\n"
        "churn=500\r\n"
        "sleep=8000\r\n");
    EXPECT_EQ(sc.title, "Muster GmbH - Navision Financials");
    ASSERT_TRUE(sc.frame);
    EXPECT_EQ(*sc.frame, (Box{0, 0, 1024, 768}));
    ASSERT_EQ(sc.children.size(), 3u);
    EXPECT_EQ(sc.children[0].title, "Table 18 Customer - Table Designer");
    EXPECT_EQ(sc.children[0].box, (Box{300, 20, 400, 250}));
    EXPECT_FALSE(sc.children[0].minimised);
    EXPECT_EQ(sc.children[1].title, "Main Menu");
    EXPECT_TRUE(sc.children[1].minimised);
    EXPECT_FALSE(sc.children[1].box);
    EXPECT_EQ(sc.children[2].title, "Object Designer");
    ASSERT_EQ(sc.tools.size(), 2u);
    EXPECT_EQ(sc.tools[0].box, (Box{700, 300, 120, 200}));
    EXPECT_FALSE(sc.tools[1].box);
    EXPECT_EQ(sc.churnMs, 500);
    EXPECT_EQ(sc.sleepMs, 8000);
}

TEST(ScenarioParse, EmptyFile_DefaultTitleNoWindows) {
    Scenario sc = ParseScenario("");
    EXPECT_EQ(sc.title, "Muster GmbH - Navision Financials");
    EXPECT_FALSE(sc.frame);
    EXPECT_TRUE(sc.children.empty());
    EXPECT_TRUE(sc.tools.empty());
    EXPECT_EQ(sc.churnMs, 0);
}

TEST(ScenarioParse, ChildOptions_AnyOrderLaterBoxWins) {
    Scenario sc = ParseScenario(
        "child=A|min|1,2,3,4\n"
        "child=B|5,6,7,8|min\n"
        "child=C|1,1,1,1|9,9,9,9\n");
    ASSERT_EQ(sc.children.size(), 3u);
    EXPECT_TRUE(sc.children[0].minimised);
    EXPECT_EQ(sc.children[0].box, (Box{1, 2, 3, 4}));
    EXPECT_TRUE(sc.children[1].minimised);
    EXPECT_EQ(sc.children[1].box, (Box{5, 6, 7, 8}));
    EXPECT_EQ(sc.children[2].box, (Box{9, 9, 9, 9}));
}

TEST(ScenarioParse, TitlesKeepEqualsSignsAndBlanks) {
    Scenario sc = ParseScenario("title=a=b - Navision Financials \nchild=Report 90 Demo - Top 10 List - Report Designer\n");
    EXPECT_EQ(sc.title, "a=b - Navision Financials ");
    ASSERT_EQ(sc.children.size(), 1u);
    EXPECT_EQ(sc.children[0].title, "Report 90 Demo - Top 10 List - Report Designer");
}

TEST(ScenarioParse, MalformedValues_Ignored) {
    Scenario sc = ParseScenario(
        "frame=1,2,3\n"
        "child=|min\n"
        "child=X|1,2,three,4\n"
        "tool=\n"
        "churn=-5\n"
        "nonsense line\n"
        "colour=red\n");
    EXPECT_FALSE(sc.frame);
    ASSERT_EQ(sc.children.size(), 1u);
    EXPECT_EQ(sc.children[0].title, "X");
    EXPECT_FALSE(sc.children[0].box);
    EXPECT_TRUE(sc.tools.empty());
    EXPECT_EQ(sc.churnMs, 0);
}

TEST(ScenarioParseBox, Table) {
    struct Case {
        const char* text;
        bool ok;
        Box box;
    };
    const Case cases[] = {
        {"0,0,1024,768", true, {0, 0, 1024, 768}},
        {" -8 , 10,200 ,300 ", true, {-8, 10, 200, 300}},
        {"1,2,3", false, {}},
        {"1,2,3,4,5", false, {}},
        {"1,2,,4", false, {}},
        {"1,2,3,4x", false, {}},
        {"", false, {}},
    };
    for (const auto& c : cases) {
        auto box = ParseBox(c.text);
        EXPECT_EQ(box.has_value(), c.ok) << c.text;
        if (box && c.ok) EXPECT_EQ(*box, c.box) << c.text;
    }
}

}  // namespace
}  // namespace democlient
