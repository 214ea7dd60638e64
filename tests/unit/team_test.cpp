// Team mode: the record format against untrusted bytes, liveness, failures,
// bounds against junk, the load on the folder, matching rows and the sound.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "fake_team_folder.h"
#include "team/display_name.h"
#include "team/folder_path.h"
#include "team/overlap.h"
#include "team/presence.h"
#include "team/record.h"
#include "team/sync.h"
#include "team/worker_timing.h"
#include "titles/designer_title.h"
#include "titles/titles.h"

namespace brisolt::team {
namespace {

using test::Copy;
using test::FakeTeamFolder;

const std::string kGood = "BrisoltTeam 1\nuser=jdoe\ncomputer=PC-12\nrun=ab12\nseq=7\nobject=0 18 1700000000\nend\n";

TEST(TeamRecord, WritesWhatParsesBackAndReadsLaterVersionsFields) {
    Record r = Copy("J\xC3\xBCrgen", "PC-12", {{{0, "18"}, 1700000000, "Debitor \xC3\xA4"}, {{1, "21"}, 1700000060}});
    r.sequence = 18446744073709551615u, r.startedUtc = 1700000000, r.historySinceUtc = 1700000001;
    r.processId = 4294967295u, r.processStart = 133456789012345678u;
    Record back;
    ASSERT_TRUE(ParseRecord(WriteRecord(r), back));
    EXPECT_TRUE(SameContent(r, back));  // names too
    EXPECT_TRUE(r.sequence == back.sequence && r.startedUtc == back.startedUtc);

    // CRLF lines, unknown keys and stray lines from a later version are read past.
    std::string later = "BrisoltTeam 1\r\nuser=jdoe\r\ncolour=blue\r\nno equals sign\r\ncomputer=PC-12\r\n"
                        "run=ab12\r\nseq=7\r\nprocess=0 5\r\nobject=0 18 1700000000 extra\r\nobject=4 80 5\r\nend\r\n";
    ASSERT_TRUE(ParseRecord(later, back));
    EXPECT_EQ("PC-12", back.computer);
    EXPECT_EQ(0u, back.processId + back.processStart);  // a bad process line is left out
    ASSERT_EQ(1u, back.objects.size());  // "18 1700000000 extra" is no valid object
    EXPECT_EQ((OpenObject{{4, "80"}, 5}), back.objects[0]);

    // Names that would break the format are cleaned, and still parse.
    r = Copy("evil\nseq=1\r\x01", std::string(1000, 'x'), {{{4, "80"}, 2, "Bad\nname"}});
    ASSERT_TRUE(ParseRecord(WriteRecord(r), back));
    EXPECT_EQ("evilseq=1", back.user);  // as a reader shows it: without them
    EXPECT_EQ("Badname", back.objects.at(0).name);
    EXPECT_EQ(kMaxNameBytes, back.computer.size());
}

TEST(TeamRecord, RejectsOrCutsBadInput) {
    std::string many = "BrisoltTeam 1\nuser=u\ncomputer=c\nrun=r\nseq=1\n";
    for (int i = 0; i < 1500; ++i) many += "object=2 " + std::to_string(i) + " 9\n";
    many += "end\n";
    const std::string huge = kGood.substr(0, kGood.size() - 4) + std::string(kMaxRecordBytes, 'x') + "\nend\n";
    struct Case {
        const char* what;
        std::string bytes;
        bool accepted;
        std::size_t objects;
    } cases[] = {
        {"good", kGood, true, 1},
        {"empty", "", false, 0},
        {"huge", huge, false, 0},
        {"truncated before end", kGood.substr(0, kGood.size() - 4), false, 0},
        {"truncated mid-line", kGood.substr(0, 30), false, 0},
        {"binary", std::string("\x00\xFF\xFE\x01BrisoltTeam 1\n\x00\x00", 20), false, 0},
        {"wrong version", "BrisoltTeam 2" + kGood.substr(13), false, 0},
        {"version not a number", "BrisoltTeam 1x" + kGood.substr(13), false, 0},
        {"other magic", "Brisolt 1" + kGood.substr(13), false, 0},
        {"missing user", "BrisoltTeam 1\ncomputer=c\nrun=r\nseq=1\nend\n", false, 0},
        {"missing run", "BrisoltTeam 1\nuser=u\ncomputer=c\nseq=1\nend\n", false, 0},
        {"missing seq", "BrisoltTeam 1\nuser=u\ncomputer=c\nrun=r\nend\n", false, 0},
        {"empty user", "BrisoltTeam 1\nuser=\ncomputer=c\nrun=r\nseq=1\nend\n", false, 0},
        {"user twice", "BrisoltTeam 1\nuser=u\nuser=v\ncomputer=c\nrun=r\nseq=1\nend\n", false, 0},
        {"user not UTF-8", "BrisoltTeam 1\nuser=J\xFCrgen\ncomputer=c\nrun=r\nseq=1\nend\n", false, 0},
        {"overlong UTF-8", "BrisoltTeam 1\nuser=\xC0\xAF\ncomputer=c\nrun=r\nseq=1\nend\n", false, 0},
        {"control in name", "BrisoltTeam 1\nuser=u\x1B[2J\ncomputer=c\nrun=r\nseq=1\nend\n", false, 0},
        {"name too long", "BrisoltTeam 1\nuser=" + std::string(300, 'u') + "\ncomputer=c\nrun=r\nseq=1\nend\n",
         false, 0},
        {"run id with path", "BrisoltTeam 1\nuser=u\ncomputer=c\nrun=..\\x\nseq=1\nend\n", false, 0},
        {"seq overflows", "BrisoltTeam 1\nuser=u\ncomputer=c\nrun=r\nseq=18446744073709551616\nend\n", false, 0},
        {"seq negative", "BrisoltTeam 1\nuser=u\ncomputer=c\nrun=r\nseq=-1\nend\n", false, 0},
        {"bad objects skipped",
         "BrisoltTeam 1\nuser=u\ncomputer=c\nrun=r\nseq=1\nobject=5 18 1\nobject=-1 18 1\nobject=0  1\n"
         "object=0 18\nobject=0 18 -4\nobject=0 18 99999999999999999999\nobject=0 1\x07 1\nobject=1 21 3\nend\n",
         true, 1},
        {"objects capped", many, true, kMaxObjects},
    };
    for (const Case& c : cases) {
        Record r;
        EXPECT_EQ(c.accepted, ParseRecord(c.bytes, r)) << c.what;
        if (c.accepted) EXPECT_EQ(c.objects, r.objects.size()) << c.what;
    }
}

TEST(TeamRecord, FileNamesAreSafeAndTellCopiesApart) {
    for (const char* hostile : {"..\\..\\Windows\\evil", "a/b:c*?\"<>|", "CON", "J\xC3\xBCrgen", ""}) {
        const std::string name = RecordFileName(hostile, std::string(500, 'u'), "r1");
        EXPECT_TRUE(IsRecordFileName(name)) << hostile;
        EXPECT_LE(name.size(), 3 * 32 + 2 + kRecordExtension.size()) << hostile;
        const std::string stem = name.substr(0, name.size() - kRecordExtension.size());
        EXPECT_EQ(std::string::npos, stem.find_first_not_of(
                                         "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-"))
            << name;
    }
    // Two copies of one user on one computer (a terminal server) are two records.
    EXPECT_NE(RecordFileName("TS1", "jdoe", "r1"), RecordFileName("TS1", "jdoe", "r2"));
    EXPECT_FALSE(IsRecordFileName(RecordFileName("PC", "u", "r") + ".tmp"));
}

TEST(TeamPresence, KeepsFirstSeenTimeUntilClosed) {
    Presence p;
    EXPECT_TRUE(p.Update({{0, "18"}, {1, "21"}, {0, "18"}, {-1, ""}}, 100));
    EXPECT_FALSE(p.Update({{1, "21"}, {0, "18"}}, 160));  // order and time do not matter
    EXPECT_TRUE(p.Update({{1, "21"}}, 200));              // Table 18 closed ...
    EXPECT_TRUE(p.Update({{0, "18"}, {1, "21"}}, 260));   // ... and open again
    const std::vector<OpenObject> expected = {{{0, "18"}, 260}, {{1, "21"}, 100}};
    EXPECT_EQ(expected, p.Objects());
}

// An identity as the scan gives it, from a designer title.
ObjectId IdOf(const std::string& title, FormDesignerVariant v) {
    if (!IsDesignerTitle(title, v)) return {};
    const std::string key = ObjectKeyFromTitle(title);
    return {ObjectTypeCode(key), ObjectNumberFromKey(key)};
}

TEST(TeamMatch, SameTypeAndNumberWhateverTheNameOrVariant) {
    const auto formular = FormDesignerVariant::Formular, form = FormDesignerVariant::Form;
    const std::vector<ObjectId> rows = {
        IdOf("Table 18 Kunde - Table Designer", formular),  // renamed on the other PC
        IdOf("Form 21 Customer Card - Formular Designer", formular),
        IdOf("Report 18 Customer - Report Designer", formular),  // same number, other type
        IdOf("Object Designer", formular),
        IdOf("Table 18 Kunde - Table Designer", formular),  // open twice here
    };
    const std::vector<Record> others = {
        Copy("jdoe", "PC-12", {{IdOf("Table 18 Customer - Table Designer", form), 300},
                               {IdOf("Form 21 Customer Card - Form Designer", form), 200}}),
        Copy("anna", "PC-7", {{{0, "18"}, 100}}),
        Copy("bert", "PC-3", {{{0, "18"}, 300}}),
        Copy("jdoe", "PC-12", {{{0, "18"}, 250}}),  // the same person in a second copy
    };
    const std::vector<std::vector<Holder>> expected = {
        {{"anna", "PC-7", 100}, {"jdoe", "PC-12", 250}, {"bert", "PC-3", 300}},
        {{"jdoe", "PC-12", 200}},
        {},
        {},
        {{"anna", "PC-7", 100}, {"jdoe", "PC-12", 250}, {"bert", "PC-3", 300}},
    };
    const std::vector<RowOverlap> got = MatchRows(rows, others);
    ASSERT_EQ(rows.size(), got.size());
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(expected[i], got[i].holders) << "row " << i;

    auto hhmm = [](std::int64_t utc) { return std::to_string(utc / 100) + ":00"; };
    EXPECT_EQ("anna @ PC-7, 1:00; jdoe @ PC-12, 2:00; bert @ PC-3, 3:00", HoldersText(got[0].holders, hhmm, "more"));
    EXPECT_EQ("", HoldersText(got[2].holders, hhmm, "more"));
    std::vector<Holder> five;
    for (int i = 1; i <= 5; ++i) five.push_back({"u" + std::to_string(i), "PC", 100 * i});
    EXPECT_EQ("u1 @ PC, 1:00; u2 @ PC, 2:00; u3 @ PC, 3:00; +2 more", HoldersText(five, hhmm, "more"));
}

TEST(TeamAlarm, SoundsOncePerBeginningOverlapAndNotAgainAfterTheOtherWentUnheard) {
    const ObjectId t18{0, "18"}, f21{1, "21"};
    const Holder jdoe{"jdoe", "PC-12", 1}, anna{"anna", "PC-7", 2};
    const Record jdoeHeard = Copy("jdoe", "PC-12"), annaHeard = Copy("anna", "PC-7");
    const std::vector<Record> both{jdoeHeard, annaHeard}, none;
    constexpr std::int64_t kMinute = 60000;
    struct Step {
        std::int64_t atMs;
        std::vector<RowOverlap> rows;
        std::vector<Record> heard;  // the people the folder shows
        bool sounds;
    } steps[] = {
        {0, {{t18, {}}}, none, false},
        {1, {{t18, {jdoe}}}, both, true},                  // begins
        {2, {{t18, {jdoe}}}, both, false},                 // lasts
        {3, {{t18, {jdoe}}, {t18, {jdoe}}}, both, false},  // the same object on a second row
        {4, {{t18, {jdoe, anna}}}, both, true},            // a new person
        {5, {{t18, {jdoe}}}, both, false},                 // anna closes it (she is heard without it)
        {6, {{t18, {jdoe, anna}}}, both, true},            // and opens it again
        {7, {{t18, {}}}, none, false},                     // the folder fails: nobody heard
        {9 * kMinute, {{t18, {jdoe, anna}}}, both, false}, // back within 10 minutes: the same overlaps
        {10 * kMinute, {{t18, {jdoe}}}, {jdoeHeard}, false},  // anna unheard (her copy restarts) ...
        {21 * kMinute, {{t18, {jdoe, anna}}}, both, true},    // ... for longer than 10 minutes
        {22 * kMinute, {{t18, {anna}}, {f21, {anna}}}, both, true},  // a new object
        {23 * kMinute, {}, both, false},                   // all closed here
        {24 * kMinute, {{f21, {anna}}}, both, true},       // begins again
    };
    OverlapAlarm alarm;
    for (std::size_t i = 0; i < std::size(steps); ++i)
        EXPECT_EQ(steps[i].sounds, alarm.Update(steps[i].rows, steps[i].heard, steps[i].atMs)) << i;
}

// Processes of this computer, as a test says.
struct FakeProcesses : LocalProcesses {
    std::set<std::uint32_t> running;
    std::set<std::uint32_t> refused;  // another user's: cannot be asked
    std::optional<bool> IsRunning(std::uint32_t id, std::uint64_t) override {
        if (refused.count(id)) return std::nullopt;
        return running.count(id) > 0;
    }
};

constexpr std::int64_t kHour = 3600000;

// A record found at start (written `ageMs` ago by the share's clock), whose
// copy goes on heartbeating or not. Returns, second by second over two
// minutes, whether the reader counts it: "c" counted, "." not.
std::string Counted(const Record& other, std::int64_t ageMs, bool keepsWriting, FakeProcesses* processes = nullptr) {
    FakeTeamFolder folder;
    const std::string name = RecordFileName(other.computer, other.user, other.runId);
    folder.Put(name, WriteRecord(other), ageMs);
    TeamSync reader({}, processes);
    Record writer = other;
    std::string seen;
    for (std::int64_t t = 0; t < 120000; t += 1000, folder.shareMs += 1000) {
        if (keepsWriting && t % 10000 == 9000) {
            ++writer.sequence;
            folder.Put(name, WriteRecord(writer));
        }
        const TeamState s = reader.Cycle(folder, Copy("anna", "PC-7"), t);
        seen += s.others.empty() ? '.' : 'c';
        if (!folder.files.count(name)) return seen + " removed";
    }
    return seen;
}

TEST(TeamSync, ARecordCountsOnlyWhileItsCopyIsAlive) {
    FakeProcesses processes;
    processes.running = {77};
    processes.refused = {55};
    Record annaTwice = Copy("anna", "PC-7"), annaEarlier = Copy("anna", "PC-7"), bertHere = Copy("bert", "PC-7");
    annaTwice.runId = "second", annaTwice.processId = 77;
    annaEarlier.runId = "killed", annaEarlier.processId = 66;
    bertHere.processId = 77;  // another user on this computer (a terminal server)
    // Its id taken by a process we may not open (another user's): no answer.
    Record bertRefused = bertHere, annaRefused = annaEarlier;
    bertRefused.processId = annaRefused.processId = 55;
    const std::string never(120, '.'), always(120, 'c');
    struct Case {
        const char* what;
        Record record;
        std::int64_t ageMs;
        bool keepsWriting;
        std::string expected;
    } cases[] = {
        {"crashed two hours ago", Copy("bert", "PC-3"), 2 * kHour, false, never},
        {"crashed 71 s ago", Copy("bert", "PC-3"), 71000, false, never},
        {"stale, then alive again", Copy("bert", "PC-3"), 2 * kHour, true, std::string(9, '.') + std::string(111, 'c')},
        {"alive, written 3 s ago", Copy("bert", "PC-3"), 3000, true, always},
        {"written 3 s ago, then dead", Copy("bert", "PC-3"), 3000, false, std::string(67, 'c') + std::string(53, '.')},
        {"our second copy on this computer", annaTwice, 0, true, never},
        {"our earlier run, killed", annaEarlier, 0, false, "." + std::string(" removed")},
        {"another user here, running, hours old", bertHere, 2 * kHour, false, always},
        {"another user here, not to be asked, crashed", bertRefused, 2 * kHour, false, never},
        {"another user here, not to be asked, alive", bertRefused, 0, true, always},
        {"our earlier run, not to be asked", annaRefused, 0, false, never},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, Counted(c.record, c.ageMs, c.keepsWriting, &processes)) << c.what;
    bertHere.processId = 78;  // the same, no longer running
    EXPECT_EQ(never, Counted(bertHere, 0, true, &processes));
}

// Two copies of one person are shown as one, and it goes when the first of
// them stops counting: its objects are among the person's, and a state the
// tick takes late (a slow cycle) must not show them longer.
TEST(TeamSync, APersonOfTwoCopiesGoesWithTheFirstToStop) {
    FakeTeamFolder folder;
    Record stopped = Copy("bert", "TS", {{{0, "18"}, 1}}), going = Copy("bert", "TS", {{{4, "80"}, 2}});
    stopped.runId = "crashed", going.runId = "alive";
    folder.Put(RecordFileName("TS", "bert", "crashed"), WriteRecord(stopped), 60000);  // counts 10 s more
    folder.Put(RecordFileName("TS", "bert", "alive"), WriteRecord(going));
    const TeamState state = TeamSync().Cycle(folder, Copy("anna", "PC-7"), 0);
    ASSERT_EQ(1u, state.others.size());
    EXPECT_EQ(2u, StateAsOf(state, 0, 0, 9000).others.at(0).objects.size());
    EXPECT_TRUE(StateAsOf(state, 0, 0, 11000).others.empty());
}

// What an ended run of ours had open closes when it was last seen: the sync
// says which runs it removed, once, killed or a day dead; never another's.
TEST(TeamSync, TellsTheRunsOfOursItRemovedAndWhenTheyWereLastSeen) {
    FakeTeamFolder folder;
    FakeProcesses processes;
    Record killed = Copy("anna", "PC-7", {{{4, "80"}, 1}}), longDead = killed, bert = Copy("bert", "PC-7");
    killed.runId = "killed", killed.processId = 66;
    longDead.runId = "old";
    for (const auto& [r, age] : {std::pair{killed, 30000LL}, {longDead, 2 * 24 * kHour}, {bert, 2 * 24 * kHour}})
        folder.Put(RecordFileName(r.computer, r.user, r.runId), WriteRecord(r), age);
    TeamSync sync({}, &processes);
    sync.Cycle(folder, Copy("anna", "PC-7"), 0);
    std::vector<EndedRun> ended = sync.TakeEndedRuns();
    ASSERT_EQ(2u, ended.size());
    const std::int64_t shareNowUtc = folder.shareMs / 1000 - 11644473600;  // the fake share's FILETIME as UTC
    EXPECT_TRUE(ended[0].record.runId == "killed" && ended[0].lastSeenUtc == shareNowUtc - 30);
    EXPECT_TRUE(ended[1].record.runId == "old" && ended[1].lastSeenUtc == shareNowUtc - 2 * 24 * 3600);
    EXPECT_EQ(killed.objects, ended[0].record.objects);
    sync.Cycle(folder, Copy("anna", "PC-7"), 5000);
    EXPECT_TRUE(sync.TakeEndedRuns().empty() && folder.files.size() == 1);
}

TEST(TeamSync, TheWorstGapKeepsALiveCopyAndACrashedOneGoesWithinTheMargin) {
    // The writer cycles every 5 s and every second write fails once; the
    // reader cycles every 5 s and its listing never shows a change (a share
    // that caches it): only its own re-reads see the writer's heartbeats.
    FakeTeamFolder folder;
    TeamSync writer, reader;
    const Record bert = Copy("bert", "PC-3"), anna = Copy("anna", "PC-7");
    std::int64_t lastWrite = 0, dropped = -1;
    for (std::int64_t t = 0; t < 15 * 60000; t += 1000, folder.shareMs += 1000) {
        const bool crashed = t >= 10 * 60000;
        if (t % 5000 == 0) {  // the reader's cycle comes just before the writer's
            const bool counted = !reader.Cycle(folder, anna, t).others.empty();
            if (!crashed && t > 0) ASSERT_TRUE(counted) << t;
            if (crashed && !counted && dropped < 0) dropped = t - lastWrite;
        }
        if (!crashed && t % 5000 == 0) {
            folder.failWrite = (t / 5000) % 4 == 2;
            const int writes = folder.writes;
            writer.Cycle(folder, bert, t);
            if (folder.writes > writes && !folder.failWrite) lastWrite = t;
            folder.failWrite = false;
            if (!folder.cachedListing) {  // from now on the listing shows nothing new
                std::vector<FolderEntry> now;
                folder.List(now);
                folder.cachedListing = now;
            }
        }
    }
    EXPECT_GT(dropped, 0);
    EXPECT_LE(dropped, SyncTiming{}.aliveMs + SyncTiming{}.heartbeatMs + 5000);
}

TEST(TeamSync, AYearOfCrashesIsClearedAFewAtATimeAndNeverHidesALiveColleague) {
    constexpr std::int64_t kDay = 24 * kHour;
    FakeTeamFolder folder;
    for (int i = 0; i < 3000; ++i) {
        const Record dead = Copy("u" + std::to_string(i), "PC-" + std::to_string(i % 40), {{{0, "27"}, 1}});
        folder.Put(RecordFileName(dead.computer, dead.user, dead.runId), WriteRecord(dead), (2 + i % 299) * kDay);
    }
    folder.Put("junk.brisolt-team", "not a record", 3 * kDay);
    TeamSync anna, bert;
    const Record mine = Copy("anna", "PC-7", {{{0, "27"}, 5}}), colleague = Copy("bert", "PC-3", {{{0, "27"}, 9}});
    std::int64_t warned = -1, cleared = -1;
    for (std::int64_t t = 0; t < 3 * 60000 && cleared < 0; t += 2000, folder.shareMs += 2000) {
        bert.Cycle(folder, colleague, t);
        const std::size_t files = folder.files.size();
        const int reads = folder.TotalReads();
        const TeamState s = anna.Cycle(folder, mine, t);
        ASSERT_LE(files - std::min(files, folder.files.size()), SyncTiming{}.maxRemovalsPerCycle) << t;
        if (warned < 0 && !MatchRows({{0, "27"}}, s.others)[0].holders.empty()) warned = t;
        if (folder.files.size() == 2) {
            cleared = t;
            EXPECT_LE(folder.TotalReads() - reads, 1 + 1) << "the colleague's record, and what cleared the last";
        }
    }
    EXPECT_EQ(0, warned);
    EXPECT_GE(cleared, 0);
    EXPECT_LE(cleared, 2 * 60000);
    EXPECT_EQ(1u, folder.files.count(RecordFileName("PC-3", "bert", colleague.runId)));
}

TEST(TeamSync, ACopyBackAfterADayKeepsItsRecordThoughTheListingIsOld) {
    constexpr std::int64_t kDay = 24 * kHour;
    FakeTeamFolder folder;
    TeamSync anna, bert;
    const Record mine = Copy("anna", "PC-7"), colleague = Copy("bert", "PC-3");
    bert.Cycle(folder, colleague, 0);
    anna.Cycle(folder, mine, 0);
    // Bert's laptop sleeps for a day; anna's listing is an old one when he
    // is back and writes.
    folder.shareMs += kDay + 1000;
    std::vector<FolderEntry> old;
    folder.List(old);
    folder.cachedListing = old;
    bert.Cycle(folder, colleague, kDay + 1000);
    anna.Cycle(folder, mine, kDay + 1000);
    EXPECT_EQ(1u, folder.files.count(RecordFileName("PC-3", "bert", colleague.runId)));
}

TEST(TeamSync, QuitRemovesOnlyWhatThisWorkerWroteLast) {
    FakeTeamFolder folder;
    TeamSync a({}, nullptr, "1"), b, aAgain({}, nullptr, "2");
    b.Cycle(folder, Copy("bert", "PC-3"), 0);
    EXPECT_TRUE(a.Cycle(folder, Copy("anna", "PC-7"), 0).others.at(0).objects.empty());
    b.Cycle(folder, Copy("bert", "PC-3", {{{0, "18"}, 9}}), 1000);  // a designer opens: written at once
    EXPECT_EQ(1u, a.Cycle(folder, Copy("anna", "PC-7"), 1000).others.at(0).objects.size());
    EXPECT_TRUE(b.Leave(folder));
    EXPECT_EQ(1u, folder.files.size());  // anna's own
    EXPECT_TRUE(a.Cycle(folder, Copy("anna", "PC-7"), 2000).others.empty());
    // The folder left and chosen again: a new worker of the same run writes
    // before the old one has left. Each removes only its own file, and
    // neither counts the other.
    EXPECT_TRUE(aAgain.Cycle(folder, Copy("anna", "PC-7"), 3000).others.empty());
    EXPECT_EQ(2u, folder.files.size());
    EXPECT_TRUE(a.Leave(folder));
    EXPECT_EQ(1u, folder.files.size());
    EXPECT_TRUE(aAgain.Leave(folder));
    EXPECT_TRUE(folder.files.empty());
}

TEST(TeamSync, FailuresBriefCollisionsAndSilence) {
    FakeTeamFolder folder;
    TeamSync a, b;
    const Record mine = Copy("anna", "PC-7"), bert = Copy("bert", "PC-3");
    b.Cycle(folder, bert, 0);
    a.Cycle(folder, mine, 0);
    const std::string aName = RecordFileName("PC-7", "anna", mine.runId);

    // Another copy reads our record while we replace it, for three seconds.
    folder.heldOpen.insert(aName);
    for (std::int64_t t = 10000; t < 13000; t += 1000) {
        const TeamState s = a.Cycle(folder, mine, t);
        EXPECT_FALSE(s.folderOk);
        EXPECT_FALSE(JudgeFolder(s).networkError) << t;
    }
    folder.heldOpen.clear();
    EXPECT_EQ(0, a.Cycle(folder, mine, 13000).failingForMs);  // tried again at once
    EXPECT_EQ(1u, b.Cycle(folder, bert, 13000).others.size());

    folder.failList = true;  // the share is gone: an error after 10 s, holders gone after 20 s
    std::int64_t t = 14000;
    for (; !JudgeFolder(a.Cycle(folder, mine, t)).networkError; t += 1000) {}
    EXPECT_EQ(24000, t);
    for (; !a.Cycle(folder, mine, t).others.empty(); t += 1000) {}
    EXPECT_LE(t, 13000 + 20000);
    folder.failList = false;
    b.Cycle(folder, bert, t);
    EXPECT_EQ(1u, a.Cycle(folder, mine, t).others.size());
}

TEST(TeamSync, JunkIsBoundedAndNamesAreMadeFitToShow) {
    FakeTeamFolder folder;
    TeamSync a;
    Record evil = Copy("evil\xE2\x80\xAE" "cod.exe\xC2\x85" + std::string(40, 'x'), "PC-3");
    for (int i = 0; i < 1000; ++i) folder.Put("junk" + std::to_string(i) + ".brisolt-team", "not a record");
    folder.Put("huge.brisolt-team", std::string(kMaxRecordBytes + 1, 'x'));
    std::set<int> readsPerCycle;
    for (std::int64_t t = 0; t < 60000; t += 1000, folder.shareMs += 1000) {
        if (t % 10000 == 0) {
            ++evil.sequence;
            folder.Put("evil.brisolt-team", WriteRecord(evil));
        }
        const int before = folder.TotalReads();
        const TeamState s = a.Cycle(folder, Copy("anna", "PC-7"), t);
        readsPerCycle.insert(folder.TotalReads() - before);
        ASSERT_EQ(1u, s.others.size()) << t;  // the junk never starves the live record
        EXPECT_EQ("evilcod.exe" + std::string(21, 'x'), s.others[0].user);
    }
    EXPECT_LE(*readsPerCycle.rbegin(), static_cast<int>(SyncTiming{}.maxReadsPerCycle));
    EXPECT_EQ(0, folder.reads["huge.brisolt-team"]);
    EXPECT_LE(folder.reads["junk7.brisolt-team"], 6);  // once a heartbeat at most
}

TEST(TeamSync, NothingChangedMeansOneListingPerCycleAndOneReadPerHeartbeat) {
    FakeTeamFolder folder;
    constexpr int kOthers = 5, kSeconds = 120, kPeriods = kSeconds / 10;
    std::vector<TeamSync> others(kOthers);
    TeamSync a;
    const Record mine = Copy("anna", "PC-7", {{{0, "18"}, 5}});
    folder.Put("static" + std::string(kRecordExtension), kGood);  // a copy whose record never changes
    std::map<std::string, int> readsByA;
    int writesByA = 0;
    for (std::int64_t t = 0; t < kSeconds * 1000; t += 1000, folder.shareMs += 1000) {
        // The others heartbeat on clocks of their own, each a little apart.
        for (int i = 0; i < kOthers; ++i) others[i].Cycle(folder, Copy("u" + std::to_string(i), "PC"), t + 170 * i);
        const int listsBefore = folder.lists, writesBefore = folder.writes;
        const std::map<std::string, int> readsBefore = folder.reads;
        // The unchanging record counts until it is 70 s old by the share's clock.
        EXPECT_EQ(kOthers + (t < SyncTiming{}.aliveMs ? 1u : 0u), a.Cycle(folder, mine, t).others.size()) << t;
        EXPECT_EQ(listsBefore + 1, folder.lists);
        writesByA += folder.writes - writesBefore;
        for (const auto& [name, reads] : folder.reads) {
            auto before = readsBefore.find(name);
            if (const int delta = reads - (before == readsBefore.end() ? 0 : before->second)) readsByA[name] += delta;
        }
    }
    ASSERT_EQ(static_cast<std::size_t>(kOthers + 1), readsByA.size());
    for (const auto& [name, reads] : readsByA) {
        EXPECT_GE(reads, kPeriods) << name;
        EXPECT_LE(reads, kPeriods + 1) << name;
    }
    EXPECT_EQ(kPeriods, writesByA);
}

TEST(TeamNames, ShownNamesHaveNoControlsAndAreCut) {
    struct Case {
        const char* what;
        std::string in, out;
    } cases[] = {
        {"plain", "J\xC3\xBCrgen", "J\xC3\xBCrgen"},
        {"C0, DEL, C1", "a\x01\x1B[2Jb\x7F" "c\xC2\x9B" "d", "a[2Jbcd"},
        {"direction controls", "\xE2\x80\xAEgpj.exe\xE2\x81\xA6x\xE2\x80\x8F\xD8\x9C", "gpj.exex"},
        {"not UTF-8", "J\xFCrgen\xC0\xAF", "J?rgen??"},
        {"cut to 32 characters", std::string(20, 'a') + std::string(20, '\xC3') , std::string(20, 'a') + std::string(12, '?')},
        {"cut inside nothing", std::string(31, 'a') + "\xE2\x82\xAC\xE2\x82\xAC", std::string(31, 'a') + "\xE2\x82\xAC"},
        {"nothing left", "\x01\x02", "?"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.out, DisplayName(c.in)) << c.what;
}

TEST(TeamNames, OneFolderInOneSpelling) {
    const char* same[][2] = {
        {"\\\\srv\\team", "\\\\SRV\\Team\\"}, {"\\\\srv\\team", "//srv/team/./x/.."}, {"T:\\a\\b", "t:\\a\\\\b\\"},
        {"C:\\", "c:/"},
    };
    for (const auto& s : same) EXPECT_EQ(CanonicalFolder(s[0]), CanonicalFolder(s[1])) << s[1];
    EXPECT_NE(CanonicalFolder("\\\\srv\\team"), CanonicalFolder("\\\\srv\\team2"));
    EXPECT_NE(CanonicalFolder("\\\\srv\\team\\.."), CanonicalFolder("\\\\srv"));
}

}  // namespace
}  // namespace brisolt::team
