// The ERP client on the simulated desktop: a top-level main window whose first
// child is the MDI area, whose children are the client's windows.
#pragma once
#include <string>

#include "sim_desktop.h"

namespace brisolt::test {

struct SimClient {
    explicit SimClient(SimDesktop& desktop, const std::string& title = "Muster GmbH - Navision Financials",
                       Placement place = {10, 20, 800, 600});

    // A new client window behind the ones already open.
    WindowHandle Open(const std::string& title, bool visible = true);
    // A new client window in front: it becomes the active one.
    WindowHandle OpenInFront(const std::string& title, bool visible = true);
    // Makes an open client window the active one.
    void Activate(WindowHandle w) { desktop.BringToFront(w); }
    // The client ends: its main window and all its windows are gone.
    void Quit() { desktop.Remove(main); }

    SimDesktop& desktop;
    WindowHandle main = 0;
    WindowHandle mdiArea = 0;
};

}  // namespace brisolt::test
