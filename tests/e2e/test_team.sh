#!/usr/bin/env bash
# Team mode between two computers under Wine: this machine, and "PC-12" (a Wine
# prefix of its own, whose processes run with the host name PC-12). Each runs a
# demo client and brisolt.exe; both copies share one team folder.
#   - table 18 open on both: both lists paint its row in the alarm colour and
#     name the other (the rows grow by the name), and the folder holds one
#     record per copy;
#   - the designer closed on PC-12: both lists clear;
#   - PC-12's copy killed (no Quit): this list clears within the liveness
#     margin (70 s after its last write);
#   - the team folder gone: the tray tooltip says ": Network error" once it
#     has failed for 10 s, the icon alternates, and the list keeps updating;
#   - Quit removes this copy's record at once.
set -u
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/program_lib.sh"
e2e_setup team || exit 1
source "$(dirname "$0")/team_lib.sh"

team_pc12
team_settings "$HERE" "$TEAM" 520 20 "Win1IconStart=1"
team_settings "$PC12" "$TEAM" 520 420 "Win1IconStart=1"
team_here "$T18" "$CU80"
e2e_check_poll "list window here" 30 e2e_probe wait BrisoltListWindow 1000

# rows_are <probe function> <colours of the two rows>: on this computer or on PC-12.
rows_are() { [[ $(e2e_list_row_colors 2 "$1") == "$2" ]]; }
list_width() { local l t r b; read -r l t r b <<<"$($1 client BrisoltListWindow)"; echo $((r - l)); }
e2e_check_poll "alone: both rows normal" 15 rows_are e2e_probe "$NORMAL $NORMAL"
ALONE_WIDTH=$(list_width e2e_probe)

team_scenario "$E2E_DIR/pc12.txt" 400 "$T18_PC12" "$R111"
team_start_pc12

# ---- table 18 on both computers (under two names): both warn, naming the other.
e2e_check_poll "here: table 18 in the alarm colour" 15 rows_are e2e_probe "$ALARM $NORMAL"
e2e_check_poll "PC-12: table 18 in the alarm colour" 15 rows_are probe12 "$ALARM $NORMAL"
wider() { (($(list_width e2e_probe) >= ALONE_WIDTH + 60)); }
e2e_check_poll "here: the row names who has it (the list grew from $ALONE_WIDTH px)" 5 wider
records=$(grep -l '^computer=' "$TEAM"/*.brisolt-team 2>/dev/null | wc -l)
e2e_check_eq "one record per copy in the team folder" 2 "$records"
e2e_check_eq "PC-12's record names its computer" 1 "$(grep -l '^computer=PC-12$' "$TEAM"/*.brisolt-team | wc -l)"
e2e_check_eq "PC-12's record has table 18 open" 1 "$(grep -c '^object=0 18 ' "$TEAM"/PC-12_*.brisolt-team)"
e2e_screenshot team
# The manual's picture (doc/img/team.png): both clients and their list windows.
import -window root -crop 880x760+0+0 +repage "$E2E_DIR/team-lists.png" 2>/dev/null

# ---- the designer closed on PC-12: both clear.
team_scenario "$E2E_DIR/pc12.txt" 400 "$R111" "Object Designer"
e2e_check_poll "here: table 18 normal again" 15 rows_are e2e_probe "$NORMAL $NORMAL"
e2e_check_poll "PC-12: normal" 15 rows_are probe12 "$NORMAL $NORMAL"

# ---- opened again, then PC-12's program dies without a word.
team_scenario "$E2E_DIR/pc12.txt" 400 "$T18_PC12" "$R111"
e2e_check_poll "here: table 18 in the alarm colour again" 15 rows_are e2e_probe "$ALARM $NORMAL"
kill -9 "$PC12_PID" 2>/dev/null
killed=$SECONDS
if e2e_poll 90 rows_are e2e_probe "$NORMAL $NORMAL"; then
    gone=$((SECONDS - killed))
    if ((gone <= 80)); then e2e_pass "a copy that died stops counting after $gone s"; else e2e_fail "a dead copy counted for $gone s"; fi
else
    e2e_fail "a dead copy still counts after 90 s"
fi

# ---- the team folder goes: the tray says so, the list goes on.
mv "$TEAM" "$TEAM.gone"
# (10 s of failure, then the alert timer's second; reading the tray's tooltip takes the probe up to a second)
e2e_check_poll "tray tooltip: network error after 10 s of failure" 14 tip_says_error
team_scenario "$E2E_DIR/here.txt" 0 "$T18" "$T18" "$CU80"
list_follows() { [[ $(e2e_list_row_colors 3) == "$ALARM $ALARM $NORMAL" ]]; }
e2e_check_poll "the list goes on (a local duplicate shows)" 10 list_follows
e2e_check_poll "the tooltip alternates with the plain caption" 5 tip_is ""
mv "$TEAM.gone" "$TEAM"
tip_stays_plain() { ! tip_says_error && sleep 1.5 && ! tip_says_error; }
e2e_check_poll "the folder back: the tooltip is plain again" 5 tip_stays_plain

# ---- Quit: this copy's record goes with it.
ours() { grep -L '^computer=PC-12$' "$TEAM"/*.brisolt-team 2>/dev/null | wc -l; }
e2e_check_poll "this copy's record is back in the folder" 10 eval '(($(ours) == 1))'
e2e_probe command "$(prog_main)" "$PROG_CMD_QUIT" >/dev/null
e2e_check_poll "Quit removed this copy's record" 10 eval '(($(ours) == 0))'

e2e_finish
