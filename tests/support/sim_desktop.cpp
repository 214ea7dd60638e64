#include "sim_desktop.h"

#include <algorithm>

namespace brisolt::test {

WindowHandle SimDesktop::AddTopLevel(const std::string& title, bool visible, Placement p) {
    WindowHandle h = next_ += 4;
    Window w;
    w.title = title;
    w.visible = visible;
    w.place = p;
    windows_[h] = w;
    topLevel_.push_back(h);
    return h;
}

WindowHandle SimDesktop::AddChild(WindowHandle parent, const std::string& title, bool visible, Placement p) {
    WindowHandle h = next_ += 4;
    Window w;
    w.title = title;
    w.visible = visible;
    w.place = p;
    w.parent = parent;
    windows_[h] = w;
    windows_.at(parent).children.push_back(h);
    return h;
}

std::vector<WindowHandle>& SimDesktop::LevelOf(WindowHandle w) {
    WindowHandle parent = windows_.at(w).parent;
    return parent ? windows_.at(parent).children : topLevel_;
}

void SimDesktop::BringToFront(WindowHandle w) {
    auto& level = LevelOf(w);
    level.erase(std::find(level.begin(), level.end(), w));
    level.insert(level.begin(), w);
}

void SimDesktop::Remove(WindowHandle w) {
    if (!Has(w)) return;
    for (WindowHandle c : std::vector<WindowHandle>(windows_.at(w).children)) Remove(c);
    auto& level = LevelOf(w);
    level.erase(std::find(level.begin(), level.end(), w));
    windows_.erase(w);
}

void SimDesktop::SetClientSize(WindowHandle w, int cw, int ch) {
    windows_.at(w).clientW = cw;
    windows_.at(w).clientH = ch;
}

std::vector<WindowHandle> SimDesktop::TopLevelWindows() { return topLevel_; }

std::vector<WindowHandle> SimDesktop::ChildWindows(WindowHandle w) {
    return Has(w) ? windows_.at(w).children : std::vector<WindowHandle>{};
}

std::string SimDesktop::Title(WindowHandle w, std::size_t maxChars) {
    ++titleReads;
    if (onTitleRead) onTitleRead(w);
    if (!Has(w)) return "";
    std::string t = windows_.at(w).title;
    t = t.substr(0, t.find('\0'));
    if (maxChars > 0 && t.size() > maxChars - 1) t.resize(maxChars - 1);
    return t;
}

// IsWindowVisible: the window and every ancestor carry the visible style.
bool SimDesktop::IsVisible(WindowHandle w) {
    for (; w != 0; w = windows_.at(w).parent)
        if (!HasVisibleStyle(w)) return false;
    return true;
}

bool SimDesktop::HasVisibleStyle(WindowHandle w) { return Has(w) && windows_.at(w).visible; }
bool SimDesktop::IsIconic(WindowHandle w) { return Has(w) && windows_.at(w).iconic; }

Rect SimDesktop::WindowRect(WindowHandle w) {
    if (!Has(w)) return {};
    const Window& win = windows_.at(w);
    Rect origin;
    if (win.parent) origin = WindowRect(win.parent);
    int left = origin.left + win.place.x, top = origin.top + win.place.y;
    return {left, top, left + win.place.w, top + win.place.h};
}

Rect SimDesktop::ClientRect(WindowHandle w) {
    if (!Has(w)) return {};
    const Window& win = windows_.at(w);
    return {0, 0, win.clientW >= 0 ? win.clientW : win.place.w, win.clientH >= 0 ? win.clientH : win.place.h};
}

Placement SimDesktop::PlacementOf(WindowHandle w) { return Has(w) ? windows_.at(w).place : Placement{}; }

bool SimDesktop::IsOnMonitor(Point p) {
    for (const Rect& m : monitors)
        if (p.x >= m.left && p.x < m.right && p.y >= m.top && p.y < m.bottom) return true;
    return false;
}

void SimDesktop::SetWindowPos(WindowHandle w, int x, int y, int cx, int cy, unsigned flags) {
    setPosCalls.push_back({w, x, y, cx, cy, flags});
    if (!Has(w)) return;
    Placement& p = windows_.at(w).place;
    p.x = x;
    p.y = y;
    if (!(flags & kSwpNoSize)) {
        p.w = cx;
        p.h = cy;
    }
}

void SimDesktop::Restore(WindowHandle w) {
    restored.push_back(w);
    if (Has(w)) windows_.at(w).iconic = false;
}

void SimDesktop::BringToTop(WindowHandle w) {
    broughtToTop.push_back(w);
    if (Has(w)) BringToFront(w);
}

}  // namespace brisolt::test
