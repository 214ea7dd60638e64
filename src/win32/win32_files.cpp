#include "win32/win32_files.h"

#include "win32/win.h"

#include "win32/handles.h"

#include <string>

namespace brisolt::win32 {

namespace {

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

}  // namespace

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

bool Win32Files::Exists(const std::string& path) {
    if (path.empty()) return false;
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace brisolt::win32
