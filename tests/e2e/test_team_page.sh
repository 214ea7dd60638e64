#!/usr/bin/env bash
# The Team page between two computers under Wine: this machine, and "PC-12" on
# a display of its own. Both copies share one team folder; this one's settings
# window shows its Team page, read through what it shows:
#   - PC-12's copy in the list of who is live, its designers in the list of
#     objects, sorted by type and number, with their names, German ones too
#     (the team folder's name has an umlaut as well); the objects open here
#     too in the alarm colour; the tray tooltip counts one in the team;
#   - the search box, reached by its access key, keeps the matching rows;
#     "über" and "ÜBER" find "Artikelübersicht";
#   - a designer closed on PC-12 leaves the page within two intervals;
#   - PC-12 shares its designer history: the designer it closed is in the
#     history here when asked for, and what it had open when it quit too,
#     the German name as it was;
#   - PC-12's copy quits: it leaves the page at once (long before the
#     liveness time);
#   - the folder gone, the page says so instead of a list; team mode off, it
#     says how to turn it on, and its button goes to the Options page.
set -u
set -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/program_lib.sh"
e2e_setup team_page || exit 1
source "$(dirname "$0")/team_lib.sh"

T27="Table 27 Item - Table Designer"
T27_PC12="Table 27 Artikelübersicht - Table Designer"
TEAM="$E2E_DIR/Team-Übersicht"
team_pc12 own
team_settings "$HERE" "$TEAM" 700 20 "Win1IconStart=0" "TabSelectedIndex=5"
team_settings "$PC12" "$TEAM" 520 20 "Win1IconStart=1" "TabSelectedIndex=5" "ShareHistory=1"

# ---- this computer: the client with the codeunit open, the settings window on the Team page.
team_here "$CU80" "$T27"
e2e_check_poll "the settings window here" 30 e2e_probe wait "$PROG_DIALOG" 1000 "$PROG_MAIN_MATCH"
MAIN=$(prog_main)
OBJECTS=${PROG_ID[TEAM_OBJECTS]}
PEOPLE=${PROG_ID[TEAM_PEOPLE]}
SEARCH=${PROG_ID[TEAM_SEARCH]}
objects() { e2e_probe rows "$MAIN" "$OBJECTS" | cut -d'|' -f1 | sed 's/ *$//' | paste -sd,; }
objects_are() { [[ $(objects) == "$1" ]]; }
people() { e2e_probe rows "$MAIN" "$PEOPLE" | cut -d'|' -f1 | sed 's/ *$//' | paste -sd,; }

# ---- PC-12 opens three designers, one of them the codeunit open here.
team_scenario "$E2E_DIR/pc12.txt" 0 "$T18_PC12" "$T27_PC12" "$CU80" "$R111"
team_start_pc12

USER_NAME=$(e2e_probe username)
WHO="$USER_NAME @ PC-12"
ALL="Table 18 Debitor,Table 27 Artikelübersicht,Report 111 Sales,Codeunit 80 Sales-Post"
e2e_check_poll "PC-12's designers by type and number, with their names" 20 objects_are "$ALL"
e2e_check_eq "PC-12's copy is live" "$WHO" "$(people)"
# row_colour <row>: the colour of an object row, sampled right of its time.
row_colour() {
    local l t r b
    read -r l t r b <<<"$(e2e_probe rowrect "$MAIN" "$OBJECTS" "$1")"
    e2e_probe pixel $((l + (r - l) * 93 / 100)) $(((t + b) / 2))
}
e2e_check_eq "the codeunit open here too stands out in the alarm colour" "$ALARM" "$(row_colour 3)"
e2e_check_eq "so does the table, whatever its name on PC-12" "$ALARM" "$(row_colour 1)"
e2e_check_eq "a row open on PC-12 only does not" 1 "$([[ $(row_colour 0) != "$ALARM" ]] && echo 1)"
e2e_check_poll "the tray tooltip counts one in the team" 5 tip_is " - 1 in the team"
e2e_screenshot team-page

# ---- the search box (what matches which words, the unit tests say), as a
# user types in it: a click on the page, Alt+S (the label's access key), the keys.
prog_click_rect "$(e2e_probe ctlrect "$MAIN" "$PEOPLE")"
xdotool key alt+s && xdotool type --delay 50 "80"
e2e_check_poll "'80' typed after Alt+S keeps the codeunit" 5 objects_are "Codeunit 80 Sales-Post"
for word in über ÜBER; do
    e2e_probe settext "$MAIN" "$SEARCH" "$word" >/dev/null
    e2e_check_poll "'$word' finds the German name" 5 objects_are "Table 27 Artikelübersicht"
done
e2e_probe settext "$MAIN" "$SEARCH" "" >/dev/null
e2e_check_poll "an empty search shows all again" 5 objects_are "$ALL"

# leaves_in_time <what> <command...>: the command succeeds within two intervals
# of now (the demo client's look at its scenario and the probe's come on top:
# 1.5 s more), and within 15 s at all.
leaves_in_time() {
    local what=$1 from ms
    shift
    from=$(date +%s%N)
    if e2e_poll 15 "$@"; then
        ms=$((($(date +%s%N) - from) / 1000000))
        if ((ms <= 2 * INTERVAL * 1000 + 1500)); then e2e_pass "$what left the page after $ms ms"
        else e2e_fail "$what left the page only after $ms ms"; fi
    else
        e2e_fail "$what is still on the page after 15 s"
    fi
}

# ---- PC-12 closes the table: it leaves this page within two intervals.
team_scenario "$E2E_DIR/pc12.txt" 0 "$T27_PC12" "$CU80" "$R111"
leaves_in_time "a closed designer" objects_are "Table 27 Artikelübersicht,Report 111 Sales,Codeunit 80 Sales-Post"

# ---- PC-12 shares its history: the table it closed is there when the history is asked for.
HISTORY=${PROG_ID[TEAM_HISTORY]}
history() { e2e_probe rows "$MAIN" "$HISTORY" | awk -F' [|] ' '{ print $1 "|" $2 }' | sort | paste -sd,; }
history_is() {
    local want=$1
    e2e_probe click "$MAIN" "${PROG_ID[TEAM_SHOW_HISTORY]}" >/dev/null  # asks for it (again)
    e2e_poll 5 eval '[[ $(history) == "$want" ]]'
}
e2e_check_poll "the history holds the table PC-12 closed" 15 history_is "Table 18 Debitor|$WHO"
e2e_check_poll "its export button shows with it" 2 e2e_probe shown "$MAIN" "${PROG_ID[TEAM_EXPORT]}"
e2e_probe click "$MAIN" "${PROG_ID[TEAM_SHOW_OPEN]}" >/dev/null
e2e_check_poll "back to the designers open now" 5 objects_are "Table 27 Artikelübersicht,Report 111 Sales,Codeunit 80 Sales-Post"

# ---- PC-12's copy quits: everything of it leaves at once, not after the liveness time.
PC12_MAIN=$(probe12 find "$PROG_DIALOG" "$PROG_MAIN_MATCH")
probe12 command "$PC12_MAIN" "$PROG_CMD_QUIT" >/dev/null
leaves_in_time "a copy that quit" eval '[[ -z $(objects) && -z $(people) ]]'
e2e_check_poll "what it had open at its quit is in the history too" 15 history_is \
    "Codeunit 80 Sales-Post|$WHO,Report 111 Sales|$WHO,Table 18 Debitor|$WHO,Table 27 Artikelübersicht|$WHO"
e2e_probe click "$MAIN" "${PROG_ID[TEAM_SHOW_OPEN]}" >/dev/null

# ---- the folder fails: words instead of a list; team mode off: the way to turn it on.
MESSAGE=${PROG_ID[TEAM_MESSAGE]} GO=${PROG_ID[TEAM_GO_TO_OPTIONS]}
mv "$TEAM" "$TEAM.gone"
# (a folder that fails for 10 s in a row is a network error; a brief failure is not)
e2e_check_poll "the folder gone: the page says so, no list" 25 \
    eval 'e2e_probe shown "$MAIN" "$MESSAGE" && ! e2e_probe shown "$MAIN" "$OBJECTS"'
e2e_probe settext "$MAIN" "${PROG_ID[TEAM_FOLDER]}" "" >/dev/null
e2e_probe key "$MAIN" "${PROG_ID[TEAM_FOLDER]}" 13 >/dev/null  # Enter: the cleared folder applies
e2e_check_poll "team mode off: the page says how to turn it on" 5 e2e_probe shown "$MAIN" "$GO"
e2e_probe click "$MAIN" "$GO" >/dev/null
e2e_check_poll "its button goes to the Options page" 5 prog_tab_is "$MAIN" 3

e2e_probe command "$MAIN" "$PROG_CMD_QUIT" >/dev/null
e2e_finish
