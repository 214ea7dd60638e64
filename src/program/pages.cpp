#include "program/pages.h"

#include "program/app.h"
#include "program/team_mode.h"
#include "program/texts.h"
#include "settings/numbers.h"

namespace brisolt {

namespace {

constexpr unsigned kOfnPathMustExist = 0x800;
constexpr unsigned kOfnFileMustExist = 0x1000;
// CC_RGBINIT | CC_FULLOPEN
constexpr unsigned kChooseColourFlags = 3;

}  // namespace

void BrowseLogFile(App& app) {
    SettingsWindowView& v = app.view;
    OpenFileRequest request;
    request.flags = kOfnPathMustExist | kOfnFileMustExist;
    request.filter = "Text/ASCII (*.txt; *.asc; *.log)|*.txt;*.asc;*.log|All files|*.*";
    request.defaultExt = "txt";
    request.helpFile = v.logDialogHelpFile;
    request.fileName = v.logDialogFile;  // neither preset from the log name nor cleared
    if (app.platform.ui->OpenFile(request)) v.logDialogFile = request.fileName;
    if (!v.logDialogFile.empty()) app.settings.logFile = v.logDialogFile;
}

void BrowseTeamFolder(App& app) {
    const char* prompt = Pick(texts::kChooseTeamFolder, app.settings.language);
    std::string folder = app.settings.teamFolder;
    if (!app.platform.ui->ChooseFolder(prompt ? prompt : "", folder)) return;
    app.settings.teamFolder = folder;
    ApplyTeamFolder(app);
}

void ShowLogFile(App& app) {
    const std::string& name = app.settings.logFile;
    if (app.platform.files->Exists(name)) app.platform.ui->ShellOpen(name, true);
}

void CompanyHovered(App& app) { app.view.companyToolTip = app.view.company; }

void HideSettingsWindow(App& app) {
    app.view.visible = false;
    ApplyTeamFolder(app);  // the user left the folder's box too
}

void ApplyChosenFont(App& app) {
    ApplyListFont(*app.platform.listWindowHost, app.settings.listFont);
    ShowListFontInPreviews(app);
}

void ShowListFontInPreviews(App& app) {
    Canvas& list = app.platform.listWindowHost->Surface();
    auto& previews = app.view.previews;
    for (ColourPreview& p : previews) {
        p.fontName = list.FontName();
        p.fontSize = list.FontSize();
    }
    // Three rows that touch, their block centred on the alarm button's top edge.
    TextMeasure& measure = *app.platform.textMeasure;
    const ColourPreview& first = previews[0];
    const Scale& scale = app.platform.scale;
    const double w = measure.TextWidth(first.fontName, first.fontSize, first.text + ".") / scale.twipsPerPixelX;
    const double h = measure.TextHeight(first.fontName, first.fontSize, first.text) / scale.twipsPerPixelY;
    double top = app.view.alarmColourButton.top - h * 3 / 2;
    for (ColourPreview& p : previews) {
        p.bounds.width = w;
        p.bounds.height = h;
        p.bounds.top = top;
        top += h;
    }
}

void ApplyDynamicFontChoice(App& app) { app.view.fontChoiceEnabled = !app.settings.dynamicFont; }

void ShowPreviewColours(App& app) {
    auto& previews = app.view.previews;
    previews[0].back = app.settings.alarmColour;
    previews[1].back = app.settings.normalColour;
    previews[2].back = app.settings.alarmColour;
}

void ChooseNormalColour(App& app) {
    app.platform.ui->ChooseColour(app.settings.normalColour, app.settings.customColours, kChooseColourFlags);
    ShowPreviewColours(app);
}

void ChooseAlarmColour(App& app) {
    app.platform.ui->ChooseColour(app.settings.alarmColour, app.settings.customColours, kChooseColourFlags);
    ShowPreviewColours(app);
}

std::string VersionText(const VersionInfo& v) {
    return "Version: " + NumberText(v.major) + "." + NumberText(v.minor) + " (Build " + NumberText(v.build) + ")";
}

void LoadInfoPage(App& app) {
    SettingsWindowView& v = app.view;
    v.appName = app.platform.version.productName;
    v.productName = app.platform.version.productName;
    v.version = VersionText(app.platform.version);
    v.email = kAuthorEMail;
    v.homepage = kHomepage;
    v.copyright = app.platform.version.legalCopyright;
}

void EmailClicked(App& app) {
    app.platform.ui->ShellOpen(std::string("mailto:") + kAuthorEMail + "?subject=" + kProductName, false);
}

void HomepageClicked(App& app) { app.platform.ui->ShellOpen(app.view.homepage, true); }

}  // namespace brisolt
