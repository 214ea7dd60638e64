// The menu bar of a window as text, for probe.exe and probe_menu.dll:
//   "entry text"          one line per drop-down entry of the bar
//     id checked "text"   one line per item of that drop-down ("  -" for a separator)
// Menus are private to their process under Wine, so probe.exe has
// probe_menu.dll loaded into the program and reads this text back through a
// named file mapping: the probe writes the window handle at its start, the
// DLL writes the text after it.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace probe {

constexpr DWORD kMenuMappingSize = 64 * 1024;
constexpr DWORD kMenuTextOffset = 16;  // after the window handle

inline std::wstring MenuMappingName(DWORD pid) { return L"Local\\brisolt_probe_menu_" + std::to_wstring(pid); }

inline std::string Utf8(const wchar_t* w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return "";
    std::string s(n - 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w, -1, &s[0], n, nullptr, nullptr);
    return s;
}

inline std::string MenuItemText(HMENU menu, UINT position) {
    wchar_t buf[256] = {};
    GetMenuStringW(menu, position, buf, 256, MF_BYPOSITION);
    return Utf8(buf);
}

// Empty when the window has no menu bar or the menu cannot be read here.
inline std::string DumpMenuBar(HWND w) {
    HMENU bar = GetMenu(w);
    const int entries = bar ? GetMenuItemCount(bar) : -1;
    if (entries < 0) return "";
    std::string out;
    char line[400];
    for (int i = 0; i < entries; ++i) {
        out += "\"" + MenuItemText(bar, i) + "\"\n";
        HMENU popup = GetSubMenu(bar, i);
        const int items = popup ? GetMenuItemCount(popup) : 0;
        for (int k = 0; k < items; ++k) {
            const UINT state = GetMenuState(popup, k, MF_BYPOSITION);
            if (state & MF_SEPARATOR) {
                out += "  -\n";
                continue;
            }
            std::snprintf(line, sizeof line, "  %u %d \"%s\"\n", GetMenuItemID(popup, k), (state & MF_CHECKED) ? 1 : 0,
                          MenuItemText(popup, k).c_str());
            out += line;
        }
    }
    return out;
}

// The texts of a tooltip control's tools, one a line. Tooltips keep their
// texts in their own process, so this runs there too.
inline std::string DumpToolTips(HWND tips) {
    std::string out;
    const int count = static_cast<int>(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[1024] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = text;
        if (SendMessageW(tips, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool))) out += Utf8(text) + "\n";
    }
    return out;
}

// What the probe asks for: a tooltip control's texts, or a window's menu bar.
inline std::string DumpWindow(HWND w) {
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    return std::wcscmp(cls, L"tooltips_class32") == 0 ? DumpToolTips(w) : DumpMenuBar(w);
}

}  // namespace probe
