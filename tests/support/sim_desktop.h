// An in-memory desktop: a tree of windows with titles, visibility, minimised
// state, placements and Z-order. It records every move and activation, and can
// run a hook in the middle of a walk (to close windows while they are walked).
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace brisolt::test {

struct SetPosCall {
    WindowHandle window;
    int x, y, cx, cy;
    unsigned flags;
};

class SimDesktop : public Desktop {
public:
    struct Window {
        std::string title;
        bool visible = true;
        bool iconic = false;
        Placement place;        // in the parent's client coordinates (screen for top level)
        int clientW = -1, clientH = -1;  // -1: same as the outer size
        WindowHandle parent = 0;
        std::vector<WindowHandle> children;  // Z-order, top first
    };

    // Windows are added below the ones already there (at the end of the Z-order).
    WindowHandle AddTopLevel(const std::string& title, bool visible = true, Placement p = {});
    WindowHandle AddChild(WindowHandle parent, const std::string& title, bool visible = true, Placement p = {});
    // Puts an existing window at the top of its level.
    void BringToFront(WindowHandle w);
    void Remove(WindowHandle w);
    bool Has(WindowHandle w) const { return windows_.count(w) != 0; }
    Window& Get(WindowHandle w) { return windows_.at(w); }
    void SetClientSize(WindowHandle w, int cw, int ch);

    // Called with the window whose title is about to be read (before the
    // answer): to close or re-stack windows in the middle of a walk.
    std::function<void(WindowHandle)> onTitleRead;

    std::vector<SetPosCall> setPosCalls;
    std::vector<WindowHandle> restored, broughtToTop;
    long long titleReads = 0;

    // Desktop
    std::vector<WindowHandle> TopLevelWindows() override;
    std::vector<WindowHandle> ChildWindows(WindowHandle w) override;
    std::string Title(WindowHandle w, std::size_t maxChars) override;
    bool IsVisible(WindowHandle w) override;
    bool HasVisibleStyle(WindowHandle w) override;
    bool IsIconic(WindowHandle w) override;
    Rect WindowRect(WindowHandle w) override;
    Rect ClientRect(WindowHandle w) override;
    Placement PlacementOf(WindowHandle w) override;
    void SetWindowPos(WindowHandle w, int x, int y, int cx, int cy, unsigned flags) override;
    void Restore(WindowHandle w) override;
    void BringToTop(WindowHandle w) override;
    bool IsOnMonitor(Point p) override;

    // The connected monitors, in screen pixels.
    std::vector<Rect> monitors{{0, 0, 1024, 768}};

private:
    std::vector<WindowHandle>& LevelOf(WindowHandle w);
    std::map<WindowHandle, Window> windows_;
    std::vector<WindowHandle> topLevel_;
    WindowHandle next_ = 0x1000;
};

}  // namespace brisolt::test
