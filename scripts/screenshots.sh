#!/usr/bin/env bash
# Regenerates the manual's pictures under Wine + Xvfb: the five pages of the
# settings window in English and German (doc/img/options-<page>-<en|de>.png),
# the Team page's designer history (options-team-history-<en|de>.png)
# and the list window beside the demo client (doc/img/list-window.png). For the
# Team page, two other copies are played by this script: it keeps their records
# alive in a team folder (drive T: of the prefix) as a running copy would.
#
#   scripts/screenshots.sh              into doc/img (then rebuild: dist/Doc copies doc/)
#   scripts/screenshots.sh --dpi 144    the five pages at 144 dpi, in a prefix of their
#                                       own, into build/e2e/screenshots-144/ (layout check)
#
# Expects the windows build: dist/brisolt.exe and the demo client in build/windows/tools
# (cmake --preset windows && cmake --build --preset windows).
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
DPI=
[[ ${1:-} == --dpi ]] && DPI=${2:?"--dpi needs a value"}

if [[ -n $DPI ]]; then
    export WINEPREFIX=${WINEPREFIX:-$ROOT/build/wineprefix-prog$DPI}
    OUT=$ROOT/build/e2e/screenshots-$DPI
else
    export WINEPREFIX=${WINEPREFIX:-$ROOT/build/wineprefix-shots}
    OUT=$ROOT/doc/img
fi
# A display of our own: the pictures must not show anything else.
unset DISPLAY
source "$ROOT/tests/e2e/lib.sh"
source "$ROOT/tests/e2e/program_lib.sh"
e2e_setup "screenshots${DPI:+-$DPI}" || exit 1
mkdir -p "$OUT"

if [[ -n $DPI ]]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DPI" /f >/dev/null 2>&1
    # The setting takes effect for programs started after a restart of the server.
    wineserver -k; wineserver -w
    e2e_start_wineserver
    got=$(e2e_probe dpi)
    [[ $got == "$DPI" ]] || { echo "the prefix reports $got dpi, not $DPI"; exit 1; }
fi

FRAME_TITLE="Muster GmbH - Navision Financials"
DESIGNER="Table 18 Customer - Table Designer"
SCENARIO=$E2E_DIR/scenario.txt
APP=$E2E_DIR/app
mkdir -p "$APP"
cp "$E2E_DIST/brisolt.exe" "$APP/"

# The client with a table open twice, beside a few other windows.
e2e_write_scenario "$SCENARIO" <<EOF
title=$FRAME_TITLE
frame=0,48,700,560
child=$DESIGNER|320,10,340,200
child=$DESIGNER|345,45,340,200
child=Form 21 Customer Card - Form Designer|320,260,340,180
child=Codeunit 80 Sales-Post - C/AL Editor|345,290,340,180
child=Object Designer|20,40,300,380
child=Main Menu|min
EOF
e2e_start democlient "$E2E_DIR" "$E2E_TOOLS/democlient.exe" "$(e2e_winpath "$SCENARIO")"
e2e_wait_window DemoClientFrame 30 || { echo "the demo client did not start"; exit 1; }

# The list window right beside the client (its glue rule would put it at the
# screen's top, under Wine's tray window); the settings window hidden at first.
printf '%s\r\n' "[WinLoc]" "Win1x=706" "Win1y=60" \
    "[Options]" "Language=1" "Intervall=1" "Alarm=1" "Logging=1" "Win1IconStart=1" \
    "LogFilename=$(e2e_winpath "$APP")\\access.log" "Glue1=1" "GlueList=0" "ShortNames=0" >"$APP/KelmorL.ini"
e2e_start brisolt "$APP" "$APP/brisolt.exe"
e2e_probe wait "$PROG_DIALOG" 30000 "Muster GmbH - $PROG_MAIN_TITLE" >/dev/null ||
    { echo "the settings window did not show the company"; exit 1; }
MAIN=$(e2e_probe find "$PROG_DIALOG" "Muster GmbH - $PROG_MAIN_TITLE")
LIST=$(e2e_probe find BrisoltListWindow)

# union <title> <hwnd>: "W H X Y" of the box around the window of that title
# and the window with that handle (the list window has no title).
union() {
    local a b l t r d
    a=$(prog_x_geometry "$1") || return 1
    read -r l t r d <<<"$(e2e_probe rect "$2")" || return 1
    b="$((r - l)) $((d - t)) $l $t"
    awk -v a="$a" -v b="$b" 'BEGIN { split(a, p, " "); split(b, q, " ");
        l = p[3] < q[3] ? p[3] : q[3]; t = p[4] < q[4] ? p[4] : q[4];
        r = p[3] + p[1] > q[3] + q[1] ? p[3] + p[1] : q[3] + q[1];
        d = p[4] + p[2] > q[4] + q[2] ? p[4] + p[2] : q[4] + q[2];
        print r - l, d - t, l, t }'
}

# shot <file> <title> [hwnd]: the window (or the box around it and another)
# once two pictures in a row are the same.
shot() {
    local previous= geometry
    for _ in $(seq 1 50); do
        if [[ -n ${3:-} ]]; then geometry=$(union "$2" "$3"); else geometry=$(prog_x_geometry "$2"); fi
        [[ -n $geometry ]] && prog_crop "$1.tmp.png" "$geometry" || { sleep 0.2; continue; }
        local sum
        sum=$(md5sum <"$1.tmp.png")
        if [[ $sum == "$previous" ]]; then
            mv -f "$1.tmp.png" "$1"
            echo "$1"
            return 0
        fi
        previous=$sum
        sleep 0.3
    done
    rm -f "$1.tmp.png"
    echo "no steady picture for $1" >&2
    return 1
}

PAGES=(general list options team info)  # by tab, left to right
pages() {  # <language suffix> <window title>
    local n
    for n in 1 2 3 4 5; do
        prog_select_tab "$MAIN" "$n" || { echo "tab $n could not be selected" >&2; return 1; }
        shot "$OUT/options-${PAGES[n - 1]}-$1.png" "$2" || return 1
    done
}
tabs_are() { [[ $(prog_tabs "$MAIN") == "$1" ]]; }

status=0
if [[ -z $DPI ]]; then
    # Two rows in the alarm colour once the scan has run.
    alarm_row() { [[ $(e2e_probe pixel $(($(e2e_probe client "$LIST" | cut -d' ' -f3) - 1)) \
        $(($(e2e_probe client "$LIST" | cut -d' ' -f2) + 3))) == 0x8080FF ]]; }
    e2e_poll 20 alarm_row || { echo "no alarm row in the list window"; status=1; }
    # The Object Designer glued at the MDI area's full height (the area
    # loses its scroll bar once the designer has moved).
    glued() {
        [[ $(e2e_probe mdirect DemoClientFrame "Object Designer" | cut -d' ' -f4) == \
            $(e2e_probe mdiclient DemoClientFrame | cut -d' ' -f4) ]]
    }
    e2e_poll 20 glued || { echo "the Object Designer was not glued"; status=1; }
    shot "$OUT/list-window.png" "$FRAME_TITLE" "$LIST" || status=1
fi

# Team mode: two other copies (anna on PC-12, mark on PC-7) rewrite their
# records in the team folder every two seconds, as running copies do; one of
# them has the codeunit open that is open here too. The folder is drive T:.
TEAM=$E2E_DIR/team
mkdir -p "$TEAM"
ln -sfn "$TEAM" "$WINEPREFIX/dosdevices/t:"
record() {  # <file> <user> <computer> <run> <seq> <lines...>
    local file=$TEAM/$1.brisolt-team
    shift
    { printf 'BrisoltTeam 1\nuser=%s\ncomputer=%s\nrun=%s\nseq=%s\n' "$1" "$2" "$3" "$4"; shift 4
      printf '%s\n' "$@" end; } >"$file.tmp" && mv -f "$file.tmp" "$file"
}
other_copies() {
    local seq=0 now
    now=$(date +%s)
    while true; do
        seq=$((seq + 1))
        record PC-12_anna_a1 anna PC-12 a1 $seq "started=$((now - 5400))" "object=0 18 $((now - 1500))" \
            "object=4 80 $((now - 600))" "object=2 111 $((now - 2700))" "name=0 18 Customer" "name=4 80 Sales-Post" \
            "name=2 111 Customer - Top 10"
        record PC-7_mark_m1 mark PC-7 m1 $seq "started=$((now - 2000))" "object=1 21 $((now - 900))" \
            "object=0 36 $((now - 300))" "name=1 21 Customer Card" "name=0 36 Sales Header"
        sleep 2
    done
}
other_copies &
E2E_PIDS+=("$!")
# Their designer history of the last weeks (anna shares hers, mark his), as
# their copies append it: one file per person and month.
python3 - "$TEAM" <<'PY'
import sys, time
def check(body):
    h = 2166136261
    for c in body:
        h = ((h ^ c) * 16777619) & 0xFFFFFFFF
    return '%08x' % h
objects = [(4, '80', 'Sales-Post'), (0, '18', 'Customer'), (0, '27', 'Artikel\u00fcbersicht'),
           (2, '111', 'Customer - Top 10'), (1, '21', 'Customer Card'), (4, '90', 'Purch.-Post')]
now = int(time.time())
files = {}
for day in range(14):
    for n, (user, pc) in enumerate((('anna', 'PC-12'), ('mark', 'PC-7'))):
        for k in range(3):
            t, num, name = objects[(day * 3 + k * 2 + n) % len(objects)]
            start = now - day * 86400 - 3600 * (2 + 3 * k + n)
            end = start + 600 + 300 * k
            body = '\t'.join(['1', str(start), str(end), str(t), num, user, pc, name]).encode()
            month = time.strftime('%Y-%m', time.gmtime(start))
            files.setdefault(f'{pc}_{user}.{month}.brisolt-history', []).append(body + b'\t' + check(body).encode() + b'\n')
for name, lines in files.items():
    with open(f'{sys.argv[1]}/{name}', 'wb') as f:
        f.write(b'BrisoltHistory 1\n' + b''.join(lines))
PY
TEAM_FOLDER_ID=${PROG_ID[TEAM_FOLDER]}
e2e_probe settext "$MAIN" "$TEAM_FOLDER_ID" 'T:\' >/dev/null || { echo "the team folder could not be set"; status=1; }
e2e_probe key "$MAIN" "$TEAM_FOLDER_ID" 13 >/dev/null  # Enter: the folder applies
# Taken once it has stood still for a scan, and read.
team_read() { [[ $(e2e_probe rows "$MAIN" "${PROG_ID[TEAM_PEOPLE]}" | wc -l) == 2 ]]; }

# The settings window from the tray icon, in the free lower right corner of the
# screen, clear of the list window.
prog_tray_left_click "$MAIN"
e2e_poll 15 e2e_probe visible "$MAIN" || { echo "the settings window did not appear"; exit 1; }
read -r l t r b <<<"$(e2e_probe rect "$MAIN")"
e2e_probe move "$MAIN" - $((1024 - (r - l) - 8)) $((768 - (b - t) - 8)) $((r - l)) $((b - t)) >/dev/null

# history <language suffix>: the Team page's history, searched for "80".
history_rows() { [[ $(e2e_probe rows "$MAIN" "${PROG_ID[TEAM_HISTORY]}" | wc -l) -ge 2 ]]; }
history() {
    prog_select_tab "$MAIN" 4 || return 1
    e2e_probe click "$MAIN" "${PROG_ID[TEAM_SHOW_HISTORY]}" >/dev/null
    e2e_probe settext "$MAIN" "${PROG_ID[TEAM_SEARCH]}" "80" >/dev/null
    e2e_poll 20 history_rows || { echo "the history did not show" >&2; return 1; }
    shot "$OUT/options-team-history-$1.png" "Muster GmbH - $PROG_MAIN_TITLE" || return 1
    e2e_probe settext "$MAIN" "${PROG_ID[TEAM_SEARCH]}" "" >/dev/null
    e2e_probe click "$MAIN" "${PROG_ID[TEAM_SHOW_OPEN]}" >/dev/null
}

prog_select_tab "$MAIN" 4 && e2e_poll 20 team_read || { echo "the Team page did not show the team"; status=1; }
pages en "Muster GmbH - $PROG_MAIN_TITLE" || status=1
history en || status=1
e2e_probe command "$MAIN" "$PROG_CMD_GERMAN"
e2e_poll 15 tabs_are "Allgemein|Fensterliste|Optionen|Team|Info" || { echo "no German tabs"; status=1; }
pages de "Muster GmbH - $PROG_MAIN_TITLE" || status=1
history de || status=1

e2e_probe command "$MAIN" "$PROG_CMD_QUIT"
exit $status
