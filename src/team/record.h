// What one running copy publishes in the team folder, and its file format.
//
//   BrisoltTeam 1
//   user=jdoe
//   computer=PC-12
//   run=5f3a9c1e0b7d4e21
//   seq=42
//   process=4242 133456789012345678
//   started=1796637000
//   history=1796637000
//   object=0 18 1796637720
//   object=1 21 1796637780
//   name=0 18 Customer
//   end
//
// UTF-8 text, one key=value per line, LF or CRLF. The first line names the
// format and its version; a version that reads differently gets a new number
// and this one skips it. Keys this version does not know are ignored, so a
// later version may add lines. An object line is: type code (0 Table, 1 Form,
// 2 Report, 3 Dataport, 4 Codeunit), number, the UTC second its designer was
// first seen. "end" closes the record: a cut record has none and is skipped.
// `seq` grows with every write; readers tell liveness from its changes.
// `process` (id and start time, a FILETIME) lets a reader on the same
// computer ask whether the writer still runs; versions before it never wrote
// it, and skip it as an unknown key.
// Added without a new version, so the last version reads these records as
// before (it skips keys it does not know): `started`, the UTC second the copy
// started, and `name` lines, an object's name as its title shows it (type
// code, number, name). Names come after every object line and only as far as
// the size limit allows: an object without a name shows type and number.
// `history` (added the same way): the UTC second since which the copy's user
// shares the designer history (team/history.h); no line: not shared. A run
// that ended without closing its sessions is closed by the next run of its
// user only when its record says so.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brisolt::team {

constexpr int kFormatVersion = 1;
constexpr std::string_view kRecordExtension = ".brisolt-team";
// A record larger than this is not read (a writer never comes near it).
constexpr std::size_t kMaxRecordBytes = 64 * 1024;
constexpr std::size_t kMaxObjects = 1000;
constexpr std::size_t kMaxNameBytes = 256;    // user, computer
constexpr std::size_t kMaxRunIdBytes = 64;
constexpr std::size_t kMaxNumberBytes = 32;   // an object's number text
constexpr std::size_t kMaxObjectNameBytes = 128;

// An object of the client's database: its type code and number, as the
// access log writes them. The name in the title plays no part.
struct ObjectId {
    int typeCode = -1;  // -1: not an object (a window that is no designer)
    std::string number;
    bool operator==(const ObjectId& o) const { return typeCode == o.typeCode && number == o.number; }
    bool operator!=(const ObjectId& o) const { return !(*this == o); }
    bool operator<(const ObjectId& o) const {
        return typeCode != o.typeCode ? typeCode < o.typeCode : number < o.number;
    }
};

// A type code 0..4 and a number of 1..kMaxNumberBytes printable characters
// without blanks.
bool IsValidObject(const ObjectId& id);
bool IsValidObjectNumber(std::string_view number);

struct OpenObject {
    ObjectId id;
    std::int64_t sinceUtc = 0;  // seconds since 1970-01-01 UTC, by the writer's clock
    std::string name;           // UTF-8, as the title shows it; empty: not known
    bool operator==(const OpenObject& o) const { return id == o.id && sinceUtc == o.sinceUtc && name == o.name; }
};

struct Record {
    int version = kFormatVersion;
    std::string user;      // UTF-8
    std::string computer;  // UTF-8
    std::string runId;     // random per run of the program: letters and digits
    std::uint64_t sequence = 0;
    std::uint32_t processId = 0;     // 0: not given
    std::uint64_t processStart = 0;
    std::int64_t startedUtc = 0;  // when the copy started, by its clock; 0: not known
    std::int64_t historySinceUtc = 0;  // shares its designer history since; 0: does not
    std::vector<OpenObject> objects;
};

// The same copy and the same open objects (the sequence aside).
bool SameContent(const Record& a, const Record& b);

// The record as text. Control characters in names are left out, texts longer
// than their limits are cut (not inside a UTF-8 character), invalid objects
// and objects beyond kMaxObjects are left out; what it writes parses back.
std::string WriteRecord(const Record& record);

// Reads a record from untrusted bytes. False when the bytes are larger than
// kMaxRecordBytes, the first line is not "BrisoltTeam 1", "end" is missing, a
// name is empty, too long, not UTF-8 or repeated, or seq is no number. Bad
// object, started and name lines are skipped; objects beyond kMaxObjects are
// dropped.
bool ParseRecord(std::string_view bytes, Record& record);

// A user or computer name as WriteRecord writes it.
std::string NameAsWritten(std::string_view name);

// The record's file name: computer, user and run id, each cut to 32
// characters, anything but ASCII letters, digits and '-' turned into '_',
// joined by '_', with kRecordExtension.
std::string RecordFileName(const std::string& computer, const std::string& user, const std::string& runId);
bool IsRecordFileName(std::string_view name);

}  // namespace brisolt::team
