// The tray icon's look, in one place: the program's own icon with the
// caption as its tooltip, or, while the team folder fails, that look
// alternating each second with the network-error look (the alert icon, the
// caption and ": Network error"). Nothing else shows the failure: no message
// box, and the list goes on.
#pragma once
#include <string>

namespace brisolt {

struct App;

// The tray's tooltip: the caption, and while team mode shows the others,
// " - 3 in the team", within what the tray holds (the caption is cut first).
std::string TrayToolTip(const App& app);
// The look for the current caption (after the caption changed).
void ShowTrayLook(App& app);
// The folder fails, or works again: the alert look shows at once, and the
// alert timer alternates it from then on.
void ShowFolderFailing(App& app, bool failing);
// The alert timer: runs every second while team mode is on. It judges the
// folder by how long it has failed or been silent, without waiting for it and
// without waiting for the next scan, and alternates the look while it fails.
void TrayAlertTick(App& app);

}  // namespace brisolt
