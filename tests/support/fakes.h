// In-memory clock, sound, files, identity, canvas and list window.
#pragma once
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/system.h"
#include "platform/text_measure.h"
#include "sim_desktop.h"

namespace brisolt::test {

class FakeClock : public Clock {
public:
    DateTime now{2026, 12, 7, 12, 34, 56};
    int reads = 0;
    // When set, every read advances the clock by this many seconds.
    int stepSeconds = 0;
    DateTime Now() override;
    std::string DateText(const DateTime& t) override;  // dd.mm.yyyy
    std::string TimeText(const DateTime& t) override;  // hh:mm:ss
    std::int64_t utcSeconds = 1796646896;  // 2026-12-07 12:34:56 UTC
    std::int64_t steadyMs = 1000000;
    std::int64_t UtcSeconds() override { return utcSeconds; }
    std::string TimeOfDayText(std::int64_t utc) override;  // hh:mm, in UTC
    DateTime LocalTime(std::int64_t utc) override;         // in UTC
    std::int64_t SteadyMilliseconds() override { return steadyMs; }
};

class FakeSound : public Sound {
public:
    int exclamations = 0;
    void Exclamation() override { ++exclamations; }
};

class FakeFiles : public Files {
public:
    std::map<std::string, std::string> content;  // path -> bytes
    std::set<std::string> unopenable;            // paths that cannot be opened
    std::set<std::string> failingWrites;         // paths whose writes fail
    int opens = 0;
    std::unique_ptr<AppendFile> OpenAppend(const std::string& path) override;
    bool Exists(const std::string& path) override { return content.count(path) != 0; }
    bool Replace(const std::string& path, const std::string& bytes) override {
        if (path.empty() || unopenable.count(path)) return false;
        content[path] = bytes;
        return true;
    }
};

class FakeIdentity : public Identity {
public:
    std::string name = "jdoe";
    std::string computer = "PC-1";
    std::string UserName() override { return name; }
    std::string ComputerName() override { return computer; }
};

// Windows-1252: ASCII and the Latin-1 letters (Ä is ä, not the multiplication sign).
class FakeCodePage : public CodePage {
public:
    std::string Lower(std::string_view text) override {
        std::string lower(text);
        for (char& c : lower) {
            const unsigned char u = static_cast<unsigned char>(c);
            if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) c = static_cast<char>(u + 0x20);
        }
        return lower;
    }
};

struct DrawOp {
    enum Kind { kClear, kFill, kText } kind;
    double l = 0, t = 0, r = 0, b = 0;
    Colour color = 0;
    std::string text;
};

// Text metrics of a fixed-pitch font: each character is 6/10 of the point
// size wide, a line 1.25 times the point size high (in pixels at 96 dpi).
class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(double twipsPerPixel = 15) : tpp_(twipsPerPixel) {}
    std::vector<DrawOp> ops;  // since the last Clear
    int clears = 0;
    std::string fontName = "MS Sans Serif";
    double fontSize = 8;

    void SetFont(const std::string& name, double sizePt) override {
        fontName = name;
        fontSize = sizePt;
    }
    std::string FontName() const override { return fontName; }
    double FontSize() const override { return fontSize; }
    double TextWidth(std::string_view text) override;
    double TextHeight(std::string_view text) override;
    void Clear() override;
    void FillRect(double l, double t, double r, double b, Colour c) override;
    void DrawText(double x, double y, std::string_view text, Colour c) override;

    std::vector<DrawOp> Texts() const;
    std::vector<DrawOp> Fills() const;

private:
    double tpp_;
};

// Label metrics of the same fixed-pitch font as RecordingCanvas.
class FakeTextMeasure : public TextMeasure {
public:
    explicit FakeTextMeasure(double twipsPerPixel = 15) : tpp_(twipsPerPixel) {}
    double TextWidth(const std::string&, double sizePt, const std::string& text) override;
    double TextHeight(const std::string&, double sizePt, const std::string&) override;

private:
    double tpp_;
};

// The list window as a top-level window of the simulated desktop, so the
// arrangement can read and move it like any other window.
class FakeListWindow : public ListWindowHost {
public:
    explicit FakeListWindow(SimDesktop& desktop, double twipsPerPixel = 15);
    RecordingCanvas canvas;
    bool open = true;
    int presents = 0;
    int drags = 0;
    bool failPosition = false;  // reading the position raises the run-time error

    bool Exists() const override { return open; }
    WindowHandle Handle() const override { return handle_; }
    Canvas& Surface() override { return canvas; }
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    void SetSize(double widthTwips, double heightTwips) override;
    Point Position() const override;
    void MoveTo(int x, int y) override;
    void BeginDrag() override { ++drags; }
    void Present() override { ++presents; }
    void Close() override;

private:
    SimDesktop& desktop_;
    WindowHandle handle_;
    double tpp_;
};

}  // namespace brisolt::test
