// The settings file KelmorL.ini beside the program: read once at start-up,
// written back once at Quit.
#pragma once
#include <string>

namespace brisolt {

struct App;

// One value, at most 256 characters; def when the file or key is missing.
std::string ReadIniString(App& app, const std::string& section, const std::string& key, const std::string& def);
void WriteIniString(App& app, const std::string& section, const std::string& key, const std::string& value);

void LoadSettings(App& app);
void ShowPreviewColors(App& app);
void SaveSettings(App& app);

}  // namespace brisolt
