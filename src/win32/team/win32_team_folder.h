// The team folder on the Win32 file API. Every call here may block for long
// on a share that does not answer: call them on the team worker's thread only.
#pragma once
#include <string>

#include "platform/team_folder.h"

namespace brisolt::win32 {

// The folder as the settings name it, in one spelling for every spelling of
// it (team::CanonicalFolder), a mapped drive letter replaced by the share it
// stands for. Asks no server: safe on the user interface's thread.
std::string CanonicalTeamFolder(const std::string& ansiFolder);

class Win32TeamFolder : public TeamFolder {
public:
    // `folder`: a local or UNC path, with or without a trailing backslash,
    // in the system's code page.
    explicit Win32TeamFolder(const std::string& ansiFolder);

    bool List(std::vector<FolderEntry>& entries) override;
    // Opens with every share mode and closes at once, so that a writer's
    // replace is refused as briefly as can be.
    bool Read(const std::string& name, std::size_t maxBytes, std::string& bytes, std::uint64_t& writeTime) override;
    // Writes "<name>.tmp", then moves it over `name` (write-through). A move
    // refused because another program has `name` open (Windows refuses it
    // even to a reader that shares everything) is tried again a few times
    // within about half a second.
    bool WriteAtomically(const std::string& name, const std::string& bytes, std::uint64_t& writeTime) override;
    // Opens the file for appending with write access for nobody else (a second
    // writer's call fails meanwhile), write-through.
    AppendResult AppendAt(const std::string& name, std::uint64_t expectedSize, const std::string& bytes,
                          std::size_t maxTail, std::string& tail, std::uint64_t& size) override;
    bool Remove(const std::string& name) override;

private:
    // The full path of a plain file name, in the "\\?\" form (no device
    // names, no length limit); "" for a name with a path in it.
    std::wstring PathOf(const std::string& name) const;

    std::wstring folder_;  // "\\?\C:\x" or "\\?\UNC\srv\share"; "" when unusable
};

}  // namespace brisolt::win32
