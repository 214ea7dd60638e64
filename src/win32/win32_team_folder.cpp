#include "win32/win32_team_folder.h"

#include "win32/win.h"

#include <algorithm>
#include <cstdio>

#include "win32/handles.h"

namespace brisolt::win32 {
namespace {

using UniqueFind = Unique<HANDLE, &FindClose, &IsNoKernelHandle>;

std::wstring WideFrom(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length) != length)
        return {};
    return wide;
}

std::string NarrowFrom(UINT codePage, std::wstring_view wide) {
    if (wide.empty()) return {};
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr,
                            nullptr) != length)
        return {};
    return text;
}

constexpr std::int64_t kUnixEpochAsFileTime = 116444736000000000LL;  // 1970-01-01 in 100 ns since 1601
constexpr std::int64_t kFileTimePerSecond = 10000000;

}  // namespace

std::wstring WideFromUtf8(std::string_view utf8) { return WideFrom(CP_UTF8, utf8); }
std::string Utf8FromWide(std::wstring_view wide) { return NarrowFrom(CP_UTF8, wide); }
std::string Utf8FromAnsi(std::string_view ansi) { return Utf8FromWide(WideFrom(CP_ACP, ansi)); }
std::string AnsiFromUtf8(std::string_view utf8) { return NarrowFrom(CP_ACP, WideFromUtf8(utf8)); }

std::int64_t UtcNowSeconds() {
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    const std::int64_t t = (static_cast<std::int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return (t - kUnixEpochAsFileTime) / kFileTimePerSecond;
}

std::string LocalTimeOfDay(std::int64_t utcSeconds) {
    if (utcSeconds < 0 || utcSeconds > 253402300799LL) return {};  // up to 9999-12-31
    const std::uint64_t t = static_cast<std::uint64_t>(utcSeconds * kFileTimePerSecond + kUnixEpochAsFileTime);
    FILETIME ft{static_cast<DWORD>(t & 0xFFFFFFFFu), static_cast<DWORD>(t >> 32)};
    SYSTEMTIME utc{}, local{};
    if (!FileTimeToSystemTime(&ft, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return {};
    char text[8] = {};
    std::snprintf(text, sizeof text, "%02u:%02u", static_cast<unsigned>(local.wHour),
                  static_cast<unsigned>(local.wMinute));
    return text;
}

Win32TeamFolder::Win32TeamFolder(std::wstring folder) : folder_(std::move(folder)) {
    while (!folder_.empty() && (folder_.back() == L'\\' || folder_.back() == L'/')) folder_.pop_back();
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
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        FolderEntry e;
        e.name = Utf8FromWide(data.cFileName);
        if (e.name.empty()) continue;
        e.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        e.writeTime = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                      data.ftLastWriteTime.dwLowDateTime;
        entries.push_back(std::move(e));
    } while (FindNextFileW(find.Get(), &data));
    return GetLastError() == ERROR_NO_MORE_FILES;
}

bool Win32TeamFolder::Read(const std::string& name, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    const std::wstring path = PathOf(name);
    if (path.empty()) return false;
    // Others may replace or delete the file while we read it.
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return false;
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

bool Win32TeamFolder::WriteAtomically(const std::string& name, const std::string& bytes) {
    const std::wstring path = PathOf(name);
    if (path.empty()) return false;
    const std::wstring temp = path + L".tmp";
    {
        UniqueHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
        if (!file) return false;
        DWORD written = 0;
        const bool ok = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size() && FlushFileBuffers(file.Get());
        if (!ok) {
            file.Reset();
            DeleteFileW(temp.c_str());
            return false;
        }
    }
    if (!MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

bool Win32TeamFolder::Remove(const std::string& name) {
    const std::wstring path = PathOf(name);
    if (path.empty()) return false;
    if (DeleteFileW(path.c_str())) return true;
    return GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace brisolt::win32
