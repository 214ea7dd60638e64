#include "titles/designer_title.h"

#include <algorithm>

#include "titles/object_types.h"

namespace brisolt {

namespace {

bool StartsWith(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Type word, no number-0 prefix, a digit where the number starts, the
// designer's suffix; long enough to hold the word, a digit and the suffix.
bool MatchesRow(std::string_view title, const ObjectTypeRow& row, FormDesignerVariant variant) {
    std::string_view suffix = row.Suffix(variant);
    if (title.size() < row.typeWord.size() + 1 + suffix.size()) return false;
    if (!StartsWith(title, row.typeWord)) return false;
    if (!row.numberZeroPrefix.empty() && StartsWith(title, row.numberZeroPrefix)) return false;
    if (!IsDigit(title[row.numberStart - 1])) return false;
    return EndsWith(title, suffix);
}

}  // namespace

bool IsDesignerTitle(std::string_view title, FormDesignerVariant variant) {
    // The type words exclude each other, so at most one row can match.
    const ObjectTypeRow* row = ObjectTypeOfTitle(title);
    return row && MatchesRow(title, *row, variant);
}

DesignerIdentity IdentifyDesigner(std::string_view title, FormDesignerVariant variant) {
    DesignerIdentity identity;
    const ObjectTypeRow* row = ObjectTypeOfTitle(title);
    if (!row || !MatchesRow(title, *row, variant)) return identity;
    identity.typeCode = row->code;
    // The key runs to the first blank at or after the number; the suffix
    // begins with a blank, so there is one.
    identity.numberBegin = row->typeWord.size();
    identity.keyEnd = title.find(' ', row->numberStart - 1);
    identity.shortEnd = title.size() - row->Suffix(variant).size();
    // The name stands between the key's blank and the suffix, and may be empty.
    identity.nameBegin = std::min(identity.keyEnd + 1, identity.shortEnd);
    identity.nameEnd = std::max(identity.nameBegin, identity.shortEnd);
    return identity;
}

std::string ShortTitle(std::string_view title, bool shortNames, FormDesignerVariant variant) {
    if (!shortNames || !IsDesignerTitle(title, variant)) return std::string(title);
    const ObjectTypeRow& row = *ObjectTypeOfTitle(title);
    return std::string(title.substr(0, title.size() - row.Suffix(variant).size()));
}

}  // namespace brisolt
