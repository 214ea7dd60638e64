// The settings window on real controls: the settings and the view show on
// the screen without running handlers; what the user does comes back into
// the settings and runs the control's handler; tabs, menu bar, close and end
// of session.
#include "win32/base/win.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "check.h"
#include "control_ids.h"
#include "settings_window_rig.h"
#include "program/language.h"
#include "program/texts.h"
#include "win32/ports/fonts.h"

using namespace brisolt;
using namespace brisolt::win32;
using wintest::SettingsWindowRig;

namespace {

constexpr int kGeneralPage = 0, kListWindowPage = 1, kOptionsPage = 2, kInfoPage = 3, kTeamPageIndex = 4;

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

bool Topmost(HWND w) { return (GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool MenuChecked(HMENU menu, int id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

std::string MenuText(HMENU menu, int position) {
    char text[64] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

}  // namespace

WIN_TEST(SettingsWindow_SettingsAndViewShowWithoutRunningHandlers) {
    SettingsWindowRig rig;
    Settings& s = rig.app.settings;
    const int interval = rig.app.program.scanTimer.interval;
    const std::string font = rig.list->Surface().FontName();
    s.language = Language::English;
    s.alarmSound = true;
    s.glueToolbox = true;
    s.glueListWindow = false;
    s.formularDesignerTitles = false;
    s.dynamicFont = true;
    s.listFont = 2;
    s.scanInterval = "17";
    s.clientTitleMarker = "Gr\xFC\xDF" "e - Navi";  // Windows-1252 bytes
    rig.app.view.company = "Muster GmbH";
    rig.app.view.caption = "Muster GmbH - Brisolt light";
    rig.sync.Push();

    const struct {
        int page, id, check;
    } checks[] = {{kGeneralPage, IDC_ALARM_SOUND, 1},        {kGeneralPage, IDC_GLUE_TOOLBOX, 1},
                  {kGeneralPage, IDC_GLUE_LIST_WINDOW, 0}, {kOptionsPage, IDC_FORM_DESIGNER_TITLES, 1},
                  {kOptionsPage, IDC_FORMULAR_DESIGNER_TITLES, 0}, {kListWindowPage, IDC_DYNAMIC_FONT, 1}};
    for (const auto& c : checks) CHECK_EQ(c.check, CheckOf(rig.Control(c.page, c.id)));
    const struct {
        int page, id;
        std::string text;
    } texts[] = {{kGeneralPage, IDC_SCAN_INTERVAL, "17"},
                 {kGeneralPage, IDC_CLIENT_TITLE_MARKER, "Gr\xFC\xDF" "e - Navi"},
                 {kGeneralPage, IDC_COMPANY_NAME, "Muster GmbH"},
                 {kGeneralPage, IDC_LOGGING, texts::kLogging.english},
                 {kListWindowPage, IDC_LIST_FONT, "Small Fonts 6pt"}};
    for (const auto& t : texts) CHECK_EQ(t.text, TextOf(rig.Control(t.page, t.id)));
    CHECK_EQ(3, static_cast<int>(SendMessageA(rig.Control(kListWindowPage, IDC_LIST_FONT), CB_GETCOUNT, 0, 0)));
    CHECK_EQ(rig.app.view.caption, TextOf(rig.settingsWindow->Hwnd()));

    // No handler ran: the timer, the font choice and the list font are as
    // they were, and the edits' change notices left the settings alone.
    CHECK_EQ(interval, rig.app.program.scanTimer.interval);
    CHECK(IsWindowEnabled(rig.Control(kListWindowPage, IDC_LIST_FONT)));
    CHECK_EQ(font, rig.list->Surface().FontName());
    CHECK_EQ(std::string("17"), s.scanInterval);

    s.language = Language::German;  // the captions follow
    rig.sync.Push();
    CHECK_EQ(std::string(texts::kLogging.german), TextOf(rig.Control(kGeneralPage, IDC_LOGGING)));
    CHECK(rig.reports.empty());
}

WIN_TEST(SettingsWindow_UserChangesReachTheSettingsAndRunTheirHandlers) {
    SettingsWindowRig rig;
    Settings& s = rig.app.settings;
    rig.ShowPage(kListWindowPage);
    const HWND dynamic = rig.Control(kListWindowPage, IDC_DYNAMIC_FONT);
    for (bool on : {true, false}) {
        SendMessageA(dynamic, BM_CLICK, 0, 0);
        CHECK_EQ(on, s.dynamicFont);
        CHECK_EQ(!on, rig.app.view.fontChoiceEnabled);
        CHECK_EQ(!on, IsWindowEnabled(rig.Control(kListWindowPage, IDC_LIST_FONT)) != FALSE);  // pushed after the handler
    }

    rig.ShowPage(kOptionsPage);
    SendMessageA(rig.Control(kOptionsPage, IDC_FORM_DESIGNER_TITLES), BM_CLICK, 0, 0);
    CHECK(!s.formularDesignerTitles);
    CHECK_EQ(0, CheckOf(rig.Control(kOptionsPage, IDC_FORMULAR_DESIGNER_TITLES)));
    SendMessageA(rig.Control(kOptionsPage, IDC_FORMULAR_DESIGNER_TITLES), BM_CLICK, 0, 0);
    CHECK(s.formularDesignerTitles);

    rig.ShowPage(kGeneralPage);
    SendMessageA(rig.Control(kGeneralPage, IDC_GLUE_TOOLBOX), BM_CLICK, 0, 0);
    CHECK(s.glueToolbox);
    // The interval is taken at every key release, while it is a number.
    const HWND edit = rig.Control(kGeneralPage, IDC_SCAN_INTERVAL);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    const struct {
        char key;
        const char* text;
        int interval;
    } steps[] = {{'1', "1", 1000}, {'2', "12", 12000}, {'a', "12a", 12000}};
    for (const auto& step : steps) {
        TypeKey(edit, step.key);
        CHECK_EQ(std::string(step.text), s.scanInterval);
        CHECK_EQ(step.interval, rig.app.program.scanTimer.interval);
    }
    CHECK(rig.reports.empty());
}

WIN_TEST(SettingsWindow_TheTeamFolderAppliesOnEnterOrLeavingItsBoxNeverHalfTyped) {
    SettingsWindowRig rig;
    rig.ShowPage(kOptionsPage);
    const HWND edit = rig.Control(kOptionsPage, IDC_TEAM_FOLDER);
    SetFocus(edit);
    for (char c : std::string("T:\\x")) TypeKey(edit, c);
    CHECK_EQ(std::string("T:\\x"), rig.app.settings.teamFolder);
    CHECK(rig.app.team.folder.empty());
    MSG enter{edit, WM_KEYDOWN, VK_RETURN, 0x001C0001, 0, {}};
    if (!rig.settingsWindow->PreTranslate(enter)) DispatchMessageA(&enter);
    CHECK_EQ(std::string("T:\\x"), rig.app.team.folder);
    CHECK(rig.app.view.visible);  // Enter was the box's, not the OK button's
    TypeKey(edit, 'y');
    CHECK_EQ(std::string("T:\\x"), rig.app.team.folder);
    SetFocus(rig.Control(kOptionsPage, IDC_BROWSE_TEAM_FOLDER));
    CHECK_EQ(std::string("T:\\xy"), rig.app.team.folder);
}

WIN_TEST(SettingsWindow_ChoosingAFontLaysThePreviewsOutAroundTheAlarmButton) {
    SettingsWindowRig rig;
    rig.ShowPage(kListWindowPage);
    const HWND combo = rig.Control(kListWindowPage, IDC_LIST_FONT);
    SendMessageA(combo, CB_SETCURSEL, 2, 0);
    SendMessageA(rig.Parent(kListWindowPage), WM_COMMAND, MAKEWPARAM(IDC_LIST_FONT, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    CHECK_EQ(2, rig.app.settings.listFont);
    CHECK_EQ(std::string("Small Fonts"), rig.list->Surface().FontName());
    CHECK_EQ(6.0, rig.list->Surface().FontSize());

    // The alarm button's place is the native control's.
    const RECT alarm = RectIn(rig.Control(kListWindowPage, IDC_ALARM_COLOUR), rig.Parent(kListWindowPage));
    CHECK(alarm.top > 0);
    CHECK_EQ(static_cast<double>(alarm.top), rig.app.view.alarmColourButton.top);

    RECT rows[3];
    for (int i = 0; i < 3; ++i) rows[i] = RectIn(rig.Control(kListWindowPage, IDC_COLOUR_PREVIEW_1 + i), rig.Parent(kListWindowPage));
    const long h = std::lround(rig.app.view.previews[0].bounds.height);
    CHECK(h > 0);
    CHECK_EQ(h, rows[0].bottom - rows[0].top);
    CHECK_EQ(rows[0].bottom, rows[1].top);  // the rows touch
    CHECK_EQ(rows[1].bottom, rows[2].top);
    CHECK_EQ(rows[0].right - rows[0].left, rows[2].right - rows[2].left);
    CHECK(std::fabs((rows[0].top + rows[2].bottom) / 2.0 - alarm.top) <= 1.0);

    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(rig.Control(kListWindowPage, IDC_COLOUR_PREVIEW_2), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    CHECK_EQ(-std::lround(6.0 * ScreenDpiY() / 72), static_cast<long>(font.lfHeight));
    CHECK(rig.reports.empty());
}

WIN_TEST(SettingsWindow_PreviewBackColourIsTheBrushOfItsLabel) {
    SettingsWindowRig rig;
    const auto brushColour = [&](int id, HDC dc, Colour& colour) {
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
            rig.Parent(kListWindowPage), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
            reinterpret_cast<LPARAM>(rig.Control(kListWindowPage, id))));
        LOGBRUSH lb{};
        if (!brush || GetObjectA(brush, sizeof lb, &lb) != sizeof lb || lb.lbStyle != BS_SOLID) return false;
        colour = static_cast<Colour>(lb.lbColor);
        return true;
    };
    const Colour colours[] = {RgbColour(1, 2, 3), RgbColour(255, 128, 128), RgbColour(192, 255, 192)};
    for (Colour c : colours) {
        rig.app.view.previews[0].back = c;
        rig.sync.Push();
        ScopedGetDC dc(rig.Control(kListWindowPage, IDC_COLOUR_PREVIEW_1));
        Colour brush = 0;
        CHECK(brushColour(IDC_COLOUR_PREVIEW_1, dc.Get(), brush));
        CHECK_EQ(c, brush);
        CHECK_EQ(c, static_cast<Colour>(GetBkColor(dc.Get())));
    }
    // A label without a colour of its own is left to the dialog (the themed
    // page background), never painted in a preview colour.
    ScopedGetDC dc(rig.Control(kListWindowPage, IDC_LIST_FONT_LABEL));
    Colour other = 0;
    CHECK(!brushColour(IDC_LIST_FONT_LABEL, dc.Get(), other) || other != colours[2]);
}

WIN_TEST(SettingsWindow_CompanyTooltipFollowsTheMouseAndLinksOpenOnAnyButton) {
    SettingsWindowRig rig;
    rig.ShowPage(kGeneralPage);
    rig.app.view.company = "Muster GmbH & Co. KG";
    rig.sync.Push();
    const HWND label = rig.Control(kGeneralPage, IDC_COMPANY_NAME);
    SendMessageA(label, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    CHECK_EQ(rig.app.view.company, rig.app.view.companyToolTip);
    char tip[256] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = rig.Parent(kGeneralPage);
    tool.uId = reinterpret_cast<UINT_PTR>(label);
    tool.lpszText = tip;
    SendMessageA(rig.settingsWindow->ToolTipsHwnd(), TTM_GETTEXTA, sizeof tip, reinterpret_cast<LPARAM>(&tool));
    CHECK_EQ(rig.app.view.company, std::string(tip));

    rig.ShowPage(kInfoPage);
    const struct {
        int id;
        UINT message;
        const char* opened;
    } clicks[] = {{IDC_EMAIL, WM_LBUTTONDOWN, "mailto:"},
                  {IDC_HOMEPAGE, WM_RBUTTONDOWN, "http"},
                  {IDC_HOMEPAGE, WM_LBUTTONDOWN, "http"}};
    for (const auto& c : clicks) {
        rig.ui.opened.clear();
        const HWND edit = rig.Control(kInfoPage, c.id);
        SendMessageA(edit, c.message, 0, MAKELPARAM(2, 2));
        SendMessageA(edit, c.message == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
        CHECK_EQ(std::size_t{1}, rig.ui.opened.size());
        if (!rig.ui.opened.empty()) CHECK_EQ(0u, rig.ui.opened[0].file.find(c.opened));
        DWORD from = 1, to = 1;  // the click selects nothing
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        CHECK_EQ(0ul, static_cast<unsigned long>(to - from));
    }
}

// The strip from left to right as a user reaches it, by a click or by Ctrl+Tab
// from the tab before (round from the last, and back with Shift): the tab
// shown selected, its caption, the page it selects and the one page shown.
WIN_TEST(SettingsWindow_TabsShowTheirPagesAndTheUsersChoiceIsTaken) {
    SettingsWindowRig rig;
    rig.ShowPage(kListWindowPage);
    rig.app.settings.language = Language::English;
    SetTabCaptions(rig.app);
    rig.sync.Push();
    const HWND tab = rig.settingsWindow->Pages().Tab();
    CHECK_EQ(1, TabCtrl_GetCurSel(tab));
    const struct {
        const char* caption;
        int selected, shown;
    } strip[] = {{"General", 1, kGeneralPage}, {"List window", 2, kListWindowPage}, {"Options", 3, kOptionsPage},
                 {"Team", 5, kTeamPageIndex},  {"Info", 4, kInfoPage}};
    BYTE keys[256] = {}, pressed[256] = {};
    GetKeyboardState(keys);
    NMHDR click{tab, IDC_PAGE_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    MSG ctrlTab{tab, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    const int reached[] = {0, 1, 2, 3, 4, 0, 4};  // clicked at even steps, by keys at odd ones and the last
    for (int step = 0; step < 7; ++step) {
        const int i = reached[step];
        if (step % 2 == 0 && step < 6) {
            TabCtrl_SetCurSel(tab, i);
            SendMessageA(rig.settingsWindow->Hwnd(), WM_NOTIFY, IDC_PAGE_TABS, reinterpret_cast<LPARAM>(&click));
        } else {
            std::copy(keys, keys + 256, pressed);
            pressed[VK_CONTROL] = 0x80;
            if (step == 6) pressed[VK_SHIFT] = 0x80;
            SetKeyboardState(pressed);
            CHECK(rig.settingsWindow->PreTranslate(ctrlTab));
            SetKeyboardState(keys);
        }
        char text[64] = {};
        TCITEMA item{TCIF_TEXT, 0, 0, text, sizeof text};
        CHECK(TabCtrl_GetItem(tab, TabCtrl_GetCurSel(tab), &item));
        CHECK_EQ(std::string(strip[i].caption), std::string(text));
        CHECK_EQ(strip[i].selected, rig.app.settings.selectedPage);
        for (int page = kGeneralPage; page <= kTeamPageIndex; ++page)
            CHECK_EQ(page == strip[i].shown, IsWindowVisible(rig.Parent(page)) != FALSE);
    }

    // No such tab: the event that set it gets one report; a usable tab again
    // gives none.
    rig.app.settings.selectedPage = 7;
    rig.dispatcher.Run([] {});
    CHECK_EQ(std::size_t{1}, rig.reports.size());
    rig.app.settings.selectedPage = 2;
    rig.dispatcher.Run([] {});
    CHECK_EQ(std::size_t{1}, rig.reports.size());
    CHECK(IsWindowVisible(rig.Parent(kListWindowPage)));
}

WIN_TEST(SettingsWindow_EscHides) {
    SettingsWindowRig rig;
    rig.ShowPage(kGeneralPage);
    const HWND edit = rig.Control(kGeneralPage, IDC_CLIENT_TITLE_MARKER);
    SetFocus(edit);
    MSG esc{edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}};
    CHECK(rig.settingsWindow->PreTranslate(esc));
    CHECK(!rig.app.view.visible);
    CHECK(!IsWindowVisible(rig.settingsWindow->Hwnd()));
}

WIN_TEST(SettingsWindow_MenuBarFollowsTheMenusAndItsCommandsReachTheProgram) {
    SettingsWindowRig rig;
    const HWND main = rig.settingsWindow->Hwnd();
    RECT clientBefore{};
    GetClientRect(main, &clientBefore);
    SwitchLanguage(rig.app, Language::English);
    rig.sync.Push();
    const HMENU bar = GetMenu(main);
    CHECK(bar != nullptr);
    CHECK_EQ(3, GetMenuItemCount(bar));
    const char* titles[] = {"&File", "E&xtra", "&?"};
    for (int i = 0; i < 3; ++i) CHECK_EQ(std::string(titles[i]), MenuText(bar, i));
    const HMENU extras = GetSubMenu(bar, 1);
    CHECK_EQ(5, GetMenuItemCount(extras));
    CHECK(MenuChecked(extras, kCmdEnglish));
    CHECK(!MenuChecked(extras, kCmdGerman));
    CHECK((GetMenuState(extras, 2, MF_BYPOSITION) & MF_SEPARATOR) != 0);

    // A command flips its option and its check mark on the same bar.
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(kCmdStartMinimized, 0), 0);
    CHECK(rig.app.settings.startHidden);
    CHECK(GetMenu(main) == bar);
    CHECK(MenuChecked(extras, kCmdStartMinimized));
    for (bool onTop : {true, false}) {
        SendMessageA(main, WM_COMMAND, MAKEWPARAM(kCmdAlwaysOnTop, 0), 0);
        CHECK_EQ(onTop, rig.app.settings.settingsWindowOnTop);
        CHECK_EQ(onTop, Topmost(main));
        CHECK_EQ(onTop, MenuChecked(extras, kCmdAlwaysOnTop));
    }

    // Another language: a new bar, the old one destroyed, the marks kept.
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(kCmdGerman, 0), 0);
    const HMENU german = GetMenu(main);
    CHECK(german != bar);
    CHECK(!IsMenu(bar));
    CHECK_EQ(std::string("&Datei"), MenuText(german, 0));
    CHECK(MenuChecked(GetSubMenu(german, 1), kCmdStartMinimized));
    // The bar takes its height from the window, not from the dialog's client area.
    RECT clientAfter{};
    GetClientRect(main, &clientAfter);
    CHECK_EQ(clientBefore.bottom, clientAfter.bottom);

    // The dialog buttons are no menu commands.
    rig.app.view.visible = true;
    rig.sync.Push();
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    CHECK(!rig.app.view.visible);
    CHECK(rig.reports.empty());
}

WIN_TEST(SettingsWindow_CloseBoxHidesAndQuitOrTheSessionsEndSavesAndEnds) {
    {
        SettingsWindowRig rig;
        rig.ShowPage(kGeneralPage);
        const HWND main = rig.settingsWindow->Hwnd();
        SendMessageA(main, WM_CLOSE, 0, 0);
        CHECK(IsWindow(main));
        CHECK(!IsWindowVisible(main));
        CHECK(!rig.app.view.visible);
        CHECK_EQ(TRUE, static_cast<int>(SendMessageA(main, WM_QUERYENDSESSION, 0, 0)));
        SendMessageA(main, WM_ENDSESSION, FALSE, 0);  // called off: only hidden
        CHECK(IsWindow(main));
        CHECK_EQ(std::string(), wintest::ReadWholeFile(rig.iniFile));  // nothing saved
    }
    for (bool sessionEnds : {false, true}) {
        SettingsWindowRig rig;
        const HWND main = rig.settingsWindow->Hwnd();
        SendMessageA(rig.Control(kGeneralPage, IDC_GLUE_TOOLBOX), BM_CLICK, 0, 0);
        if (sessionEnds) {
            SendMessageA(main, WM_ENDSESSION, TRUE, 0);
        } else {
            rig.app.program.quitRequested = true;
            SendMessageA(main, WM_CLOSE, 0, 0);
        }
        CHECK(!IsWindow(main));
        CHECK(rig.settingsWindow->Hwnd() == nullptr);
        CHECK_EQ(0, rig.windows.Open());  // the list window went too: the loop ends
        // What the user clicked is what was saved.
        CHECK(wintest::ReadWholeFile(rig.iniFile).find("GlueToolbox=1") != std::string::npos);
        rig.sync.Push();  // nothing left to push to
        CHECK(rig.reports.empty());
    }
}

// The dialog templates carry no texts: every caption a user reads on the
// settings window comes from the text table, in either language, and no two
// controls of a page show the same one. A language that is neither
// keeps the captions shown, German from the start.
WIN_TEST(SettingsWindow_EveryCaptionComesFromTheTextTable) {
    const auto captioned = [](HWND window) {
        std::vector<HWND> found;  // the buttons, frames and labels
        EnumChildWindows(
            window,
            [](HWND w, LPARAM out) {
                char cls[32] = {};
                GetClassNameA(w, cls, sizeof cls);
                const LONG_PTR style = GetWindowLongPtrA(w, GWL_STYLE);
                if (lstrcmpiA(cls, "Button") == 0 || (lstrcmpiA(cls, "Static") == 0 && (style & SS_TYPEMASK) != SS_ICON))
                    reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    };
    const auto shows = [&](SettingsWindowRig& rig, Language language) {
        const auto pick = [&](const Bilingual& t) { return std::string(Pick(t, language)); };
        CHECK_EQ(pick(texts::kCancelButton), TextOf(rig.Control(-1, IDC_CANCEL_BUTTON)));
        CHECK_EQ(pick(texts::kGlueMainMenu), TextOf(rig.Control(kGeneralPage, IDC_GLUE_MAIN_MENU)));
        CHECK_EQ(pick(texts::kDynamicFont6pt), TextOf(rig.Control(kListWindowPage, IDC_DYNAMIC_FONT_6PT_LABEL)));
    };

    SettingsWindowRig rig;
    SettingsWindowView& v = rig.app.view;
    v.company = v.appName = v.productName = v.copyright = v.information = "Muster";  // values, not texts
    v.team.count = v.team.message = v.topLevelCount = v.clientCount = "Muster";
    for (ColourPreview& preview : v.previews) preview.text = "Muster";
    for (const Language language : {Language::German, Language::English}) {
        rig.app.settings.language = language;
        rig.sync.Push();
        shows(rig, language);
        std::string blank, twice;  // the ids of controls left blank, the captions shown twice on a page
        std::set<std::pair<HWND, std::string>> seen;
        for (const HWND control : captioned(rig.settingsWindow->Hwnd())) {
            const std::string text = TextOf(control);
            if (text.empty()) blank += std::to_string(GetDlgCtrlID(control)) + " ";
            if (text != "Muster" && !seen.insert({GetParent(control), text}).second) twice += text + "; ";
        }
        CHECK_EQ(std::string(), blank);
        CHECK_EQ(std::string(), twice);
    }
    rig.app.settings.language = static_cast<Language>(7);  // English stays
    rig.sync.Push();
    shows(rig, Language::English);

    SettingsWindowRig unknown;  // created in no known language
    unknown.app.settings.language = static_cast<Language>(7);
    unknown.sync.Push();
    shows(unknown, Language::German);
    CHECK(rig.reports.empty() && unknown.reports.empty());
}
