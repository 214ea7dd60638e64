// Owning handles: one move-only template for every kind of handle the program
// creates, its aliases, a few scoped helpers for device contexts, and the
// conversion between a WindowHandle of the logic and an HWND.
#pragma once
#include "win32/base/win.h"

#include <cstdint>
#include <utility>

#include "platform/types.h"

namespace brisolt::win32 {

inline HWND ToHwnd(WindowHandle w) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(w)); }
inline WindowHandle FromHwnd(HWND h) { return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(h)); }

template <class H>
bool IsNullHandle(H h) {
    return h == H{};
}

// A handle that `Close` gives back to the system when the owner is done with
// it. `IsNone` tells the values that hold nothing (null unless said otherwise).
template <class H, auto Close, auto IsNone = &IsNullHandle<H>>
class Unique {
public:
    Unique() = default;
    explicit Unique(H h) : h_(h) {}
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& o) noexcept : h_(o.Release()) {}
    Unique& operator=(Unique&& o) noexcept {
        if (this != &o) Reset(o.Release());
        return *this;
    }
    ~Unique() { Reset(); }

    H Get() const { return h_; }
    bool Valid() const { return !IsNone(h_); }
    explicit operator bool() const { return Valid(); }
    // Hands the handle over (or forgets one the system already took back).
    H Release() { return std::exchange(h_, H{}); }
    // Closes the handle held, then holds `h`.
    void Reset(H h = H{}) {
        if (Valid()) Close(h_);
        h_ = h;
    }

private:
    H h_{};
};

// The user or the system may destroy a window of ours before we do.
inline void DestroyLiveWindow(HWND w) {
    if (IsWindow(w)) DestroyWindow(w);
}
// CreateFile answers INVALID_HANDLE_VALUE where others answer null.
inline bool IsNoKernelHandle(HANDLE h) { return h == nullptr || h == INVALID_HANDLE_VALUE; }

using UniqueHandle = Unique<HANDLE, &CloseHandle, &IsNoKernelHandle>;  // a file, an event, …
using UniqueWindow = Unique<HWND, &DestroyLiveWindow>;  // a window this program created
// A menu not handed to a window; it takes its drop-down menus along.
using UniqueMenu = Unique<HMENU, &DestroyMenu>;
using UniqueIcon = Unique<HICON, &DestroyIcon>;  // loaded with LoadImage (not shared)
using UniqueDC = Unique<HDC, &DeleteDC>;         // a memory DC (CreateCompatibleDC)
using Font = Unique<HFONT, &DeleteObject>;
using Brush = Unique<HBRUSH, &DeleteObject>;
using Bitmap = Unique<HBITMAP, &DeleteObject>;

// A memory DC like `dc`; a null `dc` means the screen.
inline UniqueDC CompatibleDC(HDC dc) { return UniqueDC(CreateCompatibleDC(dc)); }

// GetDC / ReleaseDC. A null window gives the screen's DC.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND w) : w_(w), dc_(GetDC(w)) {}
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    ~ScopedGetDC() {
        if (dc_) ReleaseDC(w_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND w_;
    HDC dc_;
};

// SelectObject, restoring the previous object when the scope ends.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() {
        if (old_) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// BeginPaint / EndPaint.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND w) : w_(w) { dc_ = BeginPaint(w, &ps_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    ~ScopedPaint() { EndPaint(w_, &ps_); }
    HDC Get() const { return dc_; }
    const RECT& Area() const { return ps_.rcPaint; }

private:
    HWND w_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

}  // namespace brisolt::win32
