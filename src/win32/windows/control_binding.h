// Binds the settings and what the settings window shows (program/views.h)
// to the native controls of the dialog templates, one table row per control.
//
// Program -> screen: Push() carries every property that differs from what was
// last pushed (captions, texts, check states, enabled, combo entries and
// selection, tooltips, and for the colour previews their back colour, font
// and position). Putting a value into a control this way runs no handler.
//
// User -> program: a change the user makes (a click, a typed character, a new
// combo entry) is pulled into the object first; then the control's named
// handler runs through the event dispatcher, which pushes afterwards.
#pragma once
#include "win32/base/win.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "program/texts.h"
#include "program/views.h"
#include "win32/base/handles.h"
#include "win32/windows/tooltips.h"

namespace brisolt::win32 {

// One control: where it is and what it carries. A null pointer means the
// control does not carry that property.
struct Binding {
    HWND parent = nullptr;  // the page (or the settings window) holding the control
    int id = 0;
    HWND hwnd = nullptr;    // found by Attach

    std::string* caption = nullptr;  // window text (a caption, a label's text)
    // A caption that follows the language; in a language that is neither
    // German nor English the caption shown stays (German at first).
    const Bilingual* languageText = nullptr;
    const Language* language = nullptr;
    std::string* text = nullptr;     // a text box's text, pulled at every change
    // A check box (checkedWhen true) or an option button: checked while the
    // setting holds checkedWhen; a click pulls the state back.
    bool* check = nullptr;
    bool checkedWhen = true;
    bool* enabled = nullptr;
    // A combo box: entries and selection, pulled at a new selection.
    const std::vector<std::string>* items = nullptr;
    int* selection = nullptr;
    std::string* toolTip = nullptr;
    ColourPreview* look = nullptr;   // back colour, font and position are pushed
    Bounds* bounds = nullptr;        // filled from the native control by Attach

    // Handlers, run through the dispatcher once the object holds the change.
    std::function<void()> onClick;   // a click, or a new combo selection
    std::function<void()> onKeyUp;
    // A text box the user left (its focus went elsewhere) or pressed Enter in:
    // what was typed is complete.
    std::function<void()> onLeave;
    std::function<void()> onChange;  // a text box's text changed (typed, pasted, cut)
    std::function<void()> onMouseMove;
    std::function<void(int button)> onMouseDown;  // 1 left, 2 right, 4 middle
};

class ControlBinding {
public:
    // Runs a handler as an event of the program (the dispatcher's Run).
    using RunEvent = std::function<void(const std::function<void()>&)>;

    ControlBinding(std::vector<Binding> table, ToolTips& tips, RunEvent run);
    ControlBinding(const ControlBinding&) = delete;
    ControlBinding& operator=(const ControlBinding&) = delete;
    ~ControlBinding();

    // Finds each native control, fills the geometry fields from it, makes the
    // tooltips' tools and hooks key and mouse events. Throws ControlError.
    void Attach();
    // Carries what changed in the objects to the screen. Throws ControlError.
    void Push();

    // WM_COMMAND from a control on `parent`; true when it is a bound control.
    bool OnCommand(HWND parent, int id, int code);
    // WM_CTLCOLORSTATIC: the brush of a control with a back colour, or null.
    HBRUSH OnCtlColorStatic(HWND control, HDC dc);

    const Binding* Find(HWND parent, int id) const;

private:
    // What the screen shows, as last pushed or pulled.
    struct Shown {
        bool pushed = false;  // nothing pushed yet: push everything once
        std::string caption, text, toolTip;
        bool checked = false;
        bool enabled = true;
        std::vector<std::string> items;
        int listIndex = -1;
        Colour back = 0;
        std::string fontName;
        double fontSize = 0;
        RECT bounds{};
        Brush brush;  // the back colour's brush, while the control shows it
    };

    static LRESULT CALLBACK SubclassProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR index, DWORD_PTR self);
    LRESULT OnSubclassed(std::size_t index, HWND w, UINT msg, WPARAM wp, LPARAM lp);
    void PushOne(Binding& b, Shown& s);
    void PushLook(Binding& b, Shown& s, bool all);
    void PullValues(HWND parent);
    HFONT FontFor(const std::string& name, double sizePt);

    std::vector<Binding> table_;
    std::vector<Shown> shown_;
    ToolTips& tips_;
    RunEvent run_;
    bool pushing_ = false;
    int dpiY_;
    std::map<std::pair<std::string, double>, Font> fonts_;  // the list fonts: three at most
};

}  // namespace brisolt::win32
