// Which titles belong to a designer window, and their short display form.
#pragma once
#include <string>
#include <string_view>

#include "monitor/titles.h"

namespace brisolt {

struct App;

bool IsDesignerTitle(std::string_view title, FormDesignerVariant variant);
std::string ShortTitle(std::string_view title, bool shortNames, FormDesignerVariant variant);

// The same, with the options read from the program's controls at this moment
// (optFormularDesigner, chkShortNames).
FormDesignerVariant CurrentFormVariant(const App& app);
bool IsDesignerTitle(const App& app, std::string_view title);
std::string ShortTitle(const App& app, std::string_view title);

}  // namespace brisolt
