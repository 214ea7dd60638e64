// Reads and writes the in-memory settings file with arbitrary contents.
//
// Input: NUL-separated parts
//   INI text \0 section \0 key \0 value \0 buffer size \0 read-only flag
// Missing parts take "Options", "Language", "1", 257 (the program's buffer)
// and writable, so a plain INI file is a valid input on its own.
//
// Checked: a read never returns more than bufferChars - 1 characters; a value
// just written reads back (without its outer blanks and matching quotes);
// writing one key keeps every other key of that section and of the program's
// two sections; a read-only file refuses the write and stays as it was.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fake_profile.h"
#include "fuzz_check.h"

namespace {

using brisolt::test::FakeProfile;

// Marks "key missing" in reads: no stored value holds a line break (reads
// cut at a NUL, so that could not mark anything).
const std::string kMissing = "\nmissing";

std::vector<std::string> SplitOnNul(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) parts.emplace_back();
        else parts.back() += static_cast<char>(data[i]);
    }
    return parts;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool HasOuterBlank(const std::string& s) { return !s.empty() && (IsBlank(s.front()) || IsBlank(s.back())); }

bool SameNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// What the private-profile functions give back for a stored value: outer
// blanks dropped, then one pair of matching quotes, then cut to the buffer.
std::string AsRead(const std::string& value, std::size_t bufferChars) {
    std::size_t b = 0, e = value.size();
    while (b < e && IsBlank(value[b])) ++b;
    while (e > b && IsBlank(value[e - 1])) --e;
    std::string v = value.substr(b, e - b);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
    if (v.size() > bufferChars - 1) v.resize(bufferChars - 1);
    return v;
}

std::vector<std::string> SplitKeys(const std::string& keys) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (!keys.empty()) {
        std::size_t comma = keys.find(',', start);
        out.push_back(keys.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return out;
}

// The value of every key of a section, as read before a write.
struct SectionSnapshot {
    std::string section;
    std::vector<std::string> keys;
    std::vector<std::string> values;
};

SectionSnapshot Snapshot(FakeProfile& profile, const std::string& section) {
    SectionSnapshot s{section, SplitKeys(profile.KeysOf(section)), {}};
    for (const std::string& k : s.keys) s.values.push_back(profile.Read(section, k, kMissing, 4096));
    return s;
}

// A section and key the file can hold unambiguously: the section line is
// "[section]", the key line "key=value", each one line.
bool WritableNames(const std::string& section, const std::string& key, const std::string& value) {
    if (section.find_first_of("]\n") != std::string::npos || HasOuterBlank(section)) return false;
    if (key.find_first_of("=\n") != std::string::npos || HasOuterBlank(key)) return false;
    if (!key.empty() && key.front() == '[') return false;  // "[k]=v" would read as a section line
    return value.find('\n') == std::string::npos;
}

// Lines as the file is read: a last line needs no line break.
std::size_t LineCount(const std::string& text) {
    std::size_t breaks = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    return breaks + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

std::size_t BufferChars(const std::string& text) {
    if (text.empty()) return 257;
    std::size_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        n = std::min<std::size_t>(n * 10 + static_cast<std::size_t>(c - '0'), 1024);
    }
    return std::max<std::size_t>(n, 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> parts = SplitOnNul(data, size);
    const std::size_t given = parts.size();
    parts.resize(6);
    const std::string& ini = parts[0];
    const std::string section = given > 1 ? parts[1] : "Options";
    const std::string key = given > 2 ? parts[2] : "Language";
    const std::string value = given > 3 ? parts[3] : "1";
    const std::size_t bufferChars = BufferChars(parts[4]);
    const bool readOnly = !parts[5].empty();

    FakeProfile fake;
    fake.text = ini;
    fake.exists = !ini.empty();
    fake.readOnly = readOnly;
    brisolt::Profile& profile = fake;

    // Reads, the default included, are cut to the buffer.
    std::string before = profile.Read(section, key, value, bufferChars);
    FUZZ_CHECK(before.size() <= bufferChars - 1);
    // No key holds a line break, so this one is missing: the default comes
    // back as it stands, only cut.
    FUZZ_CHECK(profile.Read(section, key + "\n", value, bufferChars) == value.substr(0, bufferChars - 1));

    std::vector<SectionSnapshot> kept;
    for (const std::string& s : {section, std::string("Options"), std::string("WinLoc")}) {
        bool seen = std::any_of(kept.begin(), kept.end(), [&](const SectionSnapshot& k) { return SameNoCase(k.section, s); });
        if (!seen) kept.push_back(Snapshot(fake, s));
    }
    std::size_t linesBefore = fake.exists ? LineCount(fake.text) : 0;
    std::string textBefore = fake.text;

    bool written = profile.Write(section, key, value);
    if (readOnly) {
        FUZZ_CHECK(!written);
        FUZZ_CHECK(fake.text == textBefore);
        return 0;
    }
    FUZZ_CHECK(written);
    FUZZ_CHECK(fake.exists);

    std::string after = profile.Read(section, key, kMissing, bufferChars);
    FUZZ_CHECK(after.size() <= bufferChars - 1);
    if (!WritableNames(section, key, value)) return 0;

    FUZZ_CHECK(after == AsRead(value, bufferChars));
    // One write replaces a line, adds one, or adds a section line and one.
    std::size_t linesAfter = LineCount(fake.text);
    FUZZ_CHECK(linesAfter >= linesBefore && linesAfter <= linesBefore + 2);
    for (const SectionSnapshot& s : kept) {
        bool target = SameNoCase(s.section, section);
        for (std::size_t i = 0; i < s.keys.size(); ++i) {
            if (target && SameNoCase(s.keys[i], key)) continue;
            FUZZ_CHECK(profile.Read(s.section, s.keys[i], kMissing, 4096) == s.values[i]);
        }
    }
    return 0;
}
