// Which titles belong to a designer window, and their short display form.
#pragma once
#include <string>
#include <string_view>

#include "titles/titles.h"

namespace brisolt {

bool IsDesignerTitle(std::string_view title, FormDesignerVariant variant);
std::string ShortTitle(std::string_view title, bool shortNames, FormDesignerVariant variant);

}  // namespace brisolt
