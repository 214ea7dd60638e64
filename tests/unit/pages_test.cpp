#include <gtest/gtest.h>

#include "dialogs/general_page.h"
#include "dialogs/info_page.h"
#include "dialogs/list_page.h"
#include "listwin/list_window.h"
#include "test_app.h"

namespace brisolt {
namespace {

class PagesTest : public ::testing::Test {
protected:
    test::TestApp t;
    App& app = t.app;
    void SetUp() override { frmFensterliste_Load(app); }
};

TEST_F(PagesTest, ColourButtonsRepaintTheirPreviewsAndKeepACancelledColour) {
    app.shell.FarbeNormal = 0x111111;
    app.shell.FarbeAlarm = 0x222222;
    auto& l = app.forms.frmFensterliste;

    t.ui.colorChosen = true;
    t.ui.colorChoice = 0x00FF00;
    cmdColorAlarm_Click(app);
    EXPECT_EQ(t.ui.lastColorFlags, 3u);
    EXPECT_EQ(app.shell.FarbeAlarm, 0x00FF00u);
    EXPECT_EQ(l.lblPreview1.BackColor, 0x00FF00u);
    EXPECT_EQ(l.lblPreview3.BackColor, 0x00FF00u);
    EXPECT_NE(l.lblPreview2.BackColor, 0x00FF00u);

    t.ui.colorChoice = 0x0000AA;
    cmdColorNormal_Click(app);
    EXPECT_EQ(app.shell.FarbeNormal, 0x0000AAu);
    EXPECT_EQ(l.lblPreview2.BackColor, 0x0000AAu);
    EXPECT_EQ(l.lblPreview1.BackColor, 0x00FF00u);

    t.ui.colorChosen = false;  // cancelled
    cmdColorNormal_Click(app);
    EXPECT_EQ(app.shell.FarbeNormal, 0x0000AAu);
}

TEST_F(PagesTest, FontChoiceMovesTheListFontAndCentresThePreviewsOnTheAlarmButton) {
    auto& l = app.forms.frmFensterliste;
    l.cmdColorAlarm.Top = 100;
    for (int index : {0, 1, 2}) {
        l.cbFont.ListIndex = index;
        cbFont_Click(app);
        EXPECT_EQ(t.listWindow.canvas.fontName, kListFonts[index].fontName);
        EXPECT_EQ(t.listWindow.canvas.fontSize, kListFonts[index].sizePt);
        const double h = l.lblPreview1.Height;
        EXPECT_GT(h, 0);
        EXPECT_DOUBLE_EQ(l.lblPreview1.Top, 100 - h * 1.5);
        EXPECT_DOUBLE_EQ(l.lblPreview2.Top, l.lblPreview1.Top + h);
        EXPECT_DOUBLE_EQ(l.lblPreview3.Top, l.lblPreview2.Top + h);
        EXPECT_DOUBLE_EQ(l.lblPreview3.Width, l.lblPreview1.Width);
        EXPECT_EQ(l.lblPreview2.FontName, kListFonts[index].fontName);
        // The preview is as wide as its caption plus a full stop.
        EXPECT_DOUBLE_EQ(l.lblPreview1.Width,
                         t.textMeasure.TextWidth("", kListFonts[index].sizePt, l.lblPreview1.Caption + ".") / 15);
    }
    const double smallHeight = l.lblPreview1.Height;
    l.cbFont.ListIndex = 0;
    cbFont_Click(app);
    EXPECT_GT(l.lblPreview1.Height, smallHeight);
}

TEST_F(PagesTest, DynamicFontsDisableTheFontChoiceWithoutChangingIt) {
    auto& l = app.forms.frmFensterliste;
    l.cbFont.ListIndex = 2;
    l.chkDynamicFonts.Value = 1;
    chkDynamicFonts_Click(app);
    EXPECT_FALSE(l.cbFont.Enabled);
    l.chkDynamicFonts.Value = 0;
    chkDynamicFonts_Click(app);
    EXPECT_TRUE(l.cbFont.Enabled);
    EXPECT_EQ(l.cbFont.ListIndex, 2);
}

TEST_F(PagesTest, LogFileBrowseAndView) {
    auto& g = app.forms.frmAllgemein;
    g.edLogFilename.Text = "C:\\old.log";
    cmdLogBrowse_Click(app);  // closed without a file
    EXPECT_EQ(g.edLogFilename.Text, "C:\\old.log");
    EXPECT_EQ(t.ui.lastOpenFile.flags, 0x1800u);
    EXPECT_EQ(t.ui.lastOpenFile.filter, "Text/ASCII (*.txt; *.asc; *.log)|*.txt;*.asc;*.log|All files|*.*");
    EXPECT_EQ(t.ui.lastOpenFile.defaultExt, "txt");
    EXPECT_EQ(t.ui.lastOpenFile.fileName, "");  // not preset from the log name

    t.ui.fileChoice = "C:\\new.log";
    cmdLogBrowse_Click(app);
    EXPECT_EQ(g.edLogFilename.Text, "C:\\new.log");

    cmdLogView_Click(app);  // the file does not exist
    EXPECT_TRUE(t.ui.opened.empty());
    t.files.content["C:\\new.log"] = "x";
    cmdLogView_Click(app);
    ASSERT_EQ(t.ui.opened.size(), 1u);
    EXPECT_EQ(t.ui.opened[0].file, "C:\\new.log");
}

TEST_F(PagesTest, OkAndCancelOnlyHide) {
    for (auto handler : {cmdOK_Click, cmdCancel_Click}) {
        app.forms.frmMain.Visible = true;
        app.forms.frmAllgemein.chkAlarm.Value = 1;
        handler(app);
        EXPECT_FALSE(app.forms.frmMain.Visible);
        EXPECT_EQ(app.forms.frmAllgemein.chkAlarm.Value, 1);
    }
}

TEST_F(PagesTest, CompanyLabelTooltipFollowsItsCaption) {
    app.forms.frmAllgemein.lblMandantName.Caption = "A very long company name GmbH & Co. KG";
    lblMandantName_MouseMove(app);
    EXPECT_EQ(app.forms.frmAllgemein.lblMandantName.ToolTip, "A very long company name GmbH & Co. KG");
}

TEST_F(PagesTest, InfoPage) {
    struct Case {
        VersionInfo v;
        const char* text;
    } cases[] = {
        {{"Brisolt light", 2, 0, 0, 5, ""}, "Version: 2.0 (Build 5)"},
        {{"Brisolt light", 1, 2, 0, 11, ""}, "Version: 1.2 (Build 11)"},
        {{"Brisolt light", 10, 0, 3, 0, ""}, "Version: 10.0 (Build 0)"},
    };
    for (const Case& c : cases) EXPECT_EQ(VersionText(c.v), c.text);

    frmInfo_Load(app);
    EXPECT_EQ(app.forms.frmInfo.lblAppName.Caption, "Brisolt light");
    EXPECT_EQ(app.forms.frmInfo.lblProductName.Caption, "Brisolt light");
    EXPECT_EQ(app.forms.frmInfo.lblVersion.Caption, "Version: 1.0 (Build 7)");
    EXPECT_EQ(app.forms.frmInfo.lblCopyright.Caption, app.platform.version.legalCopyright);

    app.forms.frmInfo.edEMail.Text = "changed@example.com";
    edEMail_MouseDown(app, 2);
    ASSERT_EQ(t.ui.opened.size(), 1u);
    EXPECT_EQ(t.ui.opened[0].file, std::string("mailto:") + kAuthorEMail + "?subject=Brisolt light");
    EXPECT_FALSE(t.ui.opened[0].owned);
    edWWW_MouseDown(app, 2);
    ASSERT_EQ(t.ui.opened.size(), 2u);
    EXPECT_EQ(t.ui.opened[1].file, kHomepage);
    EXPECT_TRUE(t.ui.opened[1].owned);
}

}  // namespace
}  // namespace brisolt
