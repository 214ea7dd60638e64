// Which titles belong to a designer window, what object each names, and their
// short display form. A client row's title is read once per scan into a
// DesignerIdentity; everything after the scan reads that.
#pragma once
#include <string>
#include <string_view>

#include "titles/titles.h"

namespace brisolt {

// The object a designer title names: 'Table 18 Customer - Table Designer' is
// type 0, key "Table 18", number "18", name "Customer". The pieces are kept
// as places in the title, so reading a title costs no copies; each accessor
// takes the title the identity was read from.
struct DesignerIdentity {
    int typeCode = -1;  // 0 Table, 1 Form, 2 Report, 3 Dataport, 4 Codeunit; -1: no designer title
    std::size_t numberBegin = 0, keyEnd = 0, nameBegin = 0, nameEnd = 0, shortEnd = 0;

    bool IsDesigner() const { return typeCode >= 0; }
    std::string_view Key(std::string_view title) const { return title.substr(0, keyEnd); }
    std::string_view Number(std::string_view title) const { return title.substr(numberBegin, keyEnd - numberBegin); }
    std::string_view Name(std::string_view title) const { return title.substr(nameBegin, nameEnd - nameBegin); }
    // The title without its " - ... Designer" part.
    std::string_view ShortTitle(std::string_view title) const { return title.substr(0, shortEnd); }
};

bool IsDesignerTitle(std::string_view title, FormDesignerVariant variant);
// The identity of a designer title; typeCode -1 (and nothing else) for any
// other title.
DesignerIdentity IdentifyDesigner(std::string_view title, FormDesignerVariant variant);
std::string ShortTitle(std::string_view title, bool shortNames, FormDesignerVariant variant);

}  // namespace brisolt
