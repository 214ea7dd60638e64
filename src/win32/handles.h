// Owning wrappers for kernel handles and windows, and the conversion between
// a WindowHandle of the logic and an HWND.
#pragma once
#include "win32/win.h"

#include <cstdint>
#include <utility>

#include "platform/types.h"

namespace brisolt::win32 {

inline HWND ToHwnd(WindowHandle w) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(w)); }
inline WindowHandle FromHwnd(HWND h) { return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(h)); }

// A kernel object handle (file, event, …), closed with CloseHandle.
// INVALID_HANDLE_VALUE and NULL both mean "none".
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    HANDLE Get() const { return h_; }
    bool Valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
    void Reset() {
        if (Valid()) CloseHandle(h_);
        h_ = nullptr;
    }

private:
    HANDLE h_ = nullptr;
};

// A window this program created, destroyed with DestroyWindow unless it is
// already gone (the user or the system may destroy it first).
class UniqueWindow {
public:
    UniqueWindow() = default;
    explicit UniqueWindow(HWND h) : h_(h) {}
    UniqueWindow(const UniqueWindow&) = delete;
    UniqueWindow& operator=(const UniqueWindow&) = delete;
    UniqueWindow(UniqueWindow&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueWindow& operator=(UniqueWindow&& o) noexcept {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    ~UniqueWindow() { Reset(); }

    HWND Get() const { return h_; }
    // Forgets the window without destroying it (after WM_NCDESTROY).
    void Release() { h_ = nullptr; }
    void Reset() {
        if (h_ && IsWindow(h_)) DestroyWindow(h_);
        h_ = nullptr;
    }

private:
    HWND h_ = nullptr;
};

// A menu this program created and did not hand to a window, destroyed with
// DestroyMenu (which takes its drop-down menus along).
class UniqueMenu {
public:
    UniqueMenu() = default;
    explicit UniqueMenu(HMENU h) : h_(h) {}
    UniqueMenu(const UniqueMenu&) = delete;
    UniqueMenu& operator=(const UniqueMenu&) = delete;
    UniqueMenu(UniqueMenu&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueMenu& operator=(UniqueMenu&& o) noexcept {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    ~UniqueMenu() { Reset(); }
    HMENU Get() const { return h_; }
    // Hands the menu over (to a menu bar or a window) without destroying it.
    HMENU Release() { return std::exchange(h_, nullptr); }
    void Reset() {
        if (h_) DestroyMenu(h_);
        h_ = nullptr;
    }

private:
    HMENU h_ = nullptr;
};

// An icon loaded with LoadImage (not shared), destroyed with DestroyIcon.
class UniqueIcon {
public:
    UniqueIcon() = default;
    explicit UniqueIcon(HICON h) : h_(h) {}
    UniqueIcon(const UniqueIcon&) = delete;
    UniqueIcon& operator=(const UniqueIcon&) = delete;
    UniqueIcon(UniqueIcon&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueIcon& operator=(UniqueIcon&& o) noexcept {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    ~UniqueIcon() { Reset(); }
    HICON Get() const { return h_; }
    void Reset() {
        if (h_) DestroyIcon(h_);
        h_ = nullptr;
    }

private:
    HICON h_ = nullptr;
};

}  // namespace brisolt::win32
