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
    // The file's last write by the share's own clock, in 100 ns units (a
    // FILETIME). Every file in one folder has its time from the same server.
    std::uint64_t writeTime = 0;
};

// How a conditional append ended (TeamFolder::AppendAt).
enum class AppendResult {
    Written,  // every byte is there
    Moved,    // the file was not as long as expected: nothing written
    Failed,   // not opened, or a write failed (some of the bytes may be there)
};

class TeamFolder {
public:
    virtual ~TeamFolder() = default;
    // The regular files in the folder (no subfolders, devices or links);
    // false on any failure.
    virtual bool List(std::vector<FolderEntry>& entries) = 0;
    // At most `maxBytes` of a regular file, and its write time; false on
    // failure (a missing file too). The file is open only during the call.
    virtual bool Read(const std::string& name, std::size_t maxBytes, std::string& bytes,
                      std::uint64_t& writeTime) = 0;
    // Writes a temporary file in the same folder, then replaces `name` with it:
    // a reader sees the old file or the new one, never a part. `writeTime`:
    // the new file's, by the share's clock.
    virtual bool WriteAtomically(const std::string& name, const std::string& bytes, std::uint64_t& writeTime) = 0;
    // Appends `bytes` to `name` (created when missing) if the file is exactly
    // `expectedSize` bytes long. During the call no other program may write
    // to the file (a second writer's call fails meanwhile), so the check and
    // the write are one step. Written: `size` is the file's new length.
    // Moved: nothing was written; `size` is its length and `tail` what it
    // holds from `expectedSize` on, at most `maxTail` bytes (empty when it is
    // shorter than expected).
    virtual AppendResult AppendAt(const std::string& name, std::uint64_t expectedSize, const std::string& bytes,
                                  std::size_t maxTail, std::string& tail, std::uint64_t& size) = 0;
    // True when the file is gone afterwards.
    virtual bool Remove(const std::string& name) = 0;
};

}  // namespace brisolt
