#include "monitor/company.h"

#include <string_view>

#include "shell/app.h"

namespace brisolt {

namespace {

constexpr std::string_view kClientMarker = "- Navision Financials";
constexpr std::string_view kDatabaseEnding = ".FDB";
constexpr std::string_view kProductName = "Brisolt light";
constexpr std::string_view kCaptionTail = " - Brisolt light";

void ShowCompany(App& app, const std::string& company) {
    app.forms.frmAllgemein.lblMandantName.Caption = company;
    app.forms.frmMain.Caption = company.empty() ? std::string(kProductName) : company + std::string(kCaptionTail);
    app.forms.frmMain.tic1.ToolTip = app.forms.frmMain.Caption;
}

// The last four characters (or all, when fewer), in upper case, are ".FDB":
// the client shows a database file instead of a company.
bool IsDatabaseFile(std::string_view name) {
    std::string_view tail = name.substr(name.size() < 4 ? 0 : name.size() - 4);
    std::string upper(tail);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper == kDatabaseEnding;
}

}  // namespace

void UpdateCompany(App& app, const std::string& title) {
    // The company is what stands in front of the character before the marker:
    // 'Muster GmbH - Navision Financials' names "Muster GmbH".
    std::size_t marker = title.find(kClientMarker);
    bool namesCompany = marker != std::string::npos && marker >= 2 && app.scan.Objects.Count > 0;
    std::string company = namesCompany ? title.substr(0, marker - 1) : std::string();
    if (namesCompany && IsDatabaseFile(company)) company.clear();
    ShowCompany(app, company);
}

void ClearCompany(App& app) { ShowCompany(app, {}); }

}  // namespace brisolt
