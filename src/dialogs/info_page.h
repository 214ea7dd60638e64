// The product information page (frmInfo).
#pragma once
#include <string>

namespace brisolt {

struct App;
struct VersionInfo;

// Where mail and the homepage go.
inline constexpr char kAuthorEMail[] = "brisolt@example.org";
inline constexpr char kHomepage[] = "https://brisolt.example.org/";

// "Version: 1.2 (Build 11)" for the file version 1.2.0.11.
std::string VersionText(const VersionInfo& v);

void frmInfo_Load(App& app);
void edEMail_MouseDown(App& app, int button);
void edWWW_MouseDown(App& app, int button);

}  // namespace brisolt
