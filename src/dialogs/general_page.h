// Handlers of the General page (frmAllgemein) and the dialog buttons.
#pragma once

namespace brisolt {
struct App;
void cmdLogBrowse_Click(App& app);
void cmdLogView_Click(App& app);
void edIntervall_KeyUp(App& app);
void lblMandantName_MouseMove(App& app);
void cmdOK_Click(App& app);
void cmdCancel_Click(App& app);
}  // namespace brisolt
