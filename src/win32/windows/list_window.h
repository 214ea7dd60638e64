// The list window on the screen: a captionless, borderless, always-on-
// top popup without a taskbar button. It paints the display list of its
// canvas flicker-free (one blit from a memory bitmap), reports mouse presses
// and double-clicks, and follows the mouse while a drag runs.
#pragma once
#include "win32/base/win.h"

#include <functional>

#include "platform/canvas.h"
#include "win32/base/handles.h"
#include "win32/windows/list_canvas.h"
#include "win32/base/native_window.h"

namespace brisolt::win32 {

// What the window reports; the program runs its handlers through the event
// dispatcher.
struct ListWindowEvents {
    std::function<void(int button)> mouseDown;                   // 1 left, 2 right
    std::function<void(int button, double yTwips)> doubleClick;  // client y in twips
};

class ListWindow : public ListWindowHost, public NativeWindow {
public:
    static constexpr const char* kClassName = "BrisoltListWindow";

    // Throws ControlError when the window cannot be created.
    ListWindow(HINSTANCE instance, ProgramWindows& windows, ListWindowEvents events, const Scale& scale);
    ~ListWindow() override;

    bool Exists() const override;
    WindowHandle Handle() const override { return FromHwnd(Hwnd()); }
    Canvas& Surface() override { return canvas_; }
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    void SetSize(double widthTwips, double heightTwips) override;
    Point Position() const override;
    void MoveTo(int x, int y) override;
    void BeginDrag() override;
    void Present() override;
    void Close() override;

    bool Dragging() const { return dragging_; }

private:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnDestroyed() override { dragging_ = false; }
    void Paint();
    void FollowMouse();
    void EndDrag();

    ListWindowEvents events_;
    const Scale& scale_;  // the platform's
    ListCanvas canvas_;
    bool dragging_ = false;
    POINT dragOffset_{};  // mouse position minus window corner, screen pixels
};

}  // namespace brisolt::win32
