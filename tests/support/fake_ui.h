// The user-facing services in memory: records what was shown and opened,
// answers the dialogs with prepared choices.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace brisolt::test {

class FakeUserInterface : public UserInterface {
public:
    struct Box {
        std::string text;
        unsigned flags;
    };
    struct Opened {
        std::string file;
        bool owned;
    };
    std::vector<Box> boxes;
    std::vector<Opened> opened;
    std::vector<std::string> popups;  // the entries text of every pop-up shown
    int popupChoice = -1;
    // ChooseColour: when set, the user picks this colour (and OKs).
    bool colourChosen = false;
    Colour colourChoice = 0;
    unsigned lastColourFlags = 0;
    // OpenFile: the file the user picks ("" = cancel).
    std::string fileChoice;
    OpenFileRequest lastOpenFile;
    // ChooseFolder: the folder the user picks ("" = cancel).
    std::string folderChoice, lastFolderPrompt;
    int languageDialogs = 0;
    std::function<void()> onLanguageDialog;  // what the user clicks
    std::function<void(int, int)> onCreateListWindow;
    std::function<void()> onCloseMainWindow;  // the close message arriving
    int closeRequests = 0;
    int foregrounds = 0;

    void MessageBox(const std::string& text, unsigned flags) override { boxes.push_back({text, flags}); }
    void ShellOpen(const std::string& file, bool owned) override { opened.push_back({file, owned}); }
    bool ChooseColour(Colour& color, std::array<Colour, 16>&, unsigned flags) override {
        lastColourFlags = flags;
        if (colourChosen) color = colourChoice;
        return colourChosen;
    }
    bool OpenFile(OpenFileRequest& request) override {
        lastOpenFile = request;
        if (fileChoice.empty()) return false;
        request.fileName = fileChoice;
        return true;
    }
    bool SaveFile(OpenFileRequest& request) override {
        lastOpenFile = request;
        if (fileChoice.empty()) return false;
        request.fileName = fileChoice;
        return true;
    }
    bool ChooseFolder(const std::string& prompt, std::string& folder) override {
        lastFolderPrompt = prompt;
        if (folderChoice.empty()) return false;
        folder = folderChoice;
        return true;
    }
    int PopupMenu(const std::string& entries) override {
        popups.push_back(entries);
        return popupChoice;
    }
    void RunLanguageDialog() override {
        ++languageDialogs;
        if (onLanguageDialog) onLanguageDialog();
    }
    void CreateListWindow(int x, int y) override {
        if (onCreateListWindow) onCreateListWindow(x, y);
    }
    void CloseMainWindow() override {
        ++closeRequests;
        if (onCloseMainWindow) onCloseMainWindow();
    }
    void ForegroundMainWindow() override { ++foregrounds; }
};

}  // namespace brisolt::test
