// The team folder on the real file API, and the worker thread that syncs it.
#include <algorithm>
#include <atomic>
#include <functional>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "check.h"
#include "program/team_mode.h"
#include "team/record.h"
#include "win32/ports/win32_system.h"
#include "temp_dir.h"
#include "win32/team/team_channel.h"
#include "win32/team/team_worker.h"
#include "win32/base/win.h"
#include "win32/base/code_page.h"
#include "win32/base/handles.h"
#include "win32/ports/utc_time.h"
#include "win32/ports/win32_processes.h"
#include "win32/team/win32_team_folder.h"

using namespace brisolt;
using namespace brisolt::win32;

namespace {

const FolderEntry* Find(const std::vector<FolderEntry>& entries, const std::string& name) {
    auto it = std::find_if(entries.begin(), entries.end(), [&](const FolderEntry& e) { return e.name == name; });
    return it == entries.end() ? nullptr : &*it;
}

// Polls `done` for up to `ms`.
bool Within(int ms, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::vector<std::string> RecordFiles(const std::string& path) {
    std::vector<FolderEntry> entries;
    Win32TeamFolder((path)).List(entries);
    std::vector<std::string> names;
    for (const FolderEntry& e : entries)
        if (team::IsRecordFileName(e.name)) names.push_back(e.name);
    return names;
}

team::Record Copy(const std::string& user) {
    team::Record r;
    r.user = user;
    r.computer = "PC-12";
    r.runId = brisolt::NewRunId();
    team::OpenObject table18;
    table18.id.typeCode = 0;
    table18.id.number = "18";
    table18.sinceUtc = UtcNowSeconds();
    r.objects.push_back(table18);
    return r;
}

}  // namespace

WIN_TEST(TeamFolder_WritesAtomicallyListsReadsAndRemoves) {
    wintest::TempDir dir;
    CreateDirectoryA(dir.File("sub").c_str(), nullptr);  // folders are not listed
    Win32TeamFolder folder((dir.Path() + "\\"));
    const std::string name = "J\xC3\xBCrgen.brisolt-team";  // a UTF-8 name

    std::uint64_t written = 0, read = 0;
    CHECK(folder.WriteAtomically(name, "first", written));
    std::vector<FolderEntry> entries;
    CHECK(folder.List(entries));
    CHECK_EQ(1u, entries.size());  // no temporary file left, no subfolder
    const FolderEntry* first = Find(entries, name);
    CHECK(first != nullptr);
    const FolderEntry before = first ? *first : FolderEntry{};
    CHECK_EQ(5u, before.size);

    Sleep(20);
    CHECK(folder.WriteAtomically(name, std::string(40000, 'x'), written));  // replaces the file
    CHECK(folder.List(entries));
    CHECK_EQ(1u, entries.size());
    const FolderEntry* second = Find(entries, name);
    CHECK(second && second->size == 40000 && second->writeTime != before.writeTime);

    std::string bytes;
    CHECK(folder.Read(name, 100000, bytes, read));
    CHECK_EQ(40000u, bytes.size());
    CHECK(second && read == second->writeTime && written / 10000000 == read / 10000000);  // the share's clock
    CHECK(folder.Read(name, 1000, bytes, read));  // cut at the limit
    CHECK_EQ(1000u, bytes.size());

    CHECK(folder.Remove(name));
    CHECK(folder.Remove(name));  // gone already: fine
    CHECK(!folder.Read(name, 1000, bytes, read));
    CHECK(folder.List(entries));
    CHECK(entries.empty());
    CHECK(!folder.WriteAtomically("..\\escape.brisolt-team", "x", written));  // no paths in names
    // Device names are plain file names in a folder here, never the device.
    CHECK(!folder.Read("COM1.brisolt-team", 1000, bytes, read) && !folder.Read("NUL.brisolt-team", 1000, bytes, read));
}

WIN_TEST(TeamFolder_MissingFolderFails) {
    wintest::TempDir dir;
    Win32TeamFolder folder((dir.File("does not exist")));
    std::vector<FolderEntry> entries;
    std::string bytes;
    std::uint64_t time = 0;
    CHECK(!folder.List(entries));
    CHECK(!folder.WriteAtomically("a.brisolt-team", "x", time));
    CHECK(!folder.Read("a.brisolt-team", 10, bytes, time));
    CHECK(!folder.Remove("a.brisolt-team"));
}

WIN_TEST(TeamFolder_ProcessesAreTold) {
    // This process runs; the same id with another start time is another process.
    const ProcessStamp self = ThisProcess();
    CHECK(Win32LocalProcesses().IsRunning(self.id, self.startTime) == true);
    CHECK(Win32LocalProcesses().IsRunning(self.id, self.startTime + 1) == false);
    CHECK(brisolt::NewRunId() != brisolt::NewRunId());
}

WIN_TEST(TeamChannel_GermanNamesRoundTripThroughAFolderWithAnUmlaut) {
    // Windows-1252 in the program, UTF-8 in the record, Windows-1252 on screen:
    // "J\xFCrgen" is Jürgen, "\xDC" Ü.
    wintest::TempDir dir;
    const std::string folder = dir.File("Team-\xDC" "bersicht");
    CHECK(CreateDirectoryA(folder.c_str(), nullptr));
    CHECK_EQ(CanonicalTeamFolder(folder), CanonicalTeamFolder(folder + "\\.\\"));
    Win32TeamChannel juergen, anna;
    juergen.Configure(folder, 100);
    anna.Configure(folder, 100);
    team::Record mine = Copy("J\xFCrgen");
    mine.objects[0].name = "Artikel\xFC" "bersicht";
    juergen.Publish(mine);
    anna.Publish(Copy("anna"));
    std::shared_ptr<const team::TeamState> seen;
    CHECK(Within(5000, [&] { return (seen = anna.Latest()) && seen->others.size() == 1; }));
    if (!seen || seen->others.size() != 1) return;
    const team::Record& other = seen->others[0];
    CHECK_EQ(std::string("J\xFCrgen"), other.user);
    CHECK_EQ(std::string("Artikel\xFC" "bersicht"), other.objects.empty() ? "" : other.objects[0].name);
    const std::vector<std::string> files = RecordFiles(folder);
    CHECK_EQ(2u, files.size());
    bool utf8 = false;
    for (const std::string& f : files) utf8 |= wintest::ReadWholeFile(folder + "\\" + f).find("user=J\xC3\xBCrgen\n") != std::string::npos;
    CHECK(utf8);
    CHECK_EQ(std::string("\xFC"), AnsiFromUtf8("\xC3\xBC"));
}

WIN_TEST(TeamWorker_TwoCopiesSeeEachOtherAndQuitClears) {
    wintest::TempDir dir;
    const auto interval = std::chrono::milliseconds(100);
    TeamWorker anna(std::make_unique<Win32TeamFolder>((dir.Path())), interval);
    TeamWorker bert(std::make_unique<Win32TeamFolder>((dir.Path())), interval);
    anna.Publish(Copy("anna"));
    bert.Publish(Copy("bert"));
    CHECK(Within(3000, [&] { return anna.Latest().others.size() == 1 && bert.Latest().others.size() == 1; }));
    const team::TeamState seen = anna.Latest();
    CHECK(seen.folderOk);
    CHECK_EQ(std::string("bert"), seen.others.empty() ? std::string() : seen.others[0].user);

    CHECK(bert.Stop());
    CHECK(Within(3000, [&] { return anna.Latest().others.empty(); }));
    CHECK(anna.Stop());
    CHECK(RecordFiles(dir.Path()).empty());  // both records removed
}

WIN_TEST(TeamWorker_VanishedFolderIsAnError) {
    wintest::TempDir dir;
    const std::string path = dir.File("team");
    CreateDirectoryA(path.c_str(), nullptr);
    TeamWorker worker(std::make_unique<Win32TeamFolder>((path)), std::chrono::milliseconds(100));
    worker.Publish(Copy("anna"));
    Sleep(300);
    CHECK(worker.Latest().folderOk);
    // Remove what the worker wrote, then the folder.
    Win32TeamFolder view((path));
    for (const std::string& name : RecordFiles(path)) view.Remove(name);
    CHECK(RemoveDirectoryA(path.c_str()));
    CHECK(Within(3000, [&] { return !worker.Latest().folderOk; }));
    CreateDirectoryA(path.c_str(), nullptr);  // back again
    CHECK(Within(3000, [&] { return worker.Latest().folderOk; }));
    // The record is written again at once, not only at the next heartbeat.
    CHECK(Within(3000, [&] { return RecordFiles(path).size() == 1; }));
    CHECK(worker.Stop());
}

// The conditional append: it writes only at the length expected, shows what
// lies beyond it otherwise, and lets no second writer in meanwhile.
WIN_TEST(TeamFolder_AppendsOnlyAtTheExpectedLength) {
    wintest::TempDir dir;
    Win32TeamFolder folder(dir.Path());
    std::string tail;
    std::uint64_t size = 0;
    CHECK(folder.AppendAt("h.brisolt-history", 0, "one\n", 100, tail, size) == AppendResult::Written);
    CHECK(folder.AppendAt("h.brisolt-history", 4, "two\n", 100, tail, size) == AppendResult::Written);
    CHECK_EQ(8u, size);
    CHECK(folder.AppendAt("h.brisolt-history", 4, "three\n", 3, tail, size) == AppendResult::Moved);
    CHECK(size == 8 && tail == "two");
    CHECK(folder.AppendAt("h.brisolt-history", 9, "x", 100, tail, size) == AppendResult::Moved);
    CHECK(size == 8 && tail.empty());
    {
        UniqueHandle other(CreateFileA(dir.File("h.brisolt-history").c_str(), FILE_APPEND_DATA,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        CHECK(static_cast<bool>(other));
        CHECK(folder.AppendAt("h.brisolt-history", 8, "x", 100, tail, size) == AppendResult::Failed);
    }
    std::string bytes;
    std::uint64_t writeTime = 0;
    CHECK(folder.Read("h.brisolt-history", 100, bytes, writeTime) && bytes == "one\ntwo\n");
}

namespace {

// A share that does not answer: every listing waits until it is let go.
class HangingFolder : public TeamFolder {
public:
    explicit HangingFolder(std::shared_ptr<std::atomic<bool>> letGo) : letGo_(std::move(letGo)) {}
    bool List(std::vector<FolderEntry>&) override {
        while (!*letGo_) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return false;
    }
    bool Read(const std::string&, std::size_t, std::string&, std::uint64_t&) override { return false; }
    bool WriteAtomically(const std::string&, const std::string&, std::uint64_t&) override { return true; }
    AppendResult AppendAt(const std::string&, std::uint64_t, const std::string&, std::size_t, std::string&,
                          std::uint64_t&) override {
        return AppendResult::Failed;
    }
    bool Remove(const std::string&) override { return true; }

private:
    std::shared_ptr<std::atomic<bool>> letGo_;
};

}  // namespace

WIN_TEST(TeamWorker_HangingShareBlocksNeitherTheTickNorQuit) {
    auto letGo = std::make_shared<std::atomic<bool>>(false);
    TeamWorker worker(std::make_unique<HangingFolder>(letGo), std::chrono::milliseconds(50));
    worker.Publish(Copy("anna"));
    Sleep(200);  // the worker is stuck in the listing now
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i) {
        worker.Publish(Copy("anna"));
        CHECK(worker.Latest().folderOk);  // nothing finished yet: no news
    }
    Sleep(300);
    const team::TeamState silent = worker.Latest();  // but the silence shows
    CHECK(silent.silentForMs >= 400 && silent.silentForMs < 2000);
    CHECK(!worker.Stop(std::chrono::milliseconds(300)));  // left behind, not waited for
    const auto took = std::chrono::steady_clock::now() - start;
    CHECK(took < std::chrono::milliseconds(1500));
    *letGo = true;  // the share answers at last: the thread ends on its own
    Sleep(100);
}

WIN_TEST(TeamWorker_ACallThatHangsAndThenFailsHasFailedSinceItBegan) {
    auto letGo = std::make_shared<std::atomic<bool>>(false);
    TeamWorker worker(std::make_unique<HangingFolder>(letGo), std::chrono::milliseconds(50));
    worker.Publish(Copy("anna"));
    Sleep(600);
    *letGo = true;  // the redirector gives up: the listing fails
    CHECK(Within(2000, [&] { return !worker.Latest().folderOk; }));
    CHECK(worker.Latest().failingForMs >= 500);  // so the error look stays, not back for ten seconds
    CHECK(worker.Stop());
}
