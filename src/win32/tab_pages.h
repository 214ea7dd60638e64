// The settings window's tab strip and the four page dialogs it shows: tab k shows page
// k. The pages are children of the settings window (so the dialog keyboard works
// across them), stacked above the tab strip in its display area; only the
// selected one is visible.
#pragma once
#include "win32/win.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <string>
#include <vector>

#include "win32/native_window.h"

namespace brisolt::win32 {

class TabPages {
public:
    static constexpr int kPages = 4;
    // A page's messages, answered as a dialog procedure does.
    using PageHandler = std::function<LRESULT(HWND page, UINT msg, WPARAM wp, LPARAM lp)>;

    // Creates the pages from their templates (general, list window, options,
    // info), hidden; `handler` gets their messages. Throws
    // ControlError.
    TabPages(HINSTANCE instance, HWND main, HWND tab, const PageHandler& handler);
    TabPages(const TabPages&) = delete;
    TabPages& operator=(const TabPages&) = delete;
    ~TabPages();

    HWND Page(int index) const;
    HWND Tab() const { return tab_; }

    // Tabs and their captions, the selected tab and its page. Throws
    // ControlError for a selected tab that does not exist.
    void Push(const std::vector<std::string>& captions, int selected);
    // The tab the user selected, 1-based (TCN_SELCHANGE).
    int SelectedByUser() const;
    // The tab `delta` steps from `selected`, round the strip (Ctrl+Tab).
    static int Step(int selected, int delta, int count);

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
