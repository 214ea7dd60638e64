// Windows made for the tests: plain top-level and child windows and an MDI
// frame with its MDI client, destroyed at the end of the test.
#pragma once
#include "win32/base/win.h"

#include <string>
#include <vector>

#include "win32/base/handles.h"

namespace wintest {

// A plain window of a test class; `parent` makes it a child (WS_CHILD).
brisolt::win32::UniqueWindow MakeWindow(const std::string& title, int x, int y, int w, int h,
                                        HWND parent = nullptr, bool visible = true);

// An MDI frame whose first child is the MDI client, with MDI children created
// in the order given (so the last one is active and top-most).
struct MdiFrame {
    brisolt::win32::UniqueWindow frame;
    HWND client = nullptr;
    std::vector<HWND> children;
};
MdiFrame MakeMdiFrame(const std::string& title, const std::vector<std::string>& childTitles);

}  // namespace wintest
