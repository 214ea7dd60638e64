#include "titles/titles.h"

#include "titles/designer_title.h"

#include <gtest/gtest.h>

#include <string>

namespace brisolt {
namespace {

constexpr auto kFormular = FormDesignerVariant::Formular;
constexpr auto kForm = FormDesignerVariant::Form;

struct IdentityCase {
    std::string title;
    FormDesignerVariant variant;
    std::string key, name, number, codeText;
};

void PrintTo(const IdentityCase& c, std::ostream* os) { *os << "'" << c.title << "'"; }

class TitleIdentityTest : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(TitleIdentityTest, KeyNameNumberAndCode) {
    const IdentityCase& c = GetParam();
    std::string key = ObjectKeyFromTitle(c.title);
    EXPECT_EQ(key, c.key);
    EXPECT_EQ(ObjectNameFromTitle(c.title, c.variant), c.name);
    if (key.empty()) return;
    EXPECT_EQ(ObjectNumberFromKey(key), c.number);
    EXPECT_EQ(ObjectTypeCodeText(key), c.codeText);

    // What the scan reads from a designer title once says the same.
    if (!IsDesignerTitle(c.title, c.variant)) return;
    const DesignerIdentity identity = IdentifyDesigner(c.title, c.variant);
    EXPECT_EQ(std::to_string(identity.typeCode), c.codeText);
    EXPECT_EQ(identity.Key(c.title), c.key);
    EXPECT_EQ(identity.Name(c.title), c.name);
    EXPECT_EQ(identity.Number(c.title), c.number);
    EXPECT_EQ(identity.ShortTitle(c.title), ShortTitle(c.title, true, c.variant));
}

INSTANTIATE_TEST_SUITE_P(
    Titles, TitleIdentityTest,
    ::testing::Values(
        IdentityCase{"Table 123 Demo Orders - Table Designer", kFormular, "Table 123", "Demo Orders", "123", "0"},
        IdentityCase{"Form 21 Demo Card - Formular Designer", kFormular, "Form 21", "Demo Card", "21", "1"},
        IdentityCase{"Form 21 Demo Card - Form Designer", kForm, "Form 21", "Demo Card", "21", "1"},
        IdentityCase{"Report 10000 Demo List - Report Designer", kFormular, "Report 10000", "Demo List", "10000", "2"},
        IdentityCase{"Dataport 81000 Demo Import - Dataport Designer", kFormular, "Dataport 81000", "Demo Import",
                     "81000", "3"},
        IdentityCase{"Codeunit 456 Demo Posting - C/AL Editor", kFormular, "Codeunit 456", "Demo Posting", "456", "4"},
        // Names keep their inner blanks and hyphens.
        IdentityCase{"Table 77 Demo Order Line - Table Designer", kFormular, "Table 77", "Demo Order Line", "77", "0"},
        IdentityCase{"Report 90 Demo - Top 10 List - Report Designer", kFormular, "Report 90", "Demo - Top 10 List",
                     "90", "2"},
        IdentityCase{"Codeunit 1 \"Quoted, Name\" - C/AL Editor", kFormular, "Codeunit 1", "\"Quoted, Name\"", "1",
                     "4"},
        // Nothing between the number and the suffix: an empty name.
        IdentityCase{"Table 123 - Table Designer", kFormular, "Table 123", "", "123", "0"},
        IdentityCase{"Form 5 - Form Designer", kForm, "Form 5", "", "5", "1"},
        // A key with no blank behind it is the whole title, and has no name.
        IdentityCase{"Table 123", kFormular, "Table 123", "", "123", "0"},
        IdentityCase{"Codeunit 9 ", kFormular, "Codeunit 9", "", "9", "4"},
        // No type word: no key, no name.
        IdentityCase{"Object Designer", kFormular, "", "", "", ""},
        IdentityCase{"table 123 Demo Orders - Table Designer", kFormular, "", "", "", ""},
        IdentityCase{"Table", kFormular, "", "", "", ""},
        IdentityCase{"", kFormular, "", "", "", ""}));

// Every cut of a real title, from either end: the key is a prefix of the
// title and the name a part of it; nothing is read beyond the text.
TEST(TitleIdentity, AnyCutOfATitleStaysInsideIt) {
    const std::string titles[] = {"Table 123 Demo Orders - Table Designer", "Form 21 Demo Card - Formular Designer",
                                  "Dataport 81000 Demo Import - Dataport Designer",
                                  "Codeunit 456 Demo Posting - C/AL Editor"};
    for (const std::string& full : titles) {
        for (std::size_t from = 0; from <= full.size(); ++from) {
            for (std::size_t length = 0; from + length <= full.size(); ++length) {
                std::string title = full.substr(from, length);
                for (auto variant : {kFormular, kForm}) {
                    std::string key = ObjectKeyFromTitle(title);
                    std::string name = ObjectNameFromTitle(title, variant);
                    EXPECT_EQ(title.compare(0, key.size(), key), 0) << title;
                    EXPECT_NE(title.find(name), std::string::npos) << title;
                    EXPECT_LE(key.size() + name.size(), title.size()) << title;
                    const DesignerIdentity identity = IdentifyDesigner(title, variant);
                    if (identity.IsDesigner()) {
                        EXPECT_EQ(identity.Key(title), key) << title;
                        EXPECT_EQ(identity.Name(title), name) << title;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace brisolt
