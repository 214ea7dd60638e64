// The user interface language: the texts the option pages show, the tab
// captions, the menu bar, switching, and the first-start language dialog.
#pragma once
#include "settings/settings.h"

namespace brisolt {

struct App;

void SetPageTexts(App& app);
void SetTabCaptions(App& app);
// The menu bar in the current language, with the Extras menu's check marks
// following the settings.
void BuildMainMenu(App& app);
void SwitchLanguage(App& app, Language language);

// The first-start dialog's buttons.
void OnEnglishChosen(App& app);
void OnGermanChosen(App& app);

}  // namespace brisolt
