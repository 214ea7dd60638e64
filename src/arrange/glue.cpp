// The glue rules: each rule compares a window's current placement with its
// target and moves it only when they differ, so a settled layout costs no
// moves. Nothing is remembered between ticks except the Object Designer's
// placement, whose width is where the list window goes.
#include "arrange/glue.h"

#include "shell/app.h"

namespace brisolt {

namespace {

// Client windows are moved without re-stacking or activating them; the list
// window additionally keeps its size.
constexpr unsigned kClientMoveFlags = kSwpNoZOrder | kSwpNoActivate;            // 0x14
constexpr unsigned kListMoveFlags = kSwpNoSize | kSwpNoZOrder | kSwpNoActivate;  // 0x15

// The client's titles are read as 8-bit text in the system code page
// (Windows-1252), so the umlaut is the single byte 0xFC, not UTF-8.
constexpr const char* kHauptmenue = "Hauptmen\xFC";
constexpr const char* kSozialmenue = "Sozialmen\xFC";
constexpr const char* kMainMenu = "Main Menu";
constexpr const char* kObjectDesigner = "Object Designer";
constexpr const char* kPropertiesSuffix = "- Properties";
constexpr const char* kToolbox = "Toolbox";
constexpr const char* kFieldMenu = "Field Menu";

// A glue rule is on only while its check box holds exactly 1.
bool On(const CheckBox& box) { return box.Value == 1; }

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool IsMainMenuTitle(const std::string& title) {
    return title == kHauptmenue || title == kSozialmenue || title == kMainMenu;
}

// Object Designer to the MDI area's left edge at full height; the list window
// right beside it (at the designer's width, top 0, screen coordinates).
void GlueObjectDesigner(App& app, WindowHandle window) {
    Desktop& desktop = *app.platform.desktop;
    const FrmAllgemein& page = app.forms.frmAllgemein;
    const int hm = app.scan.MdiAreaRect.bottom;

    // Read whether the rule is on or not: the list window needs the width.
    const Placement p = desktop.PlacementOf(window);
    app.arrange.ObjectDesignerPlacement = p;

    bool minimised = false;
    if (On(page.chkGlueObjDes) && (p.x != 0 || p.h != hm)) {
        if (desktop.IsIconic(window))
            minimised = true;
        else
            desktop.SetWindowPos(window, 0, 0, p.w, hm, kClientMoveFlags);
    }

    ListWindowHost* list = app.platform.listWindow;
    if (minimised || !On(page.chkGlueFensterliste) || list == nullptr) return;
    const WindowHandle listHandle = list->Handle();
    if (desktop.PlacementOf(listHandle).x != p.w) desktop.SetWindowPos(listHandle, p.w, 0, 0, 0, kListMoveFlags);
}

// Properties to the MDI area's right edge at full height, width kept.
void GlueProperties(App& app, WindowHandle window) {
    Desktop& desktop = *app.platform.desktop;
    const int wm = app.scan.MdiAreaRect.right;
    const int hm = app.scan.MdiAreaRect.bottom;
    const Placement p = desktop.PlacementOf(window);
    if (p.x != wm - p.w || p.h != hm) desktop.SetWindowPos(window, wm - p.w, 0, p.w, hm, kClientMoveFlags);
}

// Main menu to the MDI area's lower right corner, size kept; a minimised one
// stays where it is.
void GlueMainMenu(App& app, WindowHandle window) {
    Desktop& desktop = *app.platform.desktop;
    const int wm = app.scan.MdiAreaRect.right;
    const int hm = app.scan.MdiAreaRect.bottom;
    const Placement p = desktop.PlacementOf(window);
    if ((p.x != wm - p.w || p.y != hm - p.h) && !desktop.IsIconic(window))
        desktop.SetWindowPos(window, wm - p.w, hm - p.h, p.w, p.h, kClientMoveFlags);
}

// Toolbox to the screen's left edge, bottom on the main window's bottom edge.
void GlueToolbox(App& app, WindowHandle window) {
    Desktop& desktop = *app.platform.desktop;
    const int b = app.scan.ClientMainRect.bottom;
    const Placement p = desktop.PlacementOf(window);
    if (b != 0 && p.y != b - p.h) desktop.SetWindowPos(window, 0, b - p.h, p.w, p.h, kClientMoveFlags);
}

// Field Menu to the main window's right edge, from the screen's top down to
// the main window's bottom edge.
void GlueFieldMenu(App& app, WindowHandle window) {
    Desktop& desktop = *app.platform.desktop;
    const int r = app.scan.ClientMainRect.right;
    const int b = app.scan.ClientMainRect.bottom;
    const Placement p = desktop.PlacementOf(window);
    if (b != 0 && (p.x != r - p.w || p.h != b)) desktop.SetWindowPos(window, r - p.w, 0, p.w, b, kClientMoveFlags);
}

}  // namespace

void GlueMdiChild(App& app, const std::string& title, WindowHandle window) {
    const FrmAllgemein& page = app.forms.frmAllgemein;
    if (title == kObjectDesigner) GlueObjectDesigner(app, window);
    if (EndsWith(title, kPropertiesSuffix) && On(page.chkGlueProperties)) GlueProperties(app, window);
    if (IsMainMenuTitle(title) && On(page.chkGlueHauptmenu)) GlueMainMenu(app, window);
}

void GlueTopLevel(App& app, const std::string& title, WindowHandle window) {
    const FrmAllgemein& page = app.forms.frmAllgemein;
    if (title == kToolbox && On(page.chkGlueToolbox)) GlueToolbox(app, window);
    if (title == kFieldMenu && On(page.chkGlueFieldMenu)) GlueFieldMenu(app, window);
}

}  // namespace brisolt
