#include "fakes.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "program/app.h"

namespace brisolt::test {

DateTime FakeClock::Now() {
    ++reads;
    DateTime t = now;
    if (stepSeconds) {
        // Advance with carry into minutes, hours and the next day.
        int s = now.hour * 3600 + now.minute * 60 + now.second + stepSeconds;
        if (s >= 86400) {
            s -= 86400;
            ++now.day;
        }
        now.hour = s / 3600;
        now.minute = s / 60 % 60;
        now.second = s % 60;
    }
    return t;
}

std::string FakeClock::DateText(const DateTime& t) {
    char b[32];
    std::snprintf(b, sizeof b, "%02d.%02d.%04d", t.day, t.month, t.year);
    return b;
}

std::string FakeClock::TimeText(const DateTime& t) {
    char b[32];
    std::snprintf(b, sizeof b, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return b;
}

DateTime FakeClock::LocalTime(std::int64_t utc) {
    const std::time_t t = static_cast<std::time_t>(utc);
    std::tm tm{};
    gmtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string FakeClock::TimeOfDayText(std::int64_t utc) {
    const std::int64_t secondOfDay = ((utc % 86400) + 86400) % 86400;
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(secondOfDay / 3600),
                  static_cast<int>(secondOfDay / 60 % 60));
    return text;
}

namespace {
class FakeAppendFile : public AppendFile {
public:
    FakeAppendFile(std::string& target, bool fail) : target_(target), fail_(fail) {}
    bool Write(const std::string& bytes) override {
        if (fail_) return false;
        target_ += bytes;
        return true;
    }

private:
    std::string& target_;
    bool fail_;
};
}  // namespace

std::unique_ptr<AppendFile> FakeFiles::OpenAppend(const std::string& path) {
    if (path.empty() || unopenable.count(path)) return nullptr;
    ++opens;
    return std::make_unique<FakeAppendFile>(content[path], failingWrites.count(path) != 0);
}

double RecordingCanvas::TextWidth(std::string_view text) {
    return std::round(text.size() * fontSize * 0.6) * tpp_;
}
double RecordingCanvas::TextHeight(std::string_view) { return std::round(fontSize * 1.25) * tpp_; }

void RecordingCanvas::Clear() {
    ops.clear();
    ++clears;
}
void RecordingCanvas::FillRect(double l, double t, double r, double b, Colour c) {
    ops.push_back({DrawOp::kFill, l, t, r, b, c, {}});
}
void RecordingCanvas::DrawText(double x, double y, std::string_view text, Colour c) {
    ops.push_back({DrawOp::kText, x, y, 0, 0, c, std::string(text)});
}

std::vector<DrawOp> RecordingCanvas::Texts() const {
    std::vector<DrawOp> r;
    for (const auto& op : ops)
        if (op.kind == DrawOp::kText) r.push_back(op);
    return r;
}
std::vector<DrawOp> RecordingCanvas::Fills() const {
    std::vector<DrawOp> r;
    for (const auto& op : ops)
        if (op.kind == DrawOp::kFill) r.push_back(op);
    return r;
}

double FakeTextMeasure::TextWidth(const std::string&, double sizePt, const std::string& text) {
    return std::round(text.size() * sizePt * 0.6) * tpp_;
}
double FakeTextMeasure::TextHeight(const std::string&, double sizePt, const std::string&) {
    return std::round(sizePt * 1.25) * tpp_;
}

FakeListWindow::FakeListWindow(SimDesktop& desktop, double twipsPerPixel)
    : canvas(twipsPerPixel), desktop_(desktop), tpp_(twipsPerPixel) {
    handle_ = desktop_.AddTopLevel("", true, {50, 50, 100, 100});
    desktop_.BringToFront(handle_);  // always on top
}

double FakeListWindow::ScaleWidth() const { return desktop_.Get(handle_).place.w * tpp_; }
double FakeListWindow::ScaleHeight() const { return desktop_.Get(handle_).place.h * tpp_; }

void FakeListWindow::SetSize(double widthTwips, double heightTwips) {
    Placement& p = desktop_.Get(handle_).place;
    p.w = static_cast<int>(std::lround(widthTwips / tpp_));
    p.h = static_cast<int>(std::lround(heightTwips / tpp_));
}

Point FakeListWindow::Position() const {
    if (failPosition) throw ControlError("list window position");
    const Placement& p = desktop_.Get(handle_).place;
    return {p.x, p.y};
}

void FakeListWindow::MoveTo(int x, int y) {
    Placement& p = desktop_.Get(handle_).place;
    p.x = x;
    p.y = y;
}

void FakeListWindow::Close() {
    open = false;
    desktop_.Remove(handle_);
}

}  // namespace brisolt::test
