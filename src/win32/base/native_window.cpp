#include "win32/base/native_window.h"

#include "win32/base/control_error.h"

namespace brisolt::win32 {

namespace {

int UserDataSlot(bool dialog) { return dialog ? DWLP_USER : GWLP_USERDATA; }

}  // namespace

NativeWindow::~NativeWindow() {
    if (const HWND w = Hwnd()) {
        Detach();
        DestroyLiveWindow(w);
    }
}

void NativeWindow::Create(HINSTANCE instance, const WindowArgs& args) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(instance, args.className, &wc)) {
        wc = WNDCLASSEXA{};
        wc.cbSize = sizeof wc;
        wc.style = args.classStyle;
        wc.lpfnWndProc = &NativeWindow::WindowThunk;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = args.className;
        Check(RegisterClassExA(&wc) != 0, args.what);
    }
    Check(CreateWindowExA(args.exStyle, args.className, "", args.style, args.x, args.y, args.width, args.height,
                          args.parent, nullptr, instance, this) != nullptr,
          args.what);
}

void NativeWindow::CreateDialogFrom(HINSTANCE instance, int templateId, HWND parent, const char* what) {
    dialog_ = true;
    Check(CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), parent, &NativeWindow::DialogThunk,
                             reinterpret_cast<LPARAM>(this)) != nullptr,
          what);
}

void NativeWindow::RunDialogFrom(HINSTANCE instance, int templateId, HWND parent, const char* what) {
    dialog_ = true;
    Check(DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), parent, &NativeWindow::DialogThunk,
                          reinterpret_cast<LPARAM>(this)) != -1,
          what);
}

LRESULT CALLBACK NativeWindow::WindowThunk(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    NativeWindow* created = nullptr;
    if (msg == WM_NCCREATE)
        created = static_cast<NativeWindow*>(reinterpret_cast<const CREATESTRUCTA*>(lp)->lpCreateParams);
    return Route(w, msg, wp, lp, false, created);
}

INT_PTR CALLBACK NativeWindow::DialogThunk(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return Route(w, msg, wp, lp, true, msg == WM_INITDIALOG ? reinterpret_cast<NativeWindow*>(lp) : nullptr);
}

LRESULT NativeWindow::Route(HWND w, UINT msg, WPARAM wp, LPARAM lp, bool dialog, NativeWindow* created) {
    if (created) created->Attach(w);
    auto* self = reinterpret_cast<NativeWindow*>(GetWindowLongPtrA(w, UserDataSlot(dialog)));
    if (self && msg != WM_NCDESTROY) return self->OnMessage(msg, wp, lp);
    if (self) {
        self->Detach();
        self->OnDestroyed();
    }
    // Before the creation message (WM_GETMINMAXINFO, a dialog's WM_SETFONT)
    // and at the very end, the window has no object.
    return dialog ? FALSE : DefWindowProcA(w, msg, wp, lp);
}

LRESULT NativeWindow::Default(UINT msg, WPARAM wp, LPARAM lp) {
    return dialog_ ? FALSE : DefWindowProcA(Hwnd(), msg, wp, lp);
}

void NativeWindow::Attach(HWND w) {
    SetWindowLongPtrA(w, UserDataSlot(dialog_), reinterpret_cast<LONG_PTR>(this));
    window_ = UniqueWindow(w);
    if (counted_) counted_->Opened();
}

void NativeWindow::Detach() {
    SetWindowLongPtrA(window_.Release(), UserDataSlot(dialog_), 0);
    if (counted_) counted_->Closed();
}

void NativeWindow::Destroy() {
    if (Hwnd()) DestroyWindow(Hwnd());
}

void NativeWindow::DestroyQuietly() {
    const HWND w = Hwnd();
    if (!w) return;
    Detach();
    DestroyLiveWindow(w);
    OnDestroyed();
}

}  // namespace brisolt::win32
