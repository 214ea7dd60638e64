// Every fractional value is rounded to the nearest whole twip before it is
// used as a size or a row offset.
#include "listwin/list_window.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "settings/numbers.h"

namespace brisolt {

const ListFont kListFonts[kListFontCount] = {
    {"MS Sans Serif 8 pt", "MS Sans Serif", 8},
    {"Small Fonts 7pt", "Small Fonts", 7},
    {"Small Fonts 6pt", "Small Fonts", 6},
};

namespace {

constexpr Colour kTextColour = 0;  // rows are always written in black

// With the dynamic font on, more rows take a smaller font: from
// dynamicFontRows7pt rows "Small Fonts 7pt", from dynamicFontRows6pt rows
// "Small Fonts 6pt" (the second wins when both hold). Returns the font.
int ApplyDynamicFont(const ListSurface& surface, const Settings& settings, ListWindowState& state, int rows) {
    if (!settings.dynamicFont) return settings.listFont;
    int index = 0;
    if (LeadingNumber(settings.dynamicFontRows7pt) <= rows) index = 1;
    if (LeadingNumber(settings.dynamicFontRows6pt) <= rows) index = 2;
    if (index != settings.listFont) {
        ApplyListFont(surface.host, index);
        ComputeRowMetrics(surface, state);
    }
    return index;
}

void PaintCollapsed(const ListSurface& surface, const Settings& settings, const ListWindowState& state) {
    ListWindowHost& list = surface.host;
    Canvas& canvas = list.Surface();
    const std::string text = " " + CollapsedText(surface.clock) + " ";
    list.SetSize(std::round(canvas.TextWidth(text)) + state.margin, std::round(canvas.TextHeight(text)));
    canvas.Clear();
    canvas.FillRect(0, 0, list.ScaleWidth(), list.ScaleHeight(), settings.normalColour);
    canvas.DrawText(1, 1, text, kTextColour);
}

// A client row's text: the title, then what others say about it.
std::string_view RowText(const ScanResult& scan, const std::vector<RowRemark>& remarks, std::size_t i,
                         std::string& buffer) {
    const std::string_view title = scan.clientWindows[i].ListText();
    if (i >= remarks.size() || remarks[i].text.empty()) return title;
    buffer.assign(title);
    buffer += "  [";
    buffer += remarks[i].text;
    buffer += "]";
    return buffer;
}

bool Remarked(const std::vector<RowRemark>& remarks, std::size_t i) {
    return i < remarks.size() && !remarks[i].text.empty();
}

int PaintRows(const ListSurface& surface, const ScanResult& scan, const std::vector<RowRemark>& remarks,
              const Settings& settings, ListWindowState& state) {
    ListWindowHost& list = surface.host;
    Canvas& canvas = list.Surface();
    const int n = static_cast<int>(scan.clientWindows.size());
    const int m = static_cast<int>(scan.topLevel.size());
    int font = settings.listFont;

    // Client rows. Without client sizing the window keeps its earlier size
    // and the rows are still painted into it.
    if (n > 0 && settings.showClientWindows) {
        font = ApplyDynamicFont(surface, settings, state, n);
        double widest = 0;
        std::string buffer;
        for (std::size_t i = 0; i < scan.clientWindows.size(); ++i)
            widest = std::max(widest, std::round(canvas.TextWidth(RowText(scan, remarks, i, buffer))));
        list.SetSize(widest + state.margin, n * state.rowHeight);
    }
    // The background is the normal colour everywhere, below the rows too.
    canvas.Clear();
    canvas.FillRect(0, 0, list.ScaleWidth(), list.ScaleHeight(), settings.normalColour);
    std::string buffer;
    for (int i = 0; i < n; ++i) {
        const double top = i * state.rowHeight;
        if (scan.clientWindows[i].duplicate || Remarked(remarks, i))
            canvas.FillRect(0, top, list.ScaleWidth(), top + state.rowHeight, settings.alarmColour);
        canvas.DrawText(1, top + 1, RowText(scan, remarks, i, buffer), kTextColour);
    }

    // Top-level rows, while the client shows no window.
    if (n == 0 && settings.showTopLevelWindows) {
        font = ApplyDynamicFont(surface, settings, state, m);
        double widest = 0;
        for (const TopLevelRow& row : scan.topLevel) widest = std::max(widest, std::round(canvas.TextWidth(row.title)));
        list.SetSize(widest + state.margin, m * state.rowHeight);
        canvas.Clear();
        canvas.FillRect(0, 0, list.ScaleWidth(), list.ScaleHeight(), settings.normalColour);
        for (int i = 0; i < m; ++i) canvas.DrawText(1, i * state.rowHeight + 1, scan.topLevel[i].title, kTextColour);
    }

    // Nothing to list: the window stays open at width 0.
    if (m == 0 || (!settings.showClientWindows && !settings.showTopLevelWindows) ||
        (!settings.showTopLevelWindows && n == 0))
        list.SetSize(0, list.ScaleHeight());
    return font;
}

}  // namespace

void ApplyListFont(ListWindowHost& host, int index) {
    if (index < 0 || index >= kListFontCount) return;
    host.Surface().SetFont(kListFonts[index].fontName, kListFonts[index].sizePt);
}

std::string CollapsedText(Clock& clock) { return clock.TimeText(clock.Now()); }

void ComputeRowMetrics(const ListSurface& surface, ListWindowState& state) {
    state.rowHeight = std::round(surface.host.Surface().TextHeight(CollapsedText(surface.clock)));
    state.margin = std::round(2 * surface.scale.twipsPerPixelX);
}

int PaintListWindow(const ListSurface& surface, const ScanResult& scan, const std::vector<RowRemark>& remarks,
                    const Settings& settings, ListWindowState& state) {
    if (!surface.host.Exists()) return settings.listFont;
    int font = settings.listFont;
    if (state.collapsed)
        PaintCollapsed(surface, settings, state);
    else
        font = PaintRows(surface, scan, remarks, settings, state);
    surface.host.Present();
    return font;
}

int RowAt(const ListWindowState& state, double yTwips, int rowCount) {
    if (state.collapsed || state.rowHeight <= 0 || yTwips < 0) return -1;
    const int row = static_cast<int>(std::floor(yTwips / state.rowHeight));
    return row < rowCount ? row : -1;
}

RowTarget WindowAtRow(const ScanResult& scan, const Settings& settings, const ListWindowState& state, double yTwips) {
    const int n = static_cast<int>(scan.clientWindows.size());
    if (n > 0 && settings.showClientWindows) {
        const int row = RowAt(state, yTwips, n);
        if (row < 0) return {};
        return {scan.clientMain, scan.clientWindows[row].window};
    }
    const int row = RowAt(state, yTwips, static_cast<int>(scan.topLevel.size()));
    return {0, row < 0 ? 0 : scan.topLevel[row].window};
}

}  // namespace brisolt
