// The icons embedded in brisolt.exe, asked for by the names the program uses
// (":ico", ":ksalert"): the resource is the name without its colon, and
// resource names are matched without regard to case (":ksalert" finds KSALERT).
#pragma once
#include "win32/base/win.h"

#include <string>

#include "win32/base/handles.h"

namespace brisolt::win32 {

// ":ico" -> "ico"; a name without the colon stays as it is.
std::string IconResourceName(const std::string& name);

// The icon image closest to size x size pixels; throws ControlError when the
// program has no icon of that name.
UniqueIcon LoadProgramIcon(HINSTANCE instance, const std::string& name, int size);

}  // namespace brisolt::win32
