// The user-facing services of the window system: message boxes, the shell's
// "open", the colour and file dialogs and the tray's pop-up menu. The parts
// that belong to the program's own windows (creating the list window,
// closing and raising the main window) are handed to the program's hooks.
#pragma once
#include "win32/base/win.h"

#include <functional>

#include "platform/ui.h"

namespace brisolt::win32 {

class Win32UserInterface : public UserInterface {
public:
    struct Hooks {
        std::function<void(int x, int y)> createListWindow;
        std::function<void()> closeMainWindow;
        std::function<void()> runLanguageDialog;
        std::function<void()> foregroundMainWindow;
        // The window that owns boxes, dialogs and menus; may be null.
        std::function<HWND()> ownerWindow;
        std::function<HWND()> mainWindow;
    };

    explicit Win32UserInterface(Hooks hooks) : hooks_(std::move(hooks)) {}

    void MessageBox(const std::string& text, unsigned flags) override;
    void ShellOpen(const std::string& file, bool ownedByMainWindow) override;
    bool ChooseColour(Colour& color, std::array<Colour, 16>& customColours, unsigned flags) override;
    bool OpenFile(OpenFileRequest& request) override;
    bool SaveFile(OpenFileRequest& request) override;
    bool ChooseFolder(const std::string& prompt, std::string& folder) override;
    int PopupMenu(const std::string& entries) override;
    void RunLanguageDialog() override;
    void CreateListWindow(int x, int y) override;
    void CloseMainWindow() override;
    void ForegroundMainWindow() override;

private:
    HWND Owner() const { return hooks_.ownerWindow ? hooks_.ownerWindow() : nullptr; }
    HWND Main() const { return hooks_.mainWindow ? hooks_.mainWindow() : nullptr; }
    // The open- or save-file dialog (`show`) for a request.
    bool FileDialog(OpenFileRequest& request, BOOL(WINAPI* show)(LPOPENFILENAMEA));

    Hooks hooks_;
};

}  // namespace brisolt::win32
