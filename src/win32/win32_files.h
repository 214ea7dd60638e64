// Appending to files (the access log) and asking whether a file exists.
#pragma once
#include "platform/system.h"

namespace brisolt::win32 {

class Win32Files : public Files {
public:
    // Opens for appending, creating the file when missing; others may read it
    // meanwhile (a viewer showing the log).
    std::unique_ptr<AppendFile> OpenAppend(const std::string& path) override;
    bool Exists(const std::string& path) override;
};

}  // namespace brisolt::win32
