// Which of this tick's rows are open in a designer of another copy, the
// sound when such an overlap begins, and the text a row shows for it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "team/record.h"

namespace brisolt::team {

// Another copy that has an object open.
struct Holder {
    std::string user;      // UTF-8
    std::string computer;  // UTF-8
    std::int64_t sinceUtc = 0;
    bool operator==(const Holder& o) const {
        return user == o.user && computer == o.computer && sinceUtc == o.sinceUtc;
    }
};

// One row's overlap: its object and who else has it open (empty: nobody).
struct RowOverlap {
    ObjectId id;
    std::vector<Holder> holders;  // earliest first, then by user and computer
};

// For each row (its identity; typeCode -1 for windows that are no designer),
// the other copies that have the same type and number open. A person
// (user and computer) appears once per row, with the earliest time.
std::vector<RowOverlap> MatchRows(const std::vector<ObjectId>& rows, const std::vector<Record>& others);

// The exclamation sound's rule for overlaps: it sounds when an overlap
// begins, not on every tick while it lasts, and not again when the same
// overlap comes back into sight after the folder failed or the other copy
// went unheard for a while (a network blip, a restart).
class OverlapAlarm {
public:
    // How long an overlap lost from sight is remembered as the same.
    static constexpr std::int64_t kMemoryMs = 10 * 60 * 1000;

    // True when some (object, person) pair is overlapped now and was not at
    // the previous update: a new object overlapped, a new person on an object
    // already overlapped, or an overlap that had ended begins again. An
    // overlap has ended when our row closed, or when the other person is
    // heard (`heard`, the people the folder shows now) without the object
    // through every copy it was seen with (`runs`, per person: the run ids
    // of their copies that count; none: one copy): a copy that stopped (a
    // terminal server session's copy crashed) need not have closed it, while
    // another copy of the person is heard. A pair lost while its person is
    // unheard is the same overlap for kMemoryMs (`nowMs`: a steady clock).
    bool Update(const std::vector<RowOverlap>& overlaps, const std::vector<Record>& heard, std::int64_t nowMs,
                const std::vector<std::vector<std::string>>& runs = {});

private:
    using Pair = std::tuple<int, std::string, std::string, std::string>;  // type, number, user, computer
    struct Seen {
        std::int64_t atMs;              // last seen overlapped
        std::set<std::string> runs;     // of the person, every one it was seen with
    };
    std::map<Pair, Seen> seen_;
};

// A row names at most this many holders; "+N more" stands for the rest.
constexpr std::size_t kMaxNamedHolders = 3;

// "jdoe @ PC-12, 10:42", several joined by "; ", beyond kMaxNamedHolders
// "+2 more" with `more` the language's word. `timeOfDay` turns a UTC second
// into the local time of day as the user reads it. The names are shown as
// they are: the sync has made them fit to show (DisplayName).
std::string HoldersText(const std::vector<Holder>& holders,
                        const std::function<std::string(std::int64_t)>& timeOfDay, const std::string& more);

}  // namespace brisolt::team
