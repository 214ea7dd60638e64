#include "titles/titles.h"

#include "titles/object_types.h"

namespace brisolt {

namespace {

// The key's length: everything in front of the first blank at or after the
// number's position. A title without such a blank is all key (only designer
// titles are asked, and their suffix always begins with a blank).
std::size_t KeyLength(std::string_view title, const ObjectTypeRow& row) {
    std::size_t blank = title.find(' ', row.numberStart - 1);
    return blank == std::string_view::npos ? title.size() : blank;
}

}  // namespace

std::string ObjectKeyFromTitle(std::string_view title) {
    const ObjectTypeRow* row = ObjectTypeOfTitle(title);
    if (!row) return {};
    return std::string(title.substr(0, KeyLength(title, *row)));
}

std::string ObjectNameFromTitle(std::string_view title, FormDesignerVariant variant) {
    const ObjectTypeRow* row = ObjectTypeOfTitle(title);
    if (!row) return {};
    std::size_t keyLength = KeyLength(title, *row);
    if (keyLength + 1 >= title.size()) return {};
    std::string_view rest = title.substr(keyLength + 1);
    // Only the suffix's length is cut: the caller has checked its text. A title
    // with nothing between the number and the suffix gives an empty name.
    std::size_t suffixLength = row->Suffix(variant).size();
    if (rest.size() <= suffixLength) return {};
    return std::string(rest.substr(0, rest.size() - suffixLength));
}

std::string ObjectNumberFromKey(std::string_view key) {
    try {
        std::size_t blank = key.find(' ');
        if (blank == std::string_view::npos) return std::string(key);
        return std::string(key.substr(blank + 1));
    } catch (...) {
        return "0";
    }
}

int ObjectTypeCode(std::string_view key) {
    if (key.empty()) return -1;
    switch (key.front()) {
        case 'T': return 0;
        case 'F': return 1;
        case 'R': return 2;
        case 'D': return 3;
        case 'C': return 4;
        default: return -1;  // not a key of any object type
    }
}

std::string ObjectTypeCodeText(std::string_view key) { return std::to_string(ObjectTypeCode(key)); }

}  // namespace brisolt
