// The client's five object types and how their designer windows are titled:
// 'Table 123 Demo Orders - Table Designer', 'Codeunit 456 Demo - C/AL Editor'.
#pragma once
#include <array>
#include <cstddef>
#include <string_view>

#include "titles/titles.h"

namespace brisolt {

struct ObjectTypeRow {
    int code;                          // 0 Table, 1 Form, 2 Report, 3 Dataport, 4 Codeunit
    std::string_view typeWord;         // "Table ", with its blank
    std::size_t numberStart;           // 1-based position of the number's first digit
    std::string_view formularSuffix;   // designer suffix while " - Formular Designer" is chosen
    std::string_view formSuffix;       // designer suffix otherwise (differs only for forms)
    std::string_view numberZeroPrefix; // titles starting with it are no designer titles; empty: none

    std::string_view Suffix(FormDesignerVariant v) const {
        return v == FormDesignerVariant::Formular ? formularSuffix : formSuffix;
    }
};

// Always tried in this order; the type words exclude each other.
inline constexpr std::array<ObjectTypeRow, 5> kObjectTypes{{
    {0, "Table ", 7, " - Table Designer", " - Table Designer", "Table 0"},
    {1, "Form ", 6, " - Formular Designer", " - Form Designer", "Form 0"},
    {2, "Report ", 8, " - Report Designer", " - Report Designer", "Report 0"},
    {3, "Dataport ", 10, " - Dataport Designer", " - Dataport Designer", "Dataport 0"},
    {4, "Codeunit ", 10, " - C/AL Editor", " - C/AL Editor", ""},
}};

// "Codeunit " for type code 4, with its blank; empty for no type.
inline std::string_view TypeWordOf(int typeCode) {
    for (const ObjectTypeRow& row : kObjectTypes)
        if (row.code == typeCode) return row.typeWord;
    return {};
}

// The row whose type word begins the title (exact, capitals included); nullptr
// when none does.
inline const ObjectTypeRow* ObjectTypeOfTitle(std::string_view title) {
    for (const ObjectTypeRow& row : kObjectTypes)
        if (title.substr(0, row.typeWord.size()) == row.typeWord) return &row;
    return nullptr;
}

}  // namespace brisolt
