// The settings file through the private-profile functions. The path must be
// absolute: a bare file name would go to the Windows folder.
#pragma once
#include <string>

#include "platform/profile.h"

namespace brisolt::win32 {

class Win32Profile : public Profile {
public:
    // `iniFile` is read at every call, so it may be filled in after
    // construction (start-up builds IniFile from the program's folder).
    explicit Win32Profile(const std::string& iniFile) : iniFile_(iniFile) {}
    std::string Read(const std::string& section, const std::string& key, const std::string& def,
                     std::size_t bufferChars) override;
    bool Write(const std::string& section, const std::string& key, const std::string& value) override;
    // Writes go to "<file>.<process id>.tmp" beside the file (a copy of it, so
    // keys of other programs stay), which then replaces the file with
    // MoveFileEx (replace existing, write through). Where that copy cannot be
    // made (a folder that takes no new file, a name longer than MAX_PATH) the
    // writes go into the file itself, one by one. A read-only file gives
    // nullptr: its settings are pinned.
    std::unique_ptr<ProfileRewrite> BeginRewrite() override;
    bool IsReadOnly() override;

private:
    const std::string& iniFile_;
};

}  // namespace brisolt::win32
