#include "team/overlap.h"

#include <algorithm>
#include <set>
#include <unordered_map>

namespace brisolt::team {
namespace {

struct ObjectIdHash {
    std::size_t operator()(const ObjectId& id) const {
        return std::hash<std::string>()(id.number) * 31 + static_cast<std::size_t>(id.typeCode);
    }
};

bool EarlierHolder(const Holder& a, const Holder& b) {
    return std::tie(a.sinceUtc, a.user, a.computer) < std::tie(b.sinceUtc, b.user, b.computer);
}

}  // namespace

std::vector<RowOverlap> MatchRows(const std::vector<ObjectId>& rows, const std::vector<Record>& others) {
    std::vector<RowOverlap> result(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) result[i].id = rows[i];

    // Only the objects on our rows matter: index those, then walk the others once.
    std::unordered_map<ObjectId, std::vector<Holder>, ObjectIdHash> wanted;
    for (const ObjectId& id : rows)
        if (IsValidObject(id)) wanted.emplace(id, std::vector<Holder>{});
    if (wanted.empty()) return result;

    for (const Record& other : others) {
        for (const OpenObject& o : other.objects) {
            auto found = wanted.find(o.id);
            if (found == wanted.end()) continue;
            std::vector<Holder>& holders = found->second;
            auto same = std::find_if(holders.begin(), holders.end(), [&](const Holder& h) {
                return h.user == other.user && h.computer == other.computer;
            });
            if (same == holders.end())
                holders.push_back({other.user, other.computer, o.sinceUtc});
            else
                same->sinceUtc = std::min(same->sinceUtc, o.sinceUtc);
        }
    }
    for (auto& [id, holders] : wanted) std::sort(holders.begin(), holders.end(), EarlierHolder);
    for (RowOverlap& row : result) {
        auto found = wanted.find(row.id);
        if (found != wanted.end()) row.holders = found->second;
    }
    return result;
}

bool OverlapAlarm::Update(const std::vector<RowOverlap>& overlaps, const std::vector<Record>& heard,
                          std::int64_t nowMs, const std::vector<std::vector<std::string>>& runs) {
    // The runs of a person's copies that are heard; null: the person is not.
    static const std::vector<std::string> kOneRun{""};
    const auto runsHeard = [&](const std::string& user, const std::string& computer) -> const std::vector<std::string>* {
        for (std::size_t i = 0; i < heard.size(); ++i)
            if (heard[i].user == user && heard[i].computer == computer) return i < runs.size() ? &runs[i] : &kOneRun;
        return nullptr;
    };
    // Lost from sight too long ago: whatever comes now is a new overlap.
    for (auto it = seen_.begin(); it != seen_.end();)
        it = nowMs - it->second.atMs >= kMemoryMs ? seen_.erase(it) : std::next(it);
    bool begins = false;
    std::set<ObjectId> rows;
    std::set<Pair> now;
    for (const RowOverlap& row : overlaps) {
        rows.insert(row.id);
        for (const Holder& h : row.holders) {
            const Pair pair(row.id.typeCode, row.id.number, h.user, h.computer);
            auto [it, added] = seen_.try_emplace(pair, Seen{nowMs, {}});
            begins |= added;
            it->second.atMs = nowMs;
            if (const std::vector<std::string>* now = runsHeard(h.user, h.computer))
                it->second.runs.insert(now->begin(), now->end());
            now.insert(pair);
        }
    }
    for (auto it = seen_.begin(); it != seen_.end();) {
        const auto& [type, number, user, computer] = it->first;
        const std::vector<std::string>* heardNow = runsHeard(user, computer);
        const bool ended =
            !now.count(it->first) &&
            (!rows.count(ObjectId{type, number}) ||
             (heardNow && std::all_of(it->second.runs.begin(), it->second.runs.end(), [&](const std::string& run) {
                  return std::find(heardNow->begin(), heardNow->end(), run) != heardNow->end();
              })));
        it = ended ? seen_.erase(it) : std::next(it);
    }
    return begins;
}

std::string HoldersText(const std::vector<Holder>& holders,
                        const std::function<std::string(std::int64_t)>& timeOfDay, const std::string& more) {
    std::string text;
    const std::size_t named = std::min(holders.size(), kMaxNamedHolders);
    for (std::size_t i = 0; i < named; ++i) {
        if (!text.empty()) text += "; ";
        text += holders[i].user + " @ " + holders[i].computer + ", " + timeOfDay(holders[i].sinceUtc);
    }
    if (holders.size() > named) text += "; +" + std::to_string(holders.size() - named) + ' ' + more;
    return text;
}

}  // namespace brisolt::team
