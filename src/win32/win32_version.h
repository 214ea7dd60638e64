// The program's own version information, read from its version resource.
#pragma once
#include <string>

#include "platform/types.h"

namespace brisolt::win32 {

// Product name, file version numbers and legal-copyright line of the module
// file `path`; empty texts and zero numbers where the resource has none.
VersionInfo ReadVersionInfo(const std::string& path);

}  // namespace brisolt::win32
