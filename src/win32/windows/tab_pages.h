// The settings window's tab strip and the five page dialogs it shows, by page
// number (1 General, 2 List window, 3 Options, 4 Info, 5 Team); the tabs stand
// in the order of program/pages.h (kTabPages). The pages are children of the
// settings window (so the dialog keyboard works across them), stacked above
// the tab strip in its display area; only the selected one is visible.
#pragma once
#include "win32/base/win.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "win32/base/native_window.h"

namespace brisolt::win32 {

class TabPages {
public:
    static constexpr int kPages = 5;
    // A page's messages, answered as a dialog procedure does.
    using PageHandler = std::function<LRESULT(HWND page, UINT msg, WPARAM wp, LPARAM lp)>;

    // Creates the pages from their templates (general, list window, options,
    // info, team), hidden; `handler` gets their messages. Throws
    // ControlError.
    TabPages(HINSTANCE instance, HWND main, HWND tab, const PageHandler& handler);
    TabPages(const TabPages&) = delete;
    TabPages& operator=(const TabPages&) = delete;
    ~TabPages();

    // The page of that number less one.
    HWND Page(int index) const;
    HWND Tab() const { return tab_; }

    // Tabs and their captions (left to right), the selected page number and
    // its page. Throws ControlError for a page that has no tab.
    void Push(const std::vector<std::string>& captions, int selected);
    // The page number of the tab the user selected (TCN_SELCHANGE).
    int SelectedByUser() const;
    // The page whose tab is `delta` tabs from page `selected`'s, round the
    // strip of `count` tabs (Ctrl+Tab).
    static int Step(int selected, int delta, int count);
    // The position (0-based) of page `page`'s tab; -1 when it has none.
    static int TabOf(int page);

private:
    class PageWindow;
    void Layout();
    void ShowPage(int index);

    HWND main_;
    HWND tab_;
    std::array<std::unique_ptr<PageWindow>, kPages> pages_;
    std::array<SIZE, kPages> pageSizes_{};
    std::vector<std::string> captions_;  // as shown
    int shownPage_ = -2;                // -1: none
};

}  // namespace brisolt::win32
