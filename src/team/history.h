// The team's designer history: who had which object open in a designer, and
// when. Each copy whose user shares it appends the sessions that closed on its
// computer to its own monthly file in the team folder (team/history_writer.h);
// a reader merges every such file on demand and searches them.
//
//   BrisoltHistory 1
//   1<TAB>1796637000<TAB>1796640600<TAB>4<TAB>80<TAB>jdoe<TAB>PC-12<TAB>Sales-Post<TAB>fdb582df
//
// UTF-8 text, LF lines. A header line "BrisoltHistory <version>" marks a file
// as ours: a file without one is skipped whole, and lines before it are not
// read (a header cut by a failed append is followed by a whole one). Every
// other line is one session, its fields separated by tabs:
//   version        "1"; a line of another version is skipped (a later version
//                  that reads differently writes another number)
//   from, to       UTC seconds by the writer's clock, at most 15 digits: when
//                  the designer opened (or its user began to share) and when
//                  it closed; to >= from
//   type, number   the object, as in a record (team/record.h)
//   user, computer UTF-8 without control characters (so without tabs), not
//                  empty, at most kMaxNameBytes
//   name           the object's name as its title showed it, may be empty, at
//                  most kMaxObjectNameBytes
//   ...            fields a later version adds before the check: read past
//   check          FNV-1a (32 bits) of the line up to its last tab, 8 lower-case
//                  hexadecimal digits
// A session counts only whole: its line ends in LF and its check is right. A
// line cut by a failed append, a damaged or foreign line, and a last line
// without LF (perhaps being written right now) are skipped, never shown half.
// A line is at most kMaxHistoryLineBytes long; a file at most
// kMaxHistoryFileBytes (its writer stops there): a larger one is not read.
//
// File name: <computer>_<user>.<yyyy-mm>.brisolt-history, each name as in a
// record's file name (at most 32 characters, ASCII letters, digits and '-',
// anything else '_'), the month (UTC) of its sessions' `from`. Records end in
// ".brisolt-team": no record has such a name. Two people whose names make the
// same file name share the file safely: each line names its user and computer,
// and every append checks the file's length first (team/history_writer.h).
// Files of the last kHistoryMonths months are read; older ones are removed by
// their writer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/team_folder.h"
#include "team/record.h"

namespace brisolt::team {

constexpr std::string_view kHistoryExtension = ".brisolt-history";
constexpr std::string_view kHistoryHeader = "BrisoltHistory 1\n";
constexpr std::size_t kMaxHistoryLineBytes = 1024;
constexpr std::size_t kMaxHistoryFileBytes = 4 * 1024 * 1024;
constexpr int kHistoryMonths = 12;           // this month and the eleven before it
constexpr std::size_t kMaxHistoryFilesRead = 2000;

// One session: an object open in a designer on one computer, from open to close.
struct Session {
    ObjectId id;
    std::string name;  // UTF-8, as the title showed it; may be empty
    std::string user, computer;
    std::int64_t fromUtc = 0, toUtc = 0;
    bool operator==(const Session& o) const {
        return id == o.id && name == o.name && user == o.user && computer == o.computer && fromUtc == o.fromUtc &&
               toUtc == o.toUtc;
    }
};

// The session's line with its LF; names are cleaned and cut as in a record.
// Empty for a session that cannot be written (an invalid object, times out of
// range or to before from).
std::string SessionLine(const Session& session);

// A session line's fields, pointing into the bytes it was read from.
struct SessionFields {
    int typeCode = 0;
    std::string_view number, user, computer, name;
    std::int64_t fromUtc = 0, toUtc = 0;
};

// One line of a history file without its LF: a whole session (its fields
// filled in), a header line, or anything else.
enum class HistoryLine { Session, Header, Other };
HistoryLine ParseHistoryLine(std::string_view line, SessionFields& fields);

// Calls `each` for every whole session in a history file's bytes, in order.
// The number of sessions; 0 for bytes larger than kMaxHistoryFileBytes or
// without a header line.
std::size_t ParseHistory(std::string_view bytes, const std::function<void(const SessionFields&)>& each);

// Months as a count (year * 12 + month - 1) of the UTC calendar.
int MonthOf(std::int64_t utc);
std::string HistoryFileName(const std::string& computer, const std::string& user, int month);
// The writer's part (<computer>_<user>) and the month of a history file's
// name; false for any other name.
bool ParseHistoryFileName(std::string_view name, std::string& writer, int& month);

// How the names read come to the program: `shown` turns a name (made safe
// by DisplayName first) into the program's own text, `lower` puts a text in
// lower case for the search (the same for the words typed).
using TextFunction = std::function<std::string(std::string_view)>;
struct HistoryText {
    TextFunction shown;
    TextFunction lower;
};

// Every session read from the folder, merged.
struct HistoryIndex {
    struct Person {
        std::string user, computer;  // as `shown` made them
        std::string lower;           // "user @ computer", for the search
    };
    struct Object {
        ObjectId id;
        std::string name;   // as `shown` made it
        std::string lower;  // "codeunit 80 sales-post"
    };
    struct Entry {
        std::int64_t fromUtc = 0, toUtc = 0;
        std::uint32_t object = 0, person = 0;
    };
    std::vector<Person> people;
    std::vector<Object> objects;
    std::vector<Entry> sessions;   // newest first: by from, then to; none twice
    std::size_t filesRead = 0;     // history files that gave sessions
    std::size_t filesSkipped = 0;  // too large, too many, or not ours
};

// The sessions that match `query`, as indices into index.sessions, newest
// first. Every word must match: a word of digits the start of the object's
// number ("80" finds 80 and 8000, not 180), any other word, in lower case
// (`lower`, as the index was made), any part of the object's type, number or
// name, or of its user or computer. An empty query matches every session.
std::vector<std::uint32_t> SearchHistory(const HistoryIndex& index, std::string_view query, const TextFunction& lower);

// Reads the folder's history on demand, off the user interface's thread (a
// share may block), a few files at a time if need be, so that the cycles of
// the worker that reads go on meanwhile. It keeps what it read: a file whose
// size and time in the listing have not changed is not read again.
class HistoryReader {
public:
    // Starts a read: lists the folder once and picks the history files of the
    // last kHistoryMonths months by `nowUtc`, at most kMaxHistoryFilesRead
    // (the newest months first) of at most kMaxHistoryFileBytes each. False
    // when the folder could not be listed.
    bool Begin(TeamFolder& folder, std::int64_t nowUtc);
    // Reads the picked files while `more()` allows; true once all are read. A
    // file that fails to read keeps what it gave before.
    bool Continue(TeamFolder& folder, const std::function<bool()>& more);
    // What the last finished read found, merged.
    std::shared_ptr<const HistoryIndex> Merge(const HistoryText& text) const;
    // All three at once; null when the folder could not be listed.
    std::shared_ptr<const HistoryIndex> Read(TeamFolder& folder, std::int64_t nowUtc, const HistoryText& text);

private:
    struct File {
        std::uint64_t size = 0, writeTime = 0;
        HistoryIndex sessions;  // this file's alone, in file order, names as read
    };
    std::map<std::string, File> files_;  // as of the last finished read
    std::vector<FolderEntry> picked_;    // the read under way
    std::size_t next_ = 0;
    std::map<std::string, File> reading_;
    std::size_t skipped_ = 0, lastSkipped_ = 0;
};

}  // namespace brisolt::team
