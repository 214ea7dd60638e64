#include "monitor/access_log.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "monitor/scan_cycle.h"
#include "sim_client.h"
#include "test_app.h"

namespace brisolt {
namespace {

const std::string kLogPath = "C:\\Logs\\access.csv";
const std::string kOrders = "Table 123 Demo Orders - Table Designer";
const std::string kPosting = "Codeunit 456 Demo Posting - C/AL Editor";
const std::string kCustomer = "Table 18 Customer - Table Designer";

// Splits the log into its lines; each must end in CR LF.
std::vector<std::string> Lines(const std::string& log) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(log.substr(start, end - start));
    EXPECT_EQ(start, log.size()) << "unterminated line in: " << log;
    return lines;
}

// Field 3 (the object key) of each line; "" for a no-designer record.
std::vector<std::string> Keys(const std::string& log) {
    std::vector<std::string> keys;
    for (const std::string& line : Lines(log)) {
        std::size_t start = 0;
        for (int field = 0; field < 2; ++field) start = line.find("\",\"", start) + 3;
        keys.push_back(line.substr(start, line.find('"', start) - start));
    }
    return keys;
}

class AccessLogTick : public ::testing::Test {
protected:
    AccessLogTick() {
        t.app.forms.frmAllgemein.chkLogging.Value = 1;
        t.app.forms.frmAllgemein.edLogFilename.Text = kLogPath;
    }
    void Tick() { tmr1_Timer(t.app); }
    std::string Log() { return t.files.content[kLogPath]; }
    std::string& LastLogged() { return t.app.accessLog.LastLoggedTitle; }

    test::TestApp t;
    test::SimClient client{t.desktop};
};

struct RecordCase {
    const char* name;
    std::vector<std::string> windows;  // client windows, front-most first
    std::string line;                  // the first tick's record
};

void PrintTo(const RecordCase& c, std::ostream* os) { *os << c.name; }

class AccessLogRecordTest : public AccessLogTick, public ::testing::WithParamInterface<RecordCase> {};

TEST_P(AccessLogRecordTest, ExactBytesOfTheFirstRecord) {
    for (const std::string& title : GetParam().windows) client.Open(title);
    Tick();
    EXPECT_EQ(Log(), GetParam().line);
    Tick();
    EXPECT_EQ(Log(), GetParam().line);  // the same front window writes nothing more
}

INSTANTIATE_TEST_SUITE_P(
    Records, AccessLogRecordTest,
    ::testing::Values(
        RecordCase{"Table",
                   {kOrders},
                   "\"jdoe\",\"\",\"Table 123\",\"Demo Orders\",\"0\",\"123\",\"07.12.2026\",\"12:34:56\"\r\n"},
        // Non-designer windows in front change nothing; the first designer counts.
        RecordCase{"BehindTheObjectDesigner",
                   {"Object Designer", "Table 0 - Table Designer", kPosting, kOrders},
                   "\"jdoe\",\"\",\"Codeunit 456\",\"Demo Posting\",\"4\",\"456\",\"07.12.2026\",\"12:34:56\"\r\n"},
        RecordCase{"QuoteAndCommaUnchanged",
                   {"Report 9 Say \"Hi\", Bob - Report Designer"},
                   "\"jdoe\",\"\",\"Report 9\",\"Say \"Hi\", Bob\",\"2\",\"9\",\"07.12.2026\",\"12:34:56\"\r\n"},
        RecordCase{"NoDesigner", {"Object Designer"}, "\"jdoe\",\"\",\"\",\"\",\"\",\"\",\"07.12.2026\",\"12:34:56\"\r\n"},
        RecordCase{"NoWindow", {}, "\"jdoe\",\"\",\"\",\"\",\"\",\"\",\"07.12.2026\",\"12:34:56\"\r\n"}),
    [](const ::testing::TestParamInfo<RecordCase>& info) { return info.param.name; });

TEST_F(AccessLogTick, CompanyIsTheOneThePreviousTickFound) {
    client.Open(kOrders);
    WindowHandle posting = client.Open(kPosting);
    Tick();
    client.Activate(posting);
    Tick();
    std::vector<std::string> lines = Lines(Log());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 12), "\"jdoe\",\"\",\"T");
    EXPECT_EQ(lines[1], "\"jdoe\",\"Muster GmbH\",\"Codeunit 456\",\"Demo Posting\",\"4\",\"456\",\"07.12.2026\","
                        "\"12:34:56\"");
}

TEST_F(AccessLogTick, OneRecordEachTimeTheFrontDesignerChanges) {
    WindowHandle a = client.Open(kOrders);
    WindowHandle b = client.Open(kCustomer);
    Tick();
    Tick();
    client.Activate(b);
    Tick();
    client.Activate(a);
    Tick();
    Tick();
    EXPECT_EQ(Keys(Log()), (std::vector<std::string>{"Table 123", "Table 18", "Table 123"}));

    // A non-designer window coming to the front changes nothing.
    WindowHandle list = client.OpenInFront("Object Designer");
    Tick();
    EXPECT_EQ(Keys(Log()).size(), 3u);

    // The last designer closes: one no-designer record, then silence.
    t.desktop.Remove(a);
    t.desktop.Remove(b);
    Tick();
    Tick();
    EXPECT_EQ(Keys(Log()), (std::vector<std::string>{"Table 123", "Table 18", "Table 123", ""}));
    EXPECT_EQ(LastLogged(), "-");

    t.desktop.Remove(list);
    Tick();
    EXPECT_EQ(Keys(Log()).size(), 4u);
}

TEST_F(AccessLogTick, NothingWhileLoggingIsOffAndTheLastTitleIsKept) {
    WindowHandle a = client.Open(kOrders);
    WindowHandle b = client.Open(kCustomer);
    Tick();
    t.app.forms.frmAllgemein.chkLogging.Value = 0;
    int opens = t.files.opens;
    client.Activate(b);
    Tick();
    client.Activate(a);
    Tick();
    EXPECT_EQ(t.files.opens, opens);  // the file is not touched
    EXPECT_EQ(LastLogged(), kOrders);

    t.app.forms.frmAllgemein.chkLogging.Value = 2;  // any value but 0 is on
    Tick();
    EXPECT_EQ(Keys(Log()), (std::vector<std::string>{"Table 123"}));
    client.Activate(b);
    Tick();
    EXPECT_EQ(Keys(Log()), (std::vector<std::string>{"Table 123", "Table 18"}));
}

TEST_F(AccessLogTick, NothingWhileTheClientIsGone) {
    client.Open(kOrders);
    Tick();
    client.Quit();
    int opens = t.files.opens;
    Tick();
    Tick();
    EXPECT_EQ(t.files.opens, opens);
    EXPECT_EQ(Keys(Log()), (std::vector<std::string>{"Table 123"}));

    // Back with the same designer in front: still nothing.
    test::SimClient again(t.desktop);
    again.Open(kOrders);
    Tick();
    EXPECT_EQ(Keys(Log()), (std::vector<std::string>{"Table 123"}));
    EXPECT_GT(t.files.opens, opens);  // opened again while the client runs
}

TEST_F(AccessLogTick, EmptyFileNameWritesNothingAndMonitoringGoesOn) {
    t.app.forms.frmAllgemein.edLogFilename.Text = "";
    client.Open(kOrders);
    client.Open(kOrders);
    Tick();
    EXPECT_TRUE(t.files.content.empty());
    EXPECT_EQ(LastLogged(), "");
    EXPECT_EQ(t.app.scan.Objects.Count, 2);
    EXPECT_TRUE(t.app.scan.Objects.Rows[0].Duplicate);
}

TEST_F(AccessLogTick, UnopenableFileIsTriedAgainNextTick) {
    client.Open(kOrders);
    t.files.unopenable.insert(kLogPath);
    Tick();
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(LastLogged(), "");
    t.files.unopenable.clear();
    Tick();
    EXPECT_EQ(Keys(Log()), (std::vector<std::string>{"Table 123"}));
}

// Records every Write call; the call numbered failingCall fails.
class RecordingFiles : public Files {
public:
    std::vector<std::string> writes;
    int calls = 0;
    int failingCall = 0;

    std::unique_ptr<AppendFile> OpenAppend(const std::string&) override {
        return std::make_unique<File>(*this);
    }
    bool Exists(const std::string&) override { return !writes.empty(); }

private:
    struct File : AppendFile {
        explicit File(RecordingFiles& files) : files_(files) {}
        bool Write(const std::string& bytes) override {
            if (++files_.calls == files_.failingCall) return false;
            files_.writes.push_back(bytes);
            return true;
        }
        RecordingFiles& files_;
    };
};

TEST_F(AccessLogTick, FailedWriteLeavesNoPartialLineAndIsRetried) {
    RecordingFiles files;
    files.failingCall = 2;
    t.app.platform.files = &files;
    WindowHandle a = client.Open(kOrders);
    WindowHandle b = client.Open(kCustomer);
    Tick();           // A: first call
    client.Activate(b);
    Tick();           // B: second call fails
    EXPECT_EQ(LastLogged(), kOrders);
    Tick();           // B again
    client.Activate(a);
    Tick();           // A
    std::string log;
    for (const std::string& w : files.writes) {
        // Every write is one whole record.
        EXPECT_EQ(w.find("\r\n"), w.size() - 2) << w;
        EXPECT_EQ(w.rfind("\"jdoe\",", 0), 0u) << w;
        log += w;
    }
    EXPECT_EQ(Keys(log), (std::vector<std::string>{"Table 123", "Table 18", "Table 123"}));
}

TEST(AccessLog, DateAndTimeComeFromOneClockReading) {
    test::TestApp t;
    t.app.forms.frmAllgemein.chkLogging.Value = 1;
    t.app.forms.frmAllgemein.edLogFilename.Text = kLogPath;
    t.app.scan.Objects.Rows[0].Title = kOrders;
    t.app.scan.Objects.Count = 1;
    t.clock.now = {2026, 12, 7, 23, 59, 59};
    t.clock.stepSeconds = 1;  // a second reading would be in the next day

    WriteAccessLog(t.app);

    EXPECT_EQ(t.clock.reads, 1);
    const std::string& log = t.files.content[kLogPath];
    const std::string tail = "\"07.12.2026\",\"23:59:59\"\r\n";
    ASSERT_GE(log.size(), tail.size());
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
}

}  // namespace
}  // namespace brisolt
