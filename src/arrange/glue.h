// Keeps the client's tool windows and the list window in their fixed places.
#pragma once
#include <string>

#include "platform/types.h"

namespace brisolt {

struct App;

// For every MDI child the client walk records.
void GlueMdiChild(App& app, const std::string& title, WindowHandle window);
// For every top-level window the desktop walk records.
void GlueTopLevel(App& app, const std::string& title, WindowHandle window);

}  // namespace brisolt
