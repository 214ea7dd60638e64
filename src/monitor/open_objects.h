// The tables that one scan fills: the client's child windows (open-object
// table) and the desktop's top-level windows.
#pragma once
#include <string>
#include <vector>

#include "platform/types.h"

namespace brisolt {

constexpr int kTableSlots = 1024;  // slots allocated once at start-up
constexpr int kWalkLimit = 1023;   // a walk stops when its count reaches this
constexpr std::size_t kTitleBuffer = 127;  // titles read through 127 characters: at most 126

struct OpenObjectEntry {
    std::string Title;
    WindowHandle Window = 0;
    bool Duplicate = false;
};

struct OpenObjectTable {
    std::vector<OpenObjectEntry> Rows = std::vector<OpenObjectEntry>(kTableSlots);
    int Count = 0;
};

struct TopWindowEntry {
    std::string Title;
    WindowHandle Window = 0;
};

}  // namespace brisolt
