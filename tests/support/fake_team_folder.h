// A team folder in memory that counts its calls and fails on demand. Its
// write times come from `shareMs`, the share's own clock.
#pragma once
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/team_folder.h"
#include "team/record.h"

namespace brisolt::test {

// The record of a copy of `user` on `computer`, with a run id of its own.
inline team::Record Copy(const std::string& user, const std::string& computer,
                         std::vector<team::OpenObject> objects = {}) {
    team::Record r;
    r.user = user;
    r.computer = computer;
    for (char c : user + computer)
        if (std::isalnum(static_cast<unsigned char>(c))) r.runId += c;
    r.objects = std::move(objects);
    return r;
}

class FakeTeamFolder : public TeamFolder {
public:
    struct File {
        std::string bytes;
        std::uint64_t writeTime = 0;
    };
    std::map<std::string, File> files;
    bool failList = false, failWrite = false;
    // Names another program holds open: as on Windows, a replace of such a
    // file fails (readers open with every share mode, and still).
    std::set<std::string> heldOpen;
    std::int64_t shareMs = 1700000000000;  // the server's clock
    // Set: what every listing shows (a share's cached listing), whatever the files are.
    std::optional<std::vector<FolderEntry>> cachedListing;
    // Set: the next append writes this many of its bytes, then fails (a
    // share that went away half-way).
    std::optional<std::size_t> cutNextAppend;
    bool failAppend = false;
    int lists = 0, writes = 0, appends = 0;
    std::map<std::string, int> reads;  // per name

    // Puts a file as another writer would, written `ageMs` ago by the share's clock.
    void Put(const std::string& name, const std::string& bytes, std::int64_t ageMs = 0) {
        files[name] = {bytes, static_cast<std::uint64_t>((shareMs - ageMs) * 10000)};
    }
    int TotalReads() const {
        int n = 0;
        for (const auto& [name, count] : reads) n += count;
        return n;
    }

    bool List(std::vector<FolderEntry>& entries) override {
        ++lists;
        if (failList) return false;
        entries.clear();
        if (cachedListing) {
            entries = *cachedListing;
            return true;
        }
        for (const auto& [name, f] : files) entries.push_back({name, f.bytes.size(), f.writeTime});
        return true;
    }
    bool Read(const std::string& name, std::size_t maxBytes, std::string& bytes, std::uint64_t& writeTime) override {
        ++reads[name];
        auto found = files.find(name);
        if (found == files.end()) return false;
        bytes = found->second.bytes.substr(0, maxBytes);
        writeTime = found->second.writeTime;
        return true;
    }
    bool WriteAtomically(const std::string& name, const std::string& bytes, std::uint64_t& writeTime) override {
        ++writes;
        if (failWrite || heldOpen.count(name)) return false;
        Put(name, bytes);
        writeTime = files[name].writeTime;
        return true;
    }
    AppendResult AppendAt(const std::string& name, std::uint64_t expectedSize, const std::string& bytes,
                          std::size_t maxTail, std::string& tail, std::uint64_t& size) override {
        ++appends;
        if (failAppend) return AppendResult::Failed;
        std::string& file = files[name].bytes;
        if (file.size() != expectedSize) {
            size = file.size();
            tail = expectedSize < file.size() ? file.substr(expectedSize, maxTail) : std::string();
            return AppendResult::Moved;
        }
        if (cutNextAppend) {
            file += bytes.substr(0, *cutNextAppend);
            cutNextAppend.reset();
            return AppendResult::Failed;
        }
        file += bytes;
        files[name].writeTime = static_cast<std::uint64_t>(shareMs * 10000);
        size = file.size();
        return AppendResult::Written;
    }
    bool Remove(const std::string& name) override {
        files.erase(name);
        return true;
    }
};

}  // namespace brisolt::test
