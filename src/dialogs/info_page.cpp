#include "dialogs/info_page.h"

#include "shell/app.h"
#include "shell/numbers.h"

namespace brisolt {

std::string VersionText(const VersionInfo& v) {
    return "Version: " + NumberText(v.major) + "." + NumberText(v.minor) + " (Build " + NumberText(v.build) + ")";
}

void frmInfo_Load(App& app) {
    FrmInfo& i = app.forms.frmInfo;
    i.lblAppName.Caption = app.platform.version.productName;
    i.lblProductName.Caption = app.platform.version.productName;
    i.lblVersion.Caption = VersionText(app.platform.version);
    i.edEMail.Text = kAuthorEMail;
    i.edWWW.Text = kHomepage;
    i.lblCopyright.Caption = app.platform.version.legalCopyright;
}

// Any mouse button opens the link; the field keeps no selection.
void edEMail_MouseDown(App& app, int) {
    app.platform.ui->ShellOpen(std::string("mailto:") + kAuthorEMail + "?subject=Brisolt light", false);
}

void edWWW_MouseDown(App& app, int) { app.platform.ui->ShellOpen(app.forms.frmInfo.edWWW.Text, true); }

}  // namespace brisolt
