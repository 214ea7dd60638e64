#include "fake_profile.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

namespace brisolt::test {
namespace {

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return s.substr(b, e - b);
}

bool SameNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

// Section name of a "[name]" line, or false.
bool SectionName(const std::string& line, std::string& name) {
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    std::size_t close = t.find(']');
    if (close == std::string::npos) return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

bool KeyValue(const std::string& line, std::string& key, std::string& value) {
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    return true;
}

}  // namespace

std::string FakeProfile::Read(const std::string& section, const std::string& key, const std::string& def,
                              std::size_t bufferChars) {
    std::string result = def;
    if (exists) {
        bool inSection = false;
        for (const std::string& line : Lines(text)) {
            std::string name, k, v;
            if (SectionName(line, name)) {
                inSection = SameNoCase(name, section);
            } else if (inSection && KeyValue(line, k, v) && SameNoCase(k, key)) {
                if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
                    v = v.substr(1, v.size() - 2);
                result = v;
                break;
            }
        }
    }
    result = result.substr(0, result.find('\0'));
    if (bufferChars > 0 && result.size() > bufferChars - 1) result.resize(bufferChars - 1);
    return result;
}

bool FakeProfile::Write(const std::string& section, const std::string& key, const std::string& value) {
    if (readOnly) return false;
    ++writes;
    std::vector<std::string> lines = exists ? Lines(text) : std::vector<std::string>{};
    for (auto& l : lines)
        if (!l.empty() && l.back() == '\r') l.pop_back();
    const std::string entry = key + "=" + value;
    int sectionLine = -1, lastInSection = -1;
    bool inSection = false, done = false;
    for (int i = 0; i < static_cast<int>(lines.size()) && !done; ++i) {
        std::string name, k, v;
        if (SectionName(lines[i], name)) {
            if (inSection) break;
            inSection = SameNoCase(name, section);
            if (inSection) sectionLine = lastInSection = i;
        } else if (inSection) {
            if (KeyValue(lines[i], k, v) && SameNoCase(k, key)) {
                lines[i] = entry;
                done = true;
            } else if (!Trim(lines[i]).empty()) {
                lastInSection = i;
            }
        }
    }
    if (!done) {
        if (sectionLine < 0) {
            lines.push_back("[" + section + "]");
            lines.push_back(entry);
        } else {
            lines.insert(lines.begin() + lastInSection + 1, entry);
        }
    }
    text.clear();
    for (const auto& l : lines) text += l + "\r\n";
    exists = true;
    return true;
}

namespace {
// Writes go to a copy of the file; Commit puts the copy in its place.
class FakeRewrite : public ProfileRewrite {
public:
    explicit FakeRewrite(FakeProfile& target) : target_(target), copy_(target) { copy_.readOnly = false; }
    bool Write(const std::string& section, const std::string& key, const std::string& value) override {
        return copy_.Write(section, key, value);
    }
    bool Commit() override {
        if (target_.readOnly) return false;
        target_.text = copy_.text;
        target_.exists = copy_.exists;
        target_.writes = copy_.writes;
        ++target_.commits;
        return true;
    }

private:
    FakeProfile& target_;
    FakeProfile copy_;
};
}  // namespace

std::unique_ptr<ProfileRewrite> FakeProfile::BeginRewrite() {
    if (readOnlyFolder) return nullptr;
    return std::make_unique<FakeRewrite>(*this);
}

std::vector<std::string> FakeProfile::KeyList(const std::string& section) const {
    std::vector<std::string> keys;
    bool inSection = false;
    for (const std::string& line : Lines(text)) {
        std::string name, k, v;
        if (SectionName(line, name)) inSection = SameNoCase(name, section);
        else if (inSection && KeyValue(line, k, v)) keys.push_back(k);
    }
    return keys;
}

std::string FakeProfile::KeysOf(const std::string& section) const {
    std::string joined;
    for (const std::string& k : KeyList(section)) joined += (joined.empty() ? "" : ",") + k;
    return joined;
}

int FakeProfile::KeyCount(const std::string& section) const { return static_cast<int>(KeyList(section).size()); }

}  // namespace brisolt::test
