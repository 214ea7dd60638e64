// The user-facing services of the window system that the logic asks for:
// message boxes, the shell's "open", the common dialogs and the tray's
// pop-up menu. Window state (shown, on top, captions, menus, tray icon) lives
// in the control objects and is carried to the screen by the platform.
#pragma once
#include <array>
#include <string>

#include "platform/types.h"

namespace brisolt {

constexpr unsigned kMbOk = 0x0;
constexpr unsigned kMbIconStop = 0x10;

struct OpenFileRequest {
    std::string filter;      // pairs separated by "|"
    std::string defaultExt;  // without the dot
    unsigned flags = 0;      // OFN_* flags
    std::string helpFile;
    std::string fileName;    // in: the dialog's file name; out: the chosen one
};

class UserInterface {
public:
    virtual ~UserInterface() = default;
    // A message box with an OK button and no caption text of its own.
    virtual void MessageBox(const std::string& text, unsigned flags) = 0;
    // ShellExecuteA(owner or none, "open", file, none, none, SW_SHOW); the
    // result is ignored by every caller.
    virtual void ShellOpen(const std::string& file, bool ownedByMainWindow) = 0;
    // The colour chooser; returns false when cancelled (color unchanged).
    virtual bool ChooseColour(Colour& color, std::array<Colour, 16>& customColours, unsigned flags) = 0;
    // The open-file dialog; returns false when closed without a file.
    virtual bool OpenFile(OpenFileRequest& request) = 0;
    // The save-file dialog, the same way.
    virtual bool SaveFile(OpenFileRequest& request) = 0;
    // The folder chooser with a line of text above the tree; returns false
    // when cancelled (folder unchanged).
    virtual bool ChooseFolder(const std::string& prompt, std::string& folder) = 0;
    // A pop-up menu of "|"-separated entries at the mouse pointer; the 0-based
    // index of the chosen entry, or -1.
    virtual int PopupMenu(const std::string& entries) = 0;
    // Shows the first-start language dialog and processes messages until it
    // has been closed; its buttons run ChooseEnglish / ChooseGerman.
    virtual void RunLanguageDialog() = 0;
    // Creates the list window with its top-left corner at (x, y) pixels.
    virtual void CreateListWindow(int x, int y) = 0;
    // Sends WM_CLOSE to the settings window (handled later by CloseSettingsWindow).
    virtual void CloseMainWindow() = 0;
    // Brings the main window to the foreground.
    virtual void ForegroundMainWindow() = 0;
};

}  // namespace brisolt
