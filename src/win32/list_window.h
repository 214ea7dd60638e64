// The list window Win_1 on the screen: a captionless, borderless, always-on-
// top popup without a taskbar button. It paints the display list of its
// canvas flicker-free (one blit from a memory bitmap), reports mouse presses
// and double-clicks, and follows the mouse while a drag runs.
#pragma once
#include "win32/win.h"

#include <functional>

#include "platform/canvas.h"
#include "win32/handles.h"
#include "win32/list_canvas.h"
#include "win32/program_windows.h"

namespace brisolt::win32 {

// What the window reports; the program runs its handlers through the event
// dispatcher.
struct ListWindowEvents {
    std::function<void(int button)> mouseDown;                   // 1 left, 2 right
    std::function<void(int button, double yTwips)> doubleClick;  // client y in twips
};

class ListWindow : public ListWindowHost {
public:
    static constexpr const char* kClassName = "BrisoltListWindow";

    ListWindow(HINSTANCE instance, ProgramWindows& windows, ListWindowEvents events);
    ~ListWindow() override;
    ListWindow(const ListWindow&) = delete;
    ListWindow& operator=(const ListWindow&) = delete;

    bool Exists() const override;
    WindowHandle Handle() const override { return FromHwnd(window_.Get()); }
    Canvas& Surface() override { return canvas_; }
    double TwipsPerPixelX() const override { return tppX_; }
    double TwipsPerPixelY() const override { return tppY_; }
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    void SetSize(double widthTwips, double heightTwips) override;
    Point Position() const override;
    void MoveTo(int x, int y) override;
    void BeginDrag() override;
    void Present() override;
    void Close() override;

    HWND Hwnd() const { return window_.Get(); }
    bool Dragging() const { return dragging_; }

private:
    static LRESULT CALLBACK WindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    void Paint();
    void FollowMouse();
    void EndDrag();

    ProgramWindows& windows_;
    ListWindowEvents events_;
    double tppX_, tppY_;
    ListCanvas canvas_;
    UniqueWindow window_;
    bool dragging_ = false;
    POINT dragOffset_{};  // mouse position minus window corner, screen pixels
};

}  // namespace brisolt::win32
