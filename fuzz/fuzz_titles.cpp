// Feeds arbitrary bytes as a window title to every title operation and checks
// what must hold for any title: the key is a prefix of the title, key, blank,
// name and suffix rebuild a designer title, a short title is the designer
// title without its suffix, "Table 0…" is never a designer title.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "titles/designer_title.h"
#include "titles/titles.h"

namespace {

using brisolt::FormDesignerVariant;

// The client's titles, written out here independently of the program's table:
// 'Table 123 Demo Orders - Table Designer'.
struct TitleForm {
    int code;
    std::string_view typeWord;
    std::string_view formularSuffix;
    std::string_view formSuffix;
    std::string_view numberZeroPrefix;
};

constexpr TitleForm kForms[] = {
    {0, "Table ", " - Table Designer", " - Table Designer", "Table 0"},
    {1, "Form ", " - Formular Designer", " - Form Designer", "Form 0"},
    {2, "Report ", " - Report Designer", " - Report Designer", "Report 0"},
    {3, "Dataport ", " - Dataport Designer", " - Dataport Designer", "Dataport 0"},
    {4, "Codeunit ", " - C/AL Editor", " - C/AL Editor", ""},
};

bool StartsWith(std::string_view s, std::string_view head) { return s.substr(0, head.size()) == head; }
bool EndsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

const TitleForm* FormOf(std::string_view title) {
    for (const TitleForm& f : kForms)
        if (StartsWith(title, f.typeWord)) return &f;
    return nullptr;
}

std::string_view SuffixOf(const TitleForm& f, FormDesignerVariant v) {
    return v == FormDesignerVariant::Formular ? f.formularSuffix : f.formSuffix;
}

// A designer title: type word, no number-0 prefix, a digit right behind the
// type word, the designer's suffix at the end.
bool ExpectDesigner(std::string_view title, FormDesignerVariant v) {
    const TitleForm* f = FormOf(title);
    if (!f) return false;
    if (!f->numberZeroPrefix.empty() && StartsWith(title, f->numberZeroPrefix)) return false;
    std::size_t digitAt = f->typeWord.size();
    if (title.size() <= digitAt || title[digitAt] < '0' || title[digitAt] > '9') return false;
    return EndsWith(title, SuffixOf(*f, v));
}

void CheckKeyOperations(std::string_view title, const std::string& key) {
    const TitleForm* f = FormOf(title);
    if (!f) {
        FUZZ_CHECK(key.empty());
        return;
    }
    // The key: the type word and everything up to the next blank (or the end).
    FUZZ_CHECK(StartsWith(title, key));
    FUZZ_CHECK(StartsWith(key, f->typeWord));
    FUZZ_CHECK(key.find(' ', f->typeWord.size()) == std::string::npos);
    FUZZ_CHECK(key.size() == title.size() || title[key.size()] == ' ');
    FUZZ_CHECK(brisolt::ObjectKeyFromTitle(key) == key);

    FUZZ_CHECK(brisolt::ObjectNumberFromKey(key) == key.substr(f->typeWord.size()));
    FUZZ_CHECK(brisolt::ObjectTypeCode(key) == f->code);
    FUZZ_CHECK(brisolt::ObjectTypeCodeText(key) == std::to_string(f->code));
}

void CheckName(std::string_view title, const std::string& key, FormDesignerVariant v) {
    std::string name = brisolt::ObjectNameFromTitle(title, v);
    const TitleForm* f = FormOf(title);
    if (!f) {
        FUZZ_CHECK(name.empty());
        return;
    }
    // The name stands between the key's blank and the last suffix-length characters.
    if (!name.empty()) {
        FUZZ_CHECK(key.size() + 1 + name.size() + SuffixOf(*f, v).size() == title.size());
        FUZZ_CHECK(title.substr(key.size() + 1, name.size()) == name);
    }
    if (brisolt::IsDesignerTitle(title, v) && !name.empty())
        FUZZ_CHECK(key + " " + name + std::string(SuffixOf(*f, v)) == title);
}

void CheckDesigner(std::string_view title, const std::string& key, FormDesignerVariant v) {
    bool designer = brisolt::IsDesignerTitle(title, v);
    FUZZ_CHECK(designer == ExpectDesigner(title, v));
    for (const TitleForm& f : kForms)
        if (!f.numberZeroPrefix.empty() && StartsWith(title, f.numberZeroPrefix)) FUZZ_CHECK(!designer);
    if (designer) {
        FUZZ_CHECK(!key.empty());
        int code = brisolt::ObjectTypeCode(key);
        FUZZ_CHECK(code >= 0 && code <= 4);
    }

    FUZZ_CHECK(brisolt::ShortTitle(title, false, v) == title);
    std::string shortTitle = brisolt::ShortTitle(title, true, v);
    if (!designer) {
        FUZZ_CHECK(shortTitle == title);
        return;
    }
    // A designer title shortens to itself without its suffix, never to nothing.
    std::string_view suffix = SuffixOf(*FormOf(title), v);
    FUZZ_CHECK(StartsWith(title, shortTitle));
    FUZZ_CHECK(shortTitle.size() + suffix.size() == title.size());
    FUZZ_CHECK(shortTitle + std::string(suffix) == title);
    FUZZ_CHECK(StartsWith(shortTitle, key));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view title(reinterpret_cast<const char*>(data), size);

    std::string key = brisolt::ObjectKeyFromTitle(title);
    CheckKeyOperations(title, key);

    // ObjectNumberFromKey and the type code take any text, not only keys.
    std::string number = brisolt::ObjectNumberFromKey(title);
    FUZZ_CHECK(EndsWith(title, number));
    int code = brisolt::ObjectTypeCode(title);
    FUZZ_CHECK(code >= -1 && code <= 4);
    FUZZ_CHECK(brisolt::ObjectTypeCodeText(title) == std::to_string(code));

    for (FormDesignerVariant v : {FormDesignerVariant::Formular, FormDesignerVariant::Form}) {
        CheckName(title, key, v);
        CheckDesigner(title, key, v);
    }
    // Only the form designer's suffix depends on the variant.
    const TitleForm* f = FormOf(title);
    if (f && f->code != 1) {
        FUZZ_CHECK(brisolt::IsDesignerTitle(title, FormDesignerVariant::Formular) ==
                   brisolt::IsDesignerTitle(title, FormDesignerVariant::Form));
        FUZZ_CHECK(brisolt::ObjectNameFromTitle(title, FormDesignerVariant::Formular) ==
                   brisolt::ObjectNameFromTitle(title, FormDesignerVariant::Form));
    }
    return 0;
}
