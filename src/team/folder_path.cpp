#include "team/folder_path.h"

#include <vector>

namespace brisolt::team {

std::string CanonicalFolder(std::string_view path) {
    std::string text(path);
    for (char& c : text) {
        if (c == '/') c = '\\';
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    const bool unc = text.size() >= 2 && text[0] == '\\' && text[1] == '\\';
    // A drive ("C:") or a UNC path's server and share stay in place: ".."
    // never climbs above them.
    std::vector<std::string> segments;
    std::size_t pos = unc ? 2 : 0;
    const std::string prefix = unc ? "\\\\" : "";
    bool rooted = !unc && !text.empty() && text[0] == '\\';
    while (pos <= text.size()) {
        std::size_t end = text.find('\\', pos);
        if (end == std::string::npos) end = text.size();
        const std::string segment = text.substr(pos, end - pos);
        pos = end + 1;
        if (segment.empty() || segment == ".") continue;
        if (segment == "..") {
            if (segments.size() > (unc ? 2u : 1u)) segments.pop_back();
            continue;
        }
        segments.push_back(segment);
    }
    std::string out = prefix + (rooted ? "\\" : "");
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (i > 0) out += '\\';
        out += segments[i];
    }
    // "C:" alone is the drive's current folder; its root is "C:\".
    if (!unc && segments.size() == 1 && out.size() == 2 && out[1] == ':' && text.size() > 2) out += '\\';
    return out;
}

}  // namespace brisolt::team
