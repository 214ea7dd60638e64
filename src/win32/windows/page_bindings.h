// Which native control shows which setting or view field, and which handler
// runs when the user changes it: the binding table of the settings window and
// its five pages.
#pragma once
#include "win32/base/win.h"

#include <vector>

#include "win32/windows/control_binding.h"

namespace brisolt {
struct App;
}

namespace brisolt::win32 {

// The dialogs the controls sit on: the settings window and its pages.
struct SettingsPages {
    HWND window = nullptr;
    HWND general = nullptr;
    HWND listWindow = nullptr;
    HWND options = nullptr;
    HWND info = nullptr;
    HWND team = nullptr;
};

std::vector<Binding> PageBindings(App& app, const SettingsPages& pages);

}  // namespace brisolt::win32
