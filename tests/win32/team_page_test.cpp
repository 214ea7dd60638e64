// The Team page on real controls: its owner-data lists answer with the rows
// the program built, the search box narrows them as the user types, and the
// page shows words instead of lists while team mode is off or the folder fails.
#include "win32/win.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "check.h"
#include "control_ids.h"
#include "program/pages.h"
#include "program/team_page.h"
#include "settings_window_rig.h"

using namespace brisolt;
using wintest::SettingsWindowRig;

namespace {

constexpr int kTeamPageIndex = kTeamPage - 1;

std::string Cell(HWND list, int item, int column) {
    char text[128] = {};
    ListView_GetItemText(list, item, column, text, sizeof text);
    return text;
}

bool Shown(HWND w) { return IsWindowVisible(w) != FALSE; }

}  // namespace

WIN_TEST(TeamPage_ListsFollowTheStateTheSearchNarrowsThemAndWordsReplaceThemWhenOff) {
    SettingsWindowRig rig;
    rig.app.settings.language = Language::English;
    auto state = std::make_shared<team::TeamState>();
    team::Record anna;
    anna.user = "anna";
    anna.computer = "PC-12";
    anna.objects = {{{4, "80"}, 0, "Sales-Post"}, {{0, "18"}, 0, "Debitor"}};
    state->others = {anna};
    rig.app.team.folder = "\\\\server\\team";
    rig.app.team.latest = state;
    rig.ShowPage(kTeamPageIndex);  // shown: built at once, not at the next scan

    const HWND people = rig.Control(kTeamPageIndex, IDC_TEAM_PEOPLE);
    const HWND objects = rig.Control(kTeamPageIndex, IDC_TEAM_OBJECTS);
    CHECK(Shown(objects) && !Shown(rig.Control(kTeamPageIndex, IDC_TEAM_MESSAGE)));
    CHECK_EQ(1, ListView_GetItemCount(people));
    CHECK_EQ(std::string("anna @ PC-12"), Cell(people, 0, 0));
    CHECK_EQ(2, ListView_GetItemCount(objects));
    CHECK_EQ(std::string("Table 18 Debitor"), Cell(objects, 0, 0));
    CHECK_EQ(std::string("Codeunit 80 Sales-Post"), Cell(objects, 1, 0));
    CHECK_EQ(std::string("anna @ PC-12"), Cell(objects, 1, 1));
    HDITEMA header{};
    char caption[64] = {};
    header.mask = HDI_TEXT;
    header.pszText = caption;
    header.cchTextMax = sizeof caption;
    Header_GetItem(ListView_GetHeader(objects), 1, &header);
    CHECK_EQ(std::string("Open by"), std::string(caption));

    // Typing in the search box narrows the list at once.
    SetWindowTextA(rig.Control(kTeamPageIndex, IDC_TEAM_SEARCH), "80");
    CHECK_EQ(std::string("80"), rig.app.view.team.filter);
    CHECK_EQ(1, ListView_GetItemCount(objects));
    CHECK_EQ(std::string("Codeunit 80 Sales-Post"), Cell(objects, 0, 0));
    char count[64] = {};
    GetWindowTextA(rig.Control(kTeamPageIndex, IDC_TEAM_COUNT), count, sizeof count);
    CHECK_EQ(std::string("1 of 2 shown"), std::string(count));

    // The folder fails: words, no list it cannot vouch for.
    state->folderOk = false;
    rig.app.view.team.current = false;
    rig.sync.Push();
    CHECK(!Shown(objects) && !Shown(people) && Shown(rig.Control(kTeamPageIndex, IDC_TEAM_MESSAGE)));
    CHECK(!Shown(rig.Control(kTeamPageIndex, IDC_TEAM_GO_TO_OPTIONS)));

    // Team mode off: how to turn it on, and the button that goes there.
    rig.app.team.folder.clear();
    rig.app.view.team.current = false;
    rig.sync.Push();
    const HWND go = rig.Control(kTeamPageIndex, IDC_TEAM_GO_TO_OPTIONS);
    CHECK(Shown(go) && !Shown(objects));
    SendMessageA(go, BM_CLICK, 0, 0);
    CHECK_EQ(kOptionsPage, rig.app.settings.selectedPage);
    CHECK(Shown(rig.Parent(kOptionsPage - 1)) && !Shown(rig.Parent(kTeamPageIndex)));
}
