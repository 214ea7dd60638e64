// Feeds arbitrary bytes to the history parser, as a colleague's file (or a
// damaged one) would, and checks what must hold for any session it accepts:
// its fields are within their limits, it writes back to one line that parses
// to the same fields, and its writer's file name is one a reader takes. The
// same bytes as a file in a folder give an index whose search results are in
// range and newest first, whatever the query, and names made safe to show.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fake_team_folder.h"
#include "fuzz_check.h"
#include "team/display_name.h"
#include "team/history.h"
#include "team/text_fields.h"

using namespace brisolt::team;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::size_t sessions = 0;
    const std::size_t count = ParseHistory(bytes, [&](const SessionFields& f) {
        ++sessions;
        FUZZ_CHECK(f.typeCode >= 0 && f.typeCode <= 4 && IsValidObjectNumber(f.number));
        FUZZ_CHECK(IsValidName(f.user, kMaxNameBytes) && IsValidName(f.computer, kMaxNameBytes));
        FUZZ_CHECK(f.name.size() <= kMaxObjectNameBytes && f.fromUtc >= 0 && f.toUtc >= f.fromUtc);

        const Session s{{f.typeCode, std::string(f.number)}, std::string(f.name), std::string(f.user),
                        std::string(f.computer), f.fromUtc, f.toUtc};
        const std::string line = SessionLine(s);
        FUZZ_CHECK(!line.empty() && line.size() <= kMaxHistoryLineBytes + 1 && line.back() == '\n');
        FUZZ_CHECK(line.find('\n') == line.size() - 1);
        SessionFields back;
        FUZZ_CHECK(ParseHistoryLine(std::string_view(line).substr(0, line.size() - 1), back) == HistoryLine::Session);
        FUZZ_CHECK(back.typeCode == f.typeCode && back.number == f.number && back.user == f.user &&
                   back.computer == f.computer && back.name == f.name && back.fromUtc == f.fromUtc &&
                   back.toUtc == f.toUtc);

        std::string writer;
        int month = 0;
        FUZZ_CHECK(ParseHistoryFileName(HistoryFileName(s.computer, s.user, MonthOf(s.fromUtc)), writer, month));
        FUZZ_CHECK(month == MonthOf(s.fromUtc));
    });
    FUZZ_CHECK(count == sessions && (count == 0 || size <= kMaxHistoryFileBytes));

    brisolt::test::FakeTeamFolder folder;
    folder.Put("PC_u.2024-06.brisolt-history", std::string(bytes));
    const TextFunction same = [](std::string_view s) { return std::string(s); };
    HistoryReader reader;
    const auto index = reader.Read(folder, 1717200000, {same, same});
    FUZZ_CHECK(index && index->sessions.size() <= count);
    for (const HistoryIndex::Person& p : index->people)
        FUZZ_CHECK(p.user == DisplayName(p.user) && p.computer == DisplayName(p.computer));
    const std::vector<std::uint32_t> shown = SearchHistory(*index, bytes.substr(0, 40), same);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        FUZZ_CHECK(shown[i] < index->sessions.size());
        FUZZ_CHECK(i == 0 || index->sessions[shown[i - 1]].fromUtc >= index->sessions[shown[i]].fromUtc);
    }
    return 0;
}
