// Drawing surface of the list window. All coordinates and text metrics are in
// twips (1440 per inch); the host converts with its twips per pixel.
#pragma once
#include <string>
#include <string_view>

#include "platform/types.h"

namespace brisolt {

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void SetFont(const std::string& name, double sizePt) = 0;
    virtual std::string FontName() const = 0;
    virtual double FontSize() const = 0;
    virtual double TextWidth(std::string_view text) = 0;
    virtual double TextHeight(std::string_view text) = 0;
    // Removes everything drawn so far; the window shows its background.
    virtual void Clear() = 0;
    // Rectangle (left, top)-(right, bottom), outline and fill in one colour.
    virtual void FillRect(double left, double top, double right, double bottom, Colour color) = 0;
    virtual void DrawText(double x, double y, std::string_view text, Colour color) = 0;
};

// The list window as the logic sees it: a captionless window whose size is in
// twips and whose position is in screen pixels.
class ListWindowHost {
public:
    virtual ~ListWindowHost() = default;
    virtual bool Exists() const = 0;
    virtual WindowHandle Handle() const = 0;
    virtual Canvas& Surface() = 0;
    // Inner width and height (the scale width and height), in twips.
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    virtual void SetSize(double widthTwips, double heightTwips) = 0;
    // Top-left corner in screen pixels.
    virtual Point Position() const = 0;
    virtual void MoveTo(int x, int y) = 0;
    // Starts a drag with the left button: the window follows the mouse until
    // the button is released, while ticks go on.
    virtual void BeginDrag() = 0;
    // Shows what was drawn since the last Clear (one blit on a real screen).
    virtual void Present() = 0;
    virtual void Close() = 0;
};

}  // namespace brisolt
