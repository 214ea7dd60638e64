// Which native control shows which control object, and which handler runs
// when the user changes it: the binding table of the main window and its
// four pages.
#pragma once
#include "win32/win.h"

#include <vector>

#include "win32/form_binding.h"

namespace brisolt {
struct App;
}

namespace brisolt::win32 {

// The dialogs the controls sit on.
struct FormWindows {
    HWND frmMain = nullptr;
    HWND frmAllgemein = nullptr;
    HWND frmFensterliste = nullptr;
    HWND frmOptions = nullptr;
    HWND frmInfo = nullptr;
};

std::vector<Binding> FormTable(App& app, const FormWindows& forms);

}  // namespace brisolt::win32
