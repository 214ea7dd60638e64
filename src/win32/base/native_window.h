// The program's native windows, each one C++ object: one window procedure
// (with a dialog procedure beside it) finds the object through the window's
// user data and hands it the messages. Creation failures throw ControlError.
#pragma once
#include "win32/base/win.h"

#include "win32/base/handles.h"

namespace brisolt::win32 {

// The program runs its message loop until no window of it is left: each of
// its windows counts itself here while it exists, and the loop looks at the
// count after every message. (No WM_QUIT: a message box open at that moment,
// such as the report of a failed start-up step, would close at once.)
class ProgramWindows {
public:
    void Opened() { ++open_; }
    void Closed() {
        if (open_ > 0) --open_;
    }
    int Open() const { return open_; }

private:
    int open_ = 0;
};

// A window of a class of ours; the class is registered with its first window.
struct WindowArgs {
    const char* className = nullptr;
    UINT classStyle = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;  // HWND_MESSAGE: a message-only window
    const char* what = "Creating a window";  // the operation a failure report names
};

class NativeWindow {
public:
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    // Null once the window is gone.
    HWND Hwnd() const { return window_.Get(); }

protected:
    // A window counted in `counted` keeps the message loop running.
    explicit NativeWindow(ProgramWindows* counted = nullptr) : counted_(counted) {}
    // A window still there goes without a message to the object: what
    // derives from it is already gone.
    virtual ~NativeWindow();

    void Create(HINSTANCE instance, const WindowArgs& args);
    // A modeless dialog from the template `templateId`.
    void CreateDialogFrom(HINSTANCE instance, int templateId, HWND parent, const char* what);
    // A modal dialog from the template `templateId`; returns once it is closed.
    void RunDialogFrom(HINSTANCE instance, int templateId, HWND parent, const char* what);

    // Every message from the creation message (WM_NCCREATE, WM_INITDIALOG)
    // up to WM_NCDESTROY. A window answers as a window procedure does, a
    // dialog as a dialog procedure: TRUE when it handled the message.
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }
    // The answer to a message the object leaves alone.
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);
    // Once the window is gone (Hwnd() is null).
    virtual void OnDestroyed() {}

    // DestroyWindow; the object sees the window go.
    void Destroy();
    // The window goes without another message to the object; OnDestroyed follows.
    void DestroyQuietly();

private:
    static LRESULT CALLBACK WindowThunk(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    static INT_PTR CALLBACK DialogThunk(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    // The one way from a window to its object: `created` comes with the
    // creation message and is attached first.
    static LRESULT Route(HWND w, UINT msg, WPARAM wp, LPARAM lp, bool dialog, NativeWindow* created);
    void Attach(HWND w);
    void Detach();

    ProgramWindows* counted_;
    bool dialog_ = false;
    UniqueWindow window_;
};

}  // namespace brisolt::win32
