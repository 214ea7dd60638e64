// The history part of the Team page: every designer session in the team
// folder (who had which object open, from when to when), newest first, as the
// team exchange last read it, narrowed by the page's search box; and the
// export of the rows shown. The exchange reads the folder only when the user
// asks for the history (the page never waits for it).
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "team/history.h"

namespace brisolt {

struct App;

struct TeamHistoryView {
    std::shared_ptr<const team::HistoryIndex> index;  // the last finished read; null before it
    std::vector<std::uint32_t> shown;  // its sessions the search keeps, newest first
    std::string searchedFor;           // the search text `shown` was made for
    std::uint64_t generation = 0;      // grows whenever `shown` or `index` change; never goes back
    // A UTC second's local date ("07.12.2026") and time of day ("10:42").
    std::function<std::string(std::int64_t)> date, timeOfDay;
};

// The text of a shown row's column: 0 the object ("Codeunit 80 Sales-Post"),
// 1 who ("jdoe @ PC-12"), 2 from ("07.12.2026 10:42"), 3 to ("11:05", with
// its date when that is another).
std::string HistoryCell(const TeamHistoryView& history, std::size_t row, int column);

// The shown rows in the access log's quoting, one line each: user, computer,
// object ("Codeunit 80"), name, type code, number, from date, from time, to
// date, to time (`date` and `time` turn a UTC second into the local texts).
std::string HistoryCsv(const TeamHistoryView& history, const std::function<std::string(std::int64_t)>& date,
                       const std::function<std::string(std::int64_t)>& time);

// Builds the history part while the page is shown with it: the exchange's
// last read, searched anew when it or the search text changed, and the count
// or what the exchange is doing.
void UpdateTeamHistory(App& app);
// The option buttons over the page's lower list. Choosing the history asks
// the exchange to read it (again: it reads only what changed).
void ShowOpenDesigners(App& app);
void ShowDesignerHistory(App& app);
// The export button: the rows shown into a file the user names.
void ExportHistory(App& app);

}  // namespace brisolt
