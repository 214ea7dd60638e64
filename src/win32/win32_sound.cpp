#include "win32/win32_sound.h"

#include "win32/win.h"

namespace brisolt::win32 {

void Win32Sound::Exclamation(int requests) {
    if (requests > 0) MessageBeep(MB_ICONEXCLAMATION);
}

}  // namespace brisolt::win32
