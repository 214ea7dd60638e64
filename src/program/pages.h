// What the option pages do when the user changes something: the setting has
// already changed (the native page wrote it); these keep what the pages show
// and the list window in step with it.
#pragma once
#include <string>

namespace brisolt {

struct App;

// The page number of each tab, left to right. The numbers are those the
// settings file stores (1 General, 2 List window, 3 Options, 4 Info, 5 Team),
// so a stored page keeps its meaning; the Team tab stands beside the Options
// page, where team mode is turned on.
inline constexpr int kTabPages[] = {1, 2, 3, 5, 4};
inline constexpr int kOptionsPage = 3;
struct VersionInfo;

// General page.
void BrowseLogFile(App& app);
// Opens the log file, when it is a file.
void ShowLogFile(App& app);
void CompanyHovered(App& app);
void HideSettingsWindow(App& app);

// Options page: the folder the team shares.
void BrowseTeamFolder(App& app);

// List window page.
// The chosen font goes to the list window, and the previews are laid out in it.
void ApplyChosenFont(App& app);
// The previews take the list window's font and are laid out in it.
void ShowListFontInPreviews(App& app);
// With the dynamic font on, the font is not chosen by hand.
void ApplyDynamicFontChoice(App& app);
void ChooseNormalColour(App& app);
void ChooseAlarmColour(App& app);
void ShowPreviewColours(App& app);

// Info page.
inline constexpr char kAuthorEMail[] = "brisolt@example.org";
inline constexpr char kHomepage[] = "https://brisolt.example.org/";
// "Version: 1.2 (Build 11)" for the file version 1.2.0.11.
std::string VersionText(const VersionInfo& v);
void LoadInfoPage(App& app);
// Any mouse button on the address opens it.
void EmailClicked(App& app);
void HomepageClicked(App& app);

}  // namespace brisolt
