#include "dialogs/general_page.h"

#include "shell/app.h"
#include "shell/startup.h"

namespace brisolt {

namespace {
constexpr unsigned kOfnPathMustExist = 0x800;
constexpr unsigned kOfnFileMustExist = 0x1000;
}  // namespace

void cmdLogBrowse_Click(App& app) {
    CommonDialog& cd = app.forms.frmFensterliste.cd1;
    OpenFileRequest request;
    request.flags = kOfnPathMustExist | kOfnFileMustExist;
    request.filter = "Text/ASCII (*.txt; *.asc; *.log)|*.txt;*.asc;*.log|All files|*.*";
    request.defaultExt = "txt";
    request.helpFile = cd.HelpFile;
    request.fileName = cd.FileName;  // neither preset from the log name nor cleared
    if (app.platform.ui->OpenFile(request)) cd.FileName = request.fileName;
    if (!cd.FileName.empty()) app.forms.frmAllgemein.edLogFilename.Text = cd.FileName;
}

void cmdLogView_Click(App& app) {
    const std::string& name = app.forms.frmAllgemein.edLogFilename.Text;
    if (app.platform.files->Exists(name)) app.platform.ui->ShellOpen(name, true);
}

void edIntervall_KeyUp(App& app) { ApplyIntervalText(app); }

void lblMandantName_MouseMove(App& app) {
    Label& l = app.forms.frmAllgemein.lblMandantName;
    l.ToolTip = l.Caption;
}

void cmdOK_Click(App& app) { app.forms.frmMain.Visible = false; }
void cmdCancel_Click(App& app) { cmdOK_Click(app); }

}  // namespace brisolt
