#include "scenario.h"

#include <cstdlib>
#include <sstream>

namespace democlient {
namespace {

std::string Trim(const std::string& s) {
    const char* blanks = " \t\r\n";
    auto b = s.find_first_not_of(blanks);
    if (b == std::string::npos) return "";
    auto e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, sep)) parts.push_back(part);
    if (!s.empty() && s.back() == sep) parts.push_back("");
    return parts;
}

bool ParseInt(const std::string& text, int& out) {
    std::string t = Trim(text);
    if (t.empty()) return false;
    char* end = nullptr;
    long v = std::strtol(t.c_str(), &end, 10);
    if (*end != '\0') return false;
    out = static_cast<int>(v);
    return true;
}

}  // namespace

std::optional<Box> ParseBox(const std::string& text) {
    auto parts = Split(text, ',');
    if (parts.size() != 4) return std::nullopt;
    Box b;
    if (!ParseInt(parts[0], b.x) || !ParseInt(parts[1], b.y) || !ParseInt(parts[2], b.w) ||
        !ParseInt(parts[3], b.h))
        return std::nullopt;
    return b;
}

Scenario ParseScenario(const std::string& text) {
    Scenario sc;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string t = Trim(line);
        if (t.empty() || t[0] == '#') continue;
        auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = Trim(line.substr(0, eq));
        std::string value = line.substr(eq + 1);  // titles keep every blank, trailing ones too

        if (key == "title") {
            sc.title = value;
        } else if (key == "frame") {
            sc.frame = ParseBox(value);
        } else if (key == "churn") {
            int ms = 0;
            if (ParseInt(value, ms) && ms > 0) sc.churnMs = ms;
        } else if (key == "sleep") {
            int ms = 0;
            if (ParseInt(value, ms) && ms > 0) sc.sleepMs = ms;
        } else if (key == "child" || key == "tool") {
            auto parts = Split(value, '|');
            if (parts.empty() || parts[0].empty()) continue;
            std::optional<Box> box;
            bool minimised = false;
            for (size_t i = 1; i < parts.size(); ++i) {
                std::string opt = Trim(parts[i]);
                if (opt == "min") minimised = true;
                else if (auto b = ParseBox(opt)) box = b;
            }
            if (key == "child") sc.children.push_back({parts[0], minimised, box});
            else sc.tools.push_back({parts[0], box});
        }
    }
    return sc;
}

}  // namespace democlient
