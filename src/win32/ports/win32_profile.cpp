#include "win32/ports/win32_profile.h"

#include "win32/base/win.h"

#include "win32/base/handles.h"

#include <memory>
#include <string>
#include <utility>
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

// Writes through the private-profile functions into one file and remembers
// whether any write was refused.
class ProfileWriter : public ProfileRewrite {
public:
    explicit ProfileWriter(std::string file) : file_(std::move(file)) {}

    bool Write(const std::string& section, const std::string& key, const std::string& value) override {
        const bool ok =
            WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file_.c_str()) != FALSE;
        failed_ = failed_ || !ok;
        return ok;
    }

protected:
    // The profile functions keep their own handle: this writes out what they hold.
    void Flush() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, file_.c_str()); }

    const std::string file_;
    bool failed_ = false;
    bool committed_ = false;
};

// The writes go to a copy beside the file, which then takes its place in one
// step.
class CopyRewrite : public ProfileWriter {
public:
    CopyRewrite(std::string target, std::string copy) : ProfileWriter(std::move(copy)), target_(std::move(target)) {}
    ~CopyRewrite() override {
        if (!committed_) DeleteFileA(file_.c_str());
    }

    bool Commit() override {
        if (failed_ || committed_) return false;
        // Flush the copy to disk before it takes the old file's place.
        Flush();
        {
            UniqueHandle copy(CreateFileA(file_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!copy.Valid() || !FlushFileBuffers(copy.Get())) return false;
        }
        committed_ = MoveFileExA(file_.c_str(), target_.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
        return committed_;
    }

private:
    const std::string target_;
};

// The writes go straight into the file, each landing at once, as the
// private-profile functions do by themselves. Used where no copy can be made:
// the settings are kept, though a rewrite cut short leaves a mix of old and
// new values.
class InPlaceRewrite : public ProfileWriter {
public:
    using ProfileWriter::ProfileWriter;

    bool Commit() override {
        if (committed_) return false;
        committed_ = true;
        Flush();
        return !failed_;
    }
};

// A copy of the file (an empty one when there is no file yet) at `copy`.
bool MakeCopy(const std::string& file, bool exists, const std::string& copy) {
    if (exists) return CopyFileA(file.c_str(), copy.c_str(), FALSE) != FALSE;
    UniqueHandle empty(
        CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return empty.Valid();
}

}  // namespace

bool Win32Profile::IsReadOnly() {
    const DWORD attributes = GetFileAttributesA(iniFile_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

std::unique_ptr<ProfileRewrite> Win32Profile::BeginRewrite() {
    const DWORD attributes = GetFileAttributesA(iniFile_.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only settings file keeps its old settings. Windows would refuse
    // the replacement, but Wine renames over it all the same, so it is
    // refused here before anything is written.
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return nullptr;
    const std::string copy = iniFile_ + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
    if (copy.size() < MAX_PATH && MakeCopy(iniFile_, exists, copy))
        return std::make_unique<CopyRewrite>(iniFile_, copy);
    // A folder that takes no new file (or a copy whose name would be longer
    // than a path may be): the file itself is written, so the settings are
    // kept all the same.
    return std::make_unique<InPlaceRewrite>(iniFile_);
}

}  // namespace brisolt::win32
