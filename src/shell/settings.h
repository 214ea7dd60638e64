// The settings file KelmorL.ini beside the program: read once at start-up,
// written back once at Quit.
#pragma once
#include <functional>
#include <string>

#include "platform/types.h"

namespace brisolt {

struct App;

// One value, at most 256 characters; def when the file or key is missing.
std::string ReadIniString(App& app, const std::string& section, const std::string& key, const std::string& def);
void WriteIniString(App& app, const std::string& section, const std::string& key, const std::string& value);

// Where the list window opens for a stored top-left corner: the stored place
// when it lies on a connected monitor, otherwise 20 / 10 for the edge that
// does not.
Point ListWindowStartPosition(Point stored, const std::function<bool(Point)>& onMonitor);

void LoadSettings(App& app);
void ShowPreviewColors(App& app);
void SaveSettings(App& app);

}  // namespace brisolt
