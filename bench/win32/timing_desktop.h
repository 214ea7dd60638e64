// A Desktop that hands every call to another one and adds up how often each
// operation ran and how long it took: where a tick's time goes.
#pragma once
#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace brisolt::bench {

class TimingDesktop : public Desktop {
public:
    enum Op { kTopLevelWindows, kChildWindows, kTitle, kIsVisible, kHasVisibleStyle, kIsIconic, kWindowRect,
              kClientRect, kPlacementOf, kIsOnMonitor, kSetWindowPos, kRestore, kBringToTop, kOpCount };

    struct Tally {
        long long calls = 0;
        double ms = 0;
    };

private:
    template <class F>
    auto Timed(Op op, F f) {
        const auto start = std::chrono::steady_clock::now();
        auto result = f();
        tallies_[op].ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        ++tallies_[op].calls;
        return result;
    }

public:
    explicit TimingDesktop(Desktop& inner) : inner_(inner) {}

    const Tally& Of(Op op) const { return tallies_[op]; }
    void Reset() { tallies_ = {}; }

    // One line per operation that ran: calls and milliseconds per tick, and
    // microseconds per call.
    void Print(int ticks) const {
        static const char* const kNames[kOpCount] = {
            "TopLevelWindows", "ChildWindows", "Title", "IsVisible", "HasVisibleStyle", "IsIconic", "WindowRect",
            "ClientRect", "PlacementOf", "IsOnMonitor", "SetWindowPos", "Restore", "BringToTop"};
        for (int op = 0; op < kOpCount; ++op) {
            const Tally& t = tallies_[op];
            if (t.calls == 0) continue;
            std::printf("  %-18s %7.1f calls/tick %8.3f ms/tick %7.2f us/call\n", kNames[op],
                        static_cast<double>(t.calls) / ticks, t.ms / ticks, 1000.0 * t.ms / static_cast<double>(t.calls));
        }
    }

    std::vector<WindowHandle> TopLevelWindows() override {
        return Timed(kTopLevelWindows, [&] { return inner_.TopLevelWindows(); });
    }
    std::vector<WindowHandle> ChildWindows(WindowHandle w) override {
        return Timed(kChildWindows, [&] { return inner_.ChildWindows(w); });
    }
    std::string Title(WindowHandle w, std::size_t maxChars) override {
        return Timed(kTitle, [&] { return inner_.Title(w, maxChars); });
    }
    bool IsVisible(WindowHandle w) override { return Timed(kIsVisible, [&] { return inner_.IsVisible(w); }); }
    bool HasVisibleStyle(WindowHandle w) override {
        return Timed(kHasVisibleStyle, [&] { return inner_.HasVisibleStyle(w); });
    }
    bool IsIconic(WindowHandle w) override { return Timed(kIsIconic, [&] { return inner_.IsIconic(w); }); }
    Rect WindowRect(WindowHandle w) override { return Timed(kWindowRect, [&] { return inner_.WindowRect(w); }); }
    Rect ClientRect(WindowHandle w) override { return Timed(kClientRect, [&] { return inner_.ClientRect(w); }); }
    Placement PlacementOf(WindowHandle w) override { return Timed(kPlacementOf, [&] { return inner_.PlacementOf(w); }); }
    void SetWindowPos(WindowHandle w, int x, int y, int cx, int cy, unsigned flags) override {
        Timed(kSetWindowPos, [&] { inner_.SetWindowPos(w, x, y, cx, cy, flags); return 0; });
    }
    void Restore(WindowHandle w) override { Timed(kRestore, [&] { inner_.Restore(w); return 0; }); }
    void BringToTop(WindowHandle w) override { Timed(kBringToTop, [&] { inner_.BringToTop(w); return 0; }); }
    bool IsOnMonitor(Point p) override { return Timed(kIsOnMonitor, [&] { return inner_.IsOnMonitor(p); }); }

private:
    Desktop& inner_;
    std::array<Tally, kOpCount> tallies_{};
};

}  // namespace brisolt::bench
