// What must hold at every step, checked against what the model knows for
// sure: who holds which object, since when, and through what trouble.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "soak.h"

namespace brisolt::soak {
namespace {

// Others' records are judged by the share's clock in 2 s steps, and our idea
// of its now may lag by as much as a write takes before it anchors (2 s).
constexpr std::int64_t kClockSlackMs = 4 * kSecond;
constexpr std::int64_t kCalmAfterMs = 20 * kSecond;     // both hold it: each shows the other by then
constexpr std::int64_t kCalmTroubleMs = 30 * kSecond;   // ... unless either had trouble this recently

const char* const kKindNames[] = {"day",   "arrive", "leave", "client", "crash", "restart", "start", "exit",
                                  "sleep", "wake",   "dark",  "boot",   "switch", "share down", "pc hang",
                                  "retally", "resume", "tick", "check", "call"};
const char* const kCallNames[] = {"list", "read", "write", "remove", "write refused: a reader has it"};

std::string Clock(std::int64_t ms) {
    char text[40];
    std::snprintf(text, sizeof text, "day %lld %02lld:%02lld:%02lld.%03lld", static_cast<long long>(ms / kDay),
                  static_cast<long long>(ms / kHour % 24), static_cast<long long>(ms / kMinute % 60),
                  static_cast<long long>(ms / kSecond % 60), static_cast<long long>(ms % 1000));
    return text;
}

}  // namespace

// Whose names these are: exactly as they must be shown, or else (`exact`
// false) told by the number each user name starts with, so that a name shown
// wrong fails one invariant, not all.
int Sim::SeatOf(const std::string& user, const std::string& computer, bool* exact) const {
    const auto found = seatByShownName_.find({user, computer});
    if (exact) *exact = found != seatByShownName_.end();
    if (found != seatByShownName_.end()) return found->second;
    const int seat = std::atoi(user.c_str());
    return seat >= 0 && seat < static_cast<int>(seats_.size()) && user[0] >= '0' && user[0] <= '9' ? seat : -1;
}

void Sim::Violation(const char* invariant, const std::string& detail) {
    ++figures_.violations;
    static const long long shown = std::getenv("SOAK_ALL") ? 1LL << 62 : 3;  // the first few in full
    if (++figures_.byInvariant[invariant] > shown) return;
    std::printf("VIOLATION of \"%s\" (seed %llu), %s: %s\n  the last events:\n", invariant,
                static_cast<unsigned long long>(seed_), Clock(now_).c_str(), detail.c_str());
    for (std::size_t i = logged_ > recent_.size() ? logged_ - recent_.size() : 0; i < logged_; ++i) {
        const Event& e = recent_[i % recent_.size()];
        if (e.kind == kCall)
            std::printf("    %s  worker %d %s%s\n", Clock(e.at).c_str(), e.who, kCallNames[e.arg / 2],
                        e.arg == 8 ? "" : e.arg % 2 ? " ok" : " failed");
        else
            std::printf("    %s  %s %d %lld\n", Clock(e.at).c_str(), kKindNames[e.kind], e.who,
                        static_cast<long long>(e.arg));
    }
}

// Which objects a worker holds now: those of the record it publishes while
// it runs, awake, and the share answers it, and those of a write still on
// its way. Kept per (person, object): how many hold it, when the last stopped.
void Sim::Retally(Worker& w) {
    std::array<bool, kPool> holds{};
    const Pc& pc = pcs_[w.pc];
    const bool running = !w.finished && !w.killed && !pc.asleep && !pc.dark && (!w.stop || w.inCycle);
    const bool answered = now_ >= pc.hungUntil && now_ >= shares_[w.folder].downUntil;
    if (w.folder == 0 && running) {
        if (answered)
            for (int o : w.published) holds[o] = true;
        for (int o : w.writing) holds[o] = true;
    }
    for (int o = 0; o < kPool; ++o) {
        if ((w.heldSince[o] >= 0) == holds[o]) continue;
        const std::size_t k = w.seat * kPool + o;
        if (holds[o]) {
            w.heldSince[o] = now_;
            ++holders_[k];
        } else {
            w.heldSince[o] = -1;
            if (--holders_[k] == 0) lastHeld_[k] = now_;
        }
    }
}

void Sim::RetallyPc(int pc) {
    for (int id : active_)
        if (workers_[id] && (pc < 0 || workers_[id]->pc == pc)) Retally(*workers_[id]);
}

// After each cycle: whom the state names, and by what names.
void Sim::AfterCycle(Worker& w) {
    if (w.latest.folderOk && w.anchored) w.okCycles[w.okCount++ % w.okCycles.size()] = now_ - (Steady(w) - w.latestFromMs);
    if (w.stop) Retally(w);  // a stopped worker writes no more
    Identify(w);
}

void Sim::Identify(Worker& w) {
    w.shown.clear();
    if (w.folder != 0) return;
    for (const team::Record& r : w.latest.others) {
        bool exact = true;
        const int seat = SeatOf(r.user, r.computer, &exact);
        if (!exact) Violation("names shown exactly", "no one is called \"" + r.user + "\" @ \"" + r.computer + "\"");
        if (seat < 0) continue;
        if (seat == w.seat) Violation("never about itself", "it names " + seats_[seat].shownUser + " @ " + seats_[seat].shownComputer);
        for (const team::OpenObject& o : r.objects) {
            const int index = PoolIndex(o.id);
            if (index < 0 || o.name != shownObjectNames_[index])
                Violation("names shown exactly", "object " + o.id.number + " shown as \"" + o.name + "\", not \"" +
                                                     (index < 0 ? "?" : shownObjectNames_[index]) + "\"");
            else
                w.shown.emplace_back(seat, index);
        }
    }
}

void Sim::CheckTick(Copy& c, Worker& w, const std::vector<team::ObjectId>& rows, const TeamView& view) {
    // No false alarm: whatever the tick shows, someone holds, or held lately.
    if (w.folder == 0 && view.look.othersShown)
        for (const auto& [seat, o] : w.shown) {
            const std::size_t k = seat * kPool + o;
            if (holders_[k] == 0 && now_ - lastHeld_[k] > team::SyncTiming{}.aliveMs + w.intervalMs + kClockSlackMs)
                Violation("no false alarm", seats_[w.seat].shownUser + " (worker " + std::to_string(w.id) + ") shows " +
                                                seats_[seat].shownUser + " with object " + pool_[o].id.number + " " +
                                                std::to_string((now_ - lastHeld_[k]) / kSecond) +
                                                " s after it stopped; its state is from " +
                                                std::to_string((Steady(w) - w.latestFromMs) / kSecond) + " s ago");
        }
    const Session& s = sessions_[c.session];
    bool begins = false;  // a pair shown that this copy has not shown in this overlap
    struct Pair {
        int seat, object;
        std::int64_t last, since;
    };
    std::vector<Pair> pairs;  // to tell, should it sound again
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int o = PoolIndex(rows[i]);
        if (o < 0) continue;
        std::vector<int> shown;
        for (const team::Holder& h : view.overlaps[i].holders) shown.push_back(SeatOf(h.user, h.computer));
        for (int seat : shown) {
            // An overlap is ours and one other client's, as their copies tell
            // it: since both have it open and that copy's record says so,
            // surely in our state (written before the oldest listing its
            // cycle may have had). A copy down no longer than the alarm
            // remembers (a restart) keeps it; one down longer, no one can tell.
            bool told = false;
            for (int other : seat < 0 ? seats_[0].sessions : seats_[seat].sessions) {
                if (seat < 0) break;
                const Session& t = sessions_[other];
                const std::int64_t written = t.recordShowsSince[o];
                if (t.openSince[o] < 0 || written < 0 || written > now_ - (Steady(w) - w.latestFromMs) - pcs_[w.pc].cacheMs ||
                    (t.downSince >= 0 && now_ - t.downSince > team::OverlapAlarm::kMemoryMs))
                    continue;
                const std::int64_t since = std::max({t.openSince[o], t.liveSince, s.openSince[o]});
                std::int64_t& last = c.lastShown[o * sessions_.size() + other];
                begins |= last < since || now_ - last >= team::OverlapAlarm::kMemoryMs;
                if (view.begins) pairs.push_back({seat, o, last, since});
                last = now_;
                told = true;
            }
            begins |= !told;  // a record that outlived its designer: the false alarm's matter
        }
        // No false calm: two live copies hold it and nothing failed lately: each shows the other.
        if (w.folder != 0 || w.heldSince[o] < 0 || now_ - w.troubleUntil < kCalmTroubleMs) continue;
        for (int id : active_) {
            const Worker* y = workers_[id].get();
            if (!y || y->folder != 0 || y->seat == w.seat || y->heldSince[o] < 0 || y->firstWriteMs < 0 ||
                now_ - y->troubleUntil < kCalmTroubleMs)
                continue;
            const std::int64_t both = std::max({w.heldSince[o], y->heldSince[o], y->firstWriteMs});
            if (now_ - both >= kCalmAfterMs && std::find(shown.begin(), shown.end(), y->seat) == shown.end()) {
                Violation("no false calm", seats_[w.seat].shownUser + " does not show " + seats_[y->seat].shownUser +
                                               " with object " + pool_[o].id.number + ", both hold it for " +
                                               std::to_string((now_ - both) / kSecond) + " s; our listing is " +
                                               std::to_string((now_ - pcs_[w.pc].listing[0].first) / kSecond) +
                                               " s old, our state " + std::to_string((Steady(w) - w.latestFromMs) / kSecond) +
                                               " s; they wrote first " + std::to_string((now_ - y->firstWriteMs) / kSecond) + " s ago");
                break;
            }
        }
    }
    if (!view.begins) return;
    ++figures_.happened["sounds"];
    if (begins) return;
    std::string told;
    for (const Pair& p : pairs)
        told += " (" + seats_[p.seat].shownUser + ", " + pool_[p.object].id.number + ": shown " +
                std::to_string((now_ - p.last) / kSecond) + " s ago, open on both sides for " +
                std::to_string((now_ - p.since) / kSecond) + " s)";
    Violation("one sound per overlap", seats_[w.seat].shownUser + " sounds again:" + told);
}

// A live record is never removed, nor one younger than a day by another person.
void Sim::CheckRemoval(const Worker& remover, const File& file) {
    const Worker* writer = file.writer >= 0 ? workers_[file.writer].get() : nullptr;
    const bool young = now_ - ShareMs(file.writeTime) < kDay;
    if (writer && !writer->finished && writer->id != remover.id && young)
        Violation("a bounded folder", "a live record removed by worker " + std::to_string(remover.id));
    else if (young && file.writerSeat != remover.seat)
        Violation("a bounded folder", "a record younger than a day removed by another person");
}

// A record unchanged for a day is gone once a copy that can tell (it has
// written, so it knows the share's now) has cycled well past that day.
void Sim::CheckFolder() {
    active_.erase(std::remove_if(active_.begin(), active_.end(), [&](int id) { return !workers_[id]; }), active_.end());
    for (const auto& [name, f] : shares_[0].files) {
        const std::int64_t dead = ShareMs(f.writeTime) + kDay + 30 * kSecond;
        if (now_ < dead) continue;
        for (int id : active_) {
            const Worker& y = *workers_[id];
            if (y.folder == 0 && y.okCount >= y.okCycles.size() && y.okCycles[y.okCount % y.okCycles.size()] > dead) {
                Violation("a bounded folder", name + " unchanged for " + std::to_string((now_ - dead) / kHour + 24) +
                                                  " h, and worker " + std::to_string(id) + " saw it");
                break;
            }
        }
    }
}

}  // namespace brisolt::soak
