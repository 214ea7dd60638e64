// The demo client's scenario file: which windows the stand-in ERP client shows.
//
//   title=Muster GmbH - Navision Financials      caption of the main window
//   frame=0,0,1024,768                            main window placement (screen)
//   child=Table 18 Customer - Table Designer      MDI children, front-most first;
//   child=Main Menu|min                           "|min" minimised,
//   child=Object Designer|0,0,300,400             "|x,y,w,h" placement in the MDI area
//   tool=Toolbox|700,300,120,200                  top-level tool window (screen placement)
//   churn=500                                     every 500 ms a spare child opens (a new
//                                                 title from a fixed list each time), every
//                                                 third time the spare children close instead
//   sleep=8000                                    once the windows match the file, the client's
//                                                 window thread sleeps 8000 ms (a busy client:
//                                                 nothing it owns answers meanwhile)
//
// Blank lines and lines starting with '#' are ignored. Text is UTF-8.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace democlient {

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const Box& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
    bool operator!=(const Box& o) const { return !(*this == o); }
};

struct ChildWindow {
    std::string title;
    bool minimised = false;
    std::optional<Box> box;
};

struct ToolWindow {
    std::string title;
    std::optional<Box> box;
};

struct Scenario {
    std::string title = "Muster GmbH - Navision Financials";
    std::optional<Box> frame;
    std::vector<ChildWindow> children;  // front-most first
    std::vector<ToolWindow> tools;
    int churnMs = 0;                  // 0: no churn
    int sleepMs = 0;                  // 0: no sleep after applying
};

// Parses the text of a scenario file; unknown keys and malformed values are ignored.
Scenario ParseScenario(const std::string& text);

// "x,y,w,h" -> Box; nothing when the text is not four integers.
std::optional<Box> ParseBox(const std::string& text);

}  // namespace democlient
