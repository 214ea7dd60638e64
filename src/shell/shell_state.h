// Program-wide state of the shell.
#pragma once
#include <array>
#include <string>

#include "platform/types.h"
#include "shell/menus.h"

namespace brisolt {

constexpr Color kDefaultNormalColor = 12648384;  // 0xC0FFC0, light green
constexpr Color kDefaultAlarmColor = 8421631;    // 0x8080FF, light red

struct ShellState {
    int Language = 0;  // 0 German, 1 English, -1 not chosen
    bool QuitRequested = false;
    std::string IniFile;
    std::string ManualFile;
    std::string ProgramDir;
    int Win1x = 50, Win1y = 50;  // list window's stored position, screen pixels
    int Win1IconStart = 0;
    int Win1OnTop = 0;
    Color FarbeNormal = kDefaultNormalColor;
    Color FarbeAlarm = kDefaultAlarmColor;
    std::array<Color, 16> CustomColors{};
    MenuSet Menus;  // MenuBar, MenuFile, MenuExtras, MenuHelp
    bool TrayAlertPhase = false;
};

}  // namespace brisolt
