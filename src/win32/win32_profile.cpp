#include "win32/win32_profile.h"

#include "win32/win.h"

#include "win32/handles.h"

#include <memory>
#include <string>
#include <vector>

namespace brisolt::win32 {

std::string Win32Profile::Read(const std::string& section, const std::string& key, const std::string& def,
                               std::size_t bufferChars) {
    if (bufferChars == 0) return {};
    std::vector<char> buffer(bufferChars + 1, '\0');
    const DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer.data(),
                                                  static_cast<DWORD>(bufferChars), iniFile_.c_str());
    return std::string(buffer.data(), copied);
}

bool Win32Profile::Write(const std::string& section, const std::string& key, const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), iniFile_.c_str()) != FALSE;
}

namespace {

class Win32ProfileRewrite : public ProfileRewrite {
public:
    Win32ProfileRewrite(std::string target, std::string temp) : target_(std::move(target)), temp_(std::move(temp)) {}
    ~Win32ProfileRewrite() override {
        if (!committed_) DeleteFileA(temp_.c_str());
    }

    bool Write(const std::string& section, const std::string& key, const std::string& value) override {
        const bool ok =
            WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), temp_.c_str()) != FALSE;
        failed_ = failed_ || !ok;
        return ok;
    }

    bool Commit() override {
        if (failed_ || committed_) return false;
        // The profile functions keep their own handle; flush the copy to disk
        // before it takes the old file's place.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, temp_.c_str());
        {
            UniqueHandle copy(CreateFileA(temp_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!copy.Valid() || !FlushFileBuffers(copy.Get())) return false;
        }
        committed_ = MoveFileExA(temp_.c_str(), target_.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
        return committed_;
    }

private:
    std::string target_, temp_;
    bool failed_ = false;
    bool committed_ = false;
};

}  // namespace

bool Win32Profile::IsReadOnly() {
    const DWORD attributes = GetFileAttributesA(iniFile_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

std::unique_ptr<ProfileRewrite> Win32Profile::BeginRewrite() {
    const std::string temp = iniFile_ + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
    const DWORD attributes = GetFileAttributesA(iniFile_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // A read-only settings file keeps its old settings. Windows would refuse
        // the replacement below, but Wine renames over it all the same, so it is
        // refused here before anything is written.
        if (attributes & FILE_ATTRIBUTE_READONLY) return nullptr;
        if (!CopyFileA(iniFile_.c_str(), temp.c_str(), FALSE)) return nullptr;
    } else {
        UniqueHandle empty(
            CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!empty.Valid()) return nullptr;
    }
    return std::make_unique<Win32ProfileRewrite>(iniFile_, temp);
}

}  // namespace brisolt::win32
