#include "titles/designer_title.h"

#include <gtest/gtest.h>

#include <string>

namespace brisolt {
namespace {

struct DesignerCase {
    std::string title;
    bool formular;  // form designers titled " - Formular Designer"
    bool designer;
    std::string shortForm;  // with short names on; empty: the title unchanged
};

void PrintTo(const DesignerCase& c, std::ostream* os) {
    *os << "'" << c.title << "' formular=" << c.formular;
}

class DesignerTitleTest : public ::testing::TestWithParam<DesignerCase> {};

TEST_P(DesignerTitleTest, ClassifiesAndShortens) {
    const DesignerCase& c = GetParam();
    FormDesignerVariant variant = FormVariantOf(c.formular);
    EXPECT_EQ(IsDesignerTitle(c.title, variant), c.designer);
    EXPECT_EQ(ShortTitle(c.title, true, variant), c.shortForm.empty() ? c.title : c.shortForm);
    EXPECT_EQ(ShortTitle(c.title, false, variant), c.title);
}

const std::string kLongTableTitle = "Table 1 " + std::string(120, 'x') + " - Table Designer";

INSTANTIATE_TEST_SUITE_P(
    Titles, DesignerTitleTest,
    ::testing::Values(
        DesignerCase{"Table 123 Demo Orders - Table Designer", true, true, "Table 123 Demo Orders"},
        DesignerCase{"Table 5 - Table Designer", true, true, "Table 5"},
        DesignerCase{"Report 90 Demo - Top 10 List - Report Designer", true, true, "Report 90 Demo - Top 10 List"},
        DesignerCase{"Dataport 5 Demo Import - Dataport Designer", true, true, "Dataport 5 Demo Import"},
        DesignerCase{"Codeunit 456 Demo Posting - C/AL Editor", true, true, "Codeunit 456 Demo Posting"},
        // Number 0: never a designer, except for codeunits.
        DesignerCase{"Table 0 - Table Designer", true, false, ""},
        DesignerCase{"Table 012 Demo - Table Designer", true, false, ""},
        DesignerCase{"Form 0 Demo - Formular Designer", true, false, ""},
        DesignerCase{"Report 0 Demo - Report Designer", true, false, ""},
        DesignerCase{"Dataport 0 Demo - Dataport Designer", true, false, ""},
        DesignerCase{"Codeunit 0 - C/AL Editor", true, true, "Codeunit 0"},
        // The C/AL Editor counts only for codeunits.
        DesignerCase{"Table 123 Demo Orders - C/AL Editor", true, false, ""},
        // One form designer title at a time.
        DesignerCase{"Form 21 Demo Card - Formular Designer", true, true, "Form 21 Demo Card"},
        DesignerCase{"Form 21 Demo Card - Formular Designer", false, false, ""},
        DesignerCase{"Form 21 Demo Card - Form Designer", false, true, "Form 21 Demo Card"},
        DesignerCase{"Form 21 Demo Card - Form Designer", true, false, ""},
        // No digit behind the type word; wrong capitals; no type word; too short.
        DesignerCase{"Table X1 Demo - Table Designer", true, false, ""},
        DesignerCase{"Table  1 Demo - Table Designer", true, false, ""},
        DesignerCase{"table 123 Demo Orders - Table Designer", true, false, ""},
        DesignerCase{"Table 123 Demo Orders - table Designer", true, false, ""},
        DesignerCase{"Object Designer", true, false, ""},
        DesignerCase{" - Table Designer", true, false, ""},
        DesignerCase{"Table 1- Table Designer", true, false, ""},
        DesignerCase{"Table 1", true, false, ""},
        DesignerCase{"Codeunit ", true, false, ""},
        DesignerCase{"", true, false, ""},
        // A title cut to 126 characters by the scan has lost its suffix.
        DesignerCase{kLongTableTitle, true, true, kLongTableTitle.substr(0, kLongTableTitle.size() - 17)},
        DesignerCase{kLongTableTitle.substr(0, 126), true, false, ""}));

}  // namespace
}  // namespace brisolt
