// The designer history: its file format against untrusted bytes, the search,
// the merge of many files, and appends that neither lose nor double a session
// however the share fails.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "fake_team_folder.h"
#include "fakes.h"
#include "team/history.h"
#include "team/history_writer.h"
#include "team/record.h"

namespace brisolt::team {
namespace {

using test::FakeTeamFolder;

constexpr std::int64_t kJune = 1717200000;  // 2024-06-01 00:00 UTC

Session S(int type, const std::string& number, std::int64_t from, const std::string& name = "",
          const std::string& user = "jdoe", const std::string& computer = "PC-12") {
    return {{type, number}, name, user, computer, from, from + 600};
}

void PrintTo(const Session& s, std::ostream* out) {
    *out << s.id.typeCode << ' ' << s.id.number << ' ' << s.name << ' ' << s.user << '@' << s.computer << ' '
         << s.fromUtc << '-' << s.toUtc;
}

std::vector<Session> Parsed(const std::string& bytes) {
    std::vector<Session> out;
    ParseHistory(bytes, [&out](const SessionFields& f) {
        out.push_back({{f.typeCode, std::string(f.number)}, std::string(f.name), std::string(f.user),
                       std::string(f.computer), f.fromUtc, f.toUtc});
    });
    return out;
}

// Names as the program on Windows-1252 shows them and searches them.
std::string Latin1(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size())
            out += static_cast<char>((c & 0x03) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        else
            out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}
test::FakeCodePage codePage;
const TextFunction kLower = [](std::string_view s) { return codePage.Lower(s); };
const HistoryText kText{Latin1, kLower};

// A line with its check, as the format says: FNV-1a of the bytes before it.
std::string WithCheck(const std::string& body) {
    std::uint32_t hash = 2166136261u;
    for (char c : body) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    char check[9];
    std::snprintf(check, sizeof check, "%08x", static_cast<unsigned>(hash));
    return body + '\t' + check + '\n';
}

// Every session in the folder's history files, as a reader sees them.
std::vector<Session> AllIn(FakeTeamFolder& folder) {
    std::vector<Session> out;
    for (const auto& [name, file] : folder.files)
        for (Session& s : Parsed(file.bytes)) out.push_back(std::move(s));
    return out;
}

TEST(HistoryFile, ReadsWholeSessionsOnlyAndSkipsWhatIsNotOurs) {
    const Session umlauts = S(0, "27", kJune, "Artikel\xC3\xBC" "bersicht", "J\xC3\xBCrgen", "PC-M\xC3\xBCller");
    const std::string a = SessionLine(S(4, "80", kJune, "Sales-Post")), b = SessionLine(umlauts);
    const std::string good = std::string(kHistoryHeader) + a + b;
    EXPECT_EQ((std::vector<Session>{S(4, "80", kJune, "Sales-Post"), umlauts}), Parsed(good));

    const std::string body = a.substr(0, a.size() - 10);  // without its check
    const std::string later = WithCheck(body + "\tcolour=blue");  // a field a later version adds
    std::string damaged = a;
    damaged[3] ^= 1;
    struct Case {
        const char* what;
        std::string bytes;
        std::size_t sessions;
    } cases[] = {
        {"good, CRLF too", std::string(kHistoryHeader) + a.substr(0, a.size() - 1) + "\r\n" + b, 2},
        {"no header: not ours", a + b, 0},
        {"lines before the header are not read", a + std::string(kHistoryHeader) + b, 1},
        {"a later header version", "BrisoltHistory 7\n" + a, 1},
        {"a cut header, then a whole one", "Brisol\n" + std::string(kHistoryHeader) + a, 1},
        {"last line without LF", good.substr(0, good.size() - 1), 1},
        {"every cut of a line ended by the next append", std::string(kHistoryHeader) + a.substr(0, 40) + "\n" + b, 1},
        {"a damaged byte", std::string(kHistoryHeader) + damaged + b, 1},
        {"a line of another version", std::string(kHistoryHeader) + "2" + a.substr(1) + b, 1},
        {"a later version's field", std::string(kHistoryHeader) + later + b, 2},
        {"a check of other bytes", std::string(kHistoryHeader) + body + "\tcolour" + a.substr(a.size() - 10) + b, 1},
        {"too large", good + std::string(kMaxHistoryFileBytes, '\n'), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(c.sessions, Parsed(c.bytes).size()) << c.what;
    // No cut of a line reads as a session.
    for (std::size_t cut = 0; cut < a.size() - 1; ++cut)
        EXPECT_EQ(1u, Parsed(std::string(kHistoryHeader) + a.substr(0, cut) + "\n" + b).size()) << cut;

    // What would break a line is cleaned; what cannot be written is not.
    EXPECT_EQ("evil", Parsed(std::string(kHistoryHeader) + SessionLine(S(4, "80", 5, "", "ev\til"))).at(0).user);
    EXPECT_EQ("", SessionLine(S(5, "80", 5)) + SessionLine(S(4, "8 0", 5)) + SessionLine({{4, "80"}, "", "u", "c", 9, 8}));
}

TEST(HistoryFile, NamesByWriterAndMonthThatNoRecordHas) {
    struct Case {
        std::int64_t utc;
        const char* month;
    } cases[] = {{0, "1970-01"}, {1709251199, "2024-02"}, {1709251200, "2024-03"}, {253402300799, "9999-12"}};
    for (const Case& c : cases) {
        const std::string name = HistoryFileName("PC-12", "J\xC3\xBCrgen M.", MonthOf(c.utc));
        EXPECT_EQ(std::string("PC-12_J__rgen_M_.") + c.month + ".brisolt-history", name);
        std::string writer;
        int month = 0;
        EXPECT_TRUE(ParseHistoryFileName(name, writer, month) && month == MonthOf(c.utc) && writer == "PC-12_J__rgen_M_");
        EXPECT_FALSE(IsRecordFileName(name));
    }
    std::string writer;
    int month = 0;
    for (const char* other : {"PC_u_r.brisolt-team", "x.2024-13.brisolt-history", "x.2024-06.brisolt-history.tmp",
                              "a b.2024-06.brisolt-history", ".2024-06.brisolt-history"})
        EXPECT_FALSE(ParseHistoryFileName(other, writer, month)) << other;
}

TEST(HistorySearch, MatchesNumberStartsAndFoldedWordsNewestFirst) {
    FakeTeamFolder folder;
    const std::vector<Session> sessions = {
        S(4, "80", kJune, "Sales-Post"), S(4, "80", kJune + 99, "Sales-Post", "anna", "PC-7"),
        S(0, "8000", kJune + 50), S(0, "180", kJune + 60, "Sales Header"),
        S(0, "27", kJune + 70, "Artikel\xC3\xBC" "bersicht", "J\xC3\xBCrgen"),
    };
    HistoryWriter writer;
    writer.Add(sessions, kJune);
    ASSERT_TRUE(writer.Flush(folder, kJune));
    HistoryReader reader;
    const auto index = reader.Read(folder, kJune, kText);
    ASSERT_TRUE(index);
    auto shown = [&](const char* query) {
        std::string out;
        for (std::uint32_t i : SearchHistory(*index, query, kLower)) {
            const HistoryIndex::Entry& e = index->sessions[i];
            out += index->objects[e.object].id.number + "/" + index->people[e.person].user + " ";
        }
        return out;
    };
    EXPECT_EQ("80/anna 27/J\xFCrgen 180/jdoe 8000/jdoe 80/jdoe ", shown(""));
    EXPECT_EQ("80/anna 8000/jdoe 80/jdoe ", shown("80"));
    EXPECT_EQ("80/anna 80/jdoe ", shown("CODEUNIT 80"));
    EXPECT_EQ("80/anna 180/jdoe 80/jdoe ", shown("sales"));
    EXPECT_EQ("80/anna ", shown("sales pc-7"));
    EXPECT_EQ("27/J\xFCrgen ", shown("\xDC" "BER"));  // "ÜBER", as typed in the code page
    EXPECT_EQ("27/J\xFCrgen ", shown("J\xDCRGEN table"));
    EXPECT_EQ("", shown("report"));
}

TEST(HistoryReader, MergesTheYearSkipsWhatItMustAndRereadsOnlyChangedFiles) {
    FakeTeamFolder folder;
    HistoryWriter jdoe, anna;
    jdoe.Add({S(4, "80", kJune), S(4, "80", kJune - 86400 * 31), S(4, "80", kJune - 86400 * 366)}, kJune);
    anna.Add({S(4, "80", kJune + 5, "", "anna", "PC-7")}, kJune);
    ASSERT_TRUE(jdoe.Flush(folder, kJune) && anna.Flush(folder, kJune));
    folder.Put("x.2024-06.brisolt-history", "not ours\n");
    folder.Put("PC_u_r.brisolt-team", "BrisoltTeam 1\n");
    folder.Put("huge.2024-06.brisolt-history", std::string(kMaxHistoryFileBytes + 1, 'x'));
    const std::string copied = "copy.2024-06.brisolt-history";  // a file copied by hand: each session once
    folder.Put(copied, folder.files.at(HistoryFileName("PC-12", "jdoe", MonthOf(kJune))).bytes);

    HistoryReader reader;
    auto index = reader.Read(folder, kJune + 10, kText);
    ASSERT_TRUE(index);
    EXPECT_EQ(3u, index->sessions.size());  // the one beyond 12 months was never kept
    EXPECT_EQ(2u, index->filesSkipped);     // the foreign one and the huge one
    EXPECT_EQ(kJune + 5, index->sessions[0].fromUtc);

    const int readsBefore = folder.TotalReads();
    anna.Add({S(0, "18", kJune + 20, "", "anna", "PC-7")}, kJune);
    ASSERT_TRUE(anna.Flush(folder, kJune + 20));
    index = reader.Read(folder, kJune + 30, kText);
    EXPECT_EQ(4u, index->sessions.size());
    EXPECT_EQ(readsBefore + 2, folder.TotalReads());  // anna's file, and the foreign one again

    // A few files at a time: the same, once all are read.
    HistoryReader stepwise;
    ASSERT_TRUE(stepwise.Begin(folder, kJune + 30));
    int steps = 1;
    for (int allowed = 1; !stepwise.Continue(folder, [&allowed] { return allowed-- > 0; }); allowed = 1) ++steps;
    EXPECT_EQ(5, steps);  // jdoe's two months, anna's, the copy and the foreign one
    EXPECT_EQ(4u, stepwise.Merge(kText)->sessions.size());

    folder.failList = true;
    EXPECT_FALSE(reader.Read(folder, kJune, kText));
}

// However an append fails, every session is in the folder exactly once.
TEST(HistoryWriter, AnAppendCutAnywhereNeitherLosesNorDoublesASession) {
    const std::vector<Session> first = {S(4, "80", kJune, "Sales-Post"), S(0, "18", kJune + 1)};
    const std::vector<Session> second = {S(4, "90", kJune + 2)};
    const std::size_t firstBytes = kHistoryHeader.size() + SessionLine(first[0]).size() + SessionLine(first[1]).size();
    for (std::size_t cut = 0; cut <= firstBytes; ++cut) {
        FakeTeamFolder folder;
        HistoryWriter writer;
        writer.Add(first, kJune);
        folder.cutNextAppend = cut;  // cut == firstBytes: all arrived, yet the call failed (a timeout)
        EXPECT_FALSE(writer.Flush(folder, kJune));
        writer.Add(second, kJune);
        EXPECT_TRUE(writer.Flush(folder, kJune)) << cut;
        EXPECT_EQ((std::vector<Session>{first[0], first[1], second[0]}), AllIn(folder)) << cut;
        EXPECT_EQ(0u, writer.Pending() + writer.Dropped());
    }
}

TEST(HistoryWriter, SharesAFileWithAnotherRunAndClosesAnEndedRunOnce) {
    FakeTeamFolder folder;
    HistoryWriter a, b;  // two copies of one person on a terminal server, one after the other
    a.Add({S(4, "80", kJune)}, kJune);
    ASSERT_TRUE(a.Flush(folder, kJune));
    EXPECT_EQ(1, folder.appends);  // the common case: one call
    b.Add({S(4, "80", kJune), S(4, "81", kJune)}, kJune);  // 80 again: the ended run had written it
    ASSERT_TRUE(b.Flush(folder, kJune));
    a.Add({S(4, "82", kJune)}, kJune);
    ASSERT_TRUE(a.Flush(folder, kJune));
    EXPECT_EQ((std::vector<Session>{S(4, "80", kJune), S(4, "81", kJune), S(4, "82", kJune)}), AllIn(folder));

    // A share that is gone: the queue keeps the newest, the oldest goes first.
    HistoryWriter queued;
    folder.failAppend = true;
    for (std::size_t i = 0; i <= kMaxPendingSessions; ++i) queued.Add({S(1, std::to_string(i), kJune)}, kJune);
    EXPECT_FALSE(queued.Flush(folder, kJune));
    EXPECT_EQ(kMaxPendingSessions, queued.Pending());
    EXPECT_EQ(1u, queued.Dropped());
}

TEST(HistoryWriter, RemovesOnlyItsOwnFilesPastTwelveMonths) {
    FakeTeamFolder folder;
    const std::int64_t year = 86400 * 365;
    for (const char* user : {"jdoe", "anna"})
        for (std::int64_t age : {year + 86400 * 31, year - 86400 * 31})
            folder.Put(HistoryFileName("PC-12", user, MonthOf(kJune - age)), std::string(kHistoryHeader));
    HistoryWriter writer;
    writer.Add({S(4, "80", kJune)}, kJune);
    ASSERT_TRUE(writer.Flush(folder, kJune));
    EXPECT_FALSE(folder.files.count(HistoryFileName("PC-12", "jdoe", MonthOf(kJune - year - 86400 * 31))));
    EXPECT_EQ(4u, folder.files.size());  // jdoe's recent, anna's two, this month's
}

TEST(SessionTracker, ASessionRunsFromOpenOrSharingToCloseAndEndedRunsCloseWhenLastSeen) {
    Record mine = test::Copy("jdoe", "PC-12", {{{4, "80"}, 100, "Sales-Post"}, {{0, "18"}, 50}});
    SessionTracker tracker;
    EXPECT_TRUE(tracker.Update(mine, 120).empty());  // not shared: nothing
    mine.historySinceUtc = 90;
    EXPECT_TRUE(tracker.Update(mine, 130).empty());
    mine.objects = {{{4, "80"}, 150, "Sales-Post"}};  // 80 closed and open again, 18 closed
    std::vector<Session> closed = tracker.Update(mine, 150);
    ASSERT_EQ(2u, closed.size());
    EXPECT_EQ((Session{{4, "80"}, "Sales-Post", "jdoe", "PC-12", 100, 150}), closed[0]);
    EXPECT_EQ(90, closed[1].fromUtc);  // opened before sharing began
    EXPECT_EQ((std::vector<Session>{{{4, "80"}, "Sales-Post", "jdoe", "PC-12", 150, 200}}), tracker.CloseAll(200));

    mine.objects = {{{4, "80"}, 300}};
    EXPECT_EQ(1u, SessionsLeftOpen(mine, 250).size());  // last seen before its second: it lasted none
    EXPECT_EQ(300, SessionsLeftOpen(mine, 250)[0].toUtc);
    mine.historySinceUtc = 0;
    EXPECT_TRUE(SessionsLeftOpen(mine, 400).empty());

    // A user who stops sharing: what was still queued is not written either.
    FakeTeamFolder folder;
    folder.failAppend = true;
    HistoryKeeper keeper;
    mine.historySinceUtc = 90;
    keeper.Publish(mine, 300);
    Record none = mine;
    none.objects.clear();
    keeper.Publish(none, 310);  // closed: queued, the share fails
    keeper.RunEnded(mine, 250, 310);
    EXPECT_EQ(2u, keeper.Writer().Pending());
    mine.historySinceUtc = 0;
    keeper.Publish(mine, 320);
    keeper.RunEnded(mine, 250, 320);
    folder.failAppend = false;
    EXPECT_TRUE(keeper.Close(folder, 330) && folder.files.empty());
}

}  // namespace
}  // namespace brisolt::team
