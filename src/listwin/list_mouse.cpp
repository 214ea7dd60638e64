// The list window's mouse: the left button drags it, the right button folds
// it to a clock and back, a left double-click brings the row's window up.
#include <cmath>

#include "listwin/list_window.h"
#include "monitor/scan_cycle.h"
#include "shell/app.h"

namespace brisolt {

namespace {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
// The click's position is taken this many pixels higher before it is
// turned into a row.
constexpr int kClickLiftPixels = 5;

// A restored window is brought to the top; one that has closed since the
// last tick makes both requests fail silently.
void RestoreAndBringToTop(Desktop& desktop, WindowHandle window) {
    if (desktop.IsIconic(window)) desktop.Restore(window);
    desktop.BringToTop(window);
}

// The row at y, measured in lines of `lineText`; -1 when that line has no height.
double RowAt(Canvas& canvas, const std::string& lineText, double y) {
    const double lineHeight = canvas.TextHeight(lineText);
    if (lineHeight <= 0) return -1;
    return std::round(y / lineHeight);
}

}  // namespace

void Win_1_MouseDown(App& app, int button) {
    if (button == kLeftButton) {
        // The host follows the mouse with the mouse captured; ticks go on.
        app.platform.listWindow->BeginDrag();
    } else if (button == kRightButton) {
        app.listWindow.ListCollapsed = !app.listWindow.ListCollapsed;
        RefreshWindowList(app);
    }
}

void Win_1_MouseDblClick(App& app, int button, double yTwips) {
    if (button != kLeftButton) return;
    ActivateListRow(app, std::round(yTwips - kClickLiftPixels * app.platform.twipsPerPixelY));
}

void ActivateListRow(App& app, double yTwips) {
    Desktop& desktop = *app.platform.desktop;
    Canvas& canvas = app.platform.listWindow->Surface();
    const ScanState& scan = app.scan;
    const int n = scan.Objects.Count;
    const int m = scan.TopWindowCount;

    if (n > 0 && app.forms.frmFensterliste.chkShowClients.Value == 1) {
        // The client comes up first, so its child can become the active one.
        RestoreAndBringToTop(desktop, scan.ClientMainWindow);
        const double row = RowAt(canvas, scan.Objects.Rows[0].Title, yTwips);
        if (row >= 0 && row < n) RestoreAndBringToTop(desktop, scan.Objects.Rows[static_cast<int>(row)].Window);
    } else {
        const double row = RowAt(canvas, scan.TopWindows[0].Title, yTwips);
        if (row >= 0 && row < m) RestoreAndBringToTop(desktop, scan.TopWindows[static_cast<int>(row)].Window);
    }
}

}  // namespace brisolt
