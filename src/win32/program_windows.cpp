#include "win32/program_windows.h"

#include "win32/win.h"

namespace brisolt::win32 {

void ProgramWindows::Closed() {
    if (open_ > 0 && --open_ == 0) PostQuitMessage(0);
}

}  // namespace brisolt::win32
