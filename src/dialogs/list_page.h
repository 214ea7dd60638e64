// Handlers of the list-window page (frmFensterliste).
#pragma once

namespace brisolt {
struct App;
void frmFensterliste_Load(App& app);
// Gives the list window the selected font and lays out the colour previews.
void cbFont_Click(App& app);
void chkDynamicFonts_Click(App& app);
}  // namespace brisolt

namespace brisolt {
// CC_RGBINIT | CC_FULLOPEN
constexpr unsigned kChooseColorFlags = 3;
void cmdColorNormal_Click(App& app);
void cmdColorAlarm_Click(App& app);
}  // namespace brisolt
