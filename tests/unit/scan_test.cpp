// The scan on the simulated desktop: which windows the walks take, the
// company, the duplicate flags, and whole ticks on a desktop that changes
// while it is walked.
#include "scan/scan.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "program/tick.h"
#include "sim_client.h"
#include "test_app.h"

namespace brisolt {
namespace {

const std::string kClient = "Muster GmbH - Navision Financials";
const std::string kOrders = "Table 123 Demo Orders - Table Designer";
const std::string kCard = "Form 21 Demo Card - Formular Designer";
const std::string kPosting = "Codeunit 456 Demo Posting - C/AL Editor";
using Strings = std::vector<std::string>;

ScanResult Scan(test::SimDesktop& desktop, const ScanResult& previous = {}, const Settings& settings = {}) {
    return ScanDesktop(desktop, settings, previous);
}

Strings Titles(const ScanResult& r) {
    Strings titles;
    for (const ClientRow& row : r.clientWindows) titles.push_back(row.title);
    return titles;
}

TEST(ScanWalk, WalksStopAt1023Listed) {
    // Hidden and untitled windows are walked but not counted. The client as the
    // 1023rd window listed is still looked at; one further down is never reached.
    for (int above : {1022, 1023}) {
        test::SimDesktop desktop;
        for (int i = 0; i < above; ++i) {
            desktop.AddTopLevel("Window " + std::to_string(i));
            if (i % 100 == 0) desktop.AddTopLevel("Hidden", false);
            if (i % 100 == 1) desktop.AddTopLevel("");
        }
        test::SimClient client(desktop);
        client.Open(kOrders);
        desktop.AddTopLevel("Below");
        const ScanResult r = Scan(desktop);
        EXPECT_EQ(r.topLevel.size(), 1023u);
        EXPECT_EQ(r.clientMain, above == 1022 ? client.main : 0) << above;
        EXPECT_EQ(r.clientWindows.size(), above == 1022 ? 1u : 0u) << above;
    }
    test::SimDesktop desktop;
    desktop.AddTopLevel("Topmost");
    test::SimClient client(desktop);
    for (int i = 1; i <= 1100; ++i) client.Open("Table " + std::to_string(i) + " T - Table Designer");
    const ScanResult r = Scan(desktop);
    ASSERT_EQ(r.clientWindows.size(), 1023u);
    EXPECT_EQ(r.clientWindows.back().title, "Table 1023 T - Table Designer");
}

TEST(ScanWalk, MarkerFindsTheClientAndItsTitleNamesTheCompany) {
    struct Case {
        std::string marker, mainTitle;
        bool found;
        std::string company;
    };
    const Case cases[] = {
        {"- Navi", kClient, true, "Muster GmbH"},
        {"ter Gm", kClient, true, "Muster GmbH"},
        {std::string("- Navi\0Notepad", 14), kClient, true, "Muster GmbH"},
        {"Client", "Muster Client", true, ""},  // the company stands before "- Navision Financials"
        {"- navi", kClient, false, ""},
        {"", kClient, false, ""},  // an empty marker identifies no window at all
        {std::string("\0- Navi", 7), kClient, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("marker " + c.marker);
        test::SimDesktop desktop;
        desktop.AddTopLevel("Untitled - Notepad");
        test::SimClient client(desktop, c.mainTitle);
        client.Open(kOrders);
        Settings settings;
        settings.clientTitleMarker = c.marker;
        const ScanResult r = Scan(desktop, {}, settings);
        EXPECT_EQ(r.clientMain, c.found ? client.main : 0);
        EXPECT_EQ(r.clientWindows.size(), c.found ? 1u : 0u);
        EXPECT_EQ(r.company, c.company);
    }
}

TEST(ScanWalk, ClientIsTheFirstMatchBelowTheTopmostShownOrNot) {
    test::SimDesktop desktop;
    test::SimClient topmost(desktop, "Other GmbH - Navision Financials");
    topmost.Open(kCard);
    const WindowHandle above = desktop.AddTopLevel("Editor");
    test::SimClient first(desktop, "First AG - Navision Financials");
    first.Open(kOrders);
    desktop.Get(first.main).visible = false;
    test::SimClient second(desktop, "Second AG - Navision Financials");
    second.Open(kPosting);
    second.Open(kPosting);
    const WindowHandle below = desktop.AddTopLevel("Below");
    // The listed windows, each with whether it lies above the client.
    using Listed = std::vector<std::pair<WindowHandle, bool>>;
    auto listed = [](const ScanResult& r) {
        Listed l;
        for (const TopLevelRow& row : r.topLevel) l.push_back({row.window, row.beforeClient});
        return l;
    };

    ScanResult r = Scan(desktop);
    EXPECT_EQ(r.clientMain, first.main);
    EXPECT_EQ(Titles(r), Strings{kOrders});
    EXPECT_EQ(r.company, "First AG");
    EXPECT_EQ(listed(r), (Listed{{topmost.main, true}, {above, true}, {second.main, false}, {below, false}}));
    first.Quit();
    r = Scan(desktop, r);
    EXPECT_EQ(r.clientMain, second.main);
    EXPECT_EQ(r.company, "Second AG");
    // Without a client every window is judged against the client's last place.
    second.Quit();
    r = Scan(desktop, r);
    EXPECT_EQ(r.clientMain, 0u);
    EXPECT_EQ(listed(r), (Listed{{topmost.main, true}, {above, true}, {below, true}}));
}

TEST(ScanWalk, ClientWindowsListedFollowVisibility) {
    // A window counts as shown while it and every ancestor carry the visible
    // style; the first is listed even while hidden, an untitled one never.
    const std::string A = "A - Table Designer", B = "B - Form Designer", C = "C - Report Designer";
    struct Case {
        bool mainShown, areaShown;
        std::vector<std::pair<std::string, bool>> children;  // front-most first, shown or not
        Strings listed;
    };
    const Case cases[] = {
        {true, true, {{A, true}, {B, true}, {C, true}}, {A, B, C}},
        {true, true, {{A, true}, {B, false}, {C, true}}, {A, C}},
        {true, true, {{A, false}, {B, true}, {C, true}}, {A, B, C}},
        {true, false, {{A, true}, {B, true}, {C, true}}, {A}},
        {false, true, {{A, true}, {B, true}, {C, true}}, {A}},
        {false, true, {{A, false}, {B, true}}, {A}},
        {true, true, {{"", true}, {A, false}, {B, true}}, {B}},
        {true, true, {{A, true}, {"", true}, {B, true}}, {A, B}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        test::SimDesktop desktop;
        desktop.AddTopLevel("Editor");
        test::SimClient client(desktop);
        for (const auto& [title, shown] : c.children) client.Open(title, shown);
        desktop.Get(client.main).visible = c.mainShown;
        desktop.Get(client.mdiArea).visible = c.areaShown;
        const ScanResult r = Scan(desktop);
        EXPECT_EQ(r.clientMain, client.main);
        EXPECT_EQ(Titles(r), c.listed);
        EXPECT_EQ(r.topLevel.size(), c.mainShown ? 2u : 1u);
    }
}

TEST(ScanWalk, TitlesAreReadThrough127Characters) {
    const std::string x126(126, 'x');
    const std::string longA = x126 + "A - Table Designer", longB = x126 + "B - Table Designer";
    test::SimDesktop desktop;
    desktop.AddTopLevel(longA);
    desktop.AddTopLevel(longB);
    test::SimClient client(desktop);
    client.Open(longA);
    client.Open(longB);
    client.Open(std::string("Table 5 E - Table Designer\0junk", 31));
    const ScanResult r = Scan(desktop);
    EXPECT_EQ(Titles(r), (Strings{x126, x126, "Table 5 E - Table Designer"}));
    // The topmost window's title is cut too; the later ones are read whole.
    ASSERT_EQ(r.topLevel.size(), 3u);
    EXPECT_EQ(r.topLevel[0].title, x126);
    EXPECT_EQ(r.topLevel[1].title, longB);
}

TEST(ScanWalk, ClientPlaceAndMdiAreaAreKeptWhileNotFound) {
    test::SimDesktop desktop;
    desktop.AddTopLevel("Topmost");
    test::SimClient client(desktop, kClient, {10, 20, 800, 600});
    desktop.SetClientSize(client.mdiArea, 780, 520);
    desktop.Get(client.main).iconic = true;
    ScanResult r = Scan(desktop);
    EXPECT_EQ(r.client.rect, (Rect{10, 20, 810, 620}));
    EXPECT_TRUE(r.client.minimised && r.client.known && !r.clientBefore.known);
    EXPECT_EQ(r.mdiArea, (Rect{0, 0, 780, 520}));

    desktop.Remove(client.mdiArea);
    desktop.Get(client.main).place = {30, 40, 500, 400};
    desktop.Get(client.main).iconic = false;
    r = Scan(desktop, r);
    EXPECT_EQ(r.client.rect, (Rect{30, 40, 530, 440}));
    EXPECT_EQ(r.clientBefore.rect, (Rect{10, 20, 810, 620}));
    EXPECT_FALSE(r.client.minimised);
    EXPECT_EQ(r.mdiArea, (Rect{0, 0, 780, 520}));

    client.Quit();
    r = Scan(desktop, r);
    EXPECT_EQ(r.clientMain, 0u);
    EXPECT_TRUE(r.client.known);
    EXPECT_EQ(r.client.rect, (Rect{30, 40, 530, 440}));
    EXPECT_EQ(r.mdiArea, (Rect{0, 0, 780, 520}));
}

TEST(ScanDuplicates, DesignerTitlesOpenTwiceAreFlaggedAndRaiseTheAlarm) {
    const std::string longA = "Table 1 " + std::string(130, 'a') + "A - Table Designer";
    const std::string longB = "Table 1 " + std::string(130, 'a') + "B - Table Designer";
    struct Case {
        Strings titles;  // front-most first
        bool formular;
        std::string flags;  // D: duplicate; the alarm sounds when any row is one
    };
    const Case cases[] = {
        {{kOrders, kOrders}, true, "DD"},
        {{kOrders, kOrders, kOrders}, true, "DDD"},
        {{kOrders, kCard, "Object Designer", kOrders, kPosting, kCard}, true, "DD-D-D"},
        {{kCard, kOrders, kCard, kOrders, kCard}, true, "DDDDD"},
        {{kOrders, kCard, kPosting}, true, "---"},
        {{"Table 0 - Table Designer", "Table 0 - Table Designer"}, true, "--"},
        {{"Codeunit 0 - C/AL Editor", "Codeunit 0 - C/AL Editor"}, true, "DD"},
        {{kOrders, "Table 123 Demo ORDERS - Table Designer"}, true, "--"},
        {{"Object Designer", "Object Designer"}, true, "--"},
        {{kCard, kCard}, false, "--"},
        {{"Form 21 Card - Form Designer", "Form 21 Card - Form Designer"}, false, "DD"},
        {{longA, longB}, true, "--"},  // equal once cut to 126 characters, but no designer titles then
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.titles.front() + (c.formular ? " (Formular)" : " (Form)"));
        test::SimDesktop desktop;
        desktop.AddTopLevel("Topmost");
        test::SimClient client(desktop);
        for (const std::string& title : c.titles) client.Open(title);
        Settings settings;
        settings.formularDesignerTitles = c.formular;
        settings.alarmSound = true;
        const ScanResult r = Scan(desktop, {}, settings);
        std::string flags;
        for (const ClientRow& row : r.clientWindows) flags += row.duplicate ? 'D' : '-';
        EXPECT_EQ(flags, c.flags);
        EXPECT_EQ(r.alarm, c.flags.find('D') != std::string::npos);
    }
}

TEST(ScanTick, AlarmSoundsOnceATickWhileOnAndAPairIsOpen) {
    test::TestApp t;
    test::SimClient client(t.desktop);
    for (int i = 0; i < 3; ++i) client.Open(kOrders);
    t.app.settings.alarmSound = true;
    RefreshWindowList(t.app);
    RefreshWindowList(t.app);
    EXPECT_EQ(t.sound.exclamations, 2);  // three copies still sound once a tick
    t.app.settings.alarmSound = false;
    RefreshWindowList(t.app);
    EXPECT_TRUE(t.app.scan.clientWindows.at(0).duplicate);
    EXPECT_EQ(t.sound.exclamations, 2);
}

TEST(ScanTick, CaptionAndTooltipNameTheCompanyWhileTheClientListsAWindow) {
    test::TestApp t;
    test::SimClient client(t.desktop);
    auto expectShown = [&](const std::string& company, const std::string& caption) {
        RefreshWindowList(t.app);
        EXPECT_EQ(t.app.view.company, company);
        EXPECT_EQ(t.app.view.caption, caption);
        EXPECT_EQ(t.app.tray.toolTip, caption);
    };
    expectShown("", "Brisolt light");  // no window listed yet
    client.Open("Object Designer");
    expectShown("Muster GmbH", "Muster GmbH - Brisolt light");
    client.Quit();
    expectShown("", "Brisolt light");
}

TEST(ScanCompany, NamedBeforeTheMarkerUnlessADatabaseFile) {
    const std::pair<std::string, std::string> cases[] = {
        {"Muster GmbH - Navision Financials", "Muster GmbH"},
        {"Muster- Navision Financials", "Muste"},  // the character before the marker is always dropped
        {"A - Navision Financials", "A"},
        {"- Navision Financials", ""},
        {" - Navision Financials", ""},
        {"C:\\Data\\test.fdb - Navision Financials", ""},  // a database file, in any capitals
        {"Demo.FdB - Navision Financials", ""},
        {".fdb - Navision Financials", ""},
        {"Demo.fdbx - Navision Financials", "Demo.fdbx"},
        {"fdb - Navision Financials", "fdb"},
        {"Muster Client", ""},
    };
    for (const auto& [title, company] : cases) EXPECT_EQ(CompanyFromTitle(title), company) << title;
}

// --- a desktop that changes while it is walked ---

TEST(ScanTick, WindowClosingMidWalkAboveTheClientLosesNothing) {
    // Closed as its title is read, or the one just above the client closed
    // while an earlier one is read: the walk goes on to the client below.
    for (bool closeTheOneRead : {true, false}) {
        SCOPED_TRACE(closeTheOneRead ? "the window read" : "the window above the client");
        test::TestApp t;
        t.app.settings.logging = true;
        t.app.settings.logFile = "C:\\access.csv";
        std::vector<WindowHandle> above;
        for (int i = 0; i < 3; ++i) above.push_back(t.desktop.AddTopLevel("Window " + std::to_string(i)));
        test::SimClient client(t.desktop);
        client.Open(kOrders);
        const WindowHandle posting = client.Open(kPosting);
        RefreshWindowList(t.app);

        t.desktop.onTitleRead = [&, trigger = above[closeTheOneRead ? 2 : 1]](WindowHandle w) {
            if (w == trigger) t.desktop.Remove(above[2]);
        };
        client.Activate(posting);
        RefreshWindowList(t.app);
        EXPECT_EQ(t.app.scan.clientMain, client.main);
        EXPECT_EQ(Titles(t.app.scan), (Strings{kPosting, kOrders}));
        EXPECT_EQ(t.app.scan.topLevel.size(), 3u);  // two left above, and the client
        EXPECT_EQ(t.app.view.company, "Muster GmbH");
        EXPECT_EQ(t.files.content["C:\\access.csv"],
                  R"("jdoe","Muster GmbH","Table 123","Demo Orders","0","123","07.12.2026","12:34:56")" "\r\n"
                  R"("jdoe","Muster GmbH","Codeunit 456","Demo Posting","4","456","07.12.2026","12:34:56")" "\r\n");
    }
}

TEST(ScanWalk, ClientQuittingDuringItsWalkKeepsWhatWasRead) {
    test::SimDesktop desktop;
    desktop.AddTopLevel("Topmost");
    test::SimClient client(desktop);
    client.Open(kOrders);
    const WindowHandle second = client.Open(kOrders);
    client.Open(kOrders);
    desktop.AddTopLevel("Below");
    desktop.onTitleRead = [&](WindowHandle w) {
        if (w == second) client.Quit();
    };
    const ScanResult r = Scan(desktop);
    EXPECT_EQ(r.clientMain, client.main);
    EXPECT_EQ(Titles(r), Strings{kOrders});
    EXPECT_FALSE(r.clientWindows.at(0).duplicate);
}

}  // namespace
}  // namespace brisolt
