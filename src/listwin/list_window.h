// The list window: sizing and painting through the Canvas, and its mouse.
#pragma once
#include <string>

namespace brisolt {

struct App;

struct ListFont {
    const char* entryText;  // cbFont's entry
    const char* fontName;
    double sizePt;
};
// Index 0..2, as cbFont lists them.
extern const ListFont kListFonts[3];

// The collapsed window's text, produced anew on every tick: a clock.
std::string CollapsedText(App& app);
// RowHeight (one line of CollapsedText in the list window's current font) and
// the two-pixel Margin, both in whole twips. Run at the start of every tick
// and again after the dynamic font rule changed the font.
void ComputeRowMetrics(App& app);
// Last step of a tick: size and paint the list window for the current tables.
void PaintListWindow(App& app);
// Gives the list window the font of cbFont's entry `index` (unchanged when no
// entry is selected).
void ApplyListFont(App& app, int index);

void Win_1_MouseDown(App& app, int button);
void Win_1_MouseDblClick(App& app, int button, double yTwips);
void ActivateListRow(App& app, double yTwips);

}  // namespace brisolt
