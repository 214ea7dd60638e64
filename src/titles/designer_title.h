// Which titles belong to a designer window, what object each names, and their
// short display form. A client row's title is read once per scan into a
// DesignerIdentity; everything after the scan reads that.
#pragma once
#include <string>
#include <string_view>

#include "titles/titles.h"

namespace brisolt {

// The object a designer title names: 'Table 18 Customer - Table Designer' is
// type 0, number "18", key "Table 18", name "Customer".
struct DesignerIdentity {
    int typeCode = -1;  // 0 Table, 1 Form, 2 Report, 3 Dataport, 4 Codeunit; -1: no designer title
    std::string key;
    std::string name;
    std::string number;
    std::string shortTitle;  // the title without its " - ... Designer" part

    bool IsDesigner() const { return typeCode >= 0; }
};

bool IsDesignerTitle(std::string_view title, FormDesignerVariant variant);
// The identity of a designer title; typeCode -1 (and nothing else) for any
// other title.
DesignerIdentity IdentifyDesigner(std::string_view title, FormDesignerVariant variant);
std::string ShortTitle(std::string_view title, bool shortNames, FormDesignerVariant variant);

}  // namespace brisolt
