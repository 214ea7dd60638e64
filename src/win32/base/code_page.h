// Text between the program's encodings: UTF-16 for the wide Win32 calls,
// UTF-8 for the team folder's records, and the system's code page (CP_ACP)
// in which the program's 8-bit texts are.
#pragma once
#include <string>
#include <string_view>

namespace brisolt::win32 {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
std::wstring WideFromAnsi(std::string_view ansi);
std::string Utf8FromAnsi(std::string_view ansi);
std::string AnsiFromUtf8(std::string_view utf8);  // characters the code page lacks become '?'

}  // namespace brisolt::win32
