// The settings window on real controls: what the program puts into the
// control objects shows on the screen without running handlers; what the user
// does comes back into the objects and runs the named handler; tabs, menu bar,
// close and end of session.
#include "win32/win.h"

#include <commctrl.h>

#include <cmath>
#include <string>

#include "check.h"
#include "form_ids.h"
#include "forms_rig.h"
#include "listwin/list_window.h"
#include "shell/commands.h"
#include "shell/language.h"
#include "win32/fonts.h"

using namespace brisolt;
using namespace brisolt::win32;
using wintest::FormsRig;

namespace {

constexpr int kMain = -1, kGeneral = 0, kList = 1, kOptions = 2, kInfo = 3;

std::string TextOf(HWND w) {
    char buffer[512] = {};
    SendMessageA(w, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

int CheckOf(HWND w) { return static_cast<int>(SendMessageA(w, BM_GETCHECK, 0, 0)); }

RECT RectIn(HWND w, HWND parent) {
    RECT r{};
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Types one character into a focused edit as a keyboard would reach it.
void TypeKey(HWND edit, char c) {
    SendMessageA(edit, WM_KEYDOWN, static_cast<WPARAM>(c), 1);
    SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(c), 1);
    SendMessageA(edit, WM_KEYUP, static_cast<WPARAM>(c), 0xC0000001);
}

void SelectTabAsUser(FormsRig& rig, int index0) {
    const HWND tab = rig.main->Pages().Tab();
    TabCtrl_SetCurSel(tab, index0);
    NMHDR note{tab, IDC_tbsMain, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(rig.main->Hwnd(), WM_NOTIFY, IDC_tbsMain, reinterpret_cast<LPARAM>(&note));
}

}  // namespace

WIN_TEST(Forms_GeometryOfButtonsAndLabelsComesFromTheNativeControls) {
    FormsRig rig;
    const FrmFensterliste& l = rig.app.forms.frmFensterliste;
    const RECT alarm = RectIn(rig.Control(kList, IDC_cmdColorAlarm), rig.Parent(kList));
    CHECK(alarm.top > 0);
    CHECK_EQ(static_cast<double>(alarm.top), l.cmdColorAlarm.Top);
    CHECK_EQ(static_cast<double>(alarm.left), l.cmdColorAlarm.Left);
    CHECK_EQ(static_cast<double>(alarm.bottom - alarm.top), l.cmdColorAlarm.Height);
    const RECT ok = RectIn(rig.Control(kMain, IDOK), rig.Parent(kMain));
    CHECK_EQ(static_cast<double>(ok.right - ok.left), rig.app.forms.frmMain.cmdOK.Width);
}

WIN_TEST(Forms_ObjectsArePushedToTheirControls) {
    FormsRig rig;
    FrmAllgemein& g = rig.app.forms.frmAllgemein;
    FrmFensterliste& l = rig.app.forms.frmFensterliste;
    FrmOptions& o = rig.app.forms.frmOptions;
    g.chkAlarm.Value = 1;
    g.chkGlueToolbox.Value = 1;
    g.chkGlueFensterliste.Value = 0;
    g.edIntervall.Text = "17";
    g.edParent.Text = "Gr\xFC\xDF" "e - Navi";  // Windows-1252 bytes
    g.lblMandantName.Caption = "Muster GmbH";
    g.chkLogging.Caption = "Log it";
    l.cbFont.ListIndex = 2;
    l.cbFont.Enabled = false;
    l.chkShortNames.Enabled = false;
    o.optFormDesigner.Value = 1;
    o.optFormularDesigner.Value = 0;
    rig.sync.Push();

    struct {
        int page, id, check;
    } checks[] = {{kGeneral, IDC_chkAlarm, 1},         {kGeneral, IDC_chkGlueToolbox, 1},
                  {kGeneral, IDC_chkGlueFensterliste, 0}, {kOptions, IDC_optFormDesigner, 1},
                  {kOptions, IDC_optFormularDesigner, 0}};
    for (const auto& c : checks) CHECK_EQ(c.check, CheckOf(rig.Control(c.page, c.id)));
    struct {
        int page, id;
        std::string text;
    } texts[] = {{kGeneral, IDC_edIntervall, "17"},
                 {kGeneral, IDC_edParent, "Gr\xFC\xDF" "e - Navi"},
                 {kGeneral, IDC_lblMandantName, "Muster GmbH"},
                 {kGeneral, IDC_chkLogging, "Log it"},
                 {kList, IDC_cbFont, "Small Fonts 6pt"}};
    for (const auto& t : texts) CHECK_EQ(t.text, TextOf(rig.Control(t.page, t.id)));
    CHECK_EQ(3, static_cast<int>(SendMessageA(rig.Control(kList, IDC_cbFont), CB_GETCOUNT, 0, 0)));
    CHECK(!IsWindowEnabled(rig.Control(kList, IDC_cbFont)));
    CHECK(!IsWindowEnabled(rig.Control(kList, IDC_chkShortNames)));
    CHECK(rig.reports.empty());
}

WIN_TEST(Forms_PuttingValuesInRunsNoHandler) {
    FormsRig rig;
    FrmAllgemein& g = rig.app.forms.frmAllgemein;
    FrmFensterliste& l = rig.app.forms.frmFensterliste;
    const int interval = g.tmr1.Interval;
    const std::string font = rig.list->Surface().FontName();
    g.edIntervall.Text = "9";
    l.chkDynamicFonts.Value = 1;
    l.cbFont.ListIndex = 2;
    rig.sync.Push();
    CHECK_EQ(interval, g.tmr1.Interval);                  // no edIntervall_KeyUp
    CHECK(l.cbFont.Enabled);                              // no chkDynamicFonts_Click
    CHECK_EQ(font, rig.list->Surface().FontName());       // no cbFont_Click
    CHECK_EQ(std::string("9"), g.edIntervall.Text);       // the edit's change notice is ours
}

WIN_TEST(Forms_ClickingACheckBoxTakesItsValueAndRunsItsHandler) {
    FormsRig rig;
    rig.ShowPage(kList);
    FrmFensterliste& l = rig.app.forms.frmFensterliste;
    SendMessageA(rig.Control(kList, IDC_chkDynamicFonts), BM_CLICK, 0, 0);
    CHECK_EQ(1, l.chkDynamicFonts.Value);
    CHECK(!l.cbFont.Enabled);
    CHECK(!IsWindowEnabled(rig.Control(kList, IDC_cbFont)));  // pushed after the handler
    SendMessageA(rig.Control(kList, IDC_chkDynamicFonts), BM_CLICK, 0, 0);
    CHECK_EQ(0, l.chkDynamicFonts.Value);
    CHECK(IsWindowEnabled(rig.Control(kList, IDC_cbFont)));

    rig.ShowPage(kGeneral);
    SendMessageA(rig.Control(kGeneral, IDC_chkGlueToolbox), BM_CLICK, 0, 0);
    CHECK_EQ(1, rig.app.forms.frmAllgemein.chkGlueToolbox.Value);
}

WIN_TEST(Forms_ClickingAnOptionButtonClearsTheOther) {
    FormsRig rig;
    rig.ShowPage(kOptions);
    FrmOptions& o = rig.app.forms.frmOptions;
    CHECK_EQ(1, o.optFormularDesigner.Value);
    SendMessageA(rig.Control(kOptions, IDC_optFormDesigner), BM_CLICK, 0, 0);
    CHECK_EQ(1, o.optFormDesigner.Value);
    CHECK_EQ(0, o.optFormularDesigner.Value);
}

WIN_TEST(Forms_TypingTheIntervalSetsTheTimerAtEveryKeyRelease) {
    FormsRig rig;
    rig.ShowPage(kGeneral);
    FrmAllgemein& g = rig.app.forms.frmAllgemein;
    const HWND edit = rig.Control(kGeneral, IDC_edIntervall);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    struct {
        char key;
        const char* text;
        int interval;
    } steps[] = {{'1', "1", 1000}, {'2', "12", 12000}, {'a', "12a", 12000}};
    for (const auto& s : steps) {
        TypeKey(edit, s.key);
        CHECK_EQ(std::string(s.text), g.edIntervall.Text);
        CHECK_EQ(s.interval, g.tmr1.Interval);
    }
}

WIN_TEST(Forms_ChoosingAFontLaysThePreviewsOutAroundTheAlarmButton) {
    FormsRig rig;
    rig.ShowPage(kList);
    FrmFensterliste& l = rig.app.forms.frmFensterliste;
    const HWND combo = rig.Control(kList, IDC_cbFont);
    SendMessageA(combo, CB_SETCURSEL, 2, 0);
    SendMessageA(rig.Parent(kList), WM_COMMAND, MAKEWPARAM(IDC_cbFont, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    CHECK_EQ(2, l.cbFont.ListIndex);
    CHECK_EQ(std::string("Small Fonts"), rig.list->Surface().FontName());
    CHECK_EQ(6.0, rig.list->Surface().FontSize());

    const RECT first = RectIn(rig.Control(kList, IDC_lblPreview1), rig.Parent(kList));
    const RECT second = RectIn(rig.Control(kList, IDC_lblPreview2), rig.Parent(kList));
    const RECT third = RectIn(rig.Control(kList, IDC_lblPreview3), rig.Parent(kList));
    const long h = std::lround(l.lblPreview1.Height);
    CHECK(h > 0);
    CHECK_EQ(h, first.bottom - first.top);
    CHECK_EQ(first.bottom, second.top);  // the rows touch
    CHECK_EQ(second.bottom, third.top);
    CHECK_EQ(first.right - first.left, third.right - third.left);
    const double middle = (first.top + third.bottom) / 2.0;
    CHECK(std::fabs(middle - l.cmdColorAlarm.Top) <= 1.0);

    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(rig.Control(kList, IDC_lblPreview2), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    CHECK_EQ(-std::lround(6.0 * ScreenDpiY() / 72), static_cast<long>(font.lfHeight));
    CHECK(rig.reports.empty());
}

WIN_TEST(Forms_PreviewBackColourIsTheBrushOfItsLabel) {
    FormsRig rig;
    FrmFensterliste& l = rig.app.forms.frmFensterliste;
    const Color colours[] = {RgbColor(1, 2, 3), RgbColor(255, 128, 128), RgbColor(192, 255, 192)};
    for (Color c : colours) {
        l.lblPreview1.BackColor = c;
        rig.sync.Push();
        const HWND label = rig.Control(kList, IDC_lblPreview1);
        ScopedGetDC dc(label);
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageA(rig.Parent(kList), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                         reinterpret_cast<LPARAM>(label)));
        LOGBRUSH lb{};
        CHECK(brush != nullptr && GetObjectA(brush, sizeof lb, &lb) == sizeof lb);
        CHECK_EQ(c, static_cast<Color>(lb.lbColor));
        CHECK_EQ(c, static_cast<Color>(GetBkColor(dc.Get())));
    }
    // A label without a colour of its own is left to the dialog (the themed
    // page background), never painted in a preview colour.
    const HWND other = rig.Control(kList, IDC_lblFont);
    ScopedGetDC dc(other);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        rig.Parent(kList), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()), reinterpret_cast<LPARAM>(other)));
    LOGBRUSH lb{};
    const bool solid = brush && GetObjectA(brush, sizeof lb, &lb) == sizeof lb && lb.lbStyle == BS_SOLID;
    CHECK(!solid || static_cast<Color>(lb.lbColor) != colours[2]);
}

WIN_TEST(Forms_CompanyTooltipFollowsTheMouseAndLinksOpenOnAnyButton) {
    FormsRig rig;
    rig.ShowPage(kGeneral);
    FrmAllgemein& g = rig.app.forms.frmAllgemein;
    g.lblMandantName.Caption = "Muster GmbH & Co. KG";
    rig.sync.Push();
    const HWND label = rig.Control(kGeneral, IDC_lblMandantName);
    SendMessageA(label, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    CHECK_EQ(g.lblMandantName.Caption, g.lblMandantName.ToolTip);
    char tip[256] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = rig.Parent(kGeneral);
    tool.uId = reinterpret_cast<UINT_PTR>(label);
    tool.lpszText = tip;
    SendMessageA(rig.main->ToolTipsHwnd(), TTM_GETTEXTA, sizeof tip, reinterpret_cast<LPARAM>(&tool));
    CHECK_EQ(g.lblMandantName.Caption, std::string(tip));

    rig.ShowPage(kInfo);
    const struct {
        int id;
        UINT message;
        const char* opened;
    } clicks[] = {{IDC_edEMail, WM_LBUTTONDOWN, "mailto:"},
                  {IDC_edWWW, WM_RBUTTONDOWN, "http"},
                  {IDC_edWWW, WM_LBUTTONDOWN, "http"}};
    for (const auto& c : clicks) {
        rig.ui.opened.clear();
        const HWND edit = rig.Control(kInfo, c.id);
        SendMessageA(edit, c.message, 0, MAKELPARAM(2, 2));
        SendMessageA(edit, c.message == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
        CHECK_EQ(std::size_t{1}, rig.ui.opened.size());
        if (!rig.ui.opened.empty()) CHECK_EQ(0u, rig.ui.opened[0].file.find(c.opened));
        DWORD from = 1, to = 1;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        CHECK_EQ(0ul, static_cast<unsigned long>(to - from));
    }
}

WIN_TEST(Forms_TabsShowTheirPagesAndTheUsersChoiceIsTaken) {
    FormsRig rig;
    rig.ShowPage(kList);
    const HWND tab = rig.main->Pages().Tab();
    CHECK_EQ(4, TabCtrl_GetItemCount(tab));
    CHECK_EQ(1, TabCtrl_GetCurSel(tab));
    for (int i = 0; i < 4; ++i) CHECK_EQ(i == kList, IsWindowVisible(rig.Parent(i)) != FALSE);

    rig.app.shell.Language = 1;
    SetTabCaptions(rig.app);
    rig.sync.Push();
    char text[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tab, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    CHECK_EQ(std::string("List window"), std::string(text));

    SelectTabAsUser(rig, 3);
    CHECK_EQ(4, rig.app.forms.frmMain.tbsMain.SelectedIndex);
    CHECK(IsWindowVisible(rig.Parent(kInfo)));
    CHECK(!IsWindowVisible(rig.Parent(kList)));

    // No such tab: the event that set it gets one report; a usable tab again
    // gives none.
    rig.app.forms.frmMain.tbsMain.SelectedIndex = 7;
    rig.dispatcher.Run([] {});
    CHECK_EQ(std::size_t{1}, rig.reports.size());
    rig.app.forms.frmMain.tbsMain.SelectedIndex = 2;
    rig.dispatcher.Run([] {});
    CHECK_EQ(std::size_t{1}, rig.reports.size());
    CHECK(IsWindowVisible(rig.Parent(kList)));
}

WIN_TEST(Forms_CtrlTabStepsThroughTheTabsAndEscHides) {
    FormsRig rig;
    rig.ShowPage(kGeneral);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE pressed[256];
    std::copy(keys, keys + 256, pressed);
    pressed[VK_CONTROL] = 0x80;
    SetKeyboardState(pressed);
    MSG msg{rig.main->Pages().Tab(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    CHECK(rig.main->PreTranslate(msg));
    CHECK_EQ(2, rig.app.forms.frmMain.tbsMain.SelectedIndex);
    pressed[VK_SHIFT] = 0x80;
    SetKeyboardState(pressed);
    CHECK(rig.main->PreTranslate(msg));
    CHECK(rig.main->PreTranslate(msg));
    CHECK_EQ(4, rig.app.forms.frmMain.tbsMain.SelectedIndex);  // round the strip
    CHECK(IsWindowVisible(rig.Parent(kInfo)));
    SetKeyboardState(keys);

    rig.ShowPage(kGeneral);
    const HWND edit = rig.Control(kGeneral, IDC_edParent);
    SetFocus(edit);
    MSG esc{edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}};
    CHECK(rig.main->PreTranslate(esc));
    CHECK(!rig.app.forms.frmMain.Visible);  // cmdCancel_Click
    CHECK(!IsWindowVisible(rig.main->Hwnd()));
}

WIN_TEST(Forms_MenuBarFollowsTheMenuDataAndReplacesTheOldBar) {
    FormsRig rig;
    const HWND main = rig.main->Hwnd();
    RECT clientBefore{};
    GetClientRect(main, &clientBefore);
    rig.app.shell.Language = 1;
    BuildMainMenu(rig.app);
    rig.sync.Push();
    const HMENU bar = GetMenu(main);
    CHECK(bar != nullptr);
    CHECK_EQ(3, GetMenuItemCount(bar));
    const char* titles[] = {"&File", "E&xtra", "&?"};
    for (int i = 0; i < 3; ++i) {
        char text[64] = {};
        GetMenuStringA(bar, i, text, sizeof text, MF_BYPOSITION);
        CHECK_EQ(std::string(titles[i]), std::string(text));
    }
    const HMENU extras = GetSubMenu(bar, 1);
    CHECK_EQ(5, GetMenuItemCount(extras));
    CHECK((GetMenuState(extras, 3120, MF_BYCOMMAND) & MF_CHECKED) != 0);
    CHECK((GetMenuState(extras, 3110, MF_BYCOMMAND) & MF_CHECKED) == 0);
    CHECK((GetMenuState(extras, 2, MF_BYPOSITION) & MF_SEPARATOR) != 0);

    frmMain_MenuEvent(rig.app, kCmdStartMinimized);  // a check mark on the data
    rig.sync.Push();
    CHECK(GetMenu(main) == bar);
    CHECK((GetMenuState(extras, 3010, MF_BYCOMMAND) & MF_CHECKED) != 0);

    SwitchLanguage(rig.app, 0);
    rig.sync.Push();
    const HMENU german = GetMenu(main);
    CHECK(german != bar);
    CHECK(!IsMenu(bar));  // the replaced bar is destroyed
    char text[64] = {};
    GetMenuStringA(german, 0, text, sizeof text, MF_BYPOSITION);
    CHECK_EQ(std::string("&Datei"), std::string(text));
    CHECK((GetMenuState(GetSubMenu(german, 1), 3010, MF_BYCOMMAND) & MF_CHECKED) != 0);
    // The bar takes its height from the window, not from the dialog's client area.
    RECT clientAfter{};
    GetClientRect(main, &clientAfter);
    CHECK_EQ(clientBefore.bottom, clientAfter.bottom);
}

WIN_TEST(Forms_CaptionOnTopAndVisibilityArePushed) {
    FormsRig rig;
    FrmMain& m = rig.app.forms.frmMain;
    const HWND main = rig.main->Hwnd();
    m.Caption = "Muster GmbH - Brisolt light";
    m.OnTop = true;
    m.Visible = true;
    rig.sync.Push();
    char caption[128] = {};
    GetWindowTextA(main, caption, sizeof caption);
    CHECK_EQ(m.Caption, std::string(caption));
    CHECK((GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    CHECK(IsWindowVisible(main));
    m.OnTop = false;
    m.Visible = false;
    rig.sync.Push();
    CHECK((GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);
    CHECK(!IsWindowVisible(main));
}

WIN_TEST(Forms_CloseBoxHidesAndQuitSavesAndEnds) {
    FormsRig rig;
    rig.ShowPage(kGeneral);
    const HWND main = rig.main->Hwnd();
    SendMessageA(main, WM_CLOSE, 0, 0);
    CHECK(IsWindow(main));
    CHECK(!IsWindowVisible(main));
    CHECK(!rig.app.forms.frmMain.Visible);
    CHECK_EQ(std::string(), wintest::ReadWholeFile(rig.iniFile));  // nothing saved

    CHECK_EQ(TRUE, static_cast<int>(SendMessageA(main, WM_QUERYENDSESSION, 0, 0)));
    SendMessageA(main, WM_ENDSESSION, FALSE, 0);  // called off: only hidden
    CHECK(IsWindow(main));

    rig.app.shell.QuitRequested = true;
    SendMessageA(main, WM_CLOSE, 0, 0);
    CHECK(!IsWindow(main));
    CHECK(rig.main->Hwnd() == nullptr);
    CHECK_EQ(0, rig.windows.Open());  // the list window went too: the loop ends
    CHECK(wintest::ReadWholeFile(rig.iniFile).find("Language=") != std::string::npos);
    rig.sync.Push();  // nothing left to push to
    CHECK(rig.reports.empty());
}

WIN_TEST(Forms_RealEndOfSessionSavesLikeQuit) {
    FormsRig rig;
    const HWND main = rig.main->Hwnd();
    SendMessageA(main, WM_ENDSESSION, TRUE, 0);
    CHECK(!IsWindow(main));
    CHECK(wintest::ReadWholeFile(rig.iniFile).find("[Options]") != std::string::npos);
}

WIN_TEST(Forms_MenuCommandsReachTheMenuHandler) {
    FormsRig rig;
    rig.app.shell.Language = 1;
    BuildMainMenu(rig.app);
    rig.sync.Push();
    const HWND main = rig.main->Hwnd();
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(kCmdAlwaysOnTop, 0), 0);
    CHECK_EQ(1, rig.app.shell.Win1OnTop);
    CHECK((GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    CHECK((GetMenuState(GetMenu(main), kCmdAlwaysOnTop, MF_BYCOMMAND) & MF_CHECKED) != 0);
    // The dialog buttons are no menu commands.
    rig.app.forms.frmMain.Visible = true;
    rig.sync.Push();
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    CHECK(!rig.app.forms.frmMain.Visible);
}
