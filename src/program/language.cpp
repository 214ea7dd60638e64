#include "program/language.h"

#include <iterator>
#include <string>

#include "program/app.h"
#include "program/texts.h"

namespace brisolt {

void SetPageTexts(App& app) {
    const Language lang = app.settings.language;
    if (!IsKnownLanguage(lang)) return;
    SettingsWindowView& v = app.view;
    v.logDialogHelpFile = app.program.programDir + Pick(texts::kHelpFile, lang);
    v.emailToolTip = Pick(texts::kEmailToolTip, lang);
    v.homepageToolTip = Pick(texts::kHomepageToolTip, lang);
    v.information = Pick(texts::kInformation, lang);
    v.team.current = false;  // its texts follow the language at the next look
}

void SetTabCaptions(App& app) {
    const Language lang = app.settings.language;
    if (!IsKnownLanguage(lang)) return;
    auto& tabs = app.view.tabCaptions;
    for (std::size_t t = 0; t < std::size(texts::kTabs) && t < tabs.size(); ++t) tabs[t] = Pick(texts::kTabs[t], lang);
}

void BuildMainMenu(App& app) {
    const Language lang = app.settings.language;
    if (!IsKnownLanguage(lang)) return;
    MenuSet& m = app.program.menus;
    m.file.items = {{kCmdQuit, Pick(texts::kQuit, lang)}};
    m.extras.items = {
        {kCmdStartMinimized, Pick(texts::kStartMinimized, lang), app.settings.startHidden},
        {kCmdAlwaysOnTop, Pick(texts::kAlwaysOnTop, lang), app.settings.settingsWindowOnTop},
        {0, "", false, true},
        {kCmdGerman, Pick(texts::kGerman, lang), lang == Language::German},
        {kCmdEnglish, Pick(texts::kEnglish, lang), lang == Language::English},
    };
    m.help.items = {{kCmdHelp, Pick(texts::kHelpItem, lang)}};
    m.bar = {{Pick(texts::kMenuFile, lang), MenuPopup::File},
             {Pick(texts::kMenuExtras, lang), MenuPopup::Extras},
             {Pick(texts::kMenuHelp, lang), MenuPopup::Help}};
    ++m.version;  // the new bar replaces the old one on the main window
}

void SwitchLanguage(App& app, Language language) {
    app.settings.language = language;
    SetPageTexts(app);
    SetTabCaptions(app);
    BuildMainMenu(app);
}

void OnEnglishChosen(App& app) { app.settings.language = Language::English; }
void OnGermanChosen(App& app) { app.settings.language = Language::German; }

}  // namespace brisolt
