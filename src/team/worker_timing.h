// The team worker's timing, apart from its thread: when it cycles, and how
// the tick sees its state while a cycle may hang in a call on a share.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "team/sync.h"

namespace brisolt::team {

// A cycle starts an interval after the last one started, so that slow calls
// do not stretch the rhythm the liveness margin counts with; when that moment
// has passed, at once (never a burst to catch up).
inline std::int64_t NextCycleAt(std::int64_t lastStartMs, std::int64_t intervalMs) {
    return lastStartMs + intervalMs;
}

// The last finished cycle's state (`latest`, from the cycle that started at
// `latestFromMs`) as of `nowMs`: a failing cycle counts from its start (a call
// that hung for a minute and then failed has failed for a minute), the folder
// is silent since the last call returned (`lastAnswerMs`), even while a cycle
// is stuck in a call, and the others whose records have stopped counting since
// are gone (a cycle stuck in a slow call, a computer that slept: the state
// may be old while calls answer again).
inline TeamState StateAsOf(TeamState latest, std::int64_t latestFromMs, std::int64_t lastAnswerMs,
                           std::int64_t nowMs) {
    if (!latest.folderOk) latest.failingForMs += nowMs - latestFromMs;
    latest.silentForMs = nowMs - lastAnswerMs;
    for (std::size_t i = std::min(latest.others.size(), latest.heard.size()); i-- > 0;) {
        if (nowMs < latest.heard[i].countsUntilMs) continue;
        latest.others.erase(latest.others.begin() + static_cast<std::ptrdiff_t>(i));
        latest.heard.erase(latest.heard.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return latest;
}

}  // namespace brisolt::team
