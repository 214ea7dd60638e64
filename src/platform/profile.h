// A private-profile (INI) file: sections, case-insensitive keys, text values.
#pragma once
#include <cstddef>
#include <memory>
#include <string>

namespace brisolt {

// A rewrite of the whole file. Where the folder allows it, the writes go to a
// copy of the file beside it and Commit replaces the file with the copy in
// one step (dropped without a successful Commit, the file stays exactly as it
// was). Where the folder takes no new file, the writes go straight into the
// file, as the private-profile functions do.
class ProfileRewrite {
public:
    virtual ~ProfileRewrite() = default;
    virtual bool Write(const std::string& section, const std::string& key, const std::string& value) = 0;
    // False when any write or the replacement was refused.
    virtual bool Commit() = 0;
};

class Profile {
public:
    virtual ~Profile() = default;
    // GetPrivateProfileString(section, key, def, buffer, bufferChars, file):
    // the stored value (at most bufferChars - 1 characters), or def when the
    // file, the section or the key is missing.
    virtual std::string Read(const std::string& section, const std::string& key,
                             const std::string& def, std::size_t bufferChars) = 0;
    // WritePrivateProfileString(section, key, value, file); false when refused.
    virtual bool Write(const std::string& section, const std::string& key, const std::string& value) = 0;
    // Whether the file carries the read-only attribute: a deliberate way to pin
    // the settings, so a refused save says nothing.
    virtual bool IsReadOnly() = 0;
    // Starts a rewrite; nullptr when the file can't be written at all.
    virtual std::unique_ptr<ProfileRewrite> BeginRewrite() = 0;
};

}  // namespace brisolt
