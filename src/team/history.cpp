#include "team/history.h"

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <unordered_map>

#include "team/display_name.h"
#include "team/text_fields.h"
#include "titles/object_types.h"

namespace brisolt::team {

namespace {

constexpr std::string_view kHeaderMagic = "BrisoltHistory ";
constexpr std::string_view kLineVersion = "1";
// 9999-12-31 23:59:59: every month has a four-digit year.
constexpr std::int64_t kMaxHistoryUtc = 253402300799;
constexpr std::size_t kFields = 8;  // version .. name, before the check

std::uint32_t Check(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::string CheckText(std::string_view bytes) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(Check(bytes)));
    return text;
}

bool ParseTime(std::string_view s, std::int64_t& utc) {
    return ParseDigits(s, kMaxUtcDigits, utc) && utc <= kMaxHistoryUtc;
}

// One line without its LF.
bool ParseLine(std::string_view line, SessionFields& out) {
    if (line.size() > kMaxHistoryLineBytes) return false;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t lastTab = line.rfind('\t');
    if (lastTab == std::string_view::npos) return false;
    const std::string_view body = line.substr(0, lastTab), check = line.substr(lastTab + 1);
    if (check.size() != 8 || CheckText(body) != check) return false;
    // Fields a later version adds after the name are read past.
    std::string_view fields[kFields];
    std::size_t count = 0;
    for (std::size_t start = 0; count < kFields;) {
        const std::size_t tab = body.find('\t', start);
        fields[count++] = body.substr(start, tab == std::string_view::npos ? tab : tab - start);
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    if (count != kFields || fields[0] != kLineVersion) return false;
    SessionFields s;
    if (!ParseTime(fields[1], s.fromUtc) || !ParseTime(fields[2], s.toUtc) || s.toUtc < s.fromUtc) return false;
    if (!ParseDigits(fields[3], 1, s.typeCode) || s.typeCode > 4 || !IsValidObjectNumber(fields[4])) return false;
    if (!IsValidName(fields[5], kMaxNameBytes) || !IsValidName(fields[6], kMaxNameBytes)) return false;
    if (!fields[7].empty() && !IsValidName(fields[7], kMaxObjectNameBytes)) return false;
    s.number = fields[4];
    s.user = fields[5];
    s.computer = fields[6];
    s.name = fields[7];
    out = s;
    return true;
}

bool IsHeader(std::string_view line) {
    std::uint32_t version = 0;
    return line.substr(0, kHeaderMagic.size()) == kHeaderMagic &&
           ParseDigits(line.substr(kHeaderMagic.size()), 4, version);
}

std::string CleanName(std::string_view s) {
    std::string out = CleanText(s, kMaxNameBytes);
    return out.empty() ? "?" : out;
}

// Year and month (1..12) of a count of days since 1970-01-01.
void CivilMonth(std::int64_t days, std::int64_t& year, unsigned& month) {
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    month = static_cast<unsigned>(mp < 10 ? mp + 3 : mp - 9);
    year = yoe + era * 400 + (month <= 2);
}

std::string ObjectKey(int type, std::string_view number, std::string_view name) {
    std::string key;
    key.reserve(number.size() + name.size() + 3);
    key += static_cast<char>('0' + type);
    key += '\t';
    key += number;
    key += '\t';
    key += name;
    return key;
}

std::string PersonKey(std::string_view user, std::string_view computer) {
    std::string key(user);
    key += '\t';
    key += computer;
    return key;
}

// Sessions of one file, with tables of their own.
class FileTables {
public:
    explicit FileTables(HistoryIndex& into) : into_(into) {}
    void Add(const SessionFields& s) {
        HistoryIndex::Entry e;
        e.fromUtc = s.fromUtc;
        e.toUtc = s.toUtc;
        e.person = Person(s.user, s.computer);
        auto [found, added] = objects_.try_emplace(ObjectKey(s.typeCode, s.number, s.name),
                                                   static_cast<std::uint32_t>(into_.objects.size()));
        if (added) into_.objects.push_back({{s.typeCode, std::string(s.number)}, std::string(s.name), {}});
        e.object = found->second;
        into_.sessions.push_back(e);
    }

private:
    std::uint32_t Person(std::string_view user, std::string_view computer) {
        // A file is mostly one person's: the last one is tried first.
        if (last_ < into_.people.size() && into_.people[last_].user == user &&
            into_.people[last_].computer == computer)
            return last_;
        for (std::uint32_t i = 0; i < into_.people.size(); ++i)
            if (into_.people[i].user == user && into_.people[i].computer == computer) return last_ = i;
        into_.people.push_back({std::string(user), std::string(computer), {}});
        return last_ = static_cast<std::uint32_t>(into_.people.size() - 1);
    }

    HistoryIndex& into_;
    std::unordered_map<std::string, std::uint32_t> objects_;
    std::uint32_t last_ = 0;
};

}  // namespace

std::string SessionLine(const Session& s) {
    if (!IsValidObject(s.id) || s.fromUtc < 0 || s.toUtc < s.fromUtc || s.toUtc > kMaxHistoryUtc) return {};
    std::string line = "1\t" + std::to_string(s.fromUtc) + '\t' + std::to_string(s.toUtc) + '\t' +
                       std::to_string(s.id.typeCode) + '\t' + s.id.number + '\t' + CleanName(s.user) + '\t' +
                       CleanName(s.computer) + '\t' + CleanText(s.name, kMaxObjectNameBytes);
    line += '\t' + CheckText(line) + '\n';
    return line;
}

std::size_t ParseHistory(std::string_view bytes, const std::function<void(const SessionFields&)>& each) {
    if (bytes.size() > kMaxHistoryFileBytes) return 0;
    std::size_t count = 0;
    bool ours = false;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t eol = bytes.find('\n', pos);
        if (eol == std::string_view::npos) break;  // no LF: not whole
        const std::string_view line = bytes.substr(pos, eol - pos);
        pos = eol + 1;
        SessionFields s;
        const HistoryLine kind = ParseHistoryLine(line, s);
        if (ours && kind == HistoryLine::Session) each(s), ++count;
        ours = ours || kind == HistoryLine::Header;
    }
    return count;
}

HistoryLine ParseHistoryLine(std::string_view line, SessionFields& fields) {
    return IsHeader(line) ? HistoryLine::Header : ParseLine(line, fields) ? HistoryLine::Session : HistoryLine::Other;
}

int MonthOf(std::int64_t utc) {
    std::int64_t year = 0;
    unsigned month = 1;
    CivilMonth((utc >= 0 ? utc : utc - 86399) / 86400, year, month);
    return static_cast<int>(year * 12 + month - 1);
}

std::string HistoryFileName(const std::string& computer, const std::string& user, int month) {
    char text[16];
    std::snprintf(text, sizeof text, ".%04d-%02d", month / 12, month % 12 + 1);
    return FileNamePart(computer) + '_' + FileNamePart(user) + text + std::string(kHistoryExtension);
}

bool ParseHistoryFileName(std::string_view name, std::string& writer, int& month) {
    constexpr std::size_t kMonth = 8;  // ".yyyy-mm"
    if (name.size() <= kHistoryExtension.size() + kMonth ||
        name.substr(name.size() - kHistoryExtension.size()) != kHistoryExtension)
        return false;
    name.remove_suffix(kHistoryExtension.size());
    const std::string_view stem = name.substr(0, name.size() - kMonth), date = name.substr(stem.size());
    int year = 0, m = 0;
    if (date[0] != '.' || date[5] != '-' || !ParseDigits(date.substr(1, 4), 4, year) ||
        !ParseDigits(date.substr(6), 2, m) || m < 1 || m > 12)
        return false;
    if (!std::all_of(stem.begin(), stem.end(), [](char c) { return IsAsciiAlnum(c) || c == '_' || c == '-'; }))
        return false;
    writer = std::string(stem);
    month = year * 12 + m - 1;
    return true;
}

std::vector<std::uint32_t> SearchHistory(const HistoryIndex& index, std::string_view query, const TextFunction& lower) {
    // Up to 32 words; each one a bit that an object or a person sets.
    std::vector<std::string> words;
    const std::string folded = lower(query);
    for (std::size_t pos = 0; pos < folded.size() && words.size() < 32;) {
        const std::size_t end = std::min(folded.find_first_of(" \t", pos), folded.size());
        if (end > pos) words.push_back(folded.substr(pos, end - pos));
        pos = end + 1;
    }
    const std::uint32_t all = words.empty() ? 0 : static_cast<std::uint32_t>((std::uint64_t{1} << words.size()) - 1);
    std::vector<std::uint32_t> objectBits(index.objects.size()), personBits(index.people.size());
    for (std::size_t w = 0; w < words.size(); ++w) {
        const std::string& word = words[w];
        const std::uint32_t bit = std::uint32_t{1} << w;
        if (std::all_of(word.begin(), word.end(), IsDigit)) {
            for (std::size_t o = 0; o < index.objects.size(); ++o)
                if (index.objects[o].id.number.compare(0, word.size(), word) == 0) objectBits[o] |= bit;
            continue;
        }
        for (std::size_t o = 0; o < index.objects.size(); ++o)
            if (index.objects[o].lower.find(word) != std::string::npos) objectBits[o] |= bit;
        for (std::size_t p = 0; p < index.people.size(); ++p)
            if (index.people[p].lower.find(word) != std::string::npos) personBits[p] |= bit;
    }
    std::vector<std::uint32_t> shown;
    for (std::uint32_t i = 0; i < index.sessions.size(); ++i) {
        const HistoryIndex::Entry& e = index.sessions[i];
        if ((objectBits[e.object] | personBits[e.person]) == all) shown.push_back(i);
    }
    return shown;
}

bool HistoryReader::Begin(TeamFolder& folder, std::int64_t nowUtc) {
    std::vector<FolderEntry> entries;
    if (!folder.List(entries)) return false;
    picked_.clear();
    reading_.clear();
    next_ = 0;
    skipped_ = 0;
    // The newest months first, so that a crowded folder shows the recent past.
    const int oldest = MonthOf(nowUtc) - (kHistoryMonths - 1);
    std::vector<std::pair<int, FolderEntry*>> wanted;
    for (FolderEntry& entry : entries) {
        std::string writer;
        int month = 0;
        if (!ParseHistoryFileName(entry.name, writer, month) || month < oldest) continue;
        if (entry.size > kMaxHistoryFileBytes)
            ++skipped_;
        else
            wanted.emplace_back(month, &entry);
    }
    std::sort(wanted.begin(), wanted.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second->name < b.second->name;
    });
    if (wanted.size() > kMaxHistoryFilesRead) {
        skipped_ += wanted.size() - kMaxHistoryFilesRead;
        wanted.resize(kMaxHistoryFilesRead);
    }
    for (const auto& w : wanted) picked_.push_back(std::move(*w.second));
    return true;
}

bool HistoryReader::Continue(TeamFolder& folder, const std::function<bool()>& more) {
    for (; next_ < picked_.size() && more(); ++next_) {
        const FolderEntry& entry = picked_[next_];
        auto cached = files_.find(entry.name);
        if (cached != files_.end() && cached->second.size == entry.size && cached->second.writeTime == entry.writeTime) {
            reading_.emplace(entry.name, std::move(cached->second));
            continue;
        }
        std::string bytes;
        std::uint64_t writeTime = 0;
        if (!folder.Read(entry.name, kMaxHistoryFileBytes + 1, bytes, writeTime)) {
            if (cached != files_.end()) reading_.emplace(entry.name, std::move(cached->second));
            continue;  // tried again at the next read
        }
        File file;
        file.size = entry.size;
        file.writeTime = entry.writeTime;
        FileTables tables(file.sessions);
        if (bytes.size() > kMaxHistoryFileBytes ||
            ParseHistory(bytes, [&tables](const SessionFields& s) { tables.Add(s); }) == 0)
            ++skipped_;
        else
            reading_.emplace(entry.name, std::move(file));
    }
    if (next_ < picked_.size()) return false;
    files_ = std::move(reading_);
    reading_.clear();
    picked_.clear();
    next_ = 0;
    lastSkipped_ = skipped_;
    return true;
}

std::shared_ptr<const HistoryIndex> HistoryReader::Merge(const HistoryText& text) const {
    auto index = std::make_shared<HistoryIndex>();
    index->filesSkipped = lastSkipped_;
    // One person and one object for each, whatever file they came from.
    std::unordered_map<std::string, std::uint32_t> people, objects;
    std::vector<std::uint32_t> personOf, objectOf;
    for (const auto& [name, file] : files_) {
        const HistoryIndex& local = file.sessions;
        ++index->filesRead;
        personOf.clear();
        objectOf.clear();
        for (const HistoryIndex::Person& p : local.people) {
            auto [found, added] =
                people.try_emplace(PersonKey(p.user, p.computer), static_cast<std::uint32_t>(index->people.size()));
            if (added) {
                HistoryIndex::Person shown{text.shown(DisplayName(p.user)), text.shown(DisplayName(p.computer)), {}};
                shown.lower = text.lower(shown.user + " @ " + shown.computer);
                index->people.push_back(std::move(shown));
            }
            personOf.push_back(found->second);
        }
        for (const HistoryIndex::Object& o : local.objects) {
            auto [found, added] = objects.try_emplace(ObjectKey(o.id.typeCode, o.id.number, o.name),
                                                      static_cast<std::uint32_t>(index->objects.size()));
            if (added) {
                HistoryIndex::Object shown{o.id, o.name.empty() ? std::string() : text.shown(DisplayName(o.name)), {}};
                std::string words = std::string(TypeWordOf(o.id.typeCode)) + o.id.number;
                if (!shown.name.empty()) words += ' ' + shown.name;
                shown.lower = text.lower(words);
                index->objects.push_back(std::move(shown));
            }
            objectOf.push_back(found->second);
        }
        for (const HistoryIndex::Entry& e : local.sessions)
            index->sessions.push_back({e.fromUtc, e.toUtc, objectOf[e.object], personOf[e.person]});
    }
    auto order = [](const HistoryIndex::Entry& e) { return std::make_tuple(-e.fromUtc, -e.toUtc, e.person, e.object); };
    std::sort(index->sessions.begin(), index->sessions.end(),
              [&order](const HistoryIndex::Entry& a, const HistoryIndex::Entry& b) { return order(a) < order(b); });
    index->sessions.erase(std::unique(index->sessions.begin(), index->sessions.end(),
                                      [&order](const HistoryIndex::Entry& a, const HistoryIndex::Entry& b) {
                                          return order(a) == order(b);
                                      }),
                          index->sessions.end());
    return index;
}

std::shared_ptr<const HistoryIndex> HistoryReader::Read(TeamFolder& folder, std::int64_t nowUtc,
                                                        const HistoryText& text) {
    if (!Begin(folder, nowUtc)) return nullptr;
    Continue(folder, [] { return true; });
    return Merge(text);
}

}  // namespace brisolt::team
