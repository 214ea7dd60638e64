// A failed operation on a dialog, control or window is the program's general
// run-time error: these helpers check a Win32 result and throw ControlError
// with the operation's name and the system's reason.
#pragma once
#include "win32/base/win.h"

#include <string>

#include "program/app.h"

namespace brisolt::win32 {

// The system's text for an error code, e.g. "Invalid window handle. (1400)".
std::string ErrorText(DWORD code);

// Throws ControlError "<operation> failed: <reason of GetLastError()>".
[[noreturn]] void ThrowControlError(const std::string& operation);

inline void Check(bool ok, const char* operation) {
    if (!ok) ThrowControlError(operation);
}

}  // namespace brisolt::win32
