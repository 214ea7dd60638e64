#include "sim_client.h"

namespace brisolt::test {

SimClient::SimClient(SimDesktop& d, const std::string& title, Placement place) : desktop(d) {
    main = desktop.AddTopLevel(title, true, place);
    mdiArea = desktop.AddChild(main, "", true, {4, 40, place.w - 8, place.h - 60});
}

WindowHandle SimClient::Open(const std::string& title, bool visible) {
    return desktop.AddChild(mdiArea, title, visible, {0, 0, 300, 200});
}

WindowHandle SimClient::OpenInFront(const std::string& title, bool visible) {
    WindowHandle w = Open(title, visible);
    desktop.BringToFront(w);
    return w;
}

}  // namespace brisolt::test
