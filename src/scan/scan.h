// One look at the desktop: the top-level windows, the client's main window
// (found by a piece of its title) with its MDI windows, the company it names
// and the front-most designer. Only reads windows; moves nothing.
#pragma once
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "settings/settings.h"
#include "titles/titles.h"

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

// One of the client's MDI windows, the front-most first.
struct ClientRow {
    std::string title;
    WindowHandle window = 0;
    bool duplicate = false;  // the same designer title is open more than once
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
    // The title of the front-most designer window ("" while none is open).
    std::string frontDesigner;
    // How often the alarm sound is asked for (duplicate pairs), 0 when off.
    long long alarmRequests = 0;
};

// Walks the desktop. `previous` is the last tick's result: its client place
// and MDI area are kept when this walk does not find them.
ScanResult ScanDesktop(Desktop& desktop, const Settings& settings, const ScanResult& previous);

// The company in the client main window's title: 'Muster GmbH - Navision
// Financials' names "Muster GmbH"; a title ending in ".FDB" names none.
std::string CompanyFromTitle(const std::string& title);

// Flags every row whose designer title occurs more than once; returns the
// number of ordered pairs of such rows.
long long MarkDuplicates(std::vector<ClientRow>& rows, FormDesignerVariant variant);

}  // namespace brisolt
