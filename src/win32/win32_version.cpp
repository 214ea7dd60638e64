#include "win32/win32_version.h"

#include "win32/win.h"

#include <cstdio>
#include <vector>

namespace brisolt::win32 {

namespace {

std::string QueryString(std::vector<char>& block, const char* subBlock) {
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), subBlock, reinterpret_cast<void**>(&value), &length) || !value) return {};
    return std::string(value);  // the length counts the terminating NUL
}

}  // namespace

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

}  // namespace brisolt::win32
