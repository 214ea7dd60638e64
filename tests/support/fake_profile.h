// An INI file in memory that behaves like the Windows private-profile
// functions: case-insensitive sections and keys, blanks around values
// stripped, reads cut to the buffer, writes that keep the other lines.
#pragma once
#include <string>
#include <vector>

#include "platform/profile.h"

namespace brisolt::test {

class FakeProfile : public Profile {
public:
    std::string text;      // the file's bytes
    bool exists = false;   // false: no file yet (the first write creates it)
    bool readOnly = false; // writes are refused
    int writes = 0;

    std::string Read(const std::string& section, const std::string& key, const std::string& def,
                     std::size_t bufferChars) override;
    bool Write(const std::string& section, const std::string& key, const std::string& value) override;
    std::unique_ptr<ProfileRewrite> BeginRewrite() override;
    bool IsReadOnly() override { return readOnly; }
    bool readOnlyFolder = false;  // no copy can be made beside the file
    int commits = 0;

    // Keys of a section in file order (for checking what a save wrote).
    std::vector<std::string> KeyList(const std::string& section) const;
    std::string KeysOf(const std::string& section) const;
    int KeyCount(const std::string& section) const;
};

}  // namespace brisolt::test
