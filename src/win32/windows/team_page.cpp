#include "win32/windows/team_page.h"

#include <commctrl.h>

#include <cstring>

#include "control_ids.h"
#include "program/texts.h"
#include "win32/base/code_page.h"
#include "win32/base/control_error.h"

namespace brisolt::win32 {

namespace {

struct Column {
    const Bilingual* caption;
    int percent;  // of the list's width
};
constexpr Column kPeopleColumns[] = {{&texts::kTeamWho, 62}, {&texts::kTeamRunningSince, 34}};
constexpr Column kObjectColumns[] = {{&texts::kTeamObject, 46}, {&texts::kTeamOpenBy, 34}, {&texts::kTeamSince, 16}};
constexpr Column kHistoryColumns[] = {
    {&texts::kTeamObject, 36}, {&texts::kTeamWho, 22}, {&texts::kHistoryFrom, 24}, {&texts::kHistoryTo, 14}};

template <std::size_t N>
void AddColumns(HWND list, const Column (&columns)[N]) {
    RECT r{};
    GetClientRect(list, &r);
    for (std::size_t i = 0; i < N; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH | LVCF_TEXT;
        column.cx = (r.right - r.left) * columns[i].percent / 100;
        column.pszText = const_cast<char*>("");
        Check(SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column)) == static_cast<LRESULT>(i),
              "Adding a column to a team list");
    }
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
}

template <std::size_t N>
void SetCaptions(HWND list, const Column (&columns)[N], Language language) {
    for (std::size_t i = 0; i < N; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT;
        column.pszText = const_cast<char*>(Pick(*columns[i].caption, language));
        Check(SendMessageA(list, LVM_SETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)) != FALSE,
              "Setting a team list's column caption");
    }
}

void SetRowCount(HWND list, std::size_t rows) {
    // The rows' texts may have changed too: all of the list is painted anew.
    ListView_SetItemCountEx(list, static_cast<int>(rows), LVSICF_NOSCROLL);
    InvalidateRect(list, nullptr, FALSE);
}

}  // namespace

TeamPage::TeamPage(HWND page)
    : page_(page),
      people_(GetDlgItem(page, IDC_TEAM_PEOPLE)),
      objects_(GetDlgItem(page, IDC_TEAM_OBJECTS)),
      history_(GetDlgItem(page, IDC_TEAM_HISTORY)) {
    Check(people_ && objects_ && history_, "Finding the team page's lists");
    AddColumns(people_, kPeopleColumns);
    AddColumns(objects_, kObjectColumns);
    AddColumns(history_, kHistoryColumns);
}

void TeamPage::Push(const TeamPageView& view, Language language, Colour alarm) {
    PushMode(view.mode, view.historyShown);
    if (IsKnownLanguage(language) && language != language_) PushHeaders(language);
    if (alarm != alarm_) {
        alarm_ = alarm;
        InvalidateRect(objects_, nullptr, FALSE);
    }
    if (view.rows.people != rows_.people) {
        rows_.people = view.rows.people;
        SetRowCount(people_, rows_.people.size());
    }
    if (view.rows.objects != rows_.objects) {
        rows_.objects = view.rows.objects;
        SetRowCount(objects_, rows_.objects.size());
    }
    // Up to a year of a team's sessions: the list asks only for the rows it shows.
    if (view.history.generation != sessions_.generation) {
        sessions_ = view.history;
        SetRowCount(history_, sessions_.shown.size());
    }
}

void TeamPage::PushMode(TeamPageMode mode, bool historyShown) {
    if (modePushed_ && mode == mode_ && historyShown == historyShown_) return;
    modePushed_ = true;
    mode_ = mode;
    historyShown_ = historyShown;
    const bool lists = mode == TeamPageMode::Shown;
    const struct {
        int id;
        bool shown;
    } controls[] = {
        {IDC_TEAM_PEOPLE_LABEL, lists},
        {IDC_TEAM_PEOPLE, lists},
        {IDC_TEAM_SEARCH_LABEL, lists},
        {IDC_TEAM_SEARCH, lists},
        {IDC_TEAM_SHOW_OPEN, lists},
        {IDC_TEAM_SHOW_HISTORY, lists},
        {IDC_TEAM_COUNT, lists},
        {IDC_TEAM_OBJECTS, lists && !historyShown},
        {IDC_TEAM_HISTORY, lists && historyShown},
        {IDC_TEAM_EXPORT, lists && historyShown},
        {IDC_TEAM_MESSAGE, !lists},
        {IDC_TEAM_GO_TO_OPTIONS, mode == TeamPageMode::Off},
    };
    const HWND focus = GetFocus();
    bool focusHidden = false;
    for (const auto& c : controls) {
        const HWND control = GetDlgItem(page_, c.id);
        if (!c.shown && focus == control) focusHidden = true;
        ShowWindow(control, c.shown ? SW_SHOWNA : SW_HIDE);
    }
    // The keyboard focus never stays on a control that went out of sight.
    if (focusHidden) SendMessageA(GetParent(page_), WM_NEXTDLGCTL, 0, FALSE);
}

void TeamPage::PushHeaders(Language language) {
    language_ = language;
    SetCaptions(people_, kPeopleColumns, language);
    SetCaptions(objects_, kObjectColumns, language);
    SetCaptions(history_, kHistoryColumns, language);
}

std::string TeamPage::Cell(HWND list, int item, int column) const {
    if (item < 0) return {};
    const auto index = static_cast<std::size_t>(item);
    if (list == people_ && index < rows_.people.size()) {
        const TeamPersonRow& row = rows_.people[index];
        return column == 0 ? row.who : column == 1 ? row.since : std::string();
    }
    if (list == objects_ && index < rows_.objects.size()) {
        const TeamObjectRow& row = rows_.objects[index];
        return column == 0 ? row.object : column == 1 ? row.who : column == 2 ? row.since : std::string();
    }
    if (list == history_) return HistoryCell(sessions_, index, column);
    return {};
}

bool TeamPage::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != people_ && header.hwndFrom != objects_ && header.hwndFrom != history_) return false;
    result = 0;
    switch (header.code) {
        case LVN_GETDISPINFOA: {
            auto& info = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header));
            if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return true;
            lstrcpynA(info.item.pszText, Cell(header.hwndFrom, info.item.iItem, info.item.iSubItem).c_str(),
                      info.item.cchTextMax);
            return true;
        }
        case LVN_GETDISPINFOW: {
            // The texts are in the program's code page.
            auto& info = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
            if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return true;
            // (A text longer than the buffer is cut, not lost.)
            lstrcpynW(info.item.pszText, WideFromAnsi(Cell(header.hwndFrom, info.item.iItem, info.item.iSubItem)).c_str(),
                      info.item.cchTextMax);
            return true;
        }
        case NM_CUSTOMDRAW: {
            if (header.hwndFrom != objects_) return true;  // CDRF_DODEFAULT
            auto& draw = const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
            if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
                result = CDRF_NOTIFYITEMDRAW;
            } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
                const std::size_t item = draw.nmcd.dwItemSpec;
                // An object open here too stands out as its row does in the list window.
                if (item < rows_.objects.size() && rows_.objects[item].openHere) {
                    draw.clrTextBk = alarm_;
                    draw.clrText = RGB(0, 0, 0);
                    result = CDRF_NEWFONT;
                }
            }
            return true;
        }
        default:
            return false;
    }
}

}  // namespace brisolt::win32
