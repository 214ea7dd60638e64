// The model: a file server's folder, PCs that sleep, crash and hang, people
// who open designers over an office day, and the copies of the program they
// run, each with the real TeamSync on a worker fiber and the real tick.
#include <algorithm>
#include <cmath>

#include "soak.h"
#include "team/display_name.h"  // the limit only: the names to expect are made here
#include "team/worker_timing.h"

namespace brisolt::soak {
namespace {

constexpr std::int64_t kShareEpochMs = 1736121600000;  // a Monday, 00:00 UTC
constexpr std::uint64_t kFileTimeAt1970 = 116444736000000000ULL;
constexpr std::size_t kStackBytes = 256 * 1024;
constexpr std::int64_t kQuitWaitMs = 1000;  // TeamWorker::kQuitWait

Sim* gSim;  // how a fiber finds its way in
void FiberMain() { gSim->WorkerMain(*gSim->starting); }

std::string Hex16(std::uint64_t v) {
    std::string s;
    for (int i = 0; i < 16; ++i, v >>= 4) s += "0123456789abcdef"[v & 0xF];
    return s;
}

// At most `chars` code points of UTF-8 text.
std::string Cut(const std::string& s, std::size_t chars) {
    std::size_t i = 0;
    for (std::size_t n = 0; i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80 && n++ == chars) break;
    return s.substr(0, i);
}

// A name with a hidden character put in: what it is, and what a reader must
// show (without it, cut to 32 characters).
struct Named {
    std::string raw, shown;
};
Named Name(const std::string& before, const char* hidden, const std::string& after) {
    return {before + hidden + after, Cut(before + after, team::kMaxShownNameChars)};
}

const char* const kUsers[] = {u8"J\u00FCrgen",   u8"M\u00FCller",      "anna",         u8"\u0421\u0435\u0440\u0433\u0435\u0439",
                              u8"\u674E\u534E", u8"Zo\u00EB",          u8"\u05D3\u05D5\u05D3", u8"Fran\u00E7ois",
                              "jdoe",           u8"Bj\u00F6rn"};
// C0, C1 and the direction controls; "" for most.
const char* const kHidden[] = {"", u8"\u202E", "\t", "\x1B", u8"\u0085", u8"\u200F", "", u8"\u2066", "", u8"\u061C"};

struct PoolObject {
    int type;
    const char *number, *before, *hidden, *after;
};
const PoolObject kPoolObjects[kPool] = {
    {0, "18", "Customer", "", ""},
    {0, "27", u8"Artikel\u00FCbersicht", "", ""},
    {4, "80", "Sales-", "", "Post"},
    {1, "21", u8"\u0417\u0430\u043A\u0430\u0437 ", "", u8"\u043A\u043B\u0438\u0435\u043D\u0442\u0430"},
    {2, "206", u8"\u8ACB\u6C42\u66F8", "", ""},
    {0, "36", "Sales Header ", u8"\u202E", "lived"},
    {3, "10", "Export of all customer ledger entries ", "", "for the auditors"},
    {0, "5050", u8"Gro\u00DF", "", u8"\u00E4nderung"},
    {4, "12", "Gen. Jnl.-Post", u8"\u0085", "Line"},
    {1, "42", "Item", "\t", "Card"},
};

}  // namespace

std::int64_t Random::LogBetween(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(std::exp(std::log(double(a)) + Unit() * (std::log(double(b)) - std::log(double(a)))));
}

Sim::Sim(int days, int people, std::uint64_t seed) : days_(days), seed_(seed), random_(seed) {
    gSim = this;
    for (int o = 0; o < kPool; ++o) {
        const PoolObject& p = kPoolObjects[o];
        const Named name = Name(p.before, p.hidden, p.after);
        pool_.push_back({{p.type, p.number}, 0, name.raw});
        shownObjectNames_[o] = name.shown;
    }
    std::vector<std::string> shownComputers;
    for (int p = 0; p <= people; ++p) {  // a PC each, and a terminal server
        Pc pc;
        const std::string n = std::to_string(p);
        const Named name = p == people   ? Name("TS01", "", "")
                           : p % 3 == 0 ? Name(u8"PC-K\u00FCche-", p % 9 == 3 ? u8"\u202E" : "", n)
                           : p % 3 == 1 ? Name(u8"\u041F\u041A-", "", n)
                                        : Name("PC-", "", n);
        pc.name = name.raw;
        shownComputers.push_back(name.shown);
        pc.server = p == people;
        pc.laptop = p % 2 == 0 && !pc.server;
        pc.dark = !pc.server;
        pc.skewMs = random_.Between(-8 * kHour, 8 * kHour);
        pc.bootAt = -random_.Between(kHour, 30 * kDay);
        pc.scanMs = random_.Chance(0.7) ? 2 * kSecond : 3 * kSecond;
        pc.cacheMs = random_.Chance(0.8) ? 10 * kSecond : random_.Between(0, 10 * kSecond);
        pcs_.push_back(std::move(pc));
    }
    for (int p = 0; p < people; ++p) {
        const std::string longer = p % 7 == 5 ? " Maximilian-Alexander von Hohenzollern" : "";
        const Named user = Name(std::to_string(p) + ".", kHidden[p % 10], kUsers[p % 10] + longer);
        users_.push_back(user.raw);
        const int pc = p % 4 == 3 || p == 1 ? people : p;  // some work on the terminal server
        seats_.push_back({user.shown, shownComputers[pc], {}});
        seatByShownName_[{user.shown, shownComputers[pc]}] = p;
        for (int k = 0; k < (p == 3 ? 2 : 1); ++k) {  // one of them twice
            seats_[p].sessions.push_back(static_cast<int>(sessions_.size()));
            Session s{p, pc, p};
            s.openSince.fill(-1);
            s.recordShowsSince.fill(-1);
            sessions_.push_back(s);
        }
    }
    holders_.assign(seats_.size() * kPool, 0);
    lastHeld_.assign(seats_.size() * kPool, -kDay);
    Schedule(0, kDayStart, 0);
    Schedule(kMinute, kCheck, 0);
}

Figures Sim::Run() {
    while (!queue_.empty() && queue_.top().at < days_ * kDay) {
        const Event e = queue_.top();
        queue_.pop();
        now_ = e.at;
        recent_[logged_++ % recent_.size()] = e;
        Handle(e);
    }
    CheckFolder();
    return figures_;
}

void Sim::Schedule(std::int64_t at, Kind kind, int who, std::int64_t arg) { queue_.push({at, order_++, kind, who, arg}); }

std::uint64_t Sim::ShareTime(std::int64_t at) const {
    const std::int64_t ms = kShareEpochMs + at;
    return kFileTimeAt1970 + static_cast<std::uint64_t>(ms - ms % 2000) * 10000;  // 2 s steps
}
std::int64_t Sim::ShareMs(std::uint64_t fileTime) const {
    return static_cast<std::int64_t>((fileTime - kFileTimeAt1970) / 10000) - kShareEpochMs;
}
std::int64_t Sim::PcUtcSeconds(const Pc& pc) const { return (kShareEpochMs + now_ + pc.skewMs) / 1000; }

void Sim::PlanDay(int day) {
    const std::int64_t base = day * kDay;
    Schedule(base + kDay, kDayStart, day + 1);
    // The server: an outage a day, mostly a hang, in office hours.
    Schedule(base + random_.Between(7 * kHour, 19 * kHour), kShareDown, random_.Chance(0.7),
             random_.LogBetween(2 * kSecond, 5 * kMinute));
    if (day % 7 >= 5) return;
    for (const Seat& seat : seats_) {
        const int person = &seat - seats_.data();
        if (vacationUntil_[person] > day || random_.Chance(0.04)) continue;
        if (random_.Chance(0.005)) vacationUntil_[person] = day + random_.Between(5, 15);
        const std::int64_t arrive = base + 7 * kHour + random_.Between(0, 150 * kMinute);
        const std::int64_t leave = arrive + 8 * kHour + random_.Between(-kHour, 90 * kMinute);
        for (int s : seat.sessions) {
            const std::int64_t at = arrive + (s == seat.sessions[0] ? 0 : random_.Between(kMinute, 30 * kMinute));
            Schedule(at, kArrive, s);
            Schedule(leave, kLeave, s);
            if (random_.Chance(0.4)) Schedule(random_.Between(at, leave), kRestart, s, random_.Chance(0.5));
            if (random_.Chance(0.2)) Schedule(random_.Between(at, leave), kCrash, s);
            if (random_.Chance(0.08))
                Schedule(random_.Between(at, leave), kSwitch, s, random_.LogBetween(kMinute, 30 * kMinute));
        }
        const int pc = sessions_[seat.sessions[0]].pc;
        if (pcs_[pc].server) continue;
        if (pcs_[pc].laptop) {
            Schedule(base + 12 * kHour + random_.Between(0, kHour), kSleep, pc, random_.Between(15, 60) * kMinute);
            if (random_.Chance(0.3))
                Schedule(random_.Between(arrive, leave - 2 * kHour), kSleep, pc, random_.Between(2, 90) * kMinute);
        }
        if (random_.Chance(0.15)) Schedule(random_.Between(arrive, leave), kPcHang, pc, random_.LogBetween(5 * kSecond, 3 * kMinute));
        if (random_.Chance(0.02)) Schedule(random_.Between(arrive, leave), kDark, pc, 0);  // power lost
    }
}

void Sim::Handle(const Event& e) {
    // What happens on a PC waits while it sleeps.
    int pc = -1;
    if (e.kind == kResume) pc = workers_[e.who] ? workers_[e.who]->pc : -1;
    if (e.kind == kTick) pc = copies_[e.who] ? sessions_[copies_[e.who]->session].pc : -1;
    if (e.kind == kClient || e.kind == kCrash || e.kind == kRestart || e.kind == kSwitch) pc = sessions_[e.who].pc;
    if (pc >= 0 && pcs_[pc].asleep) return pcs_[pc].deferred.push_back(e);
    if (pc >= 0 && pcs_[pc].dark) return;

    const bool bySession = e.kind >= kArrive && e.kind <= kStartCopy || e.kind == kSwitch;
    Session* s = bySession ? &sessions_[e.who] : nullptr;
    Copy* copy = s && s->copy >= 0 ? copies_[s->copy].get() : nullptr;
    switch (e.kind) {
    case kDayStart: return PlanDay(e.who);
    case kArrive:
        if (pcs_[s->pc].dark) BootPc(s->pc);
        WakePc(s->pc);
        s->present = true;
        if (s->copy < 0) Schedule(now_ + random_.Between(10, 90) * kSecond, kStartCopy, e.who);
        return Schedule(now_ + random_.LogBetween(kMinute, 30 * kMinute), kClient, e.who, ++s->clientRound);
    case kLeave: {
        s->present = false;
        Pc& at = pcs_[s->pc];
        if (random_.Chance(0.8) || at.server) s->openSince.fill(-1);
        if (at.server) return copy ? Quit(*copy) : void();
        if (at.asleep || at.dark) return;
        if (at.laptop && random_.Chance(0.6)) return SleepPc(s->pc, 0);
        if (random_.Chance(0.15)) return;  // left on overnight
        if (copy) Quit(*copy);
        return Schedule(now_ + 2 * kSecond, kDark, s->pc, 1);
    }
    case kClient:
        if (!s->present || e.arg != s->clientRound) return;
        ClientStep(*s);
        return Schedule(now_ + random_.LogBetween(kMinute, 40 * kMinute), kClient, e.who, e.arg);
    case kCrash:
        if (!copy) return;
        ++figures_.happened["crashes"];
        Kill(*copy);
        if (random_.Chance(0.7)) Schedule(now_ + random_.LogBetween(10 * kSecond, 2 * kHour), kStartCopy, e.who);
        return;
    case kRestart:
        if (!copy) return;
        ++figures_.happened[e.arg ? "kills and restarts" : "restarts"];
        e.arg ? Kill(*copy) : Quit(*copy);
        return Schedule(now_ + (e.arg ? 200 : kQuitWaitMs + 500), kStartCopy, e.who);
    case kStartCopy:
        if (s->present && s->copy < 0 && !pcs_[s->pc].dark && !pcs_[s->pc].asleep) StartCopy(e.who);
        return;
    case kExit: return copies_[e.who] ? Kill(*copies_[e.who]) : void();
    case kSwitch:  // to another team folder for a while, and back
        if ((e.arg > 0) == (s->folder == 1)) return;
        s->folder = e.arg > 0;
        ++figures_.happened["folder changes"];
        if (e.arg > 0) Schedule(now_ + e.arg, kSwitch, e.who, 0);
        if (copy && copy->alive) {
            Stop(*workers_[copy->current]);
            copy->current = NewWorker(*copy, s->folder);
        }
        return;
    case kSleep: return SleepPc(e.who, e.arg);
    case kWake: return WakePc(e.who);
    case kDark: return DarkPc(e.who, e.arg != 0);
    case kBoot: return BootPc(e.who);
    case kShareDown:
        ++figures_.happened[e.who ? "share hangs" : "share failures"];
        shares_[0].downUntil = now_ + e.arg;
        shares_[0].hangs = e.who != 0;
        RetallyPc(-1);
        return Schedule(now_ + e.arg, kRetally, -1);
    case kPcHang:
        ++figures_.happened["PC network hangs"];
        pcs_[e.who].hungUntil = now_ + e.arg;
        RetallyPc(e.who);
        return Schedule(now_ + e.arg, kRetally, e.who);
    case kRetally: return RetallyPc(e.who);
    case kResume:
        if (workers_[e.who] && e.arg == static_cast<std::int64_t>(workers_[e.who]->token)) Switch(*workers_[e.who]);
        return;
    case kTick: return copies_[e.who] && copies_[e.who]->alive ? Tick(*copies_[e.who]) : void();
    case kCheck:
        CheckFolder();
        return Schedule(now_ + kMinute, kCheck, 0);
    case kCall: return;
    }
}

void Sim::ClientStep(Session& s) {
    std::vector<int> open, closed;
    for (int o = 0; o < kPool; ++o) (s.openSince[o] >= 0 ? open : closed).push_back(o);
    if (open.empty() || (open.size() < 4 && random_.Chance(0.5)))
        s.openSince[closed[random_.Below(closed.size())]] = now_;
    else
        s.openSince[open[random_.Below(open.size())]] = -1;
}

// ---- PCs and processes

std::uint32_t Sim::NewPid(Pc& pc, int user, std::int64_t endsAt, std::uint32_t pid) {
    while (pid == 0 || (pc.processes.count(pid) && pc.processes[pid].endsAt > now_))
        pid = static_cast<std::uint32_t>(4 * random_.Between(1, 200));  // ids come back soon
    const std::uint64_t start = kFileTimeAt1970 + static_cast<std::uint64_t>(PcUtcSeconds(pc)) * 10000000 + random_.Below(10000000);
    pc.processes[pid] = {start, user, endsAt};
    return pid;
}

std::optional<bool> Sim::IsRunning(int pc, int user, std::uint32_t id, std::uint64_t start) {
    const auto found = pcs_[pc].processes.find(id);
    if (found == pcs_[pc].processes.end() || found->second.endsAt <= now_) return false;
    if (found->second.user != user) return ++figures_.happened["processes that cannot be asked"], std::nullopt;
    return found->second.start == start;
}
std::optional<bool> Processes::IsRunning(std::uint32_t id, std::uint64_t start) { return sim->IsRunning(pc, user, id, start); }

void Sim::SleepPc(int pc, std::int64_t forMs) {
    Pc& p = pcs_[pc];
    if (p.server || p.asleep || p.dark) return;
    p.asleep = true;
    ++figures_.happened["sleeps"];
    ++p.sleepEpoch;  // calls under way fail when it wakes
    RetallyPc(pc);
    if (forMs > 0) Schedule(now_ + forMs, kWake, pc);
}

void Sim::WakePc(int pc) {
    Pc& p = pcs_[pc];
    if (!p.asleep) return;
    p.asleep = false;
    p.wokeAt = now_;
    for (const Event& e : p.deferred) Schedule(now_, e.kind, e.who, e.arg);
    p.deferred.clear();
    RetallyPc(pc);
}

void Sim::DarkPc(int pc, bool clean) {
    Pc& p = pcs_[pc];
    if (p.dark || p.server) return;
    for (Session& s : sessions_) {
        if (s.pc != pc) continue;
        s.openSince.fill(-1);
        if (s.copy >= 0) Kill(*copies_[s.copy]);
    }
    p.dark = true;
    ++figures_.happened[clean ? "shutdowns" : "power cuts"];
    p.asleep = false;
    ++p.sleepEpoch;
    p.deferred.clear();
    p.processes.clear();
    p.listing = {};
    if (!clean) Schedule(now_ + random_.Between(1, 30) * kMinute, kBoot, pc);
}

void Sim::BootPc(int pc) {
    Pc& p = pcs_[pc];
    if (!p.dark) return;
    p.dark = false;
    p.bootAt = now_;  // the steady clock starts again
    for (int i = 0; i < 4; ++i) NewPid(p, -1);
    for (int s = 0; s < static_cast<int>(sessions_.size()); ++s)
        if (sessions_[s].pc == pc && sessions_[s].present) Schedule(now_ + random_.Between(30, 90) * kSecond, kStartCopy, s);
}

// ---- Copies and their workers

void Sim::StartCopy(int session) {
    Session& s = sessions_[session];
    Pc& pc = pcs_[s.pc];
    auto owned = std::make_unique<Copy>();
    Copy& c = *owned;
    c.id = static_cast<int>(copies_.size());
    c.session = session;
    c.pid = NewPid(pc, s.user);
    c.pidStart = pc.processes[c.pid].start;
    c.runId = Hex16(random_.Below(~0ULL));
    c.processes.sim = this;
    c.processes.pc = s.pc;
    c.processes.user = s.user;
    c.lastShown.assign(kPool * sessions_.size(), -kDay);
    c.mine.user = users_[s.user];
    c.mine.computer = pc.name;
    c.mine.runId = c.runId;
    c.mine.processId = c.pid;
    c.mine.processStart = c.pidStart;
    c.mine.startedUtc = PcUtcSeconds(pc);
    copies_.push_back(std::move(owned));
    s.copy = c.id;
    if (now_ - s.downSince > team::OverlapAlarm::kMemoryMs) s.liveSince = now_;
    s.downSince = -1;
    c.current = NewWorker(c, s.folder);
    Schedule(now_ + random_.Between(200, 1500), kTick, c.id);
}

int Sim::NewWorker(Copy& c, int folder) {
    auto owned = std::make_unique<Worker>();
    Worker& w = *owned;
    const Session& s = sessions_[c.session];
    w.id = static_cast<int>(workers_.size());
    w.copy = c.id;
    w.seat = s.seat;
    w.pc = s.pc;
    w.folder = folder;
    w.sync = std::make_unique<team::TeamSync>(team::SyncTiming{}, &c.processes, std::to_string(++c.workersMade));
    w.port.sim = this;
    w.port.w = &w;
    w.intervalMs = std::clamp<std::int64_t>(pcs_[s.pc].scanMs, 100, team::kMaxCycleIntervalMs);
    w.heldSince.fill(-1);
    w.lastAnswerMs = Steady(w);
    workers_.push_back(std::move(owned));
    c.workers.push_back(w.id);
    active_.push_back(w.id);
    w.stack.reset(new char[kStackBytes]);
    getcontext(&w.context);
    w.context.uc_stack.ss_sp = w.stack.get();
    w.context.uc_stack.ss_size = kStackBytes;
    w.context.uc_link = &scheduler_;
    makecontext(&w.context, FiberMain, 0);
    starting = &w;
    Switch(w);  // runs until it first waits
    if (c.publishedOnce) Publish(w, c.mine);
    return w.id;
}

// The thread of TeamWorker, step by step.
void Sim::WorkerMain(Worker& w) {
    std::int64_t lastStart = Steady(w);
    for (;;) {
        if (!w.stop && !w.cycleNow && !w.killed) {
            w.waiting = true;
            Schedule(now_ + team::NextCycleAt(lastStart, w.intervalMs) - Steady(w), kResume, w.id, ++w.token);
            swapcontext(&w.context, &scheduler_);
            w.waiting = false;
        }
        if (w.stop || w.killed) break;
        w.cycleNow = false;
        lastStart = Steady(w);
        if (!w.isPublished) continue;
        const team::Record mine = w.mine;
        const std::int64_t utc = PcUtcSeconds(pcs_[w.pc]);
        w.history.Publish(mine, utc);
        w.cycleObjects = w.published;
        w.inCycle = true;
        w.latest = team::CycleWithHistory(*w.sync, w.history, w.port, mine, [this, &w] { return Steady(w); }, utc);
        w.latestFromMs = lastStart;
        w.inCycle = false;
        AfterCycle(w);
    }
    team::LeaveWithHistory(*w.sync, w.history, w.port, PcUtcSeconds(pcs_[w.pc]));
    w.finished = true;
    Retally(w);
}

void Sim::Switch(Worker& w) {
    const int id = w.id;
    swapcontext(&scheduler_, &w.context);
    if (workers_[id]->finished) workers_[id].reset();  // its fiber has returned
}

void Sim::Publish(Worker& w, const team::Record& mine) {
    if (w.isPublished && team::SameContent(w.mine, mine)) return;
    w.mine = mine;
    w.isPublished = true;
    w.published = PoolObjects(mine);
    w.cycleNow = true;
    if (w.waiting) Schedule(now_, kResume, w.id, ++w.token);
    Retally(w);
}

void Sim::Stop(Worker& w) {
    w.stop = true;
    if (w.waiting) Schedule(now_, kResume, w.id, ++w.token);
    Retally(w);
}

void Sim::Quit(Copy& c) {  // the workers get a second to remove our records
    c.alive = false;
    for (int id : c.workers)
        if (workers_[id]) Stop(*workers_[id]);
    Schedule(now_ + kQuitWaitMs, kExit, c.id);
}

void Sim::Kill(Copy& c) {
    for (int id : c.workers) {
        if (!workers_[id]) continue;
        workers_[id]->killed = true;
        Switch(*workers_[id]);  // it unwinds: every call fails at once
    }
    Session& s = sessions_[c.session];
    Pc& pc = pcs_[s.pc];
    pc.processes.erase(c.pid);
    if (random_.Chance(0.5)) {  // its id goes to another program: the system's, ours, or another user's
        int user = random_.Chance(0.5) ? -1 : s.user;
        for (const Session& other : sessions_)
            if (other.pc == s.pc && other.user != s.user && random_.Chance(0.5)) user = other.user;
        NewPid(pc, user, now_ + random_.LogBetween(kMinute, 10 * kHour), c.pid);
        ++figures_.happened["process ids taken again"];
    }
    if (s.copy == c.id) s.copy = -1, s.downSince = now_;
    copies_[c.id].reset();
}

int Sim::PoolIndex(const team::ObjectId& id) const {
    for (int i = 0; i < kPool; ++i)
        if (pool_[i].id == id) return i;
    return -1;
}

std::vector<int> Sim::PoolObjects(const team::Record& r) const {
    std::vector<int> objects;
    for (const team::OpenObject& o : r.objects) objects.push_back(PoolIndex(o.id));
    return objects;
}

// The tick of team_mode.cpp: publish what the client has open, take the
// worker's state as of now, and judge it.
void Sim::Tick(Copy& c) {
    const Session& s = sessions_[c.session];
    const Pc& pc = pcs_[s.pc];
    std::vector<team::ObjectId> rows{team::ObjectId{}};  // the client's main window: no designer
    for (int o = 0; o < kPool; ++o)
        if (s.openSince[o] >= 0) rows.push_back(pool_[o].id);
    if (c.presence.Update(rows, PcUtcSeconds(pc)) || !c.publishedOnce) {
        c.mine.objects = c.presence.Objects();
        for (team::OpenObject& o : c.mine.objects) o.name = pool_[PoolIndex(o.id)].name;
        c.publishedOnce = true;
        Publish(*workers_[c.current], c.mine);
    }
    Worker& w = *workers_[c.current];
    // The worker's state as of now. The others it drops stay dropped until
    // the next cycle: they go back (not copied, for speed), and so do the rest.
    team::TeamState asOf;
    asOf.folderOk = w.latest.folderOk;
    asOf.failingForMs = w.latest.failingForMs;
    asOf.others = std::move(w.latest.others);
    asOf.heard = std::move(w.latest.heard);
    const std::size_t known = asOf.others.size();
    asOf = team::StateAsOf(std::move(asOf), w.latestFromMs, w.lastAnswerMs, Steady(w));
    const TeamView view = ViewTeam(&asOf, rows, c.alarm, Steady(w));
    w.latest.others = std::move(asOf.others);
    w.latest.heard = std::move(asOf.heard);
    if (w.latest.others.size() != known) Identify(w);
    CheckTick(c, w, rows, view);
    Schedule(now_ + pc.scanMs, kTick, c.id);
}

// ---- The folder, as each call meets it

Sim::Call Sim::Begin(Worker& w, std::int64_t baseMs, double failChance) {
    Call call{now_ + baseMs, now_ + baseMs, random_.Chance(failChance), pcs_[w.pc].sleepEpoch};
    if (w.killed) return call;
    if (random_.Chance(0.003)) call.holdUntil = call.end += random_.Between(2, 10) * kSecond;  // slow
    if (now_ - pcs_[w.pc].wokeAt < 5 * kSecond) call.end += random_.Between(500, 4000);  // the share reconnects
    const Share& share = shares_[w.folder];
    const std::int64_t hangsUntil = std::max(pcs_[w.pc].hungUntil, share.hangs ? share.downUntil : 0);
    if (hangsUntil > now_) {  // blocks until the network is back; long enough, and it fails
        call.end = std::max(call.end, hangsUntil + baseMs);
        call.fails |= hangsUntil - now_ > 20 * kSecond;
    }
    if (!share.hangs && share.downUntil > now_) call.fails = true;
    if (call.fails || call.end - now_ > 2 * kSecond) w.troubleUntil = std::max(w.troubleUntil, call.end);
    return call;
}

bool Sim::End(Worker& w, const Call& call, int op) {
    Await(w, call.end);
    const bool ok = !w.killed && !call.fails && pcs_[w.pc].sleepEpoch == call.epoch;
    recent_[logged_++ % recent_.size()] = {now_, 0, kCall, w.id, op * 2 + ok};
    if (w.killed) return false;
    w.lastAnswerMs = Steady(w);
    if (!ok) w.troubleUntil = std::max(w.troubleUntil, now_);
    return ok;
}

void Sim::Await(Worker& w, std::int64_t at) {
    if (w.killed || at <= now_) return;
    if (queue_.empty() || queue_.top().at > at) {  // nothing happens meanwhile
        now_ = at;
        return;
    }
    Schedule(at, kResume, w.id, ++w.token);
    swapcontext(&w.context, &scheduler_);
}

bool Port::List(std::vector<FolderEntry>& entries) { return sim->List(*w, entries); }
bool Port::Read(const std::string& n, std::size_t m, std::string& b, std::uint64_t& t) { return sim->Read(*w, n, m, b, t); }
bool Port::WriteAtomically(const std::string& n, const std::string& b, std::uint64_t& t) { return sim->Write(*w, n, b, t); }
bool Port::Remove(const std::string& n) { return sim->Remove(*w, n); }
AppendResult Port::AppendAt(const std::string& n, std::uint64_t e, const std::string& b, std::size_t m, std::string& t,
                            std::uint64_t& s) {
    return sim->Append(*w, n, e, b, m, t, s);
}

bool Sim::List(Worker& w, std::vector<FolderEntry>& entries) {
    if (!End(w, Begin(w, random_.Between(2, 12), 0.002), 0)) return false;
    auto& [at, cached] = pcs_[w.pc].listing[w.folder];  // the client's cache: up to cacheMs old
    if (now_ - at >= pcs_[w.pc].cacheMs || cached.empty()) {
        cached.clear();
        for (const auto& [name, f] : shares_[w.folder].files) cached.push_back({name, f.bytes.size(), f.writeTime});
        at = now_;
    }
    entries = cached;
    return true;
}

bool Sim::Read(Worker& w, const std::string& name, std::size_t maxBytes, std::string& bytes, std::uint64_t& time) {
    auto& files = shares_[w.folder].files;
    const Call call = Begin(w, random_.Between(1, 12), 0.002);
    auto found = files.find(name);
    if (found != files.end() && !w.killed) found->second.readUntil = std::max(found->second.readUntil, call.holdUntil);
    if (!End(w, call, 1) || (found = files.find(name)) == files.end()) return false;
    bytes.assign(found->second.bytes, 0, maxBytes);
    time = found->second.writeTime;
    return true;
}

bool Sim::Write(Worker& w, const std::string& name, const std::string& bytes, std::uint64_t& time) {
    auto& files = shares_[w.folder].files;
    const std::int64_t start = now_;
    const Call call = Begin(w, random_.Between(5, 40), 0.01);
    w.writing = w.cycleObjects;  // until it lands, what it writes is held
    Retally(w);
    bool ok = End(w, call, 2);
    w.writing.clear();
    const auto found = files.find(name);
    if (ok && found != files.end() && found->second.readUntil > now_) {  // a reader has it open: the replace fails
        ok = false;
        w.troubleUntil = now_;
        ++figures_.happened["writes refused: a reader had the file"];
        recent_[(logged_ - 1) % recent_.size()].arg = 8;
    }
    if (ok) {
        File& f = files[name];
        f = {bytes, ShareTime(now_), w.id, w.seat, 0};
        time = f.writeTime;
        if (w.firstWriteMs < 0) w.firstWriteMs = now_;
        if (w.folder == 0)
            for (int o = 0; o < kPool; ++o) {
                std::int64_t& since = sessions_[copies_[w.copy]->session].recordShowsSince[o];
                since = std::count(w.cycleObjects.begin(), w.cycleObjects.end(), o) == 0 ? -1 : since < 0 ? now_ : since;
            }
        w.anchored |= now_ - start <= 2 * kSecond;
        if (w.folder == 0) figures_.mostFiles = std::max(figures_.mostFiles, files.size());
    }
    Retally(w);
    return ok;
}

AppendResult Sim::Append(Worker& w, const std::string& name, std::uint64_t expected, const std::string& bytes,
                         std::size_t maxTail, std::string& tail, std::uint64_t& size) {
    if (!End(w, Begin(w, random_.Between(5, 40), 0.01), 2)) return AppendResult::Failed;
    File& f = shares_[w.folder].files[name];
    size = f.bytes.size();
    if (size != expected) {
        tail = expected < size ? f.bytes.substr(expected, maxTail) : std::string();
        return AppendResult::Moved;
    }
    f.bytes += bytes;
    f.writeTime = ShareTime(now_);
    size = f.bytes.size();
    return AppendResult::Written;
}

bool Sim::Remove(Worker& w, const std::string& name) {
    auto& files = shares_[w.folder].files;
    if (!End(w, Begin(w, random_.Between(2, 12), 0.002), 3)) return false;
    const auto found = files.find(name);
    if (found == files.end()) return true;
    if (w.folder == 0) CheckRemoval(w, found->second);
    ++figures_.happened[found->second.writer == w.id ? "records removed by their writer"
                        : now_ - ShareMs(found->second.writeTime) >= kDay ? "dead records removed"
                                                                          : "earlier runs' records removed"];
    files.erase(found);
    return true;
}

}  // namespace brisolt::soak
