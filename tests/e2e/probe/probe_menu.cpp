// probe_menu.dll: loaded into a program by `probe menu` (or `probe tiptexts`),
// it writes the menu bar (or the tooltip texts) of the window named in the
// probe's file mapping into that mapping and
// then refuses to stay loaded (DllMain returns FALSE, so LoadLibrary unloads it).
#include "menu_dump.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, probe::MenuMappingName(GetCurrentProcessId()).c_str());
    if (!mapping) return FALSE;
    if (auto* view = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, probe::kMenuMappingSize))) {
        HWND w = nullptr;
        std::memcpy(&w, view, sizeof w);
        const std::string text = probe::DumpWindow(w);
        const size_t room = probe::kMenuMappingSize - probe::kMenuTextOffset - 1;
        const size_t n = text.size() < room ? text.size() : room;
        std::memcpy(view + probe::kMenuTextOffset, text.data(), n);
        view[probe::kMenuTextOffset + n] = '\0';
        view[8] = 1;  // done
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return FALSE;
}
