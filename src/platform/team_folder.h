// The folder a team shares: one small file per running copy of the program.
// Names are UTF-8 file names without a path; the folder is the adapter's.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace brisolt {

struct FolderEntry {
    std::string name;
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;  // opaque: only compared to see a change
};

class TeamFolder {
public:
    virtual ~TeamFolder() = default;
    // The files in the folder (not its subfolders); false on any failure.
    virtual bool List(std::vector<FolderEntry>& entries) = 0;
    // At most `maxBytes` of the file; false on failure (a missing file too).
    virtual bool Read(const std::string& name, std::size_t maxBytes, std::string& bytes) = 0;
    // Writes a temporary file in the same folder, then replaces `name` with it:
    // a reader sees the old file or the new one, never a part.
    virtual bool WriteAtomically(const std::string& name, const std::string& bytes) = 0;
    // True when the file is gone afterwards.
    virtual bool Remove(const std::string& name) = 0;
};

}  // namespace brisolt
