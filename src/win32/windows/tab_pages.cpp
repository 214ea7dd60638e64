#include "win32/windows/tab_pages.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <iterator>

#include "control_ids.h"
#include "program/pages.h"
#include "win32/base/control_error.h"

namespace brisolt::win32 {

namespace {

// By page number less one.
constexpr int kTemplates[TabPages::kPages] = {IDD_GENERAL_PAGE, IDD_LIST_WINDOW_PAGE, IDD_OPTIONS_PAGE, IDD_INFO_PAGE,
                                              IDD_TEAM_PAGE};
static_assert(std::size(kTabPages) == TabPages::kPages, "one tab per page");

void SetItemText(HWND tab, int index, const std::string& caption, UINT message) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption.c_str());
    const LRESULT r = SendMessageA(tab, message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    Check(message == TCM_INSERTITEMA ? r == index : r != FALSE, "Setting a tab caption");
}

}  // namespace

class TabPages::PageWindow : public NativeWindow {
public:
    PageWindow(HINSTANCE instance, int templateId, HWND main, const PageHandler& handler) : handler_(handler) {
        CreateDialogFrom(instance, templateId, main, "Creating an option page");
    }

private:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override { return handler_(Hwnd(), msg, wp, lp); }

    PageHandler handler_;
};

TabPages::TabPages(HINSTANCE instance, HWND main, HWND tab, const PageHandler& handler) : main_(main), tab_(tab) {
    Check(tab != nullptr, "Finding the tab strip");
    for (int i = 0; i < kPages; ++i) {
        pages_[i] = std::make_unique<PageWindow>(instance, kTemplates[i], main, handler);
        const HWND page = pages_[i]->Hwnd();
        RECT r{};
        GetWindowRect(page, &r);
        pageSizes_[i] = SIZE{r.right - r.left, r.bottom - r.top};
        // With visual styles the tab's display area has a texture of its own;
        // the page takes it instead of the plain dialog colour.
        EnableThemeDialogTexture(page, ETDT_ENABLETAB);
        // Above the tab strip (WS_CLIPSIBLINGS in its template), which then
        // leaves the page's area alone when it paints.
        SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    Layout();
}

TabPages::~TabPages() = default;

HWND TabPages::Page(int index) const { return pages_[index]->Hwnd(); }

void TabPages::Layout() {
    // The display area below the tabs, in the settings window's client coordinates.
    RECT area{};
    GetClientRect(tab_, &area);
    TabCtrl_AdjustRect(tab_, FALSE, &area);
    MapWindowPoints(tab_, main_, reinterpret_cast<POINT*>(&area), 2);
    for (int i = 0; i < kPages; ++i) {
        const SIZE size = pageSizes_[i];
        const int x = area.left + (area.right - area.left - size.cx) / 2;
        const int y = area.top + (area.bottom - area.top - size.cy) / 2;
        Check(SetWindowPos(Page(i), nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE) != FALSE,
              "Placing an option page");
    }
}

void TabPages::Push(const std::vector<std::string>& captions, int selected) {
    const int count = static_cast<int>(captions.size());
    if (count != static_cast<int>(captions_.size())) {
        captions_.clear();
        TabCtrl_DeleteAllItems(tab_);
        for (int i = 0; i < count; ++i) {
            captions_.push_back(captions[i]);
            SetItemText(tab_, i, captions_[i], TCM_INSERTITEMA);
        }
        Layout();  // the tabs' row decides where the display area begins
    } else {
        for (int i = 0; i < count; ++i) {
            if (captions[i] == captions_[i]) continue;
            captions_[i] = captions[i];
            SetItemText(tab_, i, captions_[i], TCM_SETITEMA);
        }
    }
    if (count == 0) {
        ShowPage(-1);
        return;
    }
    const int tab = TabOf(selected);
    if (tab < 0 || tab >= count)
        throw ControlError("Invalid property value: tab " + std::to_string(selected) + " of " +
                           std::to_string(count));
    if (TabCtrl_GetCurSel(tab_) != tab) TabCtrl_SetCurSel(tab_, tab);
    ShowPage(selected - 1);
}

void TabPages::ShowPage(int index) {
    if (index == shownPage_) return;
    shownPage_ = index;
    const HWND focus = GetFocus();
    bool focusHidden = false;
    for (int i = 0; i < kPages; ++i) {
        const HWND page = Page(i);
        if (i == index) continue;
        if (focus && (focus == page || IsChild(page, focus))) focusHidden = true;
        ShowWindow(page, SW_HIDE);
    }
    if (index >= 0) ShowWindow(Page(index), SW_SHOW);
    // The keyboard focus never stays on a control that went out of sight.
    if (focusHidden) SetFocus(tab_);
}

int TabPages::TabOf(int page) {
    for (int i = 0; i < kPages; ++i)
        if (kTabPages[i] == page) return i;
    return -1;
}

int TabPages::SelectedByUser() const {
    const int tab = TabCtrl_GetCurSel(tab_);
    return tab >= 0 && tab < kPages ? kTabPages[tab] : 1;
}

int TabPages::Step(int selected, int delta, int count) {
    count = std::min(count, kPages);
    if (count <= 0) return selected;
    const int tab = TabOf(selected);
    const int from = tab >= 0 && tab < count ? tab : 0;
    return kTabPages[((from + delta) % count + count) % count];
}

}  // namespace brisolt::win32
