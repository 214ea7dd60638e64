#!/usr/bin/env bash
# The list follows the client's window events, not only the interval: with the
# interval at 5 s (so the timer cannot explain a fast reaction), a second copy
# of a designer turns its rows red, a new front designer reaches the access
# log, and so does an open designer brought to the front; every round within
# 1 s, five rounds each. Wine delivers the events of window creation and focus
# only (a switch comes as focus on the client area of the MDI child); closing
# falls back on the interval here (on Windows it comes by event too). Wine may
# send the creation event before the new window is shown: the second look
# after a creation event finds it. The exclamation sound keeps the interval's rhythm:
# over the same stretch of a lasting duplicate it plays as often with a storm
# of window events as without one.
set -u
source "$(dirname "$0")/lib.sh"
e2e_setup events || exit 1

NORMAL=0xC0FFC0
ALARM=0x8080FF
T18="Table 18 Customer - Table Designer"
CU80="Codeunit 80 Sales-Post - C/AL Editor"

APP=$E2E_DIR/app
mkdir -p "$APP"
cp "$E2E_DIST/brisolt.exe" "$APP/"
LOG=$APP/access.log
SCENARIO=$E2E_DIR/scenario.txt
# ms since the epoch
now_ms() { date +%s%3N; }

# scenario <child>...: the client's windows, front-most first ("churn=N" as it is).
scenario() {
    local c
    {
        echo "title=Muster GmbH - Navision Financials"
        echo "frame=0,0,700,500"
        for c in "$@"; do
            [[ -z $c ]] && continue
            if [[ $c == churn=* ]]; then echo "$c"; else echo "child=$c"; fi
        done
    } | e2e_write_scenario "$SCENARIO"
    WRITTEN=$(now_ms)
}
# Five designers, each of another object.
DESIGNERS=("Table 18 Customer - Table Designer" "Table 27 Item - Table Designer"
    "Codeunit 80 Sales-Post - C/AL Editor" "Report 206 Sales - Invoice - Report Designer"
    "Form 21 Customer Card - Formular Designer")
scenario "${DESIGNERS[@]}"
e2e_start democlient "$E2E_DIR" "$E2E_TOOLS/democlient.exe" "$(e2e_winpath "$SCENARIO")"
e2e_wait_window DemoClientFrame 30 || { e2e_fail "demo client did not start"; e2e_finish; exit; }

# Every exclamation is also said on the debug channel, which Wine prints with +debugstr.
printf '%s\r\n' "[WinLoc]" "Win1x=720" "Win1y=20" \
    "[Options]" "Language=1" "Intervall=5" "GlueList=0" "Alarm=1" \
    "Logging=1" "LogFilename=$(e2e_winpath "$LOG")" >"$APP/KelmorL.ini"
WINEDEBUG=+debugstr e2e_start brisolt "$APP" "$APP/brisolt.exe"
BRISOLT_LOG=$E2E_DIR/brisolt.log
e2e_check_poll "list window created" 30 e2e_probe wait BrisoltListWindow 1000
log_lines() { [[ -f $LOG ]] && wc -l <"$LOG" || echo 0; }
log_has_lines() { (($(log_lines) >= $1)); }
e2e_check_poll "first access log record" 15 log_has_lines 1
rows_are() { [[ $(e2e_list_row_colors "$1") == "$2" ]]; }
e2e_check_poll "five rows, normal" 15 rows_are 5 "$NORMAL $NORMAL $NORMAL $NORMAL $NORMAL"

# ---- a second copy of a designer: red within 1 s, five times in a row. Round k
# opens a copy of designer k in front, so designer k's own row (behind the k
# copies and the k - 1 designers before it) turns red. The list's place is read
# once; then the X screen itself is watched (a probe under Wine takes too long
# to time a reaction).
read -r L T R B <<<"$(e2e_probe client BrisoltListWindow)"
ROW=$(((B - T) / 5))
row_red() {
    local c
    c=$(e2e_pixel $((R - 1)) $((T + ROW * $1 + ROW / 2))) && [[ ${c^^} == "${ALARM^^}" ]]
}
# timed <what> <seconds> <check...>: the time from writing the scenario until
# the check passes; each round must be within 1 s. rounds_done <what> sums up.
WORST=0 BAD=0
timed() {
    local what=$1 took; shift
    if ! e2e_poll "$@"; then e2e_fail "$what: not seen within $1 s"; BAD=1; return; fi
    took=$(($(now_ms) - WRITTEN))
    ((took > WORST)) && WORST=$took
    ((took <= 1000)) || { e2e_fail "$what: took $took ms"; BAD=1; }
}
rounds_done() {
    ((BAD)) || e2e_pass "$1: five rounds, each within 1 s, the slowest $WORST ms"
    WORST=0 BAD=0
}
copies=()
for round in 1 2 3 4 5; do
    copies=("${DESIGNERS[round - 1]}" "${copies[@]}")
    scenario "${copies[@]}" "${DESIGNERS[@]}"
    timed "round $round: a new duplicate red" 6 row_red $((2 * round - 1))
done
rounds_done "a new duplicate red (the client reads its scenario every 200 ms)"

# ---- a new front designer, then an open designer brought to the front: in the
# access log within 1 s.
last_logged() { [[ $(tail -1 "$LOG" | cut -d, -f3 | tr -d '"') == "$1" ]]; }
key_of() { cut -d' ' -f1-2 <<<"$1"; }
reports=()
for round in 1 2 3 4 5; do
    reports=("Report 10$round Sales List $round - Report Designer" "${reports[@]}")
    scenario "${reports[@]}" "${DESIGNERS[@]}"
    timed "round $round: the new report logged" 6 last_logged "Report 10$round"
done
rounds_done "a new front designer logged"
# The user works in the client: a click into its front designer makes it the
# active window, where bringing a designer to the front moves the focus.
xdotool mousemove 100 150 click 1
scenario "${DESIGNERS[@]}"
e2e_check_poll "the reports closed, the first designer logged" 8 last_logged "$(key_of "$T18")"
for round in 1 2 3 4 5; do
    front=${DESIGNERS[round % 5]}
    scenario "$front" "${DESIGNERS[@]/$front/}"
    timed "switch $round: $front logged" 6 last_logged "$(key_of "$front")"
done
rounds_done "an open designer brought to the front logged"

# ---- the sound's rhythm: a lasting duplicate for 10 s, without and with a storm
# of window events (spare windows opening every 100 ms).
beeps() { grep -c 'exclamation' "$BRISOLT_LOG" 2>/dev/null || echo 0; }
count_beeps() {
    local before
    before=$(beeps)
    sleep 10
    echo $(($(beeps) - before))
}
scenario "$T18" "$T18" "$CU80"
e2e_poll 8 rows_are 3 "$ALARM $ALARM $NORMAL" || e2e_fail "the lasting duplicate did not show"
# The new duplicate sounded at once, and the next heartbeat passed its turn:
# the rhythm is the interval's from the one after.
sleep 6
quiet=$(count_beeps)
scenario "churn=100" "$T18" "$T18" "$CU80"
sleep 1
stormy=$(count_beeps)
if ((quiet >= 1 && stormy >= quiet - 1 && stormy <= quiet + 1)); then
    e2e_pass "beeps in 10 s of a lasting duplicate: $quiet without events, $stormy with a storm of them (the interval's rhythm; one apart at most from where the 10 s fall)"
else
    e2e_fail "beeps in 10 s of a lasting duplicate: $quiet without events, $stormy with a storm of them"
fi
e2e_check_poll "the program still answers" 5 e2e_probe wait BrisoltListWindow 1000
e2e_screenshot events

e2e_finish
