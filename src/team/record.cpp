#include "team/record.h"

#include "team/text_fields.h"

#include <algorithm>
#include <limits>
#include <map>

namespace brisolt::team {
namespace {

constexpr std::string_view kMagic = "BrisoltTeam ";

// A user or computer name as written: never empty.
std::string CleanName(std::string_view s) {
    std::string out = CleanText(s, kMaxNameBytes);
    return out.empty() ? "?" : out;
}

std::string CleanRunId(std::string_view s) {
    std::string out;
    for (char c : s)
        if (IsAsciiAlnum(c) && out.size() < kMaxRunIdBytes) out += c;
    return out.empty() ? "0" : out;
}

bool IsValidRunId(std::string_view s) {
    return !s.empty() && s.size() <= kMaxRunIdBytes &&
           std::all_of(s.begin(), s.end(), [](char c) { return IsAsciiAlnum(c); });
}

// "type number since"
bool ParseObject(std::string_view value, OpenObject& object) {
    const std::size_t first = value.find(' ');
    if (first == std::string_view::npos) return false;
    const std::size_t second = value.find(' ', first + 1);
    if (second == std::string_view::npos) return false;
    int type = 0;
    std::int64_t since = 0;
    if (!ParseDigits(value.substr(0, first), 1, type) ||
        !ParseDigits(value.substr(second + 1), kMaxUtcDigits, since))
        return false;
    object.id = {type, std::string(value.substr(first + 1, second - first - 1))};
    object.sinceUtc = since;
    return IsValidObject(object.id);
}

// "type number name"
bool ParseObjectName(std::string_view value, ObjectId& id, std::string& name) {
    const std::size_t first = value.find(' ');
    if (first == std::string_view::npos) return false;
    const std::size_t second = value.find(' ', first + 1);
    if (second == std::string_view::npos) return false;
    if (!ParseDigits(value.substr(0, first), 1, id.typeCode)) return false;
    id.number = std::string(value.substr(first + 1, second - first - 1));
    name = std::string(value.substr(second + 1));
    return IsValidObject(id) && IsValidName(name, kMaxObjectNameBytes);
}

}  // namespace

bool IsValidObject(const ObjectId& id) { return id.typeCode >= 0 && id.typeCode <= 4 && IsValidObjectNumber(id.number); }

bool IsValidObjectNumber(std::string_view number) {
    if (number.empty() || number.size() > kMaxNumberBytes) return false;
    for (char c : number) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (IsControl(u) || c == ' ' || u >= 0x80) return false;
    }
    return true;
}

bool SameContent(const Record& a, const Record& b) {
    return a.user == b.user && a.computer == b.computer && a.runId == b.runId && a.processId == b.processId &&
           a.processStart == b.processStart && a.historySinceUtc == b.historySinceUtc && a.objects == b.objects;
}

std::string WriteRecord(const Record& record) {
    std::string out;
    out.reserve(128 + record.objects.size() * 24);
    out += kMagic;
    out += std::to_string(kFormatVersion);
    out += "\nuser=" + CleanName(record.user);
    out += "\ncomputer=" + CleanName(record.computer);
    out += "\nrun=" + CleanRunId(record.runId);
    out += "\nseq=" + std::to_string(record.sequence);
    if (record.startedUtc > 0 && record.startedUtc <= kMaxUtcSeconds)
        out += "\nstarted=" + std::to_string(record.startedUtc);
    if (record.historySinceUtc > 0 && record.historySinceUtc <= kMaxUtcSeconds)
        out += "\nhistory=" + std::to_string(record.historySinceUtc);
    out += '\n';
    if (record.processId != 0)
        out += "process=" + std::to_string(record.processId) + ' ' + std::to_string(record.processStart) + '\n';
    std::vector<const OpenObject*> written;
    for (const OpenObject& o : record.objects) {
        if (written.size() == kMaxObjects) break;
        if (!IsValidObject(o.id) || o.sinceUtc < 0 || o.sinceUtc > kMaxUtcSeconds) continue;
        out += "object=" + std::to_string(o.id.typeCode) + ' ' + o.id.number + ' ' + std::to_string(o.sinceUtc) + '\n';
        written.push_back(&o);
    }
    // Names last, while the record stays within what every reader reads.
    constexpr std::string_view kEnd = "end\n";
    for (const OpenObject* o : written) {
        const std::string name = CleanText(o->name, kMaxObjectNameBytes);
        if (name.empty()) continue;
        std::string line = "name=" + std::to_string(o->id.typeCode) + ' ' + o->id.number + ' ' + name + '\n';
        if (out.size() + line.size() + kEnd.size() > kMaxRecordBytes) break;
        out += line;
    }
    out += kEnd;
    return out;
}

bool ParseRecord(std::string_view bytes, Record& record) {
    if (bytes.size() > kMaxRecordBytes) return false;
    Record r;
    bool haveUser = false, haveComputer = false, haveRun = false, haveSequence = false, ended = false;
    bool first = true;
    std::map<ObjectId, std::string> names;  // the first name line of each object
    std::size_t pos = 0;
    while (pos < bytes.size() && !ended) {
        std::size_t eol = bytes.find('\n', pos);
        if (eol == std::string_view::npos) eol = bytes.size();
        std::string_view line = bytes.substr(pos, eol - pos);
        pos = eol + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        if (first) {
            first = false;
            if (line.substr(0, kMagic.size()) != kMagic) return false;
            int version = 0;
            if (!ParseDigits(line.substr(kMagic.size()), 4, version) || version != kFormatVersion) return false;
            r.version = version;
            continue;
        }
        if (line == "end") {
            ended = true;
            break;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;  // not a key=value line: skipped
        const std::string_view key = line.substr(0, eq);
        const std::string_view value = line.substr(eq + 1);
        if (key == "user" || key == "computer") {
            bool& have = key == "user" ? haveUser : haveComputer;
            if (have || !IsValidName(value, kMaxNameBytes)) return false;
            have = true;
            (key == "user" ? r.user : r.computer) = std::string(value);
        } else if (key == "run") {
            if (haveRun || !IsValidRunId(value)) return false;
            haveRun = true;
            r.runId = std::string(value);
        } else if (key == "seq") {
            if (haveSequence || !ParseDigits(value, 20, r.sequence)) return false;
            haveSequence = true;
        } else if (key == "process") {
            // Optional: a bad or repeated one is ignored, the record stays.
            const std::size_t blank = value.find(' ');
            std::uint32_t id = 0;
            std::uint64_t start = 0;
            if (r.processId == 0 && blank != std::string_view::npos && ParseDigits(value.substr(0, blank), 10, id) &&
                ParseDigits(value.substr(blank + 1), 20, start) && id != 0) {
                r.processId = id;
                r.processStart = start;
            }
        } else if (key == "object") {
            OpenObject o;
            if (r.objects.size() < kMaxObjects && ParseObject(value, o)) r.objects.push_back(std::move(o));
        } else if (key == "started") {
            ParseDigits(value, kMaxUtcDigits, r.startedUtc);
        } else if (key == "history") {
            ParseDigits(value, kMaxUtcDigits, r.historySinceUtc);
        } else if (key == "name") {
            ObjectId id;
            std::string name;
            if (names.size() < kMaxObjects && ParseObjectName(value, id, name))
                names.emplace(std::move(id), std::move(name));
        }
        // Any other key belongs to a later version.
    }
    if (!ended || !haveUser || !haveComputer || !haveRun || !haveSequence) return false;
    for (OpenObject& o : r.objects) {
        auto named = names.find(o.id);
        if (named != names.end()) o.name = named->second;
    }
    record = std::move(r);
    return true;
}

std::string NameAsWritten(std::string_view name) { return CleanName(name); }

std::string RecordFileName(const std::string& computer, const std::string& user, const std::string& runId) {
    return FileNamePart(computer) + '_' + FileNamePart(user) + '_' + FileNamePart(runId) +
           std::string(kRecordExtension);
}

bool IsRecordFileName(std::string_view name) {
    return name.size() > kRecordExtension.size() &&
           name.substr(name.size() - kRecordExtension.size()) == kRecordExtension;
}

}  // namespace brisolt::team
