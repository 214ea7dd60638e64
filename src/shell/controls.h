// The controls of the program's forms as plain objects. A control holds the
// properties the program uses; the value of a check box or the text of a box
// *is* the setting it shows. On Windows each object is bound to its native
// control (see src/win32); tests use the objects directly.
#pragma once
#include <string>
#include <vector>

#include "platform/types.h"

namespace brisolt {

struct CheckBox {
    std::string Caption;
    int Value = 0;  // 0 off, 1 on; a stored value may be anything
    bool Enabled = true;
};

struct OptionButton {
    std::string Caption;
    int Value = 0;
};

struct TextBox {
    std::string Text;
    std::string ToolTip;
};

struct Label {
    std::string Caption;
    std::string ToolTip;
    Color BackColor = 0xFFFFFF;
    std::string FontName = "MS Sans Serif";
    double FontSize = 8;
    // Layout in pixels (fractions kept), used by the colour previews.
    double Left = 0, Top = 0, Width = 0, Height = 0;
};

struct Frame {
    std::string Caption;
};

struct Button {
    std::string Caption;
    // Layout in pixels; the previews are laid out against cmdColorAlarm's top.
    double Left = 0, Top = 0, Width = 0, Height = 0;
};

struct ComboBox {
    std::vector<std::string> Items;
    int ListIndex = -1;  // -1: nothing selected
    bool Enabled = true;
};

struct TimerControl {
    int Interval = 2000;  // milliseconds
    bool Enabled = false;
};

struct Tab {
    std::string Caption;
};

struct TabStrip {
    std::vector<Tab> Tabs;
    int SelectedIndex = 1;  // 1-based tab number
};

struct ImageControl {};
struct CommonDialog {
    std::string HelpFile;
    std::string FileName;
};

}  // namespace brisolt
