#pragma once
#include <string>

namespace brisolt {
struct App;
// The company (Mandant) from the client main window's title, into
// lblMandantName, frmMain's caption and the tray tooltip.
void UpdateCompany(App& app, const std::string& title);
// The no-company display: empty label, caption "Brisolt light".
void ClearCompany(App& app);
}  // namespace brisolt
