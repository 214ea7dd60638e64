#include "win32/ports/win32_system.h"

#include "win32/ports/utc_time.h"

#include "win32/base/win.h"

#include <cstdio>
#include <vector>

#include "win32/base/handles.h"

namespace brisolt::win32 {

namespace {

SYSTEMTIME ToSystemTime(const DateTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

class Win32AppendFile : public AppendFile {
public:
    Win32AppendFile(UniqueHandle file, std::string path) : file_(std::move(file)), path_(std::move(path)) {}

    // One WriteFile for the whole record: with FILE_APPEND_DATA the system
    // puts it at the end in one piece, even when another copy of the program
    // appends to the same log.
    bool Write(const std::string& bytes) override {
        if (bytes.empty()) return true;
        LARGE_INTEGER end{};
        const bool knowEnd = GetFileSizeEx(file_.Get(), &end) != FALSE;
        DWORD written = 0;
        const BOOL ok = WriteFile(file_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        if (ok && written == bytes.size()) return true;
        // A full disk takes only the start of a record. Cut it off again, so the
        // log never holds part of a line and the next try starts a line of its own.
        if (written > 0 && knowEnd) CutBackTo(end);
        return false;
    }

private:
    void CutBackTo(LARGE_INTEGER end) {
        UniqueHandle file(CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Valid() && SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN)) SetEndOfFile(file.Get());
    }

    UniqueHandle file_;
    std::string path_;
};

std::string QueryString(std::vector<char>& block, const char* subBlock) {
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), subBlock, reinterpret_cast<void**>(&value), &length) || !value) return {};
    return std::string(value);  // the length counts the terminating NUL
}

}  // namespace

DateTime Win32Clock::Now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return DateTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::string Win32Clock::DateText(const DateTime& t) {
    const SYSTEMTIME st = ToSystemTime(t);
    char buffer[80] = {};
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, sizeof buffer) == 0) return {};
    return buffer;
}

std::string Win32Clock::TimeText(const DateTime& t) {
    const SYSTEMTIME st = ToSystemTime(t);
    char buffer[80] = {};
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, sizeof buffer) == 0) return {};
    return buffer;
}

void Win32Sound::Exclamation() {
    MessageBeep(MB_ICONEXCLAMATION);
    // For a debugger (and the end-to-end tests, which count the sounds): no sound card needed.
    OutputDebugStringA("Brisolt light: exclamation\n");
}

std::unique_ptr<AppendFile> Win32Files::OpenAppend(const std::string& path) {
    if (path.empty()) return nullptr;
    // Others may read meanwhile; writing is shared too, so a record cut short
    // can be cut off again through a second handle.
    UniqueHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file.Valid()) return nullptr;
    return std::make_unique<Win32AppendFile>(std::move(file), path);
}

bool Win32Files::Replace(const std::string& path, const std::string& bytes) {
    if (path.empty() || bytes.size() > MAXDWORD) return false;
    const std::string temp = path + ".tmp";
    {
        UniqueHandle file(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
        if (!file.Valid()) return false;
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size()) {
            file.Reset();
            DeleteFileA(temp.c_str());
            return false;
        }
    }
    if (MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileA(temp.c_str());
    return false;
}

bool Win32Files::Exists(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::int64_t Win32Clock::UtcSeconds() { return UtcNowSeconds(); }

std::string Win32Clock::TimeOfDayText(std::int64_t utcSeconds) { return LocalTimeOfDay(utcSeconds); }

DateTime Win32Clock::LocalTime(std::int64_t utcSeconds) {
    SYSTEMTIME st{};
    if (!LocalSystemTime(utcSeconds, st)) return {};
    return DateTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::int64_t Win32Clock::SteadyMilliseconds() {
    // The performance counter: a scan's cost of a few ms reads as such, where
    // GetTickCount64 moves in steps of 10-16 ms.
    static const std::int64_t frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<std::int64_t>(f.QuadPart);
    }();
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    // Whole seconds and the rest apart: no overflow in the multiplication.
    return count.QuadPart / frequency * 1000 + count.QuadPart % frequency * 1000 / frequency;
}

std::string Win32Identity::ComputerName() {
    char buffer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof buffer;
    if (!GetComputerNameA(buffer, &size)) return {};
    return std::string(buffer, size);
}

std::string Win32Identity::UserName() {
    DWORD size = 257;  // UNLEN + 1
    std::vector<char> buffer(size, '\0');
    if (!GetUserNameA(buffer.data(), &size)) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
        buffer.assign(size, '\0');
        if (!GetUserNameA(buffer.data(), &size)) return {};
    }
    return std::string(buffer.data());
}

VersionInfo ReadVersionInfo(const std::string& path) {
    VersionInfo info;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return info;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return info;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
        length >= sizeof *fixed) {
        info.major = HIWORD(fixed->dwFileVersionMS);
        info.minor = LOWORD(fixed->dwFileVersionMS);
        info.patch = HIWORD(fixed->dwFileVersionLS);
        info.build = LOWORD(fixed->dwFileVersionLS);
    }

    // The strings live in the block of the first translation.
    struct Translation {
        WORD language, codePage;
    };
    Translation* translations = nullptr;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                        &length) ||
        !translations || length < sizeof(Translation))
        return info;
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%04x%04x\\", translations[0].language,
                  translations[0].codePage);
    info.productName = QueryString(block, (std::string(prefix) + "ProductName").c_str());
    info.legalCopyright = QueryString(block, (std::string(prefix) + "LegalCopyright").c_str());
    return info;
}

std::string Win32CodePage::Lower(std::string_view text) {
    std::string lower(text);
    // In place; the length stays (a code page's letters pair one to one).
    if (!lower.empty()) CharLowerBuffA(lower.data(), static_cast<DWORD>(lower.size()));
    return lower;
}

void SystemServices::AttachTo(Platform& p, Desktop* otherDesktop) {
    p.desktop = otherDesktop ? otherDesktop : &desktop;
    p.clock = &clock;
    p.sound = &sound;
    p.files = &files;
    p.identity = &identity;
    p.codePage = &codePage;
    p.textMeasure = &textMeasure;
    p.scale = ScreenScale();
}

}  // namespace brisolt::win32
