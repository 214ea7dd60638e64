// Team mode end to end in memory: two copies of the program, each beside its
// own client, sharing one team folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "inline_team_channel.h"
#include "program/commands.h"
#include "program/menus.h"
#include "program/startup.h"
#include "program/team_mode.h"
#include "program/history_page.h"
#include "program/team_page.h"
#include "program/tick.h"
#include "program/tray_alert.h"
#include "sim_client.h"
#include "test_app.h"

namespace brisolt {
namespace {

constexpr Colour kAlarm = 0x00654321;

struct Copy : test::TestApp {
    test::SimClient client{desktop};
    test::FakeTeamFolder& folder;
    test::InlineTeamChannel channel;

    Copy(test::FakeTeamFolder& f, const std::string& user, const std::string& computer)
        : folder(f), channel(f, clock) {
        identity.name = user;
        identity.computer = computer;
        profile.text = "[Options]\r\nLanguage=1\r\nAlarm=1\r\nTeamFolder=\\\\server\\team\r\n";
        profile.exists = true;
        app.platform.team = &channel;
        ui.onCloseMainWindow = [this] { CloseSettingsWindow(app); };
        StartUp(app, "C:\\P");
        app.settings.alarmColour = kAlarm;
    }
    void Tick(int seconds = 2) {
        clock.steadyMs += seconds * 1000;
        clock.utcSeconds += seconds;
        // The share's clock: real time, which the copy that has run furthest tells.
        folder.shareMs = std::max(folder.shareMs, 1700000000000 + clock.steadyMs);
        listWindow.canvas.ops.clear();
        RefreshWindowList(app);
    }
    // The painted text of each client row, and whether its band is in the alarm colour.
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (const auto& op : listWindow.canvas.Texts()) rows.push_back(op.text);
        return rows;
    }
    int AlarmBands() const {
        int n = 0;
        for (const auto& op : listWindow.canvas.Fills()) n += op.color == kAlarm;
        return n;
    }
};

struct TeamMode : ::testing::Test {
    test::FakeTeamFolder folder;
    Copy jdoe{folder, "jdoe", "PC-1"};
    Copy anna{folder, "anna", "PC-12"};
    void TickBoth(int times = 1) {
        for (int i = 0; i < times; ++i) {
            jdoe.Tick();
            anna.Tick();
        }
    }
    // Both open `title` and see each other's record: jdoe's row warns.
    void BothOpen(const std::string& title) {
        jdoe.client.Open(title);
        anna.client.Open(title);
        TickBoth(2);
        ASSERT_EQ(jdoe.AlarmBands(), 1);
    }
};

TEST_F(TeamMode, TheSameObjectOpenOnTwoComputersIsSeenOnBothWithWhoHasIt) {
    // The same table under another name part, and a form under the other form-designer title.
    const WindowHandle mine = jdoe.client.Open("Table 18 Customer - Table Designer");
    jdoe.client.Open("Form 21 Card - Formular Designer");
    jdoe.client.Open("Table 27 Item - Table Designer");
    anna.app.settings.formularDesignerTitles = false;
    anna.client.Open("Table 18 Debitor - Table Designer");
    anna.client.Open("Form 21 Karte - Form Designer");
    TickBoth(2);

    EXPECT_EQ(jdoe.Rows(), (std::vector<std::string>{"Table 18 Customer - Table Designer  [anna @ PC-12, 12:34]",
                                                     "Form 21 Card - Formular Designer  [anna @ PC-12, 12:34]",
                                                     "Table 27 Item - Table Designer"}));
    EXPECT_EQ(anna.Rows(), (std::vector<std::string>{"Table 18 Debitor - Table Designer  [jdoe @ PC-1, 12:34]",
                                                     "Form 21 Karte - Form Designer  [jdoe @ PC-1, 12:34]"}));
    EXPECT_EQ(jdoe.AlarmBands(), 2);
    EXPECT_EQ(anna.AlarmBands(), 2);

    // Closing the designer on one computer clears the row on both.
    jdoe.desktop.Remove(mine);
    TickBoth(2);
    EXPECT_EQ(anna.Rows().at(0), "Table 18 Debitor - Table Designer");
    EXPECT_EQ(anna.AlarmBands(), 1);
}

TEST_F(TeamMode, SeveralOthersAreAllNamedAndEachNewPersonSoundsOnce) {
    Copy mark{folder, "mark", "PC-7"};
    jdoe.client.Open("Codeunit 80 Post - C/AL Editor");
    anna.client.Open("Codeunit 80 Post - C/AL Editor");
    jdoe.Tick();
    anna.Tick();
    jdoe.Tick();
    EXPECT_EQ(jdoe.sound.exclamations, 1);  // the overlap begins
    TickBoth(3);
    EXPECT_EQ(jdoe.sound.exclamations, 1);  // and lasts without a sound

    mark.clock.utcSeconds += 120;  // mark's computer runs two minutes ahead
    mark.client.Open("Codeunit 80 Post - C/AL Editor");
    mark.Tick();
    TickBoth();
    EXPECT_EQ(jdoe.sound.exclamations, 2);  // a new person on the same object
    EXPECT_EQ(jdoe.Rows().at(0), "Codeunit 80 Post - C/AL Editor  [anna @ PC-12, 12:34; mark @ PC-7, 12:36]");

    jdoe.app.settings.alarmSound = false;  // the alarm option rules this sound too
    anna.client.OpenInFront("Table 3 Payment Terms - Table Designer");
    anna.desktop.Remove(anna.desktop.Get(anna.client.mdiArea).children.back());  // anna closes the codeunit
    TickBoth(2);
    ASSERT_EQ(anna.Rows(), (std::vector<std::string>{"Table 3 Payment Terms - Table Designer"}));
    anna.client.Open("Codeunit 80 Post - C/AL Editor");  // and opens it again
    TickBoth(2);
    EXPECT_EQ(jdoe.sound.exclamations, 2);
}

TEST_F(TeamMode, ACopyThatQuitsGoesAtOnceAndOneThatStopsWithin30Seconds) {
    Copy mark{folder, "mark", "PC-7"};
    mark.client.Open("Report 111 Sales - Report Designer");
    mark.Tick();
    BothOpen("Report 111 Sales - Report Designer");

    MenuCommand(anna.app, kCmdQuit);  // Quit removes the record
    jdoe.Tick();
    EXPECT_EQ(jdoe.Rows().at(0), "Report 111 Sales - Report Designer  [mark @ PC-7, 12:34]");

    // mark's program stops without a word; its record stays in the folder.
    int seconds = 0;
    while (jdoe.AlarmBands() > 0 && seconds < 100) {
        jdoe.Tick();
        seconds += 2;
    }
    EXPECT_LE(seconds, 72);
    EXPECT_GE(seconds, 60);  // a live copy's worst gap, twice over
}

TEST_F(TeamMode, TheTrayShowsAFolderThatFailsOrHangsAndNothingElseChanges) {
    BothOpen("Table 18 Customer - Table Designer");
    auto alertShown = [&](int seconds) {  // the alert look within that many seconds of ticks
        bool shown = false;
        for (int i = 0; i < seconds / 2; ++i) {
            jdoe.Tick();
            shown = shown || jdoe.app.tray.icon == ":ksalert";
            TrayAlertTick(jdoe.app);
            shown = shown || jdoe.app.tray.icon == ":ksalert";
        }
        return shown;
    };
    folder.failList = true;  // a brief failure is no network error
    EXPECT_FALSE(alertShown(6));
    folder.failList = false;
    jdoe.Tick();
    folder.failList = true;  // ten seconds in a row are
    EXPECT_TRUE(alertShown(12));
    EXPECT_EQ(jdoe.AlarmBands(), 1);  // the list goes on, anna still named
    EXPECT_TRUE(jdoe.ui.boxes.empty());
    const std::string look = jdoe.app.tray.icon + jdoe.app.tray.toolTip;
    TrayAlertTick(jdoe.app);
    EXPECT_NE(look, jdoe.app.tray.icon + jdoe.app.tray.toolTip);  // it alternates
    folder.failList = false;
    jdoe.Tick();
    EXPECT_EQ(jdoe.app.tray.icon, ":ico");
    EXPECT_EQ(jdoe.app.tray.toolTip, "Muster GmbH - Brisolt light - 1 in the team");  // anna

    // The share hangs: no scan needed, the alert timer alone shows it, and
    // the rows stop naming anna within 30 s of the last answer.
    jdoe.channel.silentSinceMs = jdoe.clock.steadyMs;
    int seconds = 0;
    for (; jdoe.app.tray.icon != ":ksalert" || jdoe.AlarmBands() > 0; ++seconds) {
        jdoe.clock.steadyMs += 1000;
        jdoe.listWindow.canvas.ops.clear();
        TrayAlertTick(jdoe.app);
        ASSERT_LE(seconds, 30);
    }
    EXPECT_GE(seconds, 19);
    const int sounds = jdoe.sound.exclamations;
    jdoe.channel.silentSinceMs.reset();  // it answers again
    TickBoth();
    EXPECT_EQ(jdoe.app.tray.icon, ":ico");
    EXPECT_EQ(jdoe.AlarmBands(), 1);
    EXPECT_EQ(jdoe.sound.exclamations, sounds);  // the same overlap as before the blip: no second sound
}

TEST_F(TeamMode, TheFolderAppliesWhenTheUserLeavesItsBoxNotWhileTyping) {
    BothOpen("Table 18 Customer - Table Designer");

    for (const char* typed : {"\\\\server\\te", "", "\\\\se"}) {  // typing, pausing: nothing applies
        anna.app.settings.teamFolder = typed;
        TickBoth();
        EXPECT_EQ(anna.channel.configured, "\\\\server\\team");
    }
    anna.app.settings.teamFolder.clear();
    ApplyTeamFolder(anna.app);  // the user left the box: anna's record goes
    anna.Tick();
    EXPECT_EQ(anna.channel.configured, "");
    jdoe.Tick();
    EXPECT_EQ(jdoe.AlarmBands(), 0);
    EXPECT_EQ(folder.files.size(), 1u);  // jdoe's own record

    const int writes = folder.writes;
    for (int i = 0; i < 3; ++i) anna.Tick();
    EXPECT_EQ(folder.writes, writes);  // a copy without a team folder writes nothing
}

TEST_F(TeamMode, TheTeamPageIsBuiltOnlyWhileShownWithTheNamesTheOthersTitlesShow) {
    jdoe.client.Open("Codeunit 80 Sales-Post - C/AL Editor");
    anna.client.Open("Codeunit 80 Verkauf-Buchen - C/AL Editor");
    TickBoth(2);
    const TeamPageView& page = jdoe.app.view.team;
    EXPECT_TRUE(!page.current && page.rows.objects.empty());  // hidden: nothing built
    jdoe.app.view.visible = true;
    jdoe.app.settings.selectedPage = kTeamPage;
    jdoe.Tick();
    ASSERT_EQ(page.rows.objects.size(), 1u);
    EXPECT_EQ(page.rows.objects[0].object, "Codeunit 80 Verkauf-Buchen");
    EXPECT_TRUE(page.rows.objects[0].openHere);

    // The tray counts the others, a person once however many copies they
    // run (a terminal server session opened twice); the count stays whole
    // behind a caption too long for the tray.
    Copy annaAgain{folder, "anna", "PC-12"};
    annaAgain.client.Open("Table 18 Customer - Table Designer");
    for (int i = 0; i < 2; ++i) annaAgain.Tick(), jdoe.Tick();
    EXPECT_EQ(jdoe.app.tray.toolTip, "Muster GmbH - Brisolt light - 1 in the team");
    EXPECT_EQ(page.rows.people.size(), 1u);
    EXPECT_EQ(page.rows.objectsOpen, 2u);  // both copies' designers, under one person
    jdoe.desktop.Get(jdoe.client.main).title = std::string(150, 'M') + " - Navision Financials";
    jdoe.Tick();
    const std::string& tip = jdoe.app.tray.toolTip;
    EXPECT_LE(tip.size(), 127u);
    EXPECT_EQ(tip.substr(0, 4) + tip.substr(tip.find(" - 1 in the team")), "MMMM - 1 in the team");
}

// The history: the sessions of those who share it, from any computer, newest
// first, searched like the page's list, and exported as the page shows them.
TEST_F(TeamMode, TheHistoryHoldsTheSessionsOfThoseWhoShareAndExportsTheRowsShown) {
    anna.app.settings.shareHistory = true;  // jdoe does not share his
    const WindowHandle sales = anna.client.Open("Codeunit 80 Sales-Post - C/AL Editor");
    const WindowHandle jdoeSales = jdoe.client.Open("Codeunit 80 Sales-Post - C/AL Editor");
    TickBoth(2);  // anna shares from her first tick on, 12:34:58
    anna.client.Open("Table 18 Customer - Table Designer");
    TickBoth(1);
    anna.desktop.Remove(sales);  // closed: its session goes into anna's file
    jdoe.desktop.Remove(jdoeSales);  // and nowhere for jdoe
    TickBoth(1);
    MenuCommand(anna.app, kCmdQuit);  // what is still open closes with the quit

    jdoe.app.view.visible = true;
    jdoe.app.settings.selectedPage = kTeamPage;
    ShowDesignerHistory(jdoe.app);
    const TeamPageView& page = jdoe.app.view.team;
    EXPECT_EQ(page.count, "Reading the history...");
    jdoe.Tick();
    ASSERT_EQ(page.history.shown.size(), 2u);
    EXPECT_EQ(HistoryCell(page.history, 0, 0) + " | " + HistoryCell(page.history, 0, 1), "Table 18 Customer | anna @ PC-12");
    EXPECT_EQ(HistoryCell(page.history, 1, 0) + " | " + HistoryCell(page.history, 1, 2) + " | " +
                  HistoryCell(page.history, 1, 3),
              "Codeunit 80 Sales-Post | 07.12.2026 12:34 | 12:35");
    jdoe.app.view.team.filter = "SALES 80";
    SearchTeam(jdoe.app);
    EXPECT_EQ(page.count, "1 of 2 sessions shown");

    jdoe.ui.fileChoice = "C:\\docs\\cu80.csv";
    ExportHistory(jdoe.app);
    EXPECT_EQ(jdoe.files.content["C:\\docs\\cu80.csv"],
              "\"anna\",\"PC-12\",\"Codeunit 80\",\"Sales-Post\",\"4\",\"80\",\"07.12.2026\",\"12:34:58\",\"07.12.2026\",\"12:35:04\"\r\n");
    EXPECT_EQ(jdoe.ui.lastOpenFile.defaultExt, "csv");
}

}  // namespace
}  // namespace brisolt
