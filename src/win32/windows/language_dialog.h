// The first-start language dialog: modal, it runs its own message loop until
// it is closed. "Continue in English" and "Weiter auf Deutsch" run their
// handlers and close it; the close box and
// Esc close it with no choice made (Language stays -1).
#pragma once
#include "win32/base/win.h"

#include "win32/windows/event_dispatcher.h"

namespace brisolt::win32 {

// Throws ControlError when the dialog cannot be shown.
void RunLanguageDialog(HINSTANCE instance, App& app, EventDispatcher& dispatcher);

}  // namespace brisolt::win32
