#include "win32/base/code_page.h"

#include "win32/base/win.h"

namespace brisolt::win32 {
namespace {

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

}  // namespace

std::wstring WideFromUtf8(std::string_view utf8) { return WideFrom(CP_UTF8, utf8); }
std::string Utf8FromWide(std::wstring_view wide) { return NarrowFrom(CP_UTF8, wide); }
std::wstring WideFromAnsi(std::string_view ansi) { return WideFrom(CP_ACP, ansi); }
std::string Utf8FromAnsi(std::string_view ansi) { return Utf8FromWide(WideFrom(CP_ACP, ansi)); }
std::string AnsiFromUtf8(std::string_view utf8) { return NarrowFrom(CP_ACP, WideFromUtf8(utf8)); }

}  // namespace brisolt::win32
