// Appending to files (the access log) and asking whether a file exists.
#pragma once
#include "platform/system.h"

namespace brisolt::win32 {

class Win32Files : public Files {
public:
    // Opens for appending, creating the file when missing; others may read it
    // meanwhile (a viewer showing the log). A record that only partly fits on
    // the disk is cut off again, so the file never ends in part of a line.
    std::unique_ptr<AppendFile> OpenAppend(const std::string& path) override;
    bool Exists(const std::string& path) override;
};

}  // namespace brisolt::win32
