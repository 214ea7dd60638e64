#include "win32/win32_identity.h"

#include "win32/win.h"

#include <vector>

namespace brisolt::win32 {

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

}  // namespace brisolt::win32
