#include "shell/settings.h"

#include <functional>
#include <utility>
#include <vector>

#include "shell/app.h"
#include "shell/numbers.h"

namespace brisolt {

namespace {

const char kWinLoc[] = "WinLoc";
const char kOptions[] = "Options";
constexpr std::size_t kReadBuffer = 257;  // a value is seen up to 256 characters

// A flag is 0 or 1; anything else in the file is unusable and gives the default.
int FlagOrDefault(int value, int def) { return value == 0 || value == 1 ? value : def; }

// A colour is a COLORREF 0x00BBGGRR; 0 and values outside it give the default,
// so black can't be stored for the list colours.
Color ColorOrDefault(int value, Color def) {
    return value > 0 && value <= 0xFFFFFF ? static_cast<Color>(value) : def;
}

}  // namespace

Point ListWindowStartPosition(Point stored, const std::function<bool(Point)>& onMonitor) {
    // At least this much of the window's corner must be on a monitor.
    constexpr int kVisible = 14;
    const Point fallback{20, 10};
    auto xFits = [&](int y) { return onMonitor({stored.x, y}) && onMonitor({stored.x + kVisible, y}); };
    auto yFits = [&](int x) { return onMonitor({x, stored.y}) && onMonitor({x, stored.y + kVisible}); };
    if (xFits(stored.y) && yFits(stored.x)) return stored;
    // Each edge is judged on its own: a window stored off the right edge keeps
    // its top edge, judged where its left edge will be.
    const bool xOk = xFits(stored.y) || (!yFits(stored.x) && xFits(fallback.y));
    const bool yOk = yFits(stored.x) || (!xOk && yFits(fallback.x));
    return {xOk ? stored.x : fallback.x, yOk ? stored.y : fallback.y};
}

std::string ReadIniString(App& app, const std::string& section, const std::string& key, const std::string& def) {
    return app.platform.profile->Read(section, key, def, kReadBuffer);
}

void WriteIniString(App& app, const std::string& section, const std::string& key, const std::string& value) {
    app.platform.profile->Write(section, key, value);
}

void LoadSettings(App& app) {
    auto number = [&](const char* section, const char* key, const char* def) {
        return LeadingNumber(ReadIniString(app, section, key, def));
    };
    auto text = [&](const char* key, const char* def) { return ReadIniString(app, kOptions, key, def); };
    FrmAllgemein& g = app.forms.frmAllgemein;
    FrmFensterliste& l = app.forms.frmFensterliste;
    ShellState& s = app.shell;

    const Point stored{number(kWinLoc, "Win1x", "50"), number(kWinLoc, "Win1y", "50")};
    const Point shown = ListWindowStartPosition(stored, [&](Point p) { return app.platform.desktop->IsOnMonitor(p); });
    s.Win1x = shown.x;
    s.Win1y = shown.y;

    int tab = number(kOptions, "TabSelectedIndex", "1");
    app.forms.frmMain.tbsMain.SelectedIndex = tab >= 1 && tab <= 4 ? tab : 1;

    g.edIntervall.Text = text("Intervall", "2");
    g.edParent.Text = text("Parent", "- Navi");
    l.chkShowClients.Value = FlagOrDefault(number(kOptions, "ShowClient", "1"), 1);
    l.chkShowParents.Value = FlagOrDefault(number(kOptions, "ShowParent", "1"), 1);
    l.chkShortNames.Value = FlagOrDefault(number(kOptions, "ShortNames", "0"), 0);
    int font = number(kOptions, "Font", "0");
    l.cbFont.ListIndex = font >= 0 && font <= 2 ? font : 0;  // three fonts
    l.chkDynamicFonts.Value = FlagOrDefault(number(kOptions, "DynamicFont", "0"), 0);
    l.edDyn1.Text = text("Dynamic1", "5");
    l.edDyn2.Text = text("Dynamic2", "8");
    g.chkAlarm.Value = FlagOrDefault(number(kOptions, "Alarm", "0"), 0);
    g.chkLogging.Value = FlagOrDefault(number(kOptions, "Logging", "0"), 0);
    g.edLogFilename.Text = text("LogFilename", "");
    g.chkGlueObjDes.Value = FlagOrDefault(number(kOptions, "Glue1", "0"), 0);
    g.chkGlueProperties.Value = FlagOrDefault(number(kOptions, "GlueProperties", "0"), 0);
    g.chkGlueHauptmenu.Value = FlagOrDefault(number(kOptions, "GlueHauptmenue", "0"), 0);
    g.chkGlueFensterliste.Value = FlagOrDefault(number(kOptions, "GlueList", "1"), 1);
    g.chkGlueToolbox.Value = FlagOrDefault(number(kOptions, "GlueToolbox", "0"), 0);
    g.chkGlueFieldMenu.Value = FlagOrDefault(number(kOptions, "FieldMenu", "0"), 0);

    FrmOptions& o = app.forms.frmOptions;
    o.optFormularDesigner.Value = number(kOptions, "FormularDesigner", "1") == 1 ? 1 : 0;
    o.optFormDesigner.Value = o.optFormularDesigner.Value == 1 ? 0 : 1;

    s.FarbeNormal = ColorOrDefault(number(kOptions, "FarbeNormal", "12648384"), kDefaultNormalColor);
    s.FarbeAlarm = ColorOrDefault(number(kOptions, "FarbeAlarm", "8421631"), kDefaultAlarmColor);

    s.Win1IconStart = FlagOrDefault(number(kOptions, "Win1IconStart", "0"), 0);
    s.Win1OnTop = FlagOrDefault(number(kOptions, "Win1OnTop", "0"), 0);
    s.Language = number(kOptions, "Language", "-1");

    for (int i = 0; i < 16; ++i) {
        int v = number(kOptions, ("Farbe" + NumberText(i)).c_str(), "0");
        Color c = v > 0 && v <= 0xFFFFFF ? static_cast<Color>(v) : 0;
        if (i == 0 && c == 0) c = kDefaultNormalColor;
        if (i == 1 && c == 0) c = kDefaultAlarmColor;
        s.CustomColors[i] = c;
    }
}

void ShowPreviewColors(App& app) {
    FrmFensterliste& l = app.forms.frmFensterliste;
    l.lblPreview1.BackColor = app.shell.FarbeAlarm;
    l.lblPreview2.BackColor = app.shell.FarbeNormal;
    l.lblPreview3.BackColor = app.shell.FarbeAlarm;
}

void SaveSettings(App& app) {
    const FrmAllgemein& g = app.forms.frmAllgemein;
    const FrmFensterliste& l = app.forms.frmFensterliste;
    const ShellState& s = app.shell;
    auto flag = [](const CheckBox& c) { return NumberText(c.Value); };

    // Each value is read at the moment it is written; a value that can't be
    // read ends the save there, keeping the keys written so far.
    using Value = std::function<std::string()>;
    const std::vector<std::pair<const char*, Value>> winLoc = {
        {"Win1x", [&] { return NumberText(app.platform.listWindow->Position().x); }},
        {"Win1y", [&] { return NumberText(app.platform.listWindow->Position().y); }},
    };
    std::vector<std::pair<std::string, Value>> options = {
        {"TabSelectedIndex", [&] { return NumberText(app.forms.frmMain.tbsMain.SelectedIndex); }},
        {"Intervall", [&] { return g.edIntervall.Text; }},
        {"Parent", [&] { return g.edParent.Text; }},
        {"ShowClient", [&] { return flag(l.chkShowClients); }},
        {"ShowParent", [&] { return flag(l.chkShowParents); }},
        {"ShortNames", [&] { return flag(l.chkShortNames); }},
        {"Font", [&] { return NumberText(l.cbFont.ListIndex); }},
        {"DynamicFont", [&] { return flag(l.chkDynamicFonts); }},
        {"Dynamic1", [&] { return l.edDyn1.Text; }},
        {"Dynamic2", [&] { return l.edDyn2.Text; }},
        {"Alarm", [&] { return flag(g.chkAlarm); }},
        {"Logging", [&] { return flag(g.chkLogging); }},
        {"LogFilename", [&] { return g.edLogFilename.Text; }},
        {"Glue1", [&] { return flag(g.chkGlueObjDes); }},
        {"GlueProperties", [&] { return flag(g.chkGlueProperties); }},
        {"GlueHauptmenue", [&] { return flag(g.chkGlueHauptmenu); }},
        {"GlueList", [&] { return flag(g.chkGlueFensterliste); }},
        {"GlueToolbox", [&] { return flag(g.chkGlueToolbox); }},
        {"FieldMenu", [&] { return flag(g.chkGlueFieldMenu); }},
        {"FormularDesigner", [&] { return NumberText(app.forms.frmOptions.optFormularDesigner.Value); }},
        {"FarbeNormal", [&] { return NumberText(s.FarbeNormal); }},
        {"FarbeAlarm", [&] { return NumberText(s.FarbeAlarm); }},
        {"Language", [&] { return NumberText(s.Language); }},
    };
    for (int i = 0; i < 16; ++i)
        options.emplace_back("Farbe" + NumberText(i), [&s, i] { return NumberText(s.CustomColors[i]); });
    options.emplace_back("Win1IconStart", [&] { return NumberText(s.Win1IconStart); });
    options.emplace_back("Win1OnTop", [&] { return NumberText(s.Win1OnTop); });

    // The new file is written beside the old one and replaces it in one step,
    // so a crash or a power cut during Quit leaves either the old or the new
    // settings, never a mix. A place that can't be written keeps the old file.
    std::unique_ptr<ProfileRewrite> file = app.platform.profile->BeginRewrite();
    if (!file) return;
    try {
        for (const auto& [key, value] : winLoc) file->Write(kWinLoc, key, value());
        for (const auto& [key, value] : options) file->Write(kOptions, key, value());
    } catch (const std::exception&) {
        // The same German text in both languages.
        app.platform.ui->MessageBox("Fehler beim Sichern der Einstellungen.", kMbOk);
    }
    file->Commit();
}

}  // namespace brisolt
