// Feeds arbitrary bytes to the team record parser, as another copy's file
// would, and checks what must hold for any accepted record: its names and
// objects are within their limits, it writes back to text that fits the read
// limit and parses to the same record, its file name is safe, and matching
// its own objects finds it on every row. Any bytes made a name to show hold
// no control characters and stay within the shown length.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "team/display_name.h"
#include "team/overlap.h"
#include "team/record.h"

using namespace brisolt::team;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string shown = DisplayName(bytes.substr(0, 300));
    FUZZ_CHECK(!shown.empty() && shown.size() <= 4 * kMaxShownNameChars);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(shown[i]);
        FUZZ_CHECK(c >= 0x20 && c != 0x7F);
        FUZZ_CHECK(!(c == 0xC2 && i + 1 < shown.size() && static_cast<unsigned char>(shown[i + 1]) <= 0x9F));
        FUZZ_CHECK(shown.compare(i, 3, "\xE2\x80\xAE") != 0);  // no right-to-left override
    }
    Record record;
    if (!ParseRecord(bytes, record)) return 0;

    FUZZ_CHECK(size <= kMaxRecordBytes);
    FUZZ_CHECK(record.version == kFormatVersion);
    FUZZ_CHECK(!record.user.empty() && record.user.size() <= kMaxNameBytes);
    FUZZ_CHECK(!record.computer.empty() && record.computer.size() <= kMaxNameBytes);
    FUZZ_CHECK(!record.runId.empty() && record.runId.size() <= kMaxRunIdBytes);
    FUZZ_CHECK(record.objects.size() <= kMaxObjects);
    for (const OpenObject& o : record.objects) FUZZ_CHECK(IsValidObject(o.id) && o.sinceUtc >= 0);

    const std::string text = WriteRecord(record);
    FUZZ_CHECK(text.size() <= kMaxRecordBytes);
    Record back;
    FUZZ_CHECK(ParseRecord(text, back));
    FUZZ_CHECK(SameContent(record, back));
    FUZZ_CHECK(record.sequence == back.sequence);
    FUZZ_CHECK(WriteRecord(back) == text);

    const std::string name = RecordFileName(record.computer, record.user, record.runId);
    FUZZ_CHECK(IsRecordFileName(name));
    const std::string_view stem = std::string_view(name).substr(0, name.size() - kRecordExtension.size());
    for (char c : stem)
        FUZZ_CHECK((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                   c == '-');

    std::vector<ObjectId> rows;
    for (const OpenObject& o : record.objects) rows.push_back(o.id);
    const std::vector<RowOverlap> overlaps = MatchRows(rows, {record});
    FUZZ_CHECK(overlaps.size() == rows.size());
    for (const RowOverlap& row : overlaps) FUZZ_CHECK(row.holders.size() == 1 && row.holders[0].user == record.user);
    return 0;
}
