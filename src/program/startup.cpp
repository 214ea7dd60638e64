#include "program/startup.h"

#include "program/app.h"
#include "program/language.h"
#include "program/pages.h"
#include "program/texts.h"
#include "program/tick.h"
#include "settings/numbers.h"
#include "settings/settings_file.h"

namespace brisolt {

namespace {

// SetTimer takes up to 0x7FFFFFFF ms; a timer of 0 never ticks.
constexpr long long kMaxIntervalSeconds = 0x7FFFFFFF / 1000;

// Writes the settings at Quit. A save that stored nothing is said once, in
// the user's language, unless the file is pinned read-only or the Windows
// session is ending (a message would hold up the log-off).
void SaveOnQuit(App& app, bool sessionEnding) {
    // The list window's place is where the user left it.
    try {
        app.settings.listWindowPosition = app.platform.listWindowHost->Position();
    } catch (const ControlError&) {
        // A list window that can't say where it is keeps the stored place.
    }
    const SaveOutcome outcome = SaveSettings(*app.platform.profile, app.settings);
    const Language lang = app.settings.language;
    if (outcome != SaveOutcome::Failed || sessionEnding || !IsKnownLanguage(lang)) return;
    app.platform.ui->MessageBox(
        Pick(texts::kSaveFailedBefore, lang) + app.program.iniFile + Pick(texts::kSaveFailedAfter, lang), kMbIconStop);
}

void Quit(App& app, bool sessionEnding) {
    SaveOnQuit(app, sessionEnding);  // before the list window closes: it reads its position
    LeaveTeam(app);
    app.platform.listWindowHost->Close();
    app.program.scanTimer.enabled = false;
    app.tray.visible = false;
    app.view.visible = false;
}

}  // namespace

void ResetForStart(App& app, const std::string& programDir) {
    app.accessLog = AccessLog(app.platform.identity->UserName());
    app.scan = ScanResult{};
    app.settings.customColours = {};
    app.program.quitRequested = false;
    app.program.programDir = programDir;
    app.program.computerName = app.platform.identity->ComputerName();
    app.team = TeamModeState{};
    Clock& clock = *app.platform.clock;
    app.team.runId = NewRunId(static_cast<std::uint64_t>(clock.SteadyMilliseconds()) * 1000003u ^
                              static_cast<std::uint64_t>(clock.UtcSeconds()));
    app.team.startedUtc = clock.UtcSeconds();
    app.program.iniFile = programDir + "\\KelmorL.ini";
    app.program.manualFile = programDir + "\\Doc\\kelmorL.htm";
}

void FillWindowsBeforeStart(App& app) {
    BuildMainMenu(app);
    LoadInfoPage(app);
}

void ApplyScanInterval(App& app) {
    long long seconds = 0;
    if (WholeNumber(app.settings.scanInterval, seconds) && seconds > 0 && seconds <= kMaxIntervalSeconds)
        app.program.scanTimer.interval = static_cast<int>(seconds * 1000);
}

void StartUp(App& app, const std::string& programDir) {
    ResetForStart(app, programDir);
    app.settings.language = Language::German;  // the windows are built with German menus
    FillWindowsBeforeStart(app);

    // (The settings window's width is fitted to its tab strip by its template.)
    app.view.tabCaptions.clear();
    for (const Bilingual& t : texts::kTabs) app.view.tabCaptions.push_back(t.german);

    Profile& profile = *app.platform.profile;
    app.settings.language = static_cast<Language>(LeadingNumber(ReadSetting(profile, "Options", "Language", "-1")));
    if (app.settings.language == Language::NotChosen) {
        app.platform.ui->RunLanguageDialog();
        // Refused, the dialog simply comes again at the next start.
        profile.Write("Options", "Language", NumberText(static_cast<int>(app.settings.language)));
    }

    // The language just chosen holds for this run even when the file refused it.
    const Language language = app.settings.language;
    Desktop& desktop = *app.platform.desktop;
    app.settings = LoadSettings(profile, [&desktop](Point p) { return desktop.IsOnMonitor(p); });
    app.settings.language = language;
    app.team.folder = app.settings.teamFolder;
    ShowPreviewColours(app);

    app.tray.toolTip = app.platform.version.productName.empty() ? kProductName : app.platform.version.productName;
    app.tray.visible = true;

    SetPageTexts(app);
    SetTabCaptions(app);
    BuildMainMenu(app);

    app.platform.ui->CreateListWindow(app.settings.listWindowPosition.x, app.settings.listWindowPosition.y);
    app.listWindowState.collapsed = false;

    ApplyChosenFont(app);
    ApplyDynamicFontChoice(app);

    app.platform.ui->ForegroundMainWindow();

    ApplyScanInterval(app);
    app.program.scanTimer.enabled = true;
    // The first scan runs now: rows, company and glue appear at start, not
    // one interval later.
    RefreshWindowList(app);

    if (!app.settings.startHidden) app.view.visible = true;
    app.view.onTop = app.settings.settingsWindowOnTop;
}

bool CloseSettingsWindow(App& app) {
    if (app.program.quitRequested) {
        Quit(app, false);
        return true;
    }
    app.view.visible = false;
    return false;
}

void EndSession(App& app, bool endingForReal) {
    // A log-off or shut-down saves what the user set, as Quit does, without a
    // word; a session end that is called off only hides the window.
    if (endingForReal) {
        app.program.quitRequested = true;
        Quit(app, true);
        return;
    }
    CloseSettingsWindow(app);
}

}  // namespace brisolt
