// A team folder in memory that counts its calls and fails on demand.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/team_folder.h"

namespace brisolt::test {

class FakeTeamFolder : public TeamFolder {
public:
    struct File {
        std::string bytes;
        std::uint64_t writeTime = 0;
    };
    std::map<std::string, File> files;
    bool failList = false, failWrite = false, failRemove = false;
    std::set<std::string> unreadable;  // names whose reads fail
    int lists = 0, writes = 0, removes = 0;
    std::map<std::string, int> reads;  // per name

    // Puts a file as another writer would, with a new write time.
    void Put(const std::string& name, const std::string& bytes) { files[name] = {bytes, ++clock_}; }
    int TotalReads() const {
        int n = 0;
        for (const auto& [name, count] : reads) n += count;
        return n;
    }

    bool List(std::vector<FolderEntry>& entries) override {
        ++lists;
        if (failList) return false;
        entries.clear();
        for (const auto& [name, f] : files) entries.push_back({name, f.bytes.size(), f.writeTime});
        return true;
    }
    bool Read(const std::string& name, std::size_t maxBytes, std::string& bytes) override {
        ++reads[name];
        auto found = files.find(name);
        if (found == files.end() || unreadable.count(name)) return false;
        bytes = found->second.bytes.substr(0, maxBytes);
        return true;
    }
    bool WriteAtomically(const std::string& name, const std::string& bytes) override {
        ++writes;
        if (failWrite) return false;
        Put(name, bytes);
        return true;
    }
    bool Remove(const std::string& name) override {
        ++removes;
        if (failRemove) return false;
        files.erase(name);
        return true;
    }

private:
    std::uint64_t clock_ = 0;
};

}  // namespace brisolt::test
