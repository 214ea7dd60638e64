// A private-profile (INI) file: sections, case-insensitive keys, text values.
#pragma once
#include <cstddef>
#include <string>

namespace brisolt {

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
};

}  // namespace brisolt
