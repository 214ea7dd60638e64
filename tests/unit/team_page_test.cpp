// The Team page's rows, and records read across versions: this version's
// reader and writer against the last version's, built from its sources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_team_folder.h"
#include "fakes.h"
#include "program/team_page.h"
#include "team/record.h"

#if __has_include("last_version/team/record.h")
#define brisolt brisolt_last
#include "last_version/team/record.h"
#undef brisolt
#define HAVE_LAST_VERSION 1
#endif

namespace brisolt {
namespace {

using team::Record;
using test::Copy;

std::string Time(std::int64_t utc) { return "t" + std::to_string(utc); }
std::string Lower(std::string_view text) { return test::FakeCodePage().Lower(text); }

std::vector<std::string> Texts(const TeamRows& rows) {
    std::vector<std::string> out;
    for (const TeamObjectRow& r : rows.objects) out.push_back(r.object + " | " + r.who + (r.openHere ? " !" : ""));
    return out;
}

TEST(TeamRows, SortedByTypeAndNumberFilteredByEveryWordAndMarkedWhenOpenHere) {
    std::vector<Record> others = {
        Copy("anna", "PC-12", {{{4, "80"}, 30, "Sales-Post"}, {{0, "180"}, 20, "Foo"}, {{0, "18"}, 10, "Customer"}}),
        Copy("mark", "PC-7", {{{4, "5000"}, 5, ""}, {{4, "80"}, 5, ""}}),
        // Windows-1252, as the program holds names: "J\xFCrgen" is Jürgen.
        Copy("J\xFCrgen", "PC-3", {{{0, "27"}, 40, "Artikel\xFC" "bersicht"}}),
    };
    others[0].startedUtc = 1;
    const std::string cu80 = "Codeunit 80 | mark @ PC-7 !", cu80Sales = "Codeunit 80 Sales-Post | anna @ PC-12 !";
    struct Case {
        const char* filter;
        std::vector<std::string> rows;
    } cases[] = {
        {"", {"Table 18 Customer | anna @ PC-12", "Table 27 Artikel\xFC" "bersicht | J\xFCrgen @ PC-3 !",
              "Table 180 Foo | anna @ PC-12", cu80, cu80Sales, "Codeunit 5000 | mark @ PC-7"}},
        {"80", {cu80, cu80Sales}},  // not table 180
        {"  sales ", {cu80Sales}},
        {"Codeunit 80", {cu80, cu80Sales}},
        {"18 ANNA", {"Table 18 Customer | anna @ PC-12", "Table 180 Foo | anna @ PC-12"}},
        {"xyz", {}},
        {"\xDC" "BER j\xDCrgen", {"Table 27 Artikel\xFC" "bersicht | J\xFCrgen @ PC-3 !"}},  // umlauts in any case
    };
    for (const Case& c : cases) {
        const TeamRows rows = BuildTeamRows(others, {{4, "80"}, {0, "27"}}, c.filter, Time, Lower);
        EXPECT_EQ(Texts(rows), c.rows) << c.filter;
        EXPECT_EQ(rows.objectsOpen, 6u) << c.filter;
        EXPECT_EQ(rows.people, (std::vector<TeamPersonRow>{
                                   {"J\xFCrgen @ PC-3", ""}, {"anna @ PC-12", "t1"}, {"mark @ PC-7", ""}}));
    }
}

TEST(TeamRecord, BadNameLinesAreSkippedAndNamesStayWithinTheSizeLimit) {
    Record back;
    ASSERT_TRUE(team::ParseRecord("BrisoltTeam 1\nuser=u\ncomputer=c\nrun=r\nseq=1\nstarted=x\nobject=0 18 1\n"
                                  "object=4 80 1\nname=0 18 First\nname=0 18 Second\nname=4 80\nname=4 80 \x1B[2J\n"
                                  "name=9 80 Wrong type\nname=2 77 Not open\nend\n",
                                  back));
    EXPECT_EQ(back.startedUtc, 0);
    EXPECT_EQ(back.objects[0].name, "First");
    EXPECT_EQ(back.objects[1].name, "");

    // As many objects as a record holds, each with a long name: the record
    // stays within what every reader reads; the names that fit come first.
    Record r = Copy("jdoe", "PC-12");
    for (int i = 0; i < static_cast<int>(team::kMaxObjects); ++i)
        r.objects.push_back({{i % 5, std::to_string(100000 + i)}, 1700000000, std::string(500, 'n')});
    const std::string full = team::WriteRecord(r);
    EXPECT_LE(full.size(), team::kMaxRecordBytes);
    ASSERT_TRUE(team::ParseRecord(full, back));
    ASSERT_EQ(back.objects.size(), team::kMaxObjects);
    EXPECT_EQ(back.objects.front().name, std::string(team::kMaxObjectNameBytes, 'n'));
    EXPECT_EQ(back.objects.back().name, "");
}

#ifdef HAVE_LAST_VERSION
TEST(TeamVersions, EachVersionReadsTheOthersRecordsWithoutLoss) {
    // This version's records, small and as large as they get, in the last version's reader.
    Record named =
        Copy("J\xC3\xBCrgen", "PC-12", {{{0, "18"}, 1700000000, "Debitor"}, {{4, "80"}, 1700000060, "Post"}});
    named.startedUtc = 1699999000, named.historySinceUtc = 1699999500;
    named.sequence = 42;
    Record big = Copy("jdoe", "PC-1", {});
    for (int i = 0; i < static_cast<int>(team::kMaxObjects); ++i)
        big.objects.push_back({{i % 5, std::to_string(i + 1)}, 1700000000 + i, std::string(200, 'x')});
    for (const Record& mine : {named, big}) {
        brisolt_last::team::Record read;
        ASSERT_TRUE(brisolt_last::team::ParseRecord(team::WriteRecord(mine), read)) << mine.user;
        EXPECT_EQ(read.user + read.computer + read.runId, mine.user + mine.computer + mine.runId);
        EXPECT_EQ(read.sequence, mine.sequence);
        ASSERT_EQ(read.objects.size(), mine.objects.size()) << mine.user;
        for (std::size_t i = 0; i < read.objects.size(); ++i)
            EXPECT_TRUE(read.objects[i].id.typeCode == mine.objects[i].id.typeCode &&
                        read.objects[i].id.number == mine.objects[i].id.number &&
                        read.objects[i].sinceUtc == mine.objects[i].sinceUtc) << i;
    }

    // The last version's record here: type and number, no start time.
    brisolt_last::team::Record old;
    old.user = "anna";
    old.computer = "PC-7";
    old.runId = "f00d";
    old.objects = {{{4, "80"}, 1700000000}, {{0, "18"}, 1700000100}};
    Record read;
    ASSERT_TRUE(team::ParseRecord(brisolt_last::team::WriteRecord(old), read));
    const TeamRows rows = BuildTeamRows({read}, {}, "", Time, Lower);
    EXPECT_EQ(Texts(rows), (std::vector<std::string>{"Table 18 | anna @ PC-7", "Codeunit 80 | anna @ PC-7"}));
    EXPECT_EQ(rows.objects[1].since, "t1700000000");
    EXPECT_EQ(rows.people, (std::vector<TeamPersonRow>{{"anna @ PC-7", ""}}));
}
#endif

}  // namespace
}  // namespace brisolt
