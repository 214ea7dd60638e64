// Sizing and painting the list window after every scan. Sizes and text
// metrics are twips; every fractional value is rounded to the nearest whole
// twip before it is used as a size or a row offset.
#include "listwin/list_window.h"

#include <cmath>
#include <string>
#include <vector>

#include "dialogs/list_page.h"
#include "monitor/designer_title.h"
#include "shell/app.h"
#include "shell/numbers.h"

namespace brisolt {

namespace {

constexpr Color kTextColor = 0;  // rows are always written in black

// The client rows, the top-level rows and the font rule obey their switches
// only when the check box holds exactly 1.
bool On(const CheckBox& box) { return box.Value == 1; }

// With the dynamic font on, more rows take a smaller font: from edDyn1 rows
// "Small Fonts 7pt", from edDyn2 rows "Small Fonts 6pt" (the second wins when
// both hold). The choice is shown in cbFont, so it is also what is saved.
void ApplyDynamicFont(App& app, int rows) {
    FrmFensterliste& page = app.forms.frmFensterliste;
    if (!On(page.chkDynamicFonts)) return;
    int index = 0;
    if (LeadingNumber(page.edDyn1.Text) <= rows) index = 1;
    if (LeadingNumber(page.edDyn2.Text) <= rows) index = 2;
    page.cbFont.ListIndex = index;
    cbFont_Click(app);
    ComputeRowMetrics(app);
}

// Widest of the texts in the current font, in whole twips.
double Widest(Canvas& canvas, const std::vector<std::string>& texts) {
    double widest = 0;
    for (const std::string& text : texts) {
        const double width = canvas.TextWidth(text);
        if (width > widest) widest = std::round(width);
    }
    return widest;
}

void PaintCollapsed(App& app, ListWindowHost& list) {
    Canvas& canvas = list.Surface();
    const std::string text = " " + CollapsedText(app) + " ";
    list.SetSize(std::round(canvas.TextWidth(text)) + app.scan.Margin, std::round(canvas.TextHeight(text)));
    canvas.Clear();
    canvas.FillRect(0, 0, list.ScaleWidth(), list.ScaleHeight(), app.shell.FarbeNormal);
    canvas.DrawText(1, 1, text, kTextColor);
}

void PaintNormal(App& app, ListWindowHost& list) {
    Canvas& canvas = list.Surface();
    const FrmFensterliste& page = app.forms.frmFensterliste;
    const ScanState& scan = app.scan;
    const int n = scan.Objects.Count;
    const int m = scan.TopWindowCount;

    std::vector<std::string> rows;
    rows.reserve(n);
    for (int i = 0; i < n; ++i) rows.push_back(ShortTitle(app, scan.Objects.Rows[i].Title));

    // Client rows. Without client sizing the window keeps its earlier size
    // and the rows are still painted into it.
    if (n > 0 && On(page.chkShowClients)) {
        ApplyDynamicFont(app, n);
        list.SetSize(Widest(canvas, rows) + scan.Margin, n * scan.RowHeight);
    }
    canvas.Clear();
    for (int i = 0; i < n; ++i) {
        const double top = i * scan.RowHeight;
        const Color color = scan.Objects.Rows[i].Duplicate ? app.shell.FarbeAlarm : app.shell.FarbeNormal;
        canvas.FillRect(0, top, list.ScaleWidth(), top + scan.RowHeight, color);
        canvas.DrawText(1, top + 1, rows[i], kTextColor);
    }

    // Top-level rows, while the client shows no window.
    if (n == 0 && On(page.chkShowParents)) {
        ApplyDynamicFont(app, m);
        canvas.Clear();
        std::vector<std::string> titles;
        titles.reserve(m);
        for (int i = 0; i < m; ++i) titles.push_back(scan.TopWindows[i].Title);
        list.SetSize(Widest(canvas, titles) + scan.Margin, m * scan.RowHeight);
        canvas.FillRect(0, 0, list.ScaleWidth(), m * scan.RowHeight, app.shell.FarbeNormal);
        for (int i = 0; i < m; ++i) canvas.DrawText(1, i * scan.RowHeight + 1, titles[i], kTextColor);
    }

    // Nothing to list: the window stays open at width 0.
    const int showClients = page.chkShowClients.Value, showParents = page.chkShowParents.Value;
    if (m == 0 || (showClients == 0 && showParents == 0) || (showParents == 0 && n == 0))
        list.SetSize(0, list.ScaleHeight());
}

}  // namespace

std::string CollapsedText(App& app) {
    Clock& clock = *app.platform.clock;
    return clock.TimeText(clock.Now());
}

void ComputeRowMetrics(App& app) {
    app.scan.RowHeight = std::round(app.platform.listWindow->Surface().TextHeight(CollapsedText(app)));
    app.scan.Margin = std::round(2 * app.platform.twipsPerPixelX);
}

void PaintListWindow(App& app) {
    ListWindowHost* list = app.platform.listWindow;
    if (list == nullptr || !list->Exists()) return;
    if (app.listWindow.ListCollapsed)
        PaintCollapsed(app, *list);
    else
        PaintNormal(app, *list);
    list->Present();
}

}  // namespace brisolt
