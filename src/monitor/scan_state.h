// What the scan cycle owns: both tables, the client's main window as last
// found and its rectangles, and the access log's memory between ticks.
#pragma once
#include <string>
#include <vector>

#include "monitor/open_objects.h"

namespace brisolt {

struct ScanState {
    std::vector<TopWindowEntry> TopWindows = std::vector<TopWindowEntry>(kTableSlots);
    int TopWindowCount = 0;
    OpenObjectTable Objects;
    WindowHandle ClientMainWindow = 0;
    Rect ClientMainRect;
    Rect MdiAreaRect;
    double RowHeight = 0;  // twips
    double Margin = 0;     // twips
};

struct AccessLogState {
    std::string LastLoggedTitle;  // "" at start, "-" after a no-designer record
    std::string LogIdentity;
};

}  // namespace brisolt
