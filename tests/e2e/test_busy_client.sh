#!/usr/bin/env bash
# The client busy for seconds while the glue has moves to make: the demo
# client moves the Object Designer and the Toolbox out of place and then its
# window thread sleeps. brisolt.exe must not wait for it: the list window takes
# the user's clicks and its clock goes on while the client sleeps, and once the
# client wakes the glued windows end up in place.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/program_lib.sh"
e2e_setup busy_client || exit 1

SLEEP_MS=${BUSY_SLEEP_MS:-10000}
p() { e2e_probe "$@"; }
APP=$E2E_DIR/app
mkdir -p "$APP"
cp "$E2E_DIST/brisolt.exe" "$APP/"
SCENARIO=$E2E_DIR/scenario.txt

# scene <Object Designer box> <Toolbox box> [extra line]
scene() {
    e2e_write_scenario "$SCENARIO" <<EOF
title=Muster GmbH - Navision Financials
frame=0,0,1024,768
child=Table 18 Customer - Table Designer|300,20,400,250
child=Object Designer|$1
tool=Toolbox|$2
${3:-}
EOF
}

scene 40,100,280,400 700,300,120,200
e2e_start democlient "$E2E_DIR" "$E2E_TOOLS/democlient.exe" "$(e2e_winpath "$SCENARIO")"
e2e_wait_window DemoClientFrame 30 || { e2e_fail "demo client did not start"; e2e_finish; exit; }
printf '%s\r\n' "[WinLoc]" "Win1x=600" "Win1y=500" \
    "[Options]" "Language=1" "Intervall=1" "Glue1=1" "GlueList=1" "GlueToolbox=1" >"$APP/KelmorL.ini"
e2e_start brisolt "$APP" "$APP/brisolt.exe"
BRISOLT=$E2E_LAST_PID
e2e_check_poll "list window created" 60 p wait BrisoltListWindow 1000
((E2E_FAILED == 0)) || { e2e_finish; exit; }

read -r _ _ _ MDI_H <<<"$(p mdiclient DemoClientFrame)"
FRAME_BOTTOM=$(p rect DemoClientFrame | cut -d' ' -f4)
designer_at() { [[ $(p mdirect DemoClientFrame "Object Designer") == "$1" ]]; }
toolbox_at() { [[ $(p rect DemoClientTool Toolbox) == "$1" ]]; }
DESIGNER_GLUED="0 0 280 $MDI_H"
TOOLBOX_GLUED="0 $((FRAME_BOTTOM - 200)) 120 $FRAME_BOTTOM"
e2e_check_poll "Object Designer glued" 20 designer_at "$DESIGNER_GLUED"
e2e_check_poll "Toolbox glued" 20 toolbox_at "$TOOLBOX_GLUED"

# ---- the client moves both out of place and falls asleep.
scene 60,120,280,400 650,250,120,200 "sleep=$SLEEP_MS"
if ! e2e_poll 5 designer_at "60 120 340 520"; then
    e2e_fail "the client did not take the new scene"; e2e_finish; exit
fi
ASLEEP_AT=$SECONDS
# At least one tick since: the glue has asked for its moves.
sleep 1.5

# A right click folds the list window to a clock: the click is input, which a
# program waiting on another one does not take.
LIST_BEFORE=$(p rect BrisoltListWindow)
list_folded() { [[ $(p rect BrisoltListWindow) != "$LIST_BEFORE" ]]; }
read -r x y <<<"$(prog_centre "$LIST_BEFORE")"
xdotool mousemove "$x" "$y" click 3
e2e_check_poll "the list window takes a click while the client sleeps" 3 list_folded

# The clock repaints at every tick.
read -r l t r b <<<"$(p rect BrisoltListWindow)"
clock_pixels() { import -window root -crop "$((r - l))x$((b - t))+$l+$t" rgb:- 2>/dev/null | md5sum; }
CLOCK=$(clock_pixels)
clock_moved() { [[ $(clock_pixels) != "$CLOCK" ]]; }
e2e_check_poll "the folded list window's clock goes on while the client sleeps" 3 clock_moved
e2e_screenshot asleep

# All of that happened while the client slept: nothing of it has moved yet.
if designer_at "60 120 340 520"; then
    e2e_pass "the client was asleep all along (checks done $((SECONDS - ASLEEP_AT)) s into its sleep)"
else
    e2e_fail "the client woke before the checks were done; make BUSY_SLEEP_MS longer"
fi

# ---- the client wakes: the glue catches up.
WAKE=$((SLEEP_MS / 1000 + 15))
e2e_check_poll "Object Designer glued again once the client answers" "$WAKE" designer_at "$DESIGNER_GLUED"
e2e_check_poll "Toolbox glued again once the client answers" 10 toolbox_at "$TOOLBOX_GLUED"
list_beside_designer() { [[ $(p rect BrisoltListWindow | cut -d' ' -f1,2) == "280 0" ]]; }
e2e_check_poll "list window beside the Object Designer" 10 list_beside_designer
e2e_screenshot awake

gone() { ! kill -0 "$BRISOLT" 2>/dev/null; }
# (the caption names the client's company by now)
p command "$PROG_DIALOG" "$PROG_CMD_QUIT" "Muster GmbH - $PROG_MAIN_TITLE" >/dev/null
e2e_check_poll "Quit ends the program" 30 gone
e2e_finish
