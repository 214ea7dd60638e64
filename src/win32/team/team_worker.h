// Runs the team folder's sync on a thread of its own, so that the user
// interface never waits for a share: the tick publishes this copy's record
// and takes the latest team state, both without waiting for any file call.
// The designer history goes with it: the sessions the published records
// close are appended in the cycles, and the history is read when asked.
#pragma once
#include <chrono>
#include <memory>
#include <string>

#include "platform/local_processes.h"
#include "platform/team_folder.h"
#include "team/history.h"
#include "team/record.h"
#include "team/sync.h"
#include "team/team_channel.h"

namespace brisolt::win32 {

class TeamWorker {
public:
    // Starts the thread. It makes a cycle every `interval`, and at once when
    // a published record differs from the one before; nothing is written
    // before the first Publish. `processes`: this computer's, to tell whether
    // the writer of a record from here still runs (none: not asked).
    // `writer`: tells this worker's record file from an earlier worker's of
    // this run on the same folder (see team::TeamSync).
    TeamWorker(std::unique_ptr<TeamFolder> folder, std::chrono::milliseconds interval,
               team::SyncTiming timing = {}, std::unique_ptr<LocalProcesses> processes = nullptr,
               std::string writer = {});
    ~TeamWorker();  // Stop(kQuitWait) unless stopped
    TeamWorker(const TeamWorker&) = delete;
    TeamWorker& operator=(const TeamWorker&) = delete;

    // This copy's record as of this tick (its sequence is the worker's own).
    void Publish(const team::Record& mine);
    // A cycle as soon as the running one (if any) is done.
    void CycleNow();
    // The state of the last finished cycle (before the first one, no others
    // and folderOk), with how long the folder has failed in a row and how
    // long since any file call last returned, as of now: a cycle stuck in a
    // call on a share that does not answer shows as silence.
    team::TeamState Latest() const;

    // Reads the folder's history on the thread, between cycles, in slices of
    // at most a second; names made by `text`. A read under way goes on.
    void RequestHistory(team::HistoryText text);
    // Whether a read is under way, and the last finished one.
    team::TeamChannel::History History() const;

    // Asks the thread to remove our record and end, without waiting for it.
    void RequestStop();
    // The thread has ended (after a stop): Stop() returns at once.
    bool Finished() const;

    // Removing a record takes milliseconds on a share that answers; Quit
    // ends within two seconds however the share behaves.
    static constexpr std::chrono::milliseconds kQuitWait{1000};
    // Appends the sessions still open, removes our record and ends the
    // thread, waiting at most `wait`. A thread stuck in a file call on a share
    // that does not answer is left to finish on its own (the process ends
    // it): false then.
    bool Stop(std::chrono::milliseconds wait = kQuitWait);

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    bool stopped_ = false;
};

}  // namespace brisolt::win32
