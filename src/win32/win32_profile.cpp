#include "win32/win32_profile.h"

#include "win32/win.h"

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

}  // namespace brisolt::win32
