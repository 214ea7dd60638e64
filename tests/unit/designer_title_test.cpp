#include "monitor/designer_title.h"

#include <gtest/gtest.h>

#include <string>

#include "test_app.h"

namespace brisolt {
namespace {

struct DesignerCase {
    std::string title;
    int optFormularDesigner;  // value of the option button
    bool designer;
    std::string shortForm;  // with short names on; empty: the title unchanged
};

void PrintTo(const DesignerCase& c, std::ostream* os) {
    *os << "'" << c.title << "' optFormularDesigner=" << c.optFormularDesigner;
}

class DesignerTitleTest : public ::testing::TestWithParam<DesignerCase> {};

TEST_P(DesignerTitleTest, ClassifiesAndShortens) {
    const DesignerCase& c = GetParam();
    FormDesignerVariant variant = FormVariantOf(c.optFormularDesigner);
    EXPECT_EQ(IsDesignerTitle(c.title, variant), c.designer);
    EXPECT_EQ(ShortTitle(c.title, true, variant), c.shortForm.empty() ? c.title : c.shortForm);
    EXPECT_EQ(ShortTitle(c.title, false, variant), c.title);
}

const std::string kLongTableTitle = "Table 1 " + std::string(120, 'x') + " - Table Designer";

INSTANTIATE_TEST_SUITE_P(
    Titles, DesignerTitleTest,
    ::testing::Values(
        DesignerCase{"Table 123 Demo Orders - Table Designer", 1, true, "Table 123 Demo Orders"},
        DesignerCase{"Table 5 - Table Designer", 1, true, "Table 5"},
        DesignerCase{"Report 90 Demo - Top 10 List - Report Designer", 1, true, "Report 90 Demo - Top 10 List"},
        DesignerCase{"Dataport 5 Demo Import - Dataport Designer", 1, true, "Dataport 5 Demo Import"},
        DesignerCase{"Codeunit 456 Demo Posting - C/AL Editor", 1, true, "Codeunit 456 Demo Posting"},
        // Number 0: never a designer, except for codeunits.
        DesignerCase{"Table 0 - Table Designer", 1, false, ""},
        DesignerCase{"Table 012 Demo - Table Designer", 1, false, ""},
        DesignerCase{"Form 0 Demo - Formular Designer", 1, false, ""},
        DesignerCase{"Report 0 Demo - Report Designer", 1, false, ""},
        DesignerCase{"Dataport 0 Demo - Dataport Designer", 1, false, ""},
        DesignerCase{"Codeunit 0 - C/AL Editor", 1, true, "Codeunit 0"},
        // The C/AL Editor counts only for codeunits.
        DesignerCase{"Table 123 Demo Orders - C/AL Editor", 1, false, ""},
        // One form designer title at a time; any value but 1 means " - Form Designer".
        DesignerCase{"Form 21 Demo Card - Formular Designer", 1, true, "Form 21 Demo Card"},
        DesignerCase{"Form 21 Demo Card - Formular Designer", 0, false, ""},
        DesignerCase{"Form 21 Demo Card - Form Designer", 0, true, "Form 21 Demo Card"},
        DesignerCase{"Form 21 Demo Card - Form Designer", 1, false, ""},
        DesignerCase{"Form 21 Demo Card - Form Designer", 2, true, "Form 21 Demo Card"},
        // No digit behind the type word; wrong capitals; no type word; too short.
        DesignerCase{"Table X1 Demo - Table Designer", 1, false, ""},
        DesignerCase{"Table  1 Demo - Table Designer", 1, false, ""},
        DesignerCase{"table 123 Demo Orders - Table Designer", 1, false, ""},
        DesignerCase{"Table 123 Demo Orders - table Designer", 1, false, ""},
        DesignerCase{"Object Designer", 1, false, ""},
        DesignerCase{" - Table Designer", 1, false, ""},
        DesignerCase{"Table 1- Table Designer", 1, false, ""},
        DesignerCase{"Table 1", 1, false, ""},
        DesignerCase{"Codeunit ", 1, false, ""},
        DesignerCase{"", 1, false, ""},
        // A title cut to 126 characters by the scan has lost its suffix.
        DesignerCase{kLongTableTitle, 1, true, kLongTableTitle.substr(0, kLongTableTitle.size() - 17)},
        DesignerCase{kLongTableTitle.substr(0, 126), 1, false, ""}));

TEST(DesignerTitle, ReadsTheOptionsAtEachCall) {
    test::TestApp t;
    auto& variant = t.app.forms.frmOptions.optFormularDesigner.Value;
    auto& shortNames = t.app.forms.frmFensterliste.chkShortNames.Value;
    const std::string formular = "Form 21 Demo Card - Formular Designer";

    variant = 1;
    shortNames = 0;
    EXPECT_TRUE(IsDesignerTitle(t.app, formular));
    EXPECT_EQ(ShortTitle(t.app, formular), formular);

    shortNames = 2;  // any value but 0 is on
    EXPECT_EQ(ShortTitle(t.app, formular), "Form 21 Demo Card");

    variant = 0;
    EXPECT_FALSE(IsDesignerTitle(t.app, formular));
    EXPECT_EQ(ShortTitle(t.app, formular), formular);
    EXPECT_EQ(ShortTitle(t.app, "Form 21 Demo Card - Form Designer"), "Form 21 Demo Card");
}

}  // namespace
}  // namespace brisolt
