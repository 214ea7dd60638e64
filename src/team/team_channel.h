// The tick's link to the team folder. The exchange itself runs elsewhere (on
// Windows a worker thread), because a file call on a share that has gone can
// block for tens of seconds: every call here returns at once.
#pragma once
#include <memory>
#include <string>

#include "team/history.h"
#include "team/record.h"
#include "team/sync.h"

namespace brisolt::team {

class TeamChannel {
public:
    virtual ~TeamChannel() = default;
    // The folder to share ("" turns team mode off and removes this copy's
    // record) and how often to look at it. Cheap when nothing changed.
    virtual void Configure(const std::string& folder, int intervalMs) = 0;
    // This copy's record as it is now; the exchange writes it when it can.
    virtual void Publish(const Record& mine) = 0;
    // The newest state the exchange has; null before its first look.
    virtual std::shared_ptr<const TeamState> Latest() = 0;

    // Reads the folder's designer history on the exchange's side, as soon as
    // it can: files that changed since the last read, a few at a time between
    // its cycles. Names come as the program shows them, in the code page.
    virtual void RequestHistory() = 0;
    struct History {
        bool reading = false;  // a read asked for is under way
        bool failed = false;   // the last read could not list the folder
        std::shared_ptr<const HistoryIndex> index;  // the last finished read; null before it
    };
    virtual History LatestHistory() = 0;
};

}  // namespace brisolt::team
