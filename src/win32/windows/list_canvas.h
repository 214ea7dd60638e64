// The list window's drawing surface: records what the logic draws (in twips)
// as a display list, and renders that list into a device context on WM_PAINT.
#pragma once
#include "win32/base/win.h"

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "win32/base/handles.h"

namespace brisolt::win32 {

class ListCanvas : public Canvas {
public:
    // `scale` is the screen's, held by the platform for as long as the canvas lives.
    explicit ListCanvas(const Scale& scale);
    ~ListCanvas() override;
    ListCanvas(const ListCanvas&) = delete;
    ListCanvas& operator=(const ListCanvas&) = delete;

    void SetFont(const std::string& name, double sizePt) override;
    std::string FontName() const override { return fontName_; }
    double FontSize() const override { return fontSize_; }
    double TextWidth(std::string_view text) override;
    double TextHeight(std::string_view text) override;
    void Clear() override;
    void FillRect(double left, double top, double right, double bottom, Colour color) override;
    void DrawText(double x, double y, std::string_view text, Colour color) override;

    // Paints the background and then the display list, in order, onto `dc`,
    // whose pixel (0, 0) shows the window's pixel (area.left, area.top); what
    // lies wholly outside `area` is skipped.
    void Render(HDC dc, const RECT& area, COLORREF background) const;

    struct Op {
        enum Kind { kFill, kText } kind;
        double left, top, right, bottom;  // twips; a text uses left/top only
        Colour color;
        std::string text;
    };
    const std::vector<Op>& Ops() const { return ops_; }

private:
    int ToPixelsX(double twips) const;
    int ToPixelsY(double twips) const;

    const Scale& scale_;
    std::string fontName_ = "MS Sans Serif";
    double fontSize_ = 8;
    Font font_;
    // A screen-compatible DC that keeps the current font selected, so the
    // many measurements of a tick cost one call each.
    UniqueDC measureDc_;
    HGDIOBJ originalFont_ = nullptr;
    std::vector<Op> ops_;
};

}  // namespace brisolt::win32
