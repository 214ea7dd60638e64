// One look at the desktop: the top-level windows, the client's main window
// (found by a piece of its title) with its MDI windows, the company it names
// and the front-most designer. Only reads windows; moves nothing.
#pragma once
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "settings/settings.h"
#include "titles/designer_title.h"

namespace brisolt {

constexpr int kWalkLimit = 1023;           // a walk stops when its count reaches this
constexpr std::size_t kTitleBuffer = 127;  // titles read through 127 characters: at most 126

// A visible top-level window with a title.
struct TopLevelRow {
    std::string title;
    WindowHandle window = 0;
    // Met before the client's main window in this walk (or the client was not
    // found): its place is judged against the client as the last walk left it.
    bool beforeClient = true;
};

// One of the client's MDI windows, the front-most first. Its title is read
// once, by the scan: the object it names and the text the list shows.
struct ClientRow {
    std::string title;
    WindowHandle window = 0;
    DesignerIdentity designer;  // typeCode -1 for a window that is no designer
    bool shortName = false;     // the list shows the designer's short title
    bool duplicate = false;     // the same designer title is open more than once

    std::string_view ListText() const { return shortName ? designer.ShortTitle(title) : std::string_view(title); }
};

// Where the client's main window stands.
struct ClientPlace {
    Rect rect;               // screen pixels; the parking position while minimised
    bool minimised = false;
    bool known = false;      // found at least once
};

struct ScanResult {
    std::vector<TopLevelRow> topLevel;
    WindowHandle clientMain = 0;  // 0: not found in this walk
    std::vector<ClientRow> clientWindows;
    // The client's main window as the walk left it (kept from earlier walks
    // while it is not found), and as the previous walk left it.
    ClientPlace client, clientBefore;
    // The MDI area's client rectangle, kept while the client shows none.
    Rect mdiArea;
    // The company the client names ("" while it lists no window or names a
    // database file).
    std::string company;
    // The front-most designer window's row in clientWindows; -1 while none is open.
    int frontDesigner = -1;
    // An object is open twice and the alarm sound is on.
    bool alarm = false;

    const ClientRow* FrontDesigner() const {
        return frontDesigner < 0 ? nullptr : &clientWindows[static_cast<std::size_t>(frontDesigner)];
    }
};

// Walks the desktop. `previous` is the last tick's result: its client place
// and MDI area are kept when this walk does not find them.
ScanResult ScanDesktop(Desktop& desktop, const Settings& settings, const ScanResult& previous);

// The company in the client main window's title: 'Muster GmbH - Navision
// Financials' names "Muster GmbH"; a title ending in ".FDB" names none.
std::string CompanyFromTitle(const std::string& title);

// Flags every designer row whose title occurs more than once; true when any
// row was flagged.
bool MarkDuplicates(std::vector<ClientRow>& rows);

}  // namespace brisolt
