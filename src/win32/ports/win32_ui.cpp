#include "win32/ports/win32_ui.h"

#include <shlobj.h>


#include <memory>
#include <vector>

#include "program/texts.h"
#include "win32/base/handles.h"

namespace brisolt::win32 {

namespace {

// Splits "a|b|c" into its pieces; an empty text gives no pieces.
std::vector<std::string> SplitBars(const std::string& text) {
    std::vector<std::string> pieces;
    if (text.empty()) return pieces;
    std::string::size_type start = 0;
    for (;;) {
        const auto bar = text.find('|', start);
        pieces.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return pieces;
}

}  // namespace

void Win32UserInterface::MessageBox(const std::string& text, unsigned flags) {
    // No caption of its own: the box carries the program's name.
    ::MessageBoxA(Owner(), text.c_str(), kProductName, flags | MB_SETFOREGROUND);
}

void Win32UserInterface::ShellOpen(const std::string& file, bool ownedByMainWindow) {
    ShellExecuteA(ownedByMainWindow ? Main() : nullptr, "open", file.c_str(), nullptr, nullptr, SW_SHOW);
}

bool Win32UserInterface::ChooseColour(Colour& color, std::array<Colour, 16>& customColours, unsigned flags) {
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i) custom[i] = customColours[i];
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = Owner();
    cc.rgbResult = color;
    cc.lpCustColors = custom;
    cc.Flags = flags;
    const bool chosen = ::ChooseColorA(&cc) != FALSE;
    // The user may define custom colours even when cancelling.
    for (int i = 0; i < 16; ++i) customColours[i] = custom[i];
    if (chosen) color = cc.rgbResult;
    return chosen;
}

bool Win32UserInterface::FileDialog(OpenFileRequest& request, BOOL(WINAPI* show)(LPOPENFILENAMEA)) {
    // The filter's pairs are NUL-separated and end with two NULs.
    std::string filter = request.filter;
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter.append(2, '\0');
    std::vector<char> file(MAX_PATH * 4, '\0');
    request.fileName.copy(file.data(), file.size() - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Owner();
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
    ofn.Flags = request.flags | OFN_EXPLORER;
    if (!show(&ofn)) return false;
    request.fileName = file.data();
    return true;
}

bool Win32UserInterface::OpenFile(OpenFileRequest& request) { return FileDialog(request, GetOpenFileNameA); }

bool Win32UserInterface::SaveFile(OpenFileRequest& request) { return FileDialog(request, GetSaveFileNameA); }

bool Win32UserInterface::ChooseFolder(const std::string& prompt, std::string& folder) {
    BROWSEINFOA info{};
    info.hwndOwner = Owner();
    info.lpszTitle = prompt.c_str();
    // Folders of the file system only; the edit line takes a typed \\server\share.
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
    const std::unique_ptr<ITEMIDLIST, decltype(&CoTaskMemFree)> chosen(SHBrowseForFolderA(&info), &CoTaskMemFree);
    if (!chosen) return false;
    std::vector<char> path(MAX_PATH * 4, '\0');
    if (!SHGetPathFromIDListA(chosen.get(), path.data())) return false;
    folder = path.data();
    return true;
}

int Win32UserInterface::PopupMenu(const std::string& entries) {
    const std::vector<std::string> items = SplitBars(entries);
    UniqueMenu menu(CreatePopupMenu());
    if (!menu.Get()) return -1;
    for (std::size_t i = 0; i < items.size(); ++i)
        AppendMenuA(menu.Get(), items[i] == "-" ? MF_SEPARATOR : MF_STRING, i + 1, items[i].c_str());
    const HWND owner = Owner();
    POINT at{};
    GetCursorPos(&at);
    // The menu closes when the user clicks elsewhere only if its owner is
    // the foreground window; WM_NULL afterwards lets a second click work.
    if (owner) SetForegroundWindow(owner);
    const int chosen = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, owner,
                                      nullptr);
    if (owner) PostMessageA(owner, WM_NULL, 0, 0);
    return chosen > 0 ? chosen - 1 : -1;
}

void Win32UserInterface::RunLanguageDialog() {
    if (hooks_.runLanguageDialog) hooks_.runLanguageDialog();
}

void Win32UserInterface::CreateListWindow(int x, int y) {
    if (hooks_.createListWindow) hooks_.createListWindow(x, y);
}

void Win32UserInterface::CloseMainWindow() {
    if (hooks_.closeMainWindow) hooks_.closeMainWindow();
}

void Win32UserInterface::ForegroundMainWindow() {
    if (hooks_.foregroundMainWindow) hooks_.foregroundMainWindow();
}

}  // namespace brisolt::win32
