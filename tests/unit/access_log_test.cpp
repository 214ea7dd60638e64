// The access log through whole ticks: what a record holds, when one is
// written, and what happens when the file can't be written.
#include "accesslog/access_log.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "program/tick.h"
#include "sim_client.h"
#include "test_app.h"

namespace brisolt {
namespace {

const std::string kLogPath = "C:\\Logs\\access.csv";
const std::string kOrders = "Table 123 Demo Orders - Table Designer";
const std::string kPosting = "Codeunit 456 Demo Posting - C/AL Editor";
const std::string kCustomer = "Table 18 Customer - Table Designer";
using Strings = std::vector<std::string>;

// Field 3 (the object key) of each line, "" for a no-designer record; every
// line must end in CR LF.
Strings Keys(const std::string& log) {
    Strings keys;
    std::size_t start = 0;
    for (std::size_t end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::size_t key = log.find("\",\"", log.find("\",\"", start) + 3) + 3;
        keys.push_back(log.substr(key, log.find('"', key) - key));
    }
    EXPECT_EQ(start, log.size()) << "unterminated line in: " << log;
    return keys;
}

// A client on the desktop and a program that logs to kLogPath.
struct LoggingDesktop {
    LoggingDesktop() {
        t.app.settings.logging = true;
        t.app.settings.logFile = kLogPath;
    }
    void Tick() { RefreshWindowList(t.app); }
    std::string Log() { return t.files.content[kLogPath]; }
    Strings Keys() { return brisolt::Keys(Log()); }

    test::TestApp t;
    test::SimClient client{t.desktop};
};

TEST(AccessLogTick, FirstTickWritesOneRecordWithThatTicksCompany) {
    struct Case {
        const char* name;
        Strings windows;  // the client's, front-most first
        std::string record;
    };
    const Case cases[] = {
        {"Table", {kOrders},
         R"("jdoe","Muster GmbH","Table 123","Demo Orders","0","123","07.12.2026","12:34:56")"},
        // Windows in front that are no designers change nothing; the first designer counts.
        {"BehindTheObjectDesigner", {"Object Designer", "Table 0 - Table Designer", kPosting, kOrders},
         R"("jdoe","Muster GmbH","Codeunit 456","Demo Posting","4","456","07.12.2026","12:34:56")"},
        {"QuoteAndCommaUnchanged", {"Report 9 Say \"Hi\", Bob - Report Designer"},
         R"("jdoe","Muster GmbH","Report 9","Say "Hi", Bob","2","9","07.12.2026","12:34:56")"},
        {"NoDesigner", {"Object Designer"}, R"("jdoe","Muster GmbH","","","","","07.12.2026","12:34:56")"},
        // No company while the client lists no window.
        {"NoWindow", {}, R"("jdoe","","","","","","07.12.2026","12:34:56")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoggingDesktop d;
        for (const std::string& title : c.windows) d.client.Open(title);
        d.Tick();
        EXPECT_EQ(d.Log(), c.record + "\r\n");
        d.Tick();
        EXPECT_EQ(d.Log(), c.record + "\r\n");  // the same front window writes nothing more
    }
}

TEST(AccessLogTick, OneRecordEachTimeTheFrontDesignerChanges) {
    LoggingDesktop d;
    const WindowHandle a = d.client.Open(kOrders);
    const WindowHandle b = d.client.Open(kCustomer);
    d.Tick();
    d.Tick();
    d.client.Activate(b);
    d.Tick();
    d.client.Activate(a);
    d.Tick();
    d.Tick();
    EXPECT_EQ(d.Keys(), (Strings{"Table 123", "Table 18", "Table 123"}));

    // A window that is no designer coming to the front changes nothing.
    const WindowHandle list = d.client.OpenInFront("Object Designer");
    d.Tick();
    EXPECT_EQ(d.Keys().size(), 3u);

    // The last designer closes: one no-designer record, then nothing, also
    // when the last window closes.
    d.t.desktop.Remove(a);
    d.t.desktop.Remove(b);
    d.Tick();
    d.Tick();
    d.t.desktop.Remove(list);
    d.Tick();
    EXPECT_EQ(d.Keys(), (Strings{"Table 123", "Table 18", "Table 123", ""}));
    EXPECT_NE(d.Log().find(R"("jdoe","Muster GmbH","","","","",")"), std::string::npos);
    EXPECT_EQ(d.t.files.opens, 4);  // opened for a record only, not at every tick
}

TEST(AccessLogTick, NothingWhileOffOrWithoutClientAndTheLastRecordStillCounts) {
    LoggingDesktop d;
    const WindowHandle a = d.client.Open(kOrders);
    const WindowHandle b = d.client.Open(kCustomer);
    d.Tick();
    const int opens = d.t.files.opens;
    d.t.app.settings.logging = false;
    d.client.Activate(b);
    d.Tick();
    d.client.Activate(a);
    d.Tick();
    d.t.app.settings.logging = true;
    d.client.Quit();
    d.Tick();
    EXPECT_EQ(d.t.files.opens, opens);  // the file is not touched

    // Back with the last logged designer in front: nothing new.
    test::SimClient again(d.t.desktop);
    again.Open(kOrders);
    const WindowHandle customer = again.Open(kCustomer);
    d.Tick();
    EXPECT_EQ(d.Keys(), Strings{"Table 123"});
    again.Activate(customer);
    d.Tick();
    EXPECT_EQ(d.Keys(), (Strings{"Table 123", "Table 18"}));
}

TEST(AccessLogTick, FileThatCannotBeOpenedIsTriedAgainNextTick) {
    LoggingDesktop d;
    d.client.Open(kOrders);
    d.client.Open(kOrders);
    d.t.app.settings.logFile.clear();
    d.Tick();
    d.t.app.settings.logFile = kLogPath;
    d.t.files.unopenable.insert(kLogPath);
    d.Tick();
    EXPECT_TRUE(d.t.files.content.empty());
    EXPECT_TRUE(d.t.app.scan.clientWindows.at(1).duplicate);  // the scan goes on without the log
    d.t.files.unopenable.clear();
    d.Tick();
    EXPECT_EQ(d.Keys(), Strings{"Table 123"});
}

// Keeps every write apart; the second one fails.
struct CountingFiles : Files {
    struct File : AppendFile {
        explicit File(CountingFiles& files) : files(files) {}
        bool Write(const std::string& bytes) override {
            if (++files.calls == 2) return false;
            files.writes.push_back(bytes);
            return true;
        }
        CountingFiles& files;
    };
    std::unique_ptr<AppendFile> OpenAppend(const std::string&) override { return std::make_unique<File>(*this); }
    bool Exists(const std::string&) override { return !writes.empty(); }
    bool Replace(const std::string&, const std::string&) override { return false; }
    Strings writes;
    int calls = 0;
};

TEST(AccessLogTick, FailedWriteLeavesNoPartialLineAndIsRetried) {
    LoggingDesktop d;
    CountingFiles files;
    d.t.app.platform.files = &files;
    const WindowHandle a = d.client.Open(kOrders);
    const WindowHandle b = d.client.Open(kCustomer);
    d.Tick();
    d.client.Activate(b);
    d.Tick();  // fails
    d.Tick();
    d.client.Activate(a);
    d.Tick();
    std::string log;
    for (const std::string& w : files.writes) {
        EXPECT_EQ(w.find("\r\n"), w.size() - 2) << w;  // one whole record per write
        EXPECT_EQ(w.rfind("\"jdoe\",\"Muster GmbH\",", 0), 0u) << w;
        log += w;
    }
    EXPECT_EQ(Keys(log), (Strings{"Table 123", "Table 18", "Table 123"}));
}

TEST(AccessLog, DateAndTimeComeFromOneClockReading) {
    ScanResult scan;
    scan.clientMain = 0x10;
    scan.clientWindows = {{kOrders, 0x20, IdentifyDesigner(kOrders, FormDesignerVariant::Formular)}};
    scan.frontDesigner = 0;
    scan.company = "Muster GmbH";
    Settings settings;
    settings.logging = true;
    settings.logFile = kLogPath;
    test::FakeFiles files;
    test::FakeClock clock;
    clock.now = {2026, 12, 7, 23, 59, 59};
    clock.stepSeconds = 1;  // a second reading would fall on the next day

    AccessLog("jdoe").Record(scan, settings, files, clock);

    EXPECT_EQ(clock.reads, 1);
    EXPECT_EQ(files.content[kLogPath],
              R"("jdoe","Muster GmbH","Table 123","Demo Orders","0","123","07.12.2026","23:59:59")" "\r\n");
}

}  // namespace
}  // namespace brisolt
