#include "monitor/company.h"

#include <gtest/gtest.h>

#include <string>

#include "monitor/scan_cycle.h"
#include "sim_client.h"
#include "test_app.h"

namespace brisolt {
namespace {

struct CompanyCase {
    const char* name;
    std::string mainTitle;
    int clientWindows;
    std::string company;  // empty: no company
    std::string parent = "- Navi";
};

void PrintTo(const CompanyCase& c, std::ostream* os) { *os << c.name; }

class CompanyTickTest : public ::testing::TestWithParam<CompanyCase> {};

TEST_P(CompanyTickTest, LabelCaptionAndTooltip) {
    const CompanyCase& c = GetParam();
    test::TestApp t;
    test::SimClient client(t.desktop, c.mainTitle);
    for (int i = 0; i < c.clientWindows; ++i) client.Open("Object Designer");
    t.app.forms.frmAllgemein.edParent.Text = c.parent;
    t.app.forms.frmMain.Caption = "stale";

    tmr1_Timer(t.app);

    ASSERT_EQ(t.app.scan.ClientMainWindow, client.main);
    const std::string caption = c.company.empty() ? "Brisolt light" : c.company + " - Brisolt light";
    EXPECT_EQ(t.app.forms.frmAllgemein.lblMandantName.Caption, c.company);
    EXPECT_EQ(t.app.forms.frmMain.Caption, caption);
    EXPECT_EQ(t.app.forms.frmMain.tic1.ToolTip, caption);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, CompanyTickTest,
    ::testing::Values(CompanyCase{"Company", "Muster GmbH - Navision Financials", 1, "Muster GmbH"},
                      // The character in front of the marker is always dropped.
                      CompanyCase{"NoBlankBeforeMarker", "Muster- Navision Financials", 1, "Muste"},
                      CompanyCase{"OneCharacter", "A - Navision Financials", 1, "A"},
                      CompanyCase{"MarkerAtTheStart", "- Navision Financials", 1, ""},
                      CompanyCase{"BlankThenMarker", " - Navision Financials", 1, ""},
                      // A database file instead of a company, in any capitals.
                      CompanyCase{"DatabaseFile", "C:\\Data\\test.fdb - Navision Financials", 1, ""},
                      CompanyCase{"DatabaseFileMixed", "Demo.FdB - Navision Financials", 1, ""},
                      CompanyCase{"OnlyDatabaseEnding", ".fdb - Navision Financials", 1, ""},
                      CompanyCase{"NotQuiteDatabase", "Demo.fdbx - Navision Financials", 1, "Demo.fdbx"},
                      CompanyCase{"ShortName", "fdb - Navision Financials", 1, "fdb"},
                      CompanyCase{"NoClientWindow", "Muster GmbH - Navision Financials", 0, ""},
                      CompanyCase{"NoMarker", "Muster Client", 1, "", "Client"}),
    [](const ::testing::TestParamInfo<CompanyCase>& info) { return info.param.name; });

TEST(CompanyTick, ClearedWhenTheClientQuits) {
    test::TestApp t;
    test::SimClient client(t.desktop);
    client.Open("Object Designer");
    tmr1_Timer(t.app);
    ASSERT_EQ(t.app.forms.frmMain.tic1.ToolTip, "Muster GmbH - Brisolt light");

    client.Quit();
    tmr1_Timer(t.app);
    EXPECT_EQ(t.app.forms.frmAllgemein.lblMandantName.Caption, "");
    EXPECT_EQ(t.app.forms.frmMain.Caption, "Brisolt light");
    EXPECT_EQ(t.app.forms.frmMain.tic1.ToolTip, "Brisolt light");
}

}  // namespace
}  // namespace brisolt
