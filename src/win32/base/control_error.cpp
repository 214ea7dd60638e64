#include "win32/base/control_error.h"

namespace brisolt::win32 {

std::string ErrorText(DWORD code) {
    char* buffer = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return (text.empty() ? std::string() : text + " ") + "(" + std::to_string(code) + ")";
}

void ThrowControlError(const std::string& operation) {
    const DWORD code = GetLastError();
    throw ControlError(operation + " failed: " + ErrorText(code));
}

}  // namespace brisolt::win32
