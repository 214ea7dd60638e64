// A simulated team: the real team code (TeamSync, the record format, the
// worker's timing, the tick's judgement) on a model of a shared folder and of
// the PCs around it, with one virtual clock and every fault drawn from a seed.
// Each worker thread runs as a fiber that yields at each folder call, so calls
// take their time while the others go on.
#pragma once
#include <ucontext.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <queue>
#include <random>
#include <string>
#include <vector>

#include "platform/local_processes.h"
#include "platform/team_folder.h"
#include "program/team_mode.h"
#include "team/history_writer.h"
#include "team/presence.h"
#include "team/sync.h"

namespace brisolt::soak {

constexpr std::int64_t kSecond = 1000, kMinute = 60 * kSecond, kHour = 60 * kMinute, kDay = 24 * kHour;
constexpr int kPool = 10;  // the objects the team works on: few, so that overlaps happen

// Every draw of the run; the mappings are ours, the same on every library.
class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    std::uint64_t Below(std::uint64_t n) { return static_cast<std::uint64_t>((unsigned __int128)engine_() * n >> 64); }
    std::int64_t Between(std::int64_t a, std::int64_t b) { return a + static_cast<std::int64_t>(Below(b - a + 1)); }
    double Unit() { return static_cast<double>(engine_() >> 11) * 0x1p-53; }
    bool Chance(double p) { return Unit() < p; }
    std::int64_t LogBetween(std::int64_t a, std::int64_t b);  // seconds to minutes, minutes to days

private:
    std::mt19937_64 engine_;
};

enum Kind : int {
    kDayStart, kArrive, kLeave, kClient, kCrash, kRestart, kStartCopy, kExit, kSleep, kWake, kDark, kBoot,
    kSwitch, kShareDown, kPcHang, kRetally, kResume, kTick, kCheck, kCall  // kCall: logged only
};
struct Event {
    std::int64_t at;
    std::uint64_t order;
    Kind kind;
    int who;
    std::int64_t arg;
    bool operator>(const Event& o) const { return at != o.at ? at > o.at : order > o.order; }
};

struct File {
    std::string bytes;
    std::uint64_t writeTime = 0;  // the share's clock, 2 s steps
    int writer = -1, writerSeat = -1;
    std::int64_t readUntil = 0;   // a reader holds it open until then: a replace fails
};
struct Share {
    std::map<std::string, File> files;
    std::int64_t downUntil = 0;  // hangs (or fails at once) until then
    bool hangs = true;
};
struct Process {
    std::uint64_t start;
    int user;  // -1: the system's
    std::int64_t endsAt;
};
struct Pc {
    std::string name;
    bool laptop = false, server = false, asleep = false, dark = false;
    std::int64_t skewMs = 0, bootAt = 0, hungUntil = 0, cacheMs = 10 * kSecond, scanMs = 2 * kSecond, wokeAt = -kDay;
    int sleepEpoch = 0;
    std::map<std::uint32_t, Process> processes;
    std::array<std::pair<std::int64_t, std::vector<FolderEntry>>, 2> listing{};  // the client's cache, per folder
    std::vector<Event> deferred;  // what waits for the PC to wake
};
struct Seat {  // a user on a computer: one person to the team
    std::string shownUser, shownComputer;
    std::vector<int> sessions;
};
struct Session {  // a logon: a client with its designers, and our copy beside it
    int seat, pc, user;
    bool present = false;
    int copy = -1, folder = 0;
    std::int64_t clientRound = 0;  // the client's chain of events for this day
    // Our copy beside the client: since when it runs (outages of up to the
    // alarm's memory aside), and since when it is down (-1: it runs).
    std::int64_t liveSince = -1, downSince = 0;  // 0: the team's folder, 1: another
    std::array<std::int64_t, kPool> openSince;  // -1: closed
    // Since when the records its copy writes to the team's folder name it; -1: they do not.
    std::array<std::int64_t, kPool> recordShowsSince;
};

class Sim;
struct Worker;
struct Port final : TeamFolder {  // the folder as one worker's thread calls it
    Sim* sim;
    Worker* w;
    bool List(std::vector<FolderEntry>& entries) override;
    bool Read(const std::string& name, std::size_t maxBytes, std::string& bytes, std::uint64_t& writeTime) override;
    bool WriteAtomically(const std::string& name, const std::string& bytes, std::uint64_t& writeTime) override;
    AppendResult AppendAt(const std::string& name, std::uint64_t expectedSize, const std::string& bytes,
                          std::size_t maxTail, std::string& tail, std::uint64_t& size) override;
    bool Remove(const std::string& name) override;
};
struct Processes final : LocalProcesses {
    Sim* sim;
    int pc, user;
    std::optional<bool> IsRunning(std::uint32_t id, std::uint64_t startTime) override;
};
struct Worker {  // TeamWorker: its thread, its sync, what the tick takes from it
    int id, copy, seat, pc, folder;
    std::unique_ptr<team::TeamSync> sync;
    team::HistoryKeeper history;  // nobody shares it here: its calls run as the worker's do
    Port port;
    std::int64_t intervalMs;
    team::Record mine;
    std::vector<int> published, cycleObjects, writing;  // pool objects: of `mine`, of this cycle's, in flight
    bool isPublished = false, cycleNow = false, stop = false, killed = false, finished = false, waiting = false,
         inCycle = false;
    team::TeamState latest;
    std::int64_t latestFromMs = 0, lastAnswerMs = 0;  // steady
    std::uint64_t token = 0;
    ucontext_t context;
    std::unique_ptr<char[]> stack;
    // What the checks know of it.
    std::array<std::int64_t, kPool> heldSince;
    std::int64_t firstWriteMs = -1, troubleUntil = 0;
    bool anchored = false;
    std::array<std::int64_t, 10> okCycles{};  // the starts of its last good cycles
    std::size_t okCount = 0;
    std::vector<std::pair<int, int>> shown;  // (seat, object) of `latest.others`
};
struct Copy {  // one run of the program
    int id, session;
    std::uint32_t pid;
    std::uint64_t pidStart;
    std::string runId;
    Processes processes;
    team::Presence presence;
    team::OverlapAlarm alarm;
    team::Record mine;
    bool publishedOnce = false, alive = true;
    int current = -1, workersMade = 0;
    std::vector<int> workers;
    std::vector<std::int64_t> lastShown;  // per (object, session): the last tick that showed their overlap
};

struct Figures {
    std::int64_t violations = 0;
    std::size_t mostFiles = 0;
    std::map<std::string, std::int64_t> byInvariant;
    std::map<std::string, std::int64_t> happened;  // what the model made happen, to tell it did
};

class Sim {
public:
    Sim(int days, int people, std::uint64_t seed);
    Figures Run();

    // Called from the ports (on a worker's fiber).
    bool List(Worker& w, std::vector<FolderEntry>& entries);
    bool Read(Worker& w, const std::string& name, std::size_t maxBytes, std::string& bytes, std::uint64_t& time);
    bool Write(Worker& w, const std::string& name, const std::string& bytes, std::uint64_t& time);
    AppendResult Append(Worker& w, const std::string& name, std::uint64_t expected, const std::string& bytes,
                        std::size_t maxTail, std::string& tail, std::uint64_t& size);
    bool Remove(Worker& w, const std::string& name);
    std::optional<bool> IsRunning(int pc, int user, std::uint32_t id, std::uint64_t start);
    void WorkerMain(Worker& w);
    Worker* starting = nullptr;

private:
    struct Call {
        std::int64_t end, holdUntil;  // a reader holds the file open until then (not while it hangs)
        bool fails;
        int epoch;
    };
    // model.cpp
    void Schedule(std::int64_t at, Kind kind, int who, std::int64_t arg = 0);
    void Handle(const Event& e);
    void PlanDay(int day);
    std::int64_t Steady(const Worker& w) const { return now_ - pcs_[w.pc].bootAt; }
    std::uint64_t ShareTime(std::int64_t at) const;
    std::int64_t ShareMs(std::uint64_t fileTime) const;  // back to our time
    std::int64_t PcUtcSeconds(const Pc& pc) const;
    Call Begin(Worker& w, std::int64_t baseMs, double failChance);
    bool End(Worker& w, const Call& call, int op);
    void Await(Worker& w, std::int64_t at);
    void Switch(Worker& w);
    void StartCopy(int session);
    int NewWorker(Copy& c, int folder);
    void Publish(Worker& w, const team::Record& mine);
    void Stop(Worker& w);
    void Kill(Copy& c);
    void Quit(Copy& c);
    void Tick(Copy& c);
    void SleepPc(int pc, std::int64_t forMs);
    void WakePc(int pc);
    void DarkPc(int pc, bool clean);
    void BootPc(int pc);
    void ClientStep(Session& s);
    std::uint32_t NewPid(Pc& pc, int user, std::int64_t endsAt = INT64_MAX, std::uint32_t pid = 0);
    int PoolIndex(const team::ObjectId& id) const;
    std::vector<int> PoolObjects(const team::Record& r) const;

    // invariants.cpp
    void Retally(Worker& w);
    void RetallyPc(int pc);
    void AfterCycle(Worker& w);
    void Identify(Worker& w);  // who and what the state names
    void CheckTick(Copy& c, Worker& w, const std::vector<team::ObjectId>& rows, const TeamView& view);
    void CheckRemoval(const Worker& remover, const File& file);
    void CheckFolder();
    int SeatOf(const std::string& user, const std::string& computer, bool* exact = nullptr) const;
    void Violation(const char* invariant, const std::string& detail);

    int days_;
    std::uint64_t seed_;
    Random random_;
    std::int64_t now_ = 0;
    std::uint64_t order_ = 0;
    std::priority_queue<Event, std::vector<Event>, std::greater<Event>> queue_;
    std::array<Event, 32> recent_{};  // the last events and calls, for a failure's report
    std::uint64_t logged_ = 0;
    std::array<Share, 2> shares_;
    std::vector<Pc> pcs_;
    std::vector<Seat> seats_;
    std::vector<Session> sessions_;
    std::vector<std::string> users_;
    std::map<int, int> vacationUntil_;  // person: day
    std::vector<std::unique_ptr<Copy>> copies_;
    std::vector<std::unique_ptr<Worker>> workers_;
    std::vector<int> active_;  // workers not finished
    std::vector<team::OpenObject> pool_;
    std::array<std::string, kPool> shownObjectNames_;
    std::map<std::pair<std::string, std::string>, int> seatByShownName_;
    // Per (seat, object): how many workers hold it now, and when the last stopped.
    std::vector<int> holders_;
    std::vector<std::int64_t> lastHeld_;
    ucontext_t scheduler_;
    Figures figures_;
};

}  // namespace brisolt::soak
