// The Team page of the settings window: who is live in the team folder and
// which designers they have open, as the team exchange last read it (the page
// adds no folder I/O and never waits for the share), narrowed by the search
// box. It is built only while it is on screen, at every scan and at every
// change of the search text.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "program/history_page.h"
#include "team/record.h"

namespace brisolt {

struct App;

// The page's number, as the settings file stores the selected page.
inline constexpr int kTeamPage = 5;

struct TeamPersonRow {
    std::string who;    // "jdoe @ PC-12"
    std::string since;  // when its copy started; empty when its record does not say
    bool operator==(const TeamPersonRow& o) const { return who == o.who && since == o.since; }
};

struct TeamObjectRow {
    std::string object;  // "Codeunit 80 Sales-Post"; type and number when the record has no name
    std::string who;
    std::string since;
    bool openHere = false;  // this client has it open too: the row shows in the alarm colour
    bool operator==(const TeamObjectRow& o) const {
        return object == o.object && who == o.who && since == o.since && openHere == o.openHere;
    }
};

struct TeamRows {
    std::vector<TeamPersonRow> people;   // by who
    std::vector<TeamObjectRow> objects;  // those the filter keeps, by type, number, since and who
    std::size_t objectsOpen = 0;         // before the filter
    bool operator==(const TeamRows& o) const {
        return people == o.people && objects == o.objects && objectsOpen == o.objectsOpen;
    }
};

// The page's rows from the other copies' records (one per person, names fit
// to show) and this client's open objects. The filter's words must all match
// a row, ignoring case (`lower` puts a text in lower case, umlauts too): a
// word of digits matches the start of the object's number ("80" finds
// Codeunit 80 and Table 8000, not Table 180), any other word any part of the
// object's text or of who has it. `timeOfDay` turns a UTC second into the
// time a user reads; it runs for shown rows only.
using LowerCase = std::function<std::string(std::string_view)>;
TeamRows BuildTeamRows(const std::vector<team::Record>& others, const std::vector<team::ObjectId>& openHere,
                       std::string_view filter, const std::function<std::string(std::int64_t)>& timeOfDay,
                       const LowerCase& lower);

enum class TeamPageMode {
    Off,      // no team folder: how to turn it on
    Failing,  // the folder fails: words, no list
    Shown,    // the lists
};

// What the page shows; the native page carries it to the screen.
struct TeamPageView {
    TeamPageMode mode = TeamPageMode::Off;
    std::string filter;   // the search box, as the user types it
    TeamRows rows;
    std::string message;  // the words of Off and Failing
    std::string count;    // "12 designers on other computers", "2 of 12 shown"
    bool current = false; // built for the page on screen
    // The lower list: the designers open elsewhere, or the designer history.
    bool historyShown = false;
    TeamHistoryView history;
};

// The page is on screen: the settings window is shown with the Team page selected.
bool TeamPageShown(const App& app);
// Builds the page from the exchange's newest state while it is shown.
void UpdateTeamPage(App& app);
// The search text changed.
void SearchTeam(App& app);
// The button shown while team mode is off.
void GoToOptionsPage(App& app);

}  // namespace brisolt
