#include "monitor/scan_cycle.h"

#include <string>

#include "arrange/glue.h"
#include "listwin/list_window.h"
#include "monitor/access_log.h"
#include "monitor/company.h"
#include "monitor/duplicates.h"
#include "shell/app.h"

namespace brisolt {

namespace {

// GetWindow(GW_HWNDNEXT) can run in a circle while windows are re-stacked
// during the walk. Collected windows stop a walk at 1023, but hidden ones are
// not counted; no desktop holds this many windows, so this bound only ever
// ends such a circle.
constexpr int kMaxWalkSteps = 65536;

std::string CutAtNul(const std::string& text) { return text.substr(0, text.find('\0')); }

void CollectTopLevel(App& app, const std::string& title, WindowHandle window) {
    TopWindowEntry& entry = app.scan.TopWindows[app.scan.TopWindowCount];
    entry.Title = title;
    entry.Window = window;
    GlueTopLevel(app, title, window);
    ++app.scan.TopWindowCount;
}

void CollectMdiChild(App& app, const std::string& title, WindowHandle window) {
    OpenObjectEntry& entry = app.scan.Objects.Rows[app.scan.Objects.Count];
    entry.Title = title;
    entry.Window = window;
    GlueMdiChild(app, title, window);
    ++app.scan.Objects.Count;
}

}  // namespace

void tmr1_Timer(App& app) { RefreshWindowList(app); }

void RefreshWindowList(App& app) {
    ListWindowHost* list = app.platform.listWindow;
    if (!list || !list->Exists()) return;
    ComputeRowMetrics(app);  // row height and margin for the current font
    ScanTopLevelWindows(app);
    PaintListWindow(app);
}

void ScanTopLevelWindows(App& app) {
    Desktop& desktop = *app.platform.desktop;
    ScanState& scan = app.scan;
    scan.TopWindowCount = 0;
    scan.Objects.Count = 0;

    // The client's main window is the first one below the topmost whose title
    // contains this text. An empty text identifies no window: the client is
    // then simply not found.
    const std::string identification = CutAtNul(app.forms.frmAllgemein.edParent.Text);
    bool clientFound = false;

    WindowHandle any = desktop.AnyTopLevelWindow();
    WindowHandle window = any ? desktop.FirstSibling(any) : 0;
    if (window) {
        // The topmost window is read through the title buffer and is never
        // taken for the client.
        std::string title = desktop.Title(window, kTitleBuffer);
        if (!title.empty() && desktop.IsVisible(window)) CollectTopLevel(app, title, window);

        for (int steps = 0; scan.TopWindowCount < kWalkLimit && steps < kMaxWalkSteps; ++steps) {
            window = desktop.NextSibling(window);
            if (!window) break;
            title = desktop.Title(window, 0);
            if (!title.empty() && desktop.IsVisible(window)) CollectTopLevel(app, title, window);
            // A hidden window is still the client's main window when its title matches.
            if (!clientFound && !identification.empty() && title.find(identification) != std::string::npos) {
                scan.ClientMainRect = desktop.WindowRect(window);
                ScanClientWindows(app, window);
                clientFound = true;
                UpdateCompany(app, title);
            }
        }
    }

    if (scan.Objects.Count == 0) ClearCompany(app);
    app.forms.frmFensterliste.lblParents.Caption = std::to_string(scan.TopWindowCount);
    app.forms.frmFensterliste.lblClients.Caption = std::to_string(scan.Objects.Count);
}

void ScanClientWindows(App& app, WindowHandle mainWindow) {
    Desktop& desktop = *app.platform.desktop;
    ScanState& scan = app.scan;
    scan.ClientMainWindow = mainWindow;
    for (OpenObjectEntry& row : scan.Objects.Rows) row.Title.clear();
    scan.Objects.Count = 0;

    // The main window's first child is the MDI area; its children are the
    // client's windows, the active one first. Without an MDI area the
    // rectangle keeps what the last client walk found.
    WindowHandle mdiArea = desktop.FirstChild(mainWindow);
    WindowHandle window = 0;
    bool areaVisible = false;
    if (mdiArea) {
        scan.MdiAreaRect = desktop.ClientRect(mdiArea);
        window = desktop.FirstChild(mdiArea);
        // A child is visible when it and all its ancestors are: the MDI area
        // and the main window are asked once for the whole walk.
        if (window) areaVisible = desktop.IsVisible(mdiArea);
    }
    if (window) {
        // The first child is collected even while hidden.
        std::string title = desktop.Title(window, kTitleBuffer);
        if (!title.empty()) CollectMdiChild(app, title, window);

        for (int steps = 0; scan.Objects.Count < kWalkLimit && steps < kMaxWalkSteps; ++steps) {
            window = desktop.NextSibling(window);
            if (!window) break;
            title = desktop.Title(window, kTitleBuffer);
            if (!title.empty() && areaVisible && desktop.HasVisibleStyle(window)) CollectMdiChild(app, title, window);
        }
    }

    WriteAccessLog(app);
    MarkDuplicates(app);
}

}  // namespace brisolt
