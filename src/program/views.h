// What the settings window and the tray icon show besides the settings
// themselves. The program writes these; the native windows carry them to
// the screen. The texts that only follow the language are bound to their
// controls directly (program/texts.h).
#pragma once
#include <array>
#include <string>
#include <vector>

#include "listwin/list_window.h"
#include "platform/types.h"
#include "program/team_page.h"
#include "program/texts.h"

namespace brisolt {

// A control's place on its page, pixels (fractions kept).
struct Bounds {
    double left = 0, top = 0, width = 0, height = 0;
};

// One of the three colour previews on the list window page.
struct ColourPreview {
    std::string text;
    Colour back = 0xFFFFFF;
    std::string fontName = "MS Sans Serif";
    double fontSize = 8;
    Bounds bounds;
};

struct SettingsWindowView {
    std::string caption = kProductName;
    bool visible = false;
    bool onTop = false;
    std::vector<std::string> tabCaptions;

    // General page: the company the client names, and its tooltip (the whole
    // name, for one too long for the label).
    std::string company;
    std::string companyToolTip;

    // List window page: the previews (alarm, normal, alarm), laid out
    // against the alarm colour button's top edge.
    std::array<ColourPreview, 3> previews{{{"Table 18 Customer"}, {"Form 21 Customer"}, {"Table 18 Customer"}}};
    Bounds alarmColourButton;
    std::vector<std::string> fontChoices{kListFonts[0].entryText, kListFonts[1].entryText, kListFonts[2].entryText};
    bool fontChoiceEnabled = true;
    std::string topLevelCount = "0";
    std::string clientCount = "0";
    // The log file dialog's help file and last chosen file.
    std::string logDialogHelpFile;
    std::string logDialogFile;

    // Info page.
    std::string appName, productName, version, copyright;
    std::string email, homepage, emailToolTip, homepageToolTip;
    std::string information;

    TeamPageView team;
};

// What the tray's tooltip holds: 127 characters (and the NUL).
constexpr std::size_t kTrayToolTipChars = 127;

struct TrayIconView {
    bool visible = false;
    std::string toolTip;  // the tray shows its first kTrayToolTipChars
    std::string icon = ":ico";
};

}  // namespace brisolt
