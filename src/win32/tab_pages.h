// The tab strip tbsMain and the four page dialogs it shows: tab k shows page
// k. The pages are children of the main window (so the dialog keyboard works
// across them), stacked above the tab strip in its display area; only the
// selected one is visible.
#pragma once
#include "win32/win.h"

#include <array>
#include <string>
#include <vector>

#include <string>
#include <vector>
#include "win32/handles.h"

namespace brisolt::win32 {

class TabPages {
public:
    static constexpr int kPages = 4;

    // Creates the pages from their templates (frmAllgemein, frmFensterliste,
    // frmOptions, frmInfo), hidden, with `pageProc` and `param` as the dialog
    // procedure and its creation parameter. Throws ControlError.
    TabPages(HINSTANCE instance, HWND main, HWND tab, DLGPROC pageProc, LPARAM param);
    TabPages(const TabPages&) = delete;
    TabPages& operator=(const TabPages&) = delete;

    HWND Page(int index) const { return pages_[index].Get(); }
    HWND Tab() const { return tab_; }

    // Tabs and their captions, the selected tab and its page. Throws
    // ControlError for a selected tab that does not exist.
    void Push(const std::vector<std::string>& captions, int selected);
    // The tab the user selected, 1-based (TCN_SELCHANGE).
    int SelectedByUser() const;
    // The tab `delta` steps from `selected`, round the strip (Ctrl+Tab).
    static int Step(int selected, int delta, int count);

private:
    void Layout();
    void ShowPage(int index);

    HWND main_;
    HWND tab_;
    std::array<UniqueWindow, kPages> pages_;
    std::array<SIZE, kPages> pageSizes_{};
    std::vector<std::string> captions_;  // as shown
    int shownPage_ = -2;                // -1: none
};

}  // namespace brisolt::win32
