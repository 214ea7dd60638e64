// The Team page's report lists (who is live in the team folder; which
// designers are open elsewhere, or the designer history) and which of the
// page's controls show in each mode. The captions, the search box and the button are bound like every
// page's controls (page_bindings.cpp). The lists are owner-data lists: they
// hold no copy of the rows, this answers their requests for texts, and paints
// the rows of objects open here too in the alarm colour.
#pragma once
#include "win32/base/win.h"

#include "platform/types.h"
#include "program/team_page.h"
#include "settings/settings.h"

namespace brisolt::win32 {

class TeamPage {
public:
    // The page dialog; its lists get their columns. Throws ControlError.
    explicit TeamPage(HWND page);

    HWND Hwnd() const { return page_; }
    // Carries what changed to the screen: the mode's controls, the column
    // captions in the language, the rows.
    void Push(const TeamPageView& view, Language language, Colour alarm);
    // WM_NOTIFY from a list of the page: true when answered, with the result.
    bool OnNotify(const NMHDR& header, LRESULT& result);

private:
    void PushMode(TeamPageMode mode, bool historyShown);
    void PushHeaders(Language language);
    std::string Cell(HWND list, int item, int column) const;

    HWND page_, people_, objects_, history_;
    TeamRows rows_;  // as the lists show them
    TeamHistoryView sessions_;
    TeamPageMode mode_ = TeamPageMode::Off;
    bool historyShown_ = false;
    bool modePushed_ = false;
    Language language_ = Language::NotChosen;
    Colour alarm_ = 0;
};

}  // namespace brisolt::win32
