// The user interface language: texts of the option pages, tab captions, the
// menu bar, switching, and the first-start language dialog.
#pragma once

namespace brisolt {

struct App;

void SetPageTexts(App& app);
void SetTabCaptions(App& app);
void BuildMainMenu(App& app);
void SwitchLanguage(App& app, int language);

void cmdLangEng_Click(App& app);
void cmdLangGer_Click(App& app);

}  // namespace brisolt
