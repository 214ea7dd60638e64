// Team mode: the record format against untrusted bytes, liveness by our own
// clock, the load on the folder, matching rows and the overlap sound.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "fake_team_folder.h"
#include "team/overlap.h"
#include "team/presence.h"
#include "team/record.h"
#include "team/sync.h"
#include "titles/designer_title.h"
#include "titles/titles.h"

namespace brisolt::team {
namespace {

using test::FakeTeamFolder;

Record Copy(const std::string& user, const std::string& computer, std::vector<OpenObject> objects = {}) {
    Record r;
    r.user = user;
    r.computer = computer;
    for (char c : user + computer)
        if (std::isalnum(static_cast<unsigned char>(c))) r.runId += c;
    r.objects = std::move(objects);
    return r;
}

const std::string kGood = "BrisoltTeam 1\nuser=jdoe\ncomputer=PC-12\nrun=ab12\nseq=7\nobject=0 18 1700000000\nend\n";

TEST(TeamRecord, WritesWhatParsesBackAndReadsLaterVersionsFields) {
    Record r = Copy("J\xC3\xBCrgen", "PC-12", {{{0, "18"}, 1700000000}, {{1, "21"}, 1700000060}});
    r.sequence = 18446744073709551615u;
    Record back;
    ASSERT_TRUE(ParseRecord(WriteRecord(r), back));
    EXPECT_TRUE(SameContent(r, back));
    EXPECT_EQ(r.sequence, back.sequence);

    // CRLF lines, unknown keys and stray lines from a later version are read past.
    std::string later = "BrisoltTeam 1\r\nuser=jdoe\r\ncolour=blue\r\nno equals sign\r\ncomputer=PC-12\r\n"
                        "run=ab12\r\nseq=7\r\nobject=0 18 1700000000 extra\r\nobject=4 80 5\r\nend\r\n";
    ASSERT_TRUE(ParseRecord(later, back));
    EXPECT_EQ("PC-12", back.computer);
    ASSERT_EQ(1u, back.objects.size());  // "18 1700000000 extra" is no valid object
    EXPECT_EQ((OpenObject{{4, "80"}, 5}), back.objects[0]);

    // Names that would break the format are cleaned, and still parse.
    r = Copy("evil\nseq=1\r\x01", std::string(1000, 'x'));
    ASSERT_TRUE(ParseRecord(WriteRecord(r), back));
    EXPECT_EQ("evil?seq=1??", back.user);
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
    EXPECT_EQ("anna @ PC-7, 1:00; jdoe @ PC-12, 2:00; bert @ PC-3, 3:00", HoldersText(got[0].holders, hhmm));
    EXPECT_EQ("", HoldersText(got[2].holders, hhmm));
}

TEST(TeamAlarm, SoundsOncePerBeginningOverlap) {
    const ObjectId t18{0, "18"}, f21{1, "21"};
    const Holder jdoe{"jdoe", "PC-12", 1}, anna{"anna", "PC-7", 2};
    struct Step {
        std::vector<RowOverlap> rows;
        bool sounds;
    } steps[] = {
        {{{t18, {}}}, false},
        {{{t18, {jdoe}}}, true},                  // begins
        {{{t18, {jdoe}}}, false},                 // lasts
        {{{t18, {jdoe}}, {t18, {jdoe}}}, false},  // the same object on a second row
        {{{t18, {jdoe, anna}}}, true},            // a new person
        {{{t18, {jdoe}}}, false},                 // one leaves
        {{{t18, {jdoe, anna}}}, true},            // and is back
        {{{t18, {anna}}, {f21, {anna}}}, true},   // a new object
        {{}, false},                              // all closed
        {{{f21, {anna}}}, true},                  // begins again
    };
    OverlapAlarm alarm;
    for (std::size_t i = 0; i < std::size(steps); ++i) EXPECT_EQ(steps[i].sounds, alarm.Update(steps[i].rows)) << i;
}

// Copy A beside copy B, each with its own steady clock; B's runs `offsetMs`
// apart from A's and B's UTC clock is minutes off. B works until `crashMs`
// (by A's clock) and then stops without a word. Returns the first second at
// which A no longer counts B (-1: never), failing if B ever drops out early.
std::int64_t SecondBDropsOut(std::int64_t offsetMs, std::int64_t crashMs) {
    FakeTeamFolder folder;
    TeamSync a, b;
    const Record mineA = Copy("anna", "PC-7", {{{0, "18"}, 1700000000}});
    const Record mineB = Copy("bert", "PC-3", {{{0, "18"}, 1700000000 + offsetMs / 1000}});
    for (std::int64_t t = 0; t <= 120000; t += 1000) {
        if (t <= crashMs) b.Cycle(folder, mineB, t + offsetMs);
        const TeamState state = a.Cycle(folder, mineA, t);
        EXPECT_TRUE(state.folderOk);
        const bool counted = state.others.size() == 1 && state.others[0].user == "bert";
        if (!counted) {
            EXPECT_GT(t, crashMs) << "offset " << offsetMs;
            return t / 1000;
        }
    }
    return -1;
}

TEST(TeamSync, AStoppedCopyStopsCountingWithin30sWhateverTheClocks) {
    for (std::int64_t offset : {0LL, 7 * 60000LL, -5 * 60000LL - 333, 123456789LL}) {
        // Last write at 40 s (heartbeats at 0, 10, ..., 40): gone 25 s later.
        EXPECT_EQ(65, SecondBDropsOut(offset, 45000)) << offset;
        EXPECT_EQ(-1, SecondBDropsOut(offset, 1000000)) << offset;
    }
}

TEST(TeamSync, ChangesShowNextCycleQuitRemovesOwnRecordNotCounted) {
    FakeTeamFolder folder;
    TeamSync a, b;
    b.Cycle(folder, Copy("bert", "PC-3"), 0);
    EXPECT_TRUE(a.Cycle(folder, Copy("anna", "PC-7"), 0).others.at(0).objects.empty());
    b.Cycle(folder, Copy("bert", "PC-3", {{{0, "18"}, 9}}), 1000);  // a designer opens: written at once
    EXPECT_EQ(1u, a.Cycle(folder, Copy("anna", "PC-7"), 1000).others.at(0).objects.size());
    EXPECT_TRUE(b.Leave(folder));
    EXPECT_EQ(1u, folder.files.size());  // anna's own
    EXPECT_TRUE(a.Cycle(folder, Copy("anna", "PC-7"), 2000).others.empty());
}

TEST(TeamSync, FolderFailuresAndRecoveries) {
    FakeTeamFolder folder;
    TeamSync a, b;
    const Record mine = Copy("anna", "PC-7");
    b.Cycle(folder, Copy("bert", "PC-3"), 0);
    const std::string bName = folder.files.begin()->first;

    folder.unreadable.insert(bName);  // one bad record: skipped, the folder is fine
    TeamState s = a.Cycle(folder, mine, 0);
    EXPECT_TRUE(s.folderOk);
    EXPECT_TRUE(s.others.empty());
    folder.unreadable.clear();
    EXPECT_EQ(1u, a.Cycle(folder, mine, 1000).others.size());

    folder.failList = true;  // the share is gone: an error, what we knew ages out
    EXPECT_FALSE(a.Cycle(folder, mine, 2000).folderOk);
    EXPECT_TRUE(a.Cycle(folder, mine, 31000).others.empty());
    folder.failList = false;
    folder.failWrite = true;  // a due write fails (here: a designer opened)
    const Record opened = Copy("anna", "PC-7", {{{0, "18"}, 5}});
    EXPECT_FALSE(a.Cycle(folder, opened, 32000).folderOk);
    folder.failWrite = false;
    b.Cycle(folder, Copy("bert", "PC-3"), 33000);  // bert's heartbeat
    s = a.Cycle(folder, opened, 33000);
    EXPECT_TRUE(s.folderOk);
    EXPECT_EQ(1u, s.others.size());
    folder.failList = true;  // after a failure our record may be gone: written again at once
    a.Cycle(folder, opened, 34000);
    folder.failList = false;
    const int writes = folder.writes;
    EXPECT_TRUE(a.Cycle(folder, opened, 35000).folderOk);
    EXPECT_EQ(writes + 1, folder.writes);

    // A crashed copy's record is removed after ten minutes without a change.
    std::int64_t t = 36000;
    for (; t <= 33000 + 9 * 60000; t += 1000) a.Cycle(folder, opened, t);
    EXPECT_EQ(1u, folder.files.count(bName));
    for (; t <= 33000 + 10 * 60000 + 10000; t += 1000) a.Cycle(folder, opened, t);
    EXPECT_EQ(0u, folder.files.count(bName));
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
    for (std::int64_t t = 0; t < kSeconds * 1000; t += 1000) {
        // The others heartbeat on clocks of their own, each a little apart.
        for (int i = 0; i < kOthers; ++i) others[i].Cycle(folder, Copy("u" + std::to_string(i), "PC"), t + 170 * i);
        const int listsBefore = folder.lists, writesBefore = folder.writes;
        const std::map<std::string, int> readsBefore = folder.reads;
        // The unchanging record counts for its first 25 s only.
        EXPECT_EQ(kOthers + (t < 25000 ? 1u : 0u), a.Cycle(folder, mine, t).others.size()) << t;
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

}  // namespace
}  // namespace brisolt::team
