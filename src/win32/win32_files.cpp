#include "win32/win32_files.h"

#include "win32/win.h"

#include "win32/handles.h"

namespace brisolt::win32 {

namespace {

class Win32AppendFile : public AppendFile {
public:
    explicit Win32AppendFile(UniqueHandle file) : file_(std::move(file)) {}

    // One WriteFile for the whole record: with FILE_APPEND_DATA the system
    // puts it at the end in one piece, even when another copy of the program
    // appends to the same log.
    bool Write(const std::string& bytes) override {
        if (bytes.empty()) return true;
        DWORD written = 0;
        const BOOL ok = WriteFile(file_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        return ok && written == bytes.size();
    }

private:
    UniqueHandle file_;
};

}  // namespace

std::unique_ptr<AppendFile> Win32Files::OpenAppend(const std::string& path) {
    if (path.empty()) return nullptr;
    UniqueHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return nullptr;
    return std::make_unique<Win32AppendFile>(std::move(file));
}

bool Win32Files::Exists(const std::string& path) {
    if (path.empty()) return false;
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace brisolt::win32
