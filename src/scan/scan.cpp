#include "scan/scan.h"

#include <string_view>
#include <algorithm>
#include <functional>
#include <utility>

#include "titles/designer_title.h"

namespace brisolt {

namespace {

constexpr std::string_view kClientMarker = "- Navision Financials";
constexpr std::string_view kDatabaseEnding = ".FDB";

std::string CutAtNul(const std::string& text) { return text.substr(0, text.find('\0')); }

// The last four characters (or all, when fewer), in upper case, are ".FDB":
// the client shows a database file instead of a company.
bool IsDatabaseFile(std::string_view name) {
    std::string upper(name.substr(name.size() < 4 ? 0 : name.size() - 4));
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper == kDatabaseEnding;
}

// The client's MDI windows: the main window's first child is the MDI area,
// and its children are the client's windows, the active one first. Without
// an MDI area the rectangle keeps what an earlier walk found.
void ScanClientWindows(Desktop& desktop, WindowHandle mainWindow, const Settings& settings, ScanResult& result) {
    const std::vector<WindowHandle> mainChildren = desktop.ChildWindows(mainWindow);
    if (mainChildren.empty()) return;
    const WindowHandle mdiArea = mainChildren.front();
    result.mdiArea = desktop.ClientRect(mdiArea);
    const std::vector<WindowHandle> children = desktop.ChildWindows(mdiArea);
    if (children.empty()) return;
    // A child is visible when it and all its ancestors are: the MDI area (and
    // with it the main window) is asked once for the whole walk.
    const bool areaVisible = desktop.IsVisible(mdiArea);
    for (std::size_t i = 0; i < children.size() && result.clientWindows.size() < kWalkLimit; ++i) {
        const WindowHandle child = children[i];
        std::string title = desktop.Title(child, kTitleBuffer);
        if (title.empty()) continue;
        // The first child is listed even while hidden.
        if (i == 0 || (areaVisible && desktop.HasVisibleStyle(child))) {
            ClientRow& row = result.clientWindows.emplace_back();
            row.title = std::move(title);
            row.window = child;
        }
    }
    const FormDesignerVariant variant = FormVariantOf(settings.formularDesignerTitles);
    for (ClientRow& row : result.clientWindows) {
        row.designer = IdentifyDesigner(row.title, variant);
        row.shortName = settings.shortNames && row.designer.IsDesigner();
    }
}

}  // namespace

std::string CompanyFromTitle(const std::string& title) {
    // What stands in front of the character before the marker.
    const std::size_t marker = title.find(kClientMarker);
    if (marker == std::string::npos || marker < 2) return {};
    std::string company = title.substr(0, marker - 1);
    if (IsDatabaseFile(company)) company.clear();
    return company;
}

ScanResult ScanDesktop(Desktop& desktop, const Settings& settings, const ScanResult& previous) {
    ScanResult result;
    result.client = previous.client;
    result.clientBefore = previous.client;
    result.mdiArea = previous.mdiArea;

    // The client's main window is the first one below the topmost whose title
    // contains this text. An empty text identifies no window: the client is
    // then simply not found.
    const std::string identification = CutAtNul(settings.clientTitleMarker);
    std::string clientTitle;

    const std::vector<WindowHandle> windows = desktop.TopLevelWindows();
    for (std::size_t i = 0; i < windows.size() && result.topLevel.size() < kWalkLimit; ++i) {
        const WindowHandle window = windows[i];
        // The topmost window is read through the title buffer and is never
        // taken for the client.
        std::string title = desktop.Title(window, i == 0 ? kTitleBuffer : 0);
        // A hidden window is still the client's main window when its title matches.
        const bool beforeClient = result.clientMain == 0;
        const bool isClient = i > 0 && beforeClient && !identification.empty() &&
                              title.find(identification) != std::string::npos;
        if (isClient) clientTitle = title;
        if (!title.empty() && desktop.IsVisible(window))
            result.topLevel.push_back({std::move(title), window, beforeClient});
        if (isClient) {
            result.clientMain = window;
            result.client = {desktop.WindowRect(window), desktop.IsIconic(window), true};
            ScanClientWindows(desktop, window, settings, result);
        }
    }

    // The company shows only while the client lists a window.
    if (!result.clientWindows.empty()) result.company = CompanyFromTitle(clientTitle);

    // Only the front-most designer window counts; windows behind it are not looked at.
    for (std::size_t i = 0; i < result.clientWindows.size(); ++i)
        if (result.clientWindows[i].designer.IsDesigner()) {
            result.frontDesigner = static_cast<int>(i);
            break;
        }

    result.alarm = MarkDuplicates(result.clientWindows) && settings.alarmSound;
    return result;
}

bool MarkDuplicates(std::vector<ClientRow>& rows) {
    // The designer rows ordered by the hash of their titles: rows with equal
    // titles stand side by side, and no map is built per scan.
    std::vector<std::pair<std::size_t, std::size_t>> byHash;  // hash, row
    byHash.reserve(rows.size());
    const std::hash<std::string_view> hash;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].duplicate = false;
        if (rows[i].designer.IsDesigner()) byHash.emplace_back(hash(rows[i].title), i);
    }
    std::sort(byHash.begin(), byHash.end());

    bool any = false;
    for (std::size_t first = 0; first < byHash.size();) {
        std::size_t end = first + 1;
        while (end < byHash.size() && byHash[end].first == byHash[first].first) ++end;
        // Within one hash the titles themselves decide (hashes may collide):
        // sorted by title, equal titles stand side by side.
        if (end - first > 2)
            std::sort(byHash.begin() + first, byHash.begin() + end,
                      [&rows](const auto& x, const auto& y) { return rows[x.second].title < rows[y.second].title; });
        for (std::size_t i = first + 1; i < end; ++i) {
            ClientRow& x = rows[byHash[i - 1].second];
            ClientRow& y = rows[byHash[i].second];
            if (x.title == y.title) x.duplicate = y.duplicate = any = true;
        }
        first = end;
    }
    return any;
}

}  // namespace brisolt
