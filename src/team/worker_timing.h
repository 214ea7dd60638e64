// The team worker's timing, apart from its thread: when it cycles, and how
// the tick sees its state while a cycle may hang in a call on a share.
#pragma once
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
// that hung for a minute and then failed has failed for a minute), and the
// folder is silent since the last call returned (`lastAnswerMs`), even while a
// cycle is stuck in a call.
inline TeamState StateAsOf(TeamState latest, std::int64_t latestFromMs, std::int64_t lastAnswerMs,
                           std::int64_t nowMs) {
    if (!latest.folderOk) latest.failingForMs += nowMs - latestFromMs;
    latest.silentForMs = nowMs - lastAnswerMs;
    return latest;
}

}  // namespace brisolt::team
