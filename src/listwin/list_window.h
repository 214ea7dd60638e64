// The list window: one row per client window (duplicates in the alarm
// colour), or per top-level window while the client lists none; sized to its
// rows after every scan, or folded to a clock. Sizes and text metrics are
// twips.
#pragma once
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/system.h"
#include "scan/scan.h"
#include "settings/settings.h"

namespace brisolt {

struct ListFont {
    const char* entryText;  // as the font choice lists it
    const char* fontName;
    double sizePt;
};
extern const ListFont kListFonts[kListFontCount];

struct ListWindowState {
    bool collapsed = false;
    double rowHeight = 0;  // twips: one line of the clock text in the current font
    double margin = 0;     // twips: two pixels
};

// What others say about a client row: who else has its object open. A row
// with a remark is painted in the alarm colour, the remark after its title.
struct RowRemark {
    std::string text;  // "" for none
};

// What painting needs besides the scan and the settings.
struct ListSurface {
    ListWindowHost& host;
    Clock& clock;
    const Scale& scale;
};

// Gives the list window the font `index` (unchanged when out of range).
void ApplyListFont(ListWindowHost& host, int index);
// The folded window's text: the time of day.
std::string CollapsedText(Clock& clock);
// Row height and margin for the current font, in whole twips.
void ComputeRowMetrics(const ListSurface& surface, ListWindowState& state);
// Sizes and paints the window for this scan. Returns the font it painted
// with: the chosen one, or with the dynamic font on the one the number of
// rows picked (the caller makes that the chosen one).
// `remarks` stand beside the client rows (fewer or none: no remarks).
int PaintListWindow(const ListSurface& surface, const ScanResult& scan, const std::vector<RowRemark>& remarks,
                    const Settings& settings, ListWindowState& state);

// The row whose painted band holds y (twips from the window's top), or -1:
// folded, above the first row or below the last.
int RowAt(const ListWindowState& state, double yTwips, int rowCount);
// The window a double-click at y brings up: the client row's (the client's
// main window comes up first) or the top-level row's; 0 for none.
struct RowTarget {
    WindowHandle clientMain = 0;  // brought up first, when a client row was hit
    WindowHandle window = 0;
};
RowTarget WindowAtRow(const ScanResult& scan, const Settings& settings, const ListWindowState& state, double yTwips);

}  // namespace brisolt
