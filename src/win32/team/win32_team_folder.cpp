#include "win32/team/win32_team_folder.h"

#include "win32/base/win.h"

#include <winnetwk.h>

#include <algorithm>

#include "team/folder_path.h"
#include "win32/base/code_page.h"
#include "win32/base/handles.h"

namespace brisolt::win32 {
namespace {

using UniqueFind = Unique<HANDLE, &FindClose, &IsNoKernelHandle>;

constexpr DWORD kNotARegularFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;

std::uint64_t FileTimeValue(const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

std::wstring FullPath(const std::wstring& path) {
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return {};
    std::wstring full(length, L'\0');
    const DWORD got = GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    if (got == 0 || got >= length) return {};
    full.resize(got);
    while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
    return full;
}

// "T:\x" on a mapped drive: "\\srv\share\x" (the redirector's table, no server asked).
std::wstring WithoutMappedDrive(const std::wstring& full) {
    if (full.size() < 2 || full[1] != L':') return full;
    wchar_t remote[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    const wchar_t drive[] = {full[0], L':', L'\0'};
    if (WNetGetConnectionW(drive, remote, &size) != NO_ERROR) return full;
    return remote + full.substr(2);
}

}  // namespace

std::string CanonicalTeamFolder(const std::string& ansiFolder) {
    if (ansiFolder.empty()) return {};
    const std::wstring full = FullPath(WideFromAnsi(ansiFolder));
    return team::CanonicalFolder(Utf8FromWide(WithoutMappedDrive(full.empty() ? WideFromAnsi(ansiFolder) : full)));
}

Win32TeamFolder::Win32TeamFolder(const std::string& ansiFolder) {
    const std::wstring full = ansiFolder.empty() ? std::wstring() : FullPath(WideFromAnsi(ansiFolder));
    if (full.empty())
        folder_.clear();
    else if (full.rfind(L"\\\\?\\", 0) == 0)
        folder_ = full;
    else if (full.rfind(L"\\\\", 0) == 0)
        folder_ = L"\\\\?\\UNC\\" + full.substr(2);
    else
        folder_ = L"\\\\?\\" + full;
    while (!folder_.empty() && folder_.back() == L'\\') folder_.pop_back();
}

std::wstring Win32TeamFolder::PathOf(const std::string& name) const {
    if (folder_.empty() || name.empty() || name == "." || name == ".." ||
        name.find_first_of("\\/:") != std::string::npos)
        return {};
    const std::wstring wide = WideFromUtf8(name);
    return wide.empty() ? std::wstring() : folder_ + L'\\' + wide;
}

bool Win32TeamFolder::List(std::vector<FolderEntry>& entries) {
    entries.clear();
    if (folder_.empty()) return false;
    WIN32_FIND_DATAW data{};
    UniqueFind find(FindFirstFileExW((folder_ + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, 0));
    if (!find) {
        // Nothing matched: an empty folder without even "." (a share's root).
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
        const DWORD attributes = GetFileAttributesW(folder_.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    do {
        if (data.dwFileAttributes & kNotARegularFile) continue;
        FolderEntry e;
        e.name = Utf8FromWide(data.cFileName);
        if (e.name.empty()) continue;
        e.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        e.writeTime = FileTimeValue(data.ftLastWriteTime);
        entries.push_back(std::move(e));
    } while (FindNextFileW(find.Get(), &data));
    return GetLastError() == ERROR_NO_MORE_FILES;
}

bool Win32TeamFolder::Read(const std::string& name, std::size_t maxBytes, std::string& bytes,
                           std::uint64_t& writeTime) {
    bytes.clear();
    const std::wstring path = PathOf(name);
    if (path.empty()) return false;
    // Others may replace or delete the file while we read it. A link is
    // opened as itself (and then refused), never followed.
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_OPEN_REPARSE_POINT,
                                  nullptr));
    if (!file) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file.Get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.Get(), &info) ||
        (info.dwFileAttributes & kNotARegularFile))
        return false;
    writeTime = FileTimeValue(info.ftLastWriteTime);
    char buffer[16 * 1024];
    while (bytes.size() < maxBytes) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, maxBytes - bytes.size()));
        DWORD got = 0;
        if (!ReadFile(file.Get(), buffer, want, &got, nullptr)) return false;
        if (got == 0) break;
        bytes.append(buffer, got);
    }
    return true;
}

bool Win32TeamFolder::WriteAtomically(const std::string& name, const std::string& bytes, std::uint64_t& writeTime) {
    const std::wstring path = PathOf(name);
    if (path.empty()) return false;
    const std::wstring temp = path + L".tmp";
    {
        UniqueHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
        if (!file) return false;
        DWORD written = 0;
        FILETIME writtenAt{};
        const bool ok = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size() && FlushFileBuffers(file.Get()) &&
                        GetFileTime(file.Get(), nullptr, nullptr, &writtenAt);
        if (!ok) {
            file.Reset();
            DeleteFileW(temp.c_str());
            return false;
        }
        writeTime = FileTimeValue(writtenAt);
    }
    for (DWORD waitMs = 20;; waitMs *= 2) {
        if (MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        const DWORD error = GetLastError();
        const bool heldOpen =
            error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
        if (!heldOpen || waitMs > 160) break;  // 20 + 40 + 80 + 160 ms in all
        Sleep(waitMs);
    }
    DeleteFileW(temp.c_str());
    return false;
}

AppendResult Win32TeamFolder::AppendAt(const std::string& name, std::uint64_t expectedSize, const std::string& bytes,
                                       std::size_t maxTail, std::string& tail, std::uint64_t& size) {
    tail.clear();
    const std::wstring path = PathOf(name);
    if (path.empty() || bytes.size() > MAXDWORD) return AppendResult::Failed;
    // Readers may share it; no other writer gets in while we hold it, so the
    // length checked is the length appended to. FILE_APPEND_DATA alone: every
    // write goes to the end, wherever the reads have left the file pointer.
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ | FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH |
                                  FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file) return AppendResult::Failed;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file.Get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.Get(), &info) ||
        (info.dwFileAttributes & kNotARegularFile))
        return AppendResult::Failed;
    size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size != expectedSize) {
        if (size < expectedSize) return AppendResult::Moved;
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(expectedSize);
        if (!SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN)) return AppendResult::Failed;
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(maxTail, size - expectedSize));
        char buffer[16 * 1024];
        while (tail.size() < want) {
            DWORD got = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, want - tail.size()));
            if (!ReadFile(file.Get(), buffer, chunk, &got, nullptr)) return AppendResult::Failed;
            if (got == 0) break;
            tail.append(buffer, got);
        }
        return AppendResult::Moved;
    }
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        return AppendResult::Failed;
    size += bytes.size();
    return AppendResult::Written;
}

bool Win32TeamFolder::Remove(const std::string& name) {
    const std::wstring path = PathOf(name);
    if (path.empty()) return false;
    if (DeleteFileW(path.c_str())) return true;
    return GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace brisolt::win32
