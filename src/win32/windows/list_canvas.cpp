#include "win32/windows/list_canvas.h"

#include <cmath>

#include "win32/ports/fonts.h"

namespace brisolt::win32 {

ListCanvas::ListCanvas(const Scale& scale) : scale_(scale), measureDc_(CompatibleDC(nullptr /* the screen */)) {
    SetFont(fontName_, fontSize_);
}

ListCanvas::~ListCanvas() {
    // Deselect our font before it is deleted.
    if (originalFont_) SelectObject(measureDc_.Get(), originalFont_);
}

void ListCanvas::SetFont(const std::string& name, double sizePt) {
    if (font_ && name == fontName_ && sizePt == fontSize_) return;  // the dynamic font asks every tick
    Font font = CreatePointFont(name, sizePt, static_cast<int>(std::lround(1440.0 / scale_.twipsPerPixelY)));
    if (!font) return;  // keep the current font
    HGDIOBJ previous = SelectObject(measureDc_.Get(), font.Get());
    if (!originalFont_) originalFont_ = previous;
    font_ = std::move(font);  // the old font is no longer selected: deleted here
    fontName_ = name;
    fontSize_ = sizePt;
}

double ListCanvas::TextWidth(std::string_view text) {
    return TextExtent(measureDc_.Get(), font_.Get(), text).cx * scale_.twipsPerPixelX;
}

double ListCanvas::TextHeight(std::string_view text) {
    return TextExtent(measureDc_.Get(), font_.Get(), text).cy * scale_.twipsPerPixelY;
}

void ListCanvas::Clear() { ops_.clear(); }

void ListCanvas::FillRect(double left, double top, double right, double bottom, Colour color) {
    ops_.push_back(Op{Op::kFill, left, top, right, bottom, color, {}});
}

void ListCanvas::DrawText(double x, double y, std::string_view text, Colour color) {
    ops_.push_back(Op{Op::kText, x, y, 0, 0, color, std::string(text)});
}

int ListCanvas::ToPixelsX(double twips) const { return static_cast<int>(std::lround(twips / scale_.twipsPerPixelX)); }
int ListCanvas::ToPixelsY(double twips) const { return static_cast<int>(std::lround(twips / scale_.twipsPerPixelY)); }

void ListCanvas::Render(HDC dc, const RECT& area, COLORREF background) const {
    HGDIOBJ dcBrush = GetStockObject(DC_BRUSH);
    SetDCBrushColor(dc, background);
    RECT all{0, 0, area.right - area.left, area.bottom - area.top};
    ::FillRect(dc, &all, static_cast<HBRUSH>(dcBrush));

    ScopedSelect font(dc, font_.Get());
    SetBkMode(dc, TRANSPARENT);
    TEXTMETRICA metrics{};
    const int lineHeight = GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : all.bottom;
    for (const Op& op : ops_) {
        const int top = ToPixelsY(op.top);
        if (op.kind == Op::kFill) {
            // Outline and fill in one colour: both corners belong to the box.
            RECT r{ToPixelsX(op.left), top, ToPixelsX(op.right) + 1, ToPixelsY(op.bottom) + 1};
            if (r.bottom <= area.top || r.top >= area.bottom) continue;
            OffsetRect(&r, -area.left, -area.top);
            SetDCBrushColor(dc, op.color);
            ::FillRect(dc, &r, static_cast<HBRUSH>(dcBrush));
        } else {
            if (top + lineHeight <= area.top || top >= area.bottom) continue;
            SetTextColor(dc, op.color);
            TextOutA(dc, ToPixelsX(op.left) - area.left, top - area.top, op.text.data(),
                     static_cast<int>(op.text.size()));
        }
    }
}

}  // namespace brisolt::win32
