// A Desktop that hands every call to another one and counts the moves it is
// asked for: on a settled layout the glue rules must ask for none.
#pragma once
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace brisolt::bench {

class CountingDesktop : public Desktop {
public:
    explicit CountingDesktop(Desktop& inner) : inner_(inner) {}

    long long setWindowPosCalls = 0;

    std::vector<WindowHandle> TopLevelWindows() override { return inner_.TopLevelWindows(); }
    std::vector<WindowHandle> ChildWindows(WindowHandle w) override { return inner_.ChildWindows(w); }
    std::string Title(WindowHandle w, std::size_t maxChars) override { return inner_.Title(w, maxChars); }
    bool IsVisible(WindowHandle w) override { return inner_.IsVisible(w); }
    bool HasVisibleStyle(WindowHandle w) override { return inner_.HasVisibleStyle(w); }
    bool IsIconic(WindowHandle w) override { return inner_.IsIconic(w); }
    Rect WindowRect(WindowHandle w) override { return inner_.WindowRect(w); }
    Rect ClientRect(WindowHandle w) override { return inner_.ClientRect(w); }
    Placement PlacementOf(WindowHandle w) override { return inner_.PlacementOf(w); }
    void SetWindowPos(WindowHandle w, int x, int y, int cx, int cy, unsigned flags) override {
        ++setWindowPosCalls;
        inner_.SetWindowPos(w, x, y, cx, cy, flags);
    }
    void Restore(WindowHandle w) override { inner_.Restore(w); }
    void BringToTop(WindowHandle w) override { inner_.BringToTop(w); }
    bool IsOnMonitor(Point p) override { return inner_.IsOnMonitor(p); }

private:
    Desktop& inner_;
};

}  // namespace brisolt::bench
