// The Windows services the portable logic runs on, apart from the settings
// file and the user interface: the desktop, clock, sound, files, user name
// and text measure, and the screen's measures.
#pragma once
#include "program/app.h"
#include "win32/win32_clock.h"
#include "win32/win32_desktop.h"
#include "win32/win32_files.h"
#include "win32/win32_identity.h"
#include "win32/win32_sound.h"
#include "win32/win32_text_measure.h"

namespace brisolt::win32 {

struct SystemServices {
    Win32Desktop desktop;
    Win32Clock clock;
    Win32Sound sound;
    Win32Files files;
    Win32Identity identity;
    Win32TextMeasure textMeasure;

    // Points the platform at these services (at `desktop` unless another one
    // is given, e.g. a counting wrapper) and fills in the screen's twips per
    // pixel and the virtual screen.
    void AttachTo(Platform& p, Desktop* otherDesktop = nullptr);
};

}  // namespace brisolt::win32
