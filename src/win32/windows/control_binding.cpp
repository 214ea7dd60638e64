#include "win32/windows/control_binding.h"

#include <commctrl.h>

#include <cmath>

#include "win32/base/control_error.h"
#include "win32/ports/fonts.h"

namespace brisolt::win32 {

namespace {

std::string WindowText(HWND w) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(w)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(w, text.data(), static_cast<int>(text.size()))));
    return text;
}

int Round(double v) { return static_cast<int>(std::lround(v)); }

// Sets a flag for the lifetime of a scope.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;
    ~ScopedFlag() { flag_ = old_; }

private:
    bool& flag_;
    bool old_;
};

bool HooksEvents(const Binding& b) { return b.onKeyUp || b.onLeave || b.onMouseMove || b.onMouseDown; }

}  // namespace

ControlBinding::ControlBinding(std::vector<Binding> table, ToolTips& tips, RunEvent run)
    : table_(std::move(table)), shown_(table_.size()), tips_(tips), run_(std::move(run)), dpiY_(ScreenDpiY()) {}

ControlBinding::~ControlBinding() {
    for (std::size_t i = 0; i < table_.size(); ++i)
        if (HooksEvents(table_[i]) && table_[i].hwnd && IsWindow(table_[i].hwnd))
            RemoveWindowSubclass(table_[i].hwnd, &ControlBinding::SubclassProc, i);
}

void ControlBinding::Attach() {
    for (std::size_t i = 0; i < table_.size(); ++i) {
        Binding& b = table_[i];
        b.hwnd = GetDlgItem(b.parent, b.id);
        Check(b.hwnd != nullptr, ("Finding control " + std::to_string(b.id)).c_str());
        if (b.bounds) {
            RECT r{};
            GetWindowRect(b.hwnd, &r);
            MapWindowPoints(nullptr, b.parent, reinterpret_cast<POINT*>(&r), 2);
            *b.bounds = {static_cast<double>(r.left), static_cast<double>(r.top),
                         static_cast<double>(r.right - r.left), static_cast<double>(r.bottom - r.top)};
        }
        if (b.toolTip) tips_.Add(b.hwnd);
        if (HooksEvents(b))
            Check(SetWindowSubclass(b.hwnd, &ControlBinding::SubclassProc, i, reinterpret_cast<DWORD_PTR>(this)) !=
                      FALSE,
                  "SetWindowSubclass");
    }
}

const Binding* ControlBinding::Find(HWND parent, int id) const {
    for (const Binding& b : table_)
        if (b.parent == parent && b.id == id) return &b;
    return nullptr;
}

void ControlBinding::Push() {
    ScopedFlag pushing(pushing_);  // the notifications of our own changes are no user input
    for (std::size_t i = 0; i < table_.size(); ++i) {
        if (!table_[i].hwnd) continue;
        PushOne(table_[i], shown_[i]);
    }
}

// Each property is marked as shown before the call that shows it, so a call
// that fails is reported once and not tried again at every push.
void ControlBinding::PushOne(Binding& b, Shown& s) {
    const bool all = !s.pushed;
    s.pushed = true;
    if (b.caption && (all || *b.caption != s.caption)) {
        s.caption = *b.caption;
        Check(SetWindowTextA(b.hwnd, s.caption.c_str()) != FALSE, "Setting a caption");
    }
    if (b.languageText) {
        // A language that is neither German nor English keeps what is shown,
        // and starts with the German caption.
        const char* caption = Pick(*b.languageText, *b.language);
        if (!caption && all) caption = b.languageText->german;
        if (caption && (all || caption != s.caption)) {
            s.caption = caption;
            Check(SetWindowTextA(b.hwnd, s.caption.c_str()) != FALSE, "Setting a caption");
        }
    }
    if (b.text && (all || *b.text != s.text)) {
        s.text = *b.text;
        Check(SetWindowTextA(b.hwnd, s.text.c_str()) != FALSE, "Setting a text");
    }
    if (b.check && (all || (*b.check == b.checkedWhen) != s.checked)) {
        s.checked = *b.check == b.checkedWhen;
        SendMessageA(b.hwnd, BM_SETCHECK, s.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    if (b.enabled && (all || *b.enabled != s.enabled)) {
        s.enabled = *b.enabled;
        EnableWindow(b.hwnd, s.enabled);
    }
    if (b.items) {
        const bool newItems = all || *b.items != s.items;
        if (newItems) {
            s.items = *b.items;
            SendMessageA(b.hwnd, CB_RESETCONTENT, 0, 0);
            for (const std::string& item : s.items)
                Check(SendMessageA(b.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())) >= 0,
                      "Adding a combo box entry");
        }
        if (newItems || *b.selection != s.listIndex) {
            s.listIndex = *b.selection;
            // -1 clears the selection (and answers CB_ERR by design).
            const LRESULT r = SendMessageA(b.hwnd, CB_SETCURSEL, static_cast<WPARAM>(s.listIndex), 0);
            if (s.listIndex >= 0 && r == CB_ERR)
                throw ControlError("Invalid property value: entry " + std::to_string(s.listIndex) +
                                   " of a combo box with " + std::to_string(s.items.size()) + " entries");
        }
    }
    if (b.toolTip && (all || *b.toolTip != s.toolTip)) {
        s.toolTip = *b.toolTip;
        tips_.SetText(b.hwnd, s.toolTip);
    }
    if (b.look) PushLook(b, s, all);
}

void ControlBinding::PushLook(Binding& b, Shown& s, bool all) {
    const ColourPreview& l = *b.look;
    if (all || l.back != s.back || !s.brush) {
        s.back = l.back;
        s.brush = Brush(CreateSolidBrush(s.back));
        Check(static_cast<bool>(s.brush), "CreateSolidBrush");
        InvalidateRect(b.hwnd, nullptr, TRUE);
    }
    if (all || l.fontName != s.fontName || l.fontSize != s.fontSize) {
        s.fontName = l.fontName;
        s.fontSize = l.fontSize;
        SendMessageA(b.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(s.fontName, s.fontSize)), TRUE);
    }
    const Bounds& at = l.bounds;
    const RECT bounds{Round(at.left), Round(at.top), Round(at.left) + Round(at.width), Round(at.top) + Round(at.height)};
    if (all || !EqualRect(&bounds, &s.bounds)) {
        s.bounds = bounds;
        Check(MoveWindow(b.hwnd, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                         TRUE) != FALSE,
              "Moving a label");
    }
}

HFONT ControlBinding::FontFor(const std::string& name, double sizePt) {
    auto found = fonts_.find({name, sizePt});
    if (found == fonts_.end()) {
        Font font = CreatePointFont(name, sizePt, dpiY_);
        Check(static_cast<bool>(font), "CreateFont");
        found = fonts_.emplace(std::make_pair(name, sizePt), std::move(font)).first;
    }
    return found->second.Get();
}

void ControlBinding::PullValues(HWND parent) {
    // A click on an option button clears the other buttons of its group.
    for (std::size_t i = 0; i < table_.size(); ++i) {
        Binding& b = table_[i];
        if (b.parent != parent || !b.check || !b.hwnd) continue;
        const bool checked = SendMessageA(b.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
        // A check box follows its state; an option button sets its value when checked.
        if (checked)
            *b.check = b.checkedWhen;
        else if (b.checkedWhen)
            *b.check = false;
        shown_[i].checked = checked;
    }
}

bool ControlBinding::OnCommand(HWND parent, int id, int code) {
    std::size_t i = 0;
    while (i < table_.size() && !(table_[i].parent == parent && table_[i].id == id)) ++i;
    if (i == table_.size()) return false;
    if (pushing_) return true;
    Binding& b = table_[i];
    Shown& s = shown_[i];
    const std::function<void()> none = [] {};
    if (b.check && code == BN_CLICKED) {
        PullValues(parent);
        run_(b.onClick ? b.onClick : none);
    } else if (b.onLeave && code == EN_KILLFOCUS) {
        run_(b.onLeave);
    } else if (b.text && code == EN_CHANGE) {
        *b.text = WindowText(b.hwnd);
        s.text = *b.text;
        if (b.onChange) run_(b.onChange);
    } else if (b.selection && code == CBN_SELCHANGE) {
        const LRESULT index = SendMessageA(b.hwnd, CB_GETCURSEL, 0, 0);
        *b.selection = index == CB_ERR ? -1 : static_cast<int>(index);
        s.listIndex = *b.selection;
        run_(b.onClick ? b.onClick : none);
    } else if (b.onClick && code == BN_CLICKED) {
        run_(b.onClick);
    }
    return true;
}

HBRUSH ControlBinding::OnCtlColorStatic(HWND control, HDC dc) {
    for (std::size_t i = 0; i < table_.size(); ++i) {
        if (table_[i].hwnd != control || !table_[i].look || !shown_[i].brush) continue;
        SetBkColor(dc, shown_[i].back);
        SetTextColor(dc, RGB(0, 0, 0));
        return shown_[i].brush.Get();
    }
    return nullptr;
}

LRESULT CALLBACK ControlBinding::SubclassProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR index,
                                           DWORD_PTR self) {
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(w, &ControlBinding::SubclassProc, index);
        return DefSubclassProc(w, msg, wp, lp);
    }
    return reinterpret_cast<ControlBinding*>(self)->OnSubclassed(index, w, msg, wp, lp);
}

LRESULT ControlBinding::OnSubclassed(std::size_t index, HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    const Binding& b = table_[index];
    switch (msg) {
        case WM_KEYUP:
            if (b.onKeyUp) {
                const LRESULT r = DefSubclassProc(w, msg, wp, lp);
                run_(b.onKeyUp);
                return r;
            }
            break;
        case WM_MOUSEMOVE:
            if (b.onMouseMove) run_(b.onMouseMove);
            break;
        case WM_GETDLGCODE:
            // Enter in a box that applies on leaving is the box's, not the dialog's default button.
            if (b.onLeave && lp && reinterpret_cast<const MSG*>(lp)->message == WM_KEYDOWN &&
                reinterpret_cast<const MSG*>(lp)->wParam == VK_RETURN)
                return DefSubclassProc(w, msg, wp, lp) | DLGC_WANTMESSAGE;
            break;
        case WM_KEYDOWN:
            if (b.onLeave && wp == VK_RETURN) {
                run_(b.onLeave);
                return 0;
            }
            break;
        case WM_CHAR:
            if (b.onLeave && wp == '\r') return 0;  // no beep
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (b.onMouseDown) {
                const int button = msg == WM_LBUTTONDOWN ? 1 : msg == WM_RBUTTONDOWN ? 2 : 4;
                const LRESULT r = DefSubclassProc(w, msg, wp, lp);
                run_([&] { b.onMouseDown(button); });
                SendMessageA(w, EM_SETSEL, 0, 0);  // the link field keeps no selection
                return r;
            }
            break;
        case WM_CONTEXTMENU:
            if (b.onMouseDown) return 0;  // the right button opened the link already
            break;
        default:
            break;
    }
    return DefSubclassProc(w, msg, wp, lp);
}

}  // namespace brisolt::win32
