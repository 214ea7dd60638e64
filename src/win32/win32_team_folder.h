// The team folder on the Win32 file API, and what team mode needs from the
// system: the names in UTF-8, a run id, the time of day of a UTC second.
// Every call here may block for long on an unreachable share: call them on
// the team worker's thread only (the names and the run id once at start-up).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/team_folder.h"

namespace brisolt::win32 {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
// The program's 8-bit texts are in the system's code page (CP_ACP).
std::string Utf8FromAnsi(std::string_view ansi);
std::string AnsiFromUtf8(std::string_view utf8);  // characters the code page lacks become '?'

// Now, in seconds since 1970-01-01 UTC.
std::int64_t UtcNowSeconds();
// The local time of day of a UTC second, "HH:MM" ("" when it cannot be converted).
std::string LocalTimeOfDay(std::int64_t utcSeconds);

class Win32TeamFolder : public TeamFolder {
public:
    // `folder`: a local or UNC path, with or without a trailing backslash.
    explicit Win32TeamFolder(std::wstring folder);

    bool List(std::vector<FolderEntry>& entries) override;
    bool Read(const std::string& name, std::size_t maxBytes, std::string& bytes) override;
    // Writes "<name>.tmp", then moves it over `name` (write-through).
    bool WriteAtomically(const std::string& name, const std::string& bytes) override;
    bool Remove(const std::string& name) override;

private:
    // The full path of a plain file name; "" for a name with a path in it.
    std::wstring PathOf(const std::string& name) const;

    std::wstring folder_;
};

}  // namespace brisolt::win32
