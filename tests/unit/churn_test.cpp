// The scan under a desktop that never holds still: windows open, close and
// change order between ticks and in the middle of the walks. After every tick
// the tables, the duplicate flags and the access log must still agree.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>

#include "monitor/designer_title.h"
#include "monitor/scan_cycle.h"
#include "sim_client.h"
#include "test_app.h"

namespace brisolt {
namespace {

const char* const kTitles[] = {
    "Table 18 Customer - Table Designer",
    "Table 27 Item - Table Designer",
    "Form 21 Customer Card - Formular Designer",
    "Report 111 Customer - Top 10 List - Report Designer",
    "Codeunit 80 Sales-Post - C/AL Editor",
    "Table 0 Scratch - Table Designer",
    "Object Designer",
    "Main Menu",
    "Table 37 Sales Line, \"quoted\" - Table Designer",
    "Table 5050 Kontakt Größe - Table Designer",
};

// Every line: eight double-quoted fields, commas between them, CR LF at the end.
void ExpectWellFormedLog(const std::string& log) {
    std::size_t start = 0;
    while (start < log.size()) {
        std::size_t end = log.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "unterminated line";
        const std::string line = log.substr(start, end - start);
        EXPECT_EQ(line.front(), '"');
        EXPECT_EQ(line.back(), '"');
        EXPECT_EQ(line.find('\n'), std::string::npos);
        start = end + 2;
    }
}

TEST(ChurnTick, TablesFlagsAndLogStayConsistent) {
    test::TestApp t;
    App& app = t.app;
    auto& g = app.forms.frmAllgemein;
    g.chkLogging.Value = 1;
    g.chkAlarm.Value = 1;
    g.edLogFilename.Text = "C:\\log.txt";
    test::SimClient client(t.desktop);
    std::mt19937 rng(20261207);
    std::vector<WindowHandle> open;
    std::vector<WindowHandle> strangers;
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };

    for (int tick = 0; tick < 400; ++tick) {
        for (int change = 0; change < 3; ++change) {
            switch (pick(6)) {
                case 0:
                case 1: open.push_back(client.OpenInFront(kTitles[pick(std::size(kTitles))], pick(4) != 0)); break;
                case 2:
                    if (!open.empty()) {
                        std::size_t i = pick(open.size());
                        t.desktop.Remove(open[i]);
                        open.erase(open.begin() + i);
                    }
                    break;
                case 3:
                    if (!open.empty()) client.Activate(open[pick(open.size())]);
                    break;
                case 4: strangers.push_back(t.desktop.AddTopLevel("Editor " + std::to_string(tick))); break;
                case 5:
                    if (!strangers.empty()) {
                        t.desktop.Remove(strangers.back());
                        strangers.pop_back();
                    }
                    break;
            }
        }
        // Now and then a window closes while the walk is on it.
        t.desktop.onNextSibling = nullptr;
        if (pick(5) == 0 && !open.empty()) {
            WindowHandle victim = open.back();
            open.pop_back();
            t.desktop.onNextSibling = [&t, victim](WindowHandle w) {
                if (w == victim) t.desktop.Remove(victim);
            };
        }

        const long long soundsBefore = t.sound.exclamations;
        RefreshWindowList(app);

        const OpenObjectTable& table = app.scan.Objects;
        ASSERT_LE(table.Count, kWalkLimit);
        std::map<std::string, int> counts;
        for (int i = 0; i < table.Count; ++i) {
            const std::string& title = table.Rows[i].Title;
            EXPECT_FALSE(title.empty());
            EXPECT_LE(title.size(), 126u);
            ++counts[title];
        }
        long long pairs = 0;
        for (int i = 0; i < table.Count; ++i) {
            const std::string& title = table.Rows[i].Title;
            const bool dup = counts[title] > 1 && IsDesignerTitle(app, title);
            EXPECT_EQ(table.Rows[i].Duplicate, dup) << title;
            if (dup) pairs += counts[title] - 1;
        }
        EXPECT_EQ(t.sound.exclamations - soundsBefore, pairs);
        EXPECT_EQ(app.forms.frmFensterliste.lblClients.Caption, std::to_string(table.Count));
        // The last record names the front-most designer window the scan saw.
        std::string front = "-";
        for (int i = 0; i < table.Count; ++i)
            if (IsDesignerTitle(app, table.Rows[i].Title)) {
                front = table.Rows[i].Title;
                break;
            }
        EXPECT_EQ(app.accessLog.LastLoggedTitle, front);
    }
    ExpectWellFormedLog(t.files.content["C:\\log.txt"]);
    // Consecutive records never repeat the same object.
    std::istringstream lines(t.files.content["C:\\log.txt"]);
    std::string line, previous;
    int records = 0;
    while (std::getline(lines, line)) {
        const std::string fields = line.substr(0, line.rfind("\",\"", line.rfind("\",\"") - 1));
        EXPECT_NE(fields, previous);
        previous = fields;
        ++records;
    }
    EXPECT_GT(records, 20);
}

TEST(ChurnTick, ManyWindowsLongTitlesAndAClientWithoutMdiArea) {
    test::TestApp t;
    App& app = t.app;
    test::SimClient client(t.desktop);
    for (int i = 0; i < 1100; ++i) client.Open("Table " + std::to_string(i + 1) + " T - Table Designer");
    const std::string long500 = "Table 9 " + std::string(480, 'x') + ", \"q\" - Table Designer";
    client.OpenInFront(long500);
    client.OpenInFront(long500);
    RefreshWindowList(app);
    EXPECT_EQ(app.scan.Objects.Count, 1023);
    // Cut to 126 characters, the two long titles lose their suffix: equal, but no designer titles.
    EXPECT_EQ(app.scan.Objects.Rows[0].Title.size(), 126u);
    EXPECT_FALSE(app.scan.Objects.Rows[0].Duplicate);

    // A main window whose title matches but that has no children at all.
    test::TestApp bare;
    bare.desktop.AddTopLevel("Something");
    WindowHandle main = bare.desktop.AddTopLevel("Leer GmbH - Navision Financials");
    bare.app.forms.frmAllgemein.chkLogging.Value = 1;
    bare.app.forms.frmAllgemein.edLogFilename.Text = "C:\\l.txt";
    RefreshWindowList(bare.app);
    EXPECT_EQ(bare.app.scan.ClientMainWindow, main);
    EXPECT_EQ(bare.app.scan.Objects.Count, 0);
    EXPECT_EQ(bare.app.forms.frmAllgemein.lblMandantName.Caption, "");
    EXPECT_EQ(bare.files.content["C:\\l.txt"].substr(0, 1), "\"");  // the no-designer record
}

}  // namespace
}  // namespace brisolt
