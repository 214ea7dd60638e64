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

NORMAL=0xC0FFC0
ALARM=0x8080FF
T18="Table 18 Customer - Table Designer"
T18_PC12="Table 18 Debitor - Table Designer"
CU80="Codeunit 80 Sales-Post - C/AL Editor"
R111="Report 111 Sales - Report Designer"
TEAM=$E2E_DIR/team
mkdir -p "$TEAM"
TEAM_WIN=$(e2e_winpath "$TEAM")

# ---- the second computer.
e2e_second_computer PC-12 || { e2e_fail "no second computer"; e2e_finish; exit; }
probe12() { e2e_pc2_probe "$@"; }

# scenario <file> <top> <child>...: a client whose main window stands at y = top.
scenario() {
    local file=$1 top=$2 c; shift 2
    {
        echo "title=Muster GmbH - Navision Financials"
        echo "frame=0,$top,500,360"
        for c in "$@"; do echo "child=$c"; done
    } | e2e_write_scenario "$file"
}
# settings <app folder> <list window's top>
settings() {
    printf '%s\r\n' "[WinLoc]" "Win1x=520" "Win1y=$2" \
        "[Options]" "Language=1" "Intervall=1" "GlueList=0" "Win1IconStart=1" "TeamFolder=$TEAM_WIN" \
        >"$1/KelmorL.ini"
}

HERE=$E2E_DIR/here PC12=$E2E_DIR/pc12
mkdir -p "$HERE" "$PC12"
cp "$E2E_DIST/brisolt.exe" "$HERE/"
cp "$E2E_DIST/brisolt.exe" "$PC12/"
settings "$HERE" 20
settings "$PC12" 420

scenario "$E2E_DIR/here.txt" 0 "$T18" "$CU80"
e2e_start democlient "$E2E_DIR" "$E2E_TOOLS/democlient.exe" "$(e2e_winpath "$E2E_DIR/here.txt")"
e2e_wait_window DemoClientFrame 30 || { e2e_fail "demo client did not start"; e2e_finish; exit; }
e2e_start brisolt "$HERE" "$HERE/brisolt.exe"
e2e_check_poll "list window here" 30 e2e_probe wait BrisoltListWindow 1000

# rows_are <probe function> <colours of the two rows>: on this computer or on PC-12.
rows_are() { [[ $(e2e_list_row_colors 2 "$1") == "$2" ]]; }
list_width() { local l t r b; read -r l t r b <<<"$($1 client BrisoltListWindow)"; echo $((r - l)); }
e2e_check_poll "alone: both rows normal" 15 rows_are e2e_probe "$NORMAL $NORMAL"
ALONE_WIDTH=$(list_width e2e_probe)

scenario "$E2E_DIR/pc12.txt" 400 "$T18_PC12" "$R111"
start_pc12_client() { e2e_pc2_start democlient12 "$E2E_DIR" "$E2E_TOOLS/democlient.exe" "$(e2e_winpath "$E2E_DIR/pc12.txt")"; }
pc12_client() { probe12 wait DemoClientFrame 1000 >/dev/null; }
start_pc12_client
# A Wine server that has just started may lose its first program: one more try.
e2e_poll 20 pc12_client || { e2e_log "PC-12's demo client did not come up: once more"; start_pc12_client; }
e2e_check_poll "the demo client on PC-12" 30 pc12_client
e2e_pc2_start brisolt12 "$PC12" "$PC12/brisolt.exe"
PC12_PID=$E2E_LAST_PID
pc12_list() { probe12 wait BrisoltListWindow 1000 >/dev/null; }
e2e_check_poll "list window on PC-12" 30 pc12_list

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
scenario "$E2E_DIR/pc12.txt" 400 "$R111" "Object Designer"
e2e_check_poll "here: table 18 normal again" 15 rows_are e2e_probe "$NORMAL $NORMAL"
e2e_check_poll "PC-12: normal" 15 rows_are probe12 "$NORMAL $NORMAL"

# ---- opened again, then PC-12's program dies without a word.
scenario "$E2E_DIR/pc12.txt" 400 "$T18_PC12" "$R111"
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
tip_says_error() { e2e_probe tiptexts | grep -q 'Brisolt light: Network error'; }
# (10 s of failure, then the alert timer's second; reading the tray's tooltip takes the probe up to a second)
e2e_check_poll "tray tooltip: network error after 10 s of failure" 14 tip_says_error
scenario "$E2E_DIR/here.txt" 0 "$T18" "$T18" "$CU80"
list_follows() { [[ $(e2e_list_row_colors 3) == "$ALARM $ALARM $NORMAL" ]]; }
e2e_check_poll "the list goes on (a local duplicate shows)" 10 list_follows
tip_is_plain() { e2e_probe tiptexts | grep -qx 'Muster GmbH - Brisolt light'; }
e2e_check_poll "the tooltip alternates with the plain caption" 5 tip_is_plain
mv "$TEAM.gone" "$TEAM"
tip_stays_plain() { ! tip_says_error && sleep 1.5 && ! tip_says_error; }
e2e_check_poll "the folder back: the tooltip is plain again" 5 tip_stays_plain

# ---- Quit: this copy's record goes with it.
ours() { grep -L '^computer=PC-12$' "$TEAM"/*.brisolt-team 2>/dev/null | wc -l; }
e2e_check_poll "this copy's record is back in the folder" 10 eval '(($(ours) == 1))'
e2e_probe command "$(prog_main)" "$PROG_CMD_QUIT" >/dev/null
e2e_check_poll "Quit removed this copy's record" 10 eval '(($(ours) == 0))'

e2e_finish
