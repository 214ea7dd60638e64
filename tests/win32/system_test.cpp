// The settings file, the access-log files, the clock, the user's name and the
// version resource, on the real API.
#include <functional>
#include <memory>
#include <string>

#include "check.h"
#include "temp_dir.h"
#include "win32/base/win.h"
#include "win32/ports/win32_profile.h"
#include "win32/ports/win32_system.h"

using namespace brisolt::win32;

WIN_TEST(Profile_ReadsValuesDefaultsAndBufferLimits) {
    wintest::TempDir dir;
    std::string ini = dir.File("KelmorL.ini");
    wintest::WriteWholeFile(ini,
                            "[WinLoc]\r\nWin1x=600\r\nWin1y=  80\r\n[Options]\r\nParent=- Navi\r\n"
                            "LogFilename=C:\\logs\\access.log\r\n");
    Win32Profile profile(ini);
    struct Case {
        const char *section, *key, *def;
        std::size_t buffer;
        std::string expected;
    } cases[] = {
        {"WinLoc", "Win1x", "50", 257, "600"},
        {"WinLoc", "Win1y", "50", 257, "80"},        // leading blanks are dropped
        {"winloc", "WIN1X", "50", 257, "600"},       // names are case-insensitive
        {"Options", "Parent", "", 257, "- Navi"},
        {"Options", "LogFilename", "", 8, "C:\\logs"},  // at most buffer - 1 characters
        {"Options", "Missing", "dflt", 257, "dflt"},    // missing key
        {"Nowhere", "Win1x", "50", 257, "50"},          // missing section
    };
    for (const Case& c : cases) CHECK_EQ(c.expected, profile.Read(c.section, c.key, c.def, c.buffer));

    // A missing file gives the default too.
    std::string missing = dir.File("none.ini");
    Win32Profile none(missing);
    CHECK_EQ(std::string("-1"), none.Read("Options", "Language", "-1", 257));
}

WIN_TEST(Profile_WritesAndReadsBackThroughTheCurrentPath) {
    wintest::TempDir dir;
    std::string ini;  // filled in later, as start-up does
    Win32Profile profile(ini);
    ini = dir.File("KelmorL.ini");
    CHECK(profile.Write("Options", "Language", "1"));
    CHECK(profile.Write("WinLoc", "Win1x", "123"));
    CHECK(profile.Write("Options", "Language", "0"));  // replaced, not repeated
    CHECK_EQ(std::string("0"), profile.Read("Options", "Language", "-1", 257));
    CHECK_EQ(std::string("123"), profile.Read("WinLoc", "Win1x", "50", 257));
    const std::string text = wintest::ReadWholeFile(ini);
    CHECK(text.find("Language=0") != std::string::npos);
    CHECK(text.find("Language=1") == std::string::npos);
}

WIN_TEST(Profile_WriteIntoMissingFolderFails) {
    wintest::TempDir dir;
    std::string ini = dir.File("no such folder\\KelmorL.ini");
    Win32Profile profile(ini);
    CHECK(!profile.Write("Options", "Language", "1"));
}

// Windows refuses to replace a read-only file; Wine renames over it unless the
// rewrite refuses first. Either way the old settings stay byte for byte, and
// no copy is left beside them.
WIN_TEST(Profile_RewriteOfAReadOnlyFileKeepsItWhole) {
    wintest::TempDir dir;
    const std::string ini = dir.File("KelmorL.ini");
    const std::string old = "[Options]\r\nLanguage=1\r\n";
    wintest::WriteWholeFile(ini, old);
    CHECK(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY));
    Win32Profile profile(ini);
    {
        std::unique_ptr<brisolt::ProfileRewrite> rewrite = profile.BeginRewrite();
        if (rewrite) {
            rewrite->Write("Options", "Language", "0");
            CHECK(!rewrite->Commit());
        }
    }
    CHECK_EQ(old, wintest::ReadWholeFile(ini));
    CHECK((GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_READONLY) != 0);
    const std::string temp = ini + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
    CHECK(GetFileAttributesA(temp.c_str()) == INVALID_FILE_ATTRIBUTES);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);  // so the folder can go
}

// Where no copy can be made beside the settings file, Quit writes into the file
// itself: the settings are kept, and so are other programs' keys. Under Wine
// the folder that takes no new file is played by a folder sitting on the
// copy's name (a locked-down folder needs chattr from outside).
WIN_TEST(Profile_RewriteWithoutRoomForACopyWritesTheFileItself) {
    wintest::TempDir dir;
    const std::string suffix = "." + std::to_string(GetCurrentProcessId()) + ".tmp";
    const std::string old = "[WinLoc]\r\nWin1x=50\r\n[Other]\r\nKeep=1\r\n";
    // A folder deep enough that the settings file's path just fits MAX_PATH and the copy's does not.
    const std::string deep =
        dir.File(std::string(MAX_PATH - 1 - dir.Path().size() - 1 - 1 - std::string("KelmorL.ini").size(), 'd'));
    HANDLE held = INVALID_HANDLE_VALUE;  // (closed once the rewrite is done)
    struct Case {
        const char* what;
        std::string ini;
        std::function<void(const std::string&)> prepare;
        bool kept;  // whether the new settings land
    } cases[] = {
        {"the copy's name is taken", dir.File("taken.ini"),
         [&](const std::string& ini) { CHECK(CreateDirectoryA((ini + suffix).c_str(), nullptr)); }, true},
        {"the copy's name would be too long", deep + "\\KelmorL.ini",
         [&](const std::string&) { CHECK(CreateDirectoryA(deep.c_str(), nullptr)); }, true},
        {"another program holds the file", dir.File("held.ini"),
         [&](const std::string& ini) {
             wintest::WriteWholeFile(ini, old);
             held = CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
             CHECK(held != INVALID_HANDLE_VALUE);
         },
         false},
    };
    CHECK_EQ(std::size_t{MAX_PATH - 1}, cases[1].ini.size());
    for (const Case& c : cases) {
        c.prepare(c.ini);
        if (GetFileAttributesA(c.ini.c_str()) == INVALID_FILE_ATTRIBUTES) wintest::WriteWholeFile(c.ini, old);
        Win32Profile profile(c.ini);
        bool committed = false;
        if (std::unique_ptr<brisolt::ProfileRewrite> rewrite = profile.BeginRewrite()) {
            rewrite->Write("WinLoc", "Win1x", "600");
            rewrite->Write("Options", "Language", "1");
            committed = rewrite->Commit();
        }
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        held = INVALID_HANDLE_VALUE;
        if (committed != c.kept) wintest::Fail(__FILE__, __LINE__, std::string(c.what) + ": Commit said otherwise");
        if (c.kept) {
            CHECK_EQ(std::string("600"), profile.Read("WinLoc", "Win1x", "", 257));
            CHECK_EQ(std::string("1"), profile.Read("Options", "Language", "", 257));
            CHECK_EQ(std::string("1"), profile.Read("Other", "Keep", "", 257));
        } else {
            CHECK_EQ(old, wintest::ReadWholeFile(c.ini));
        }
        const std::string copy = c.ini + suffix;
        const DWORD attributes = GetFileAttributesA(copy.c_str());
        CHECK(attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY));  // no copy left
        DeleteFileA(c.ini.c_str());
        DeleteFileA(copy.c_str());
        RemoveDirectoryA(copy.c_str());
    }
    RemoveDirectoryA(deep.c_str());
}

WIN_TEST(Files_AppendKeepsEarlierRecords) {
    wintest::TempDir dir;
    Win32Files files;
    const std::string log = dir.File("access.log");
    CHECK(!files.Exists(log));
    {
        auto f = files.OpenAppend(log);
        CHECK(f != nullptr);
        if (f) CHECK(f->Write("\"jdoe\",\"Table 18\"\r\n"));
    }
    CHECK(files.Exists(log));
    {
        auto f = files.OpenAppend(log);
        CHECK(f != nullptr);
        if (f) {
            CHECK(f->Write("\"jdoe\",\"Form 21\"\r\n"));
            CHECK(f->Write(""));
        }
    }
    CHECK_EQ(std::string("\"jdoe\",\"Table 18\"\r\n\"jdoe\",\"Form 21\"\r\n"), wintest::ReadWholeFile(log));
}

WIN_TEST(Files_OthersMayReadTheLogWhileItIsOpen) {
    wintest::TempDir dir;
    Win32Files files;
    const std::string log = dir.File("access.log");
    auto f = files.OpenAppend(log);
    CHECK(f != nullptr);
    if (f) CHECK(f->Write("line\r\n"));
    HANDLE reader = CreateFileA(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    CHECK(reader != INVALID_HANDLE_VALUE);
    if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
}

WIN_TEST(Files_OnlyAFileExistsAndOnlyAFileOpens) {
    wintest::TempDir dir;
    Win32Files files;
    const std::string file = dir.File("access.log");
    wintest::WriteWholeFile(file, "line\r\n");
    CHECK(CreateDirectoryA(dir.File("logs").c_str(), nullptr));
    struct Case {
        std::string path;
        bool exists, opens;
    } cases[] = {
        {file, true, true},
        {"", false, false},
        {dir.File("nothing.txt"), false, true},  // created on opening
        {dir.File("missing folder\\access.log"), false, false},
        // A log or manual path naming a folder is no file to open.
        {dir.File("logs"), false, false},
        {dir.File("logs") + "\\", false, false},
        {dir.Path(), false, false},
    };
    const auto said = [](const std::string& path, bool yes) { return path + (yes ? ": yes" : ": no"); };
    for (const Case& c : cases) {
        CHECK_EQ(said(c.path, c.exists), said(c.path, files.Exists(c.path)));
        CHECK_EQ(said(c.path, c.opens), said(c.path, files.OpenAppend(c.path) != nullptr));
    }
}

WIN_TEST(Clock_FormatsDateAndTimeWithTheirNumbers) {
    Win32Clock clock;
    const brisolt::DateTime t{2026, 12, 7, 13, 34, 56};
    const std::string date = clock.DateText(t);
    const std::string time = clock.TimeText(t);
    CHECK(date.find("2026") != std::string::npos || date.find("26") != std::string::npos);
    CHECK(date.find('7') != std::string::npos);
    CHECK(time.find("34") != std::string::npos);
    CHECK(time.find("56") != std::string::npos);  // seconds are part of the time

    const brisolt::DateTime now = clock.Now();
    SYSTEMTIME st;
    GetLocalTime(&st);
    CHECK_EQ(static_cast<int>(st.wYear), now.year);
    CHECK(now.month >= 1 && now.month <= 12);
    CHECK(now.day >= 1 && now.day <= 31);

    const std::string hhmm = clock.TimeOfDayText(clock.UtcSeconds());
    CHECK_EQ(5u, hhmm.size());
    CHECK_EQ(':', hhmm.size() == 5 ? hhmm[2] : ' ');
}

WIN_TEST(IdentityAndCodePage_NameTheComputerAndFoldUmlauts) {
    CHECK(!Win32Identity().ComputerName().empty());
    // Windows-1252: "\xDC" is Ü, "\xFC" ü.
    CHECK_EQ(std::string("\xFC" "ber \xE4\xF6 abc"), Win32CodePage().Lower("\xDC" "BER \xC4\xD6 ABC"));
}

WIN_TEST(Version_ReadsTheProgramsVersionResource) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const brisolt::VersionInfo v = ReadVersionInfo(path);
    CHECK_EQ(std::string("Brisolt light"), v.productName);
    CHECK_EQ(1, v.major);
    CHECK_EQ(0, v.minor);
    CHECK_EQ(0, v.patch);
    CHECK_EQ(1, v.build);
    // The resource file is UTF-8; the copyright sign arrives as Windows-1252.
    CHECK_EQ(std::string("© 2026 Brisolt Software. Alle Rechte vorbehalten."), v.legalCopyright);

    const brisolt::VersionInfo none = ReadVersionInfo("C:\\no\\such\\file.exe");
    CHECK_EQ(std::string(), none.productName);
    CHECK_EQ(0, none.major);
}
