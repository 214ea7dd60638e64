#!/usr/bin/env bash
# Shows Brisolt light at work beside the demo client (the stand-in ERP client),
# both under Wine.
#
# With a $DISPLAY: both programs open on it; edit build/demo/scenario.txt to open
# or close the client's windows; press Enter to stop.
# Without one: a short scripted demo on Xvfb (windows open, a table is opened a
# second time, the duplicate goes away; then a second developer on another
# computer opens the same table and both list windows warn, each naming the
# other), with screenshots under build/demo/.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT" || exit 1
source scripts/setup_env.sh
brisolt_install_packages || echo "package installation failed"
brisolt_check_programs || exit 1

cmake --preset windows >/dev/null && cmake --build --preset windows -j2 || { echo "build failed"; exit 1; }

SCRIPTED=0
[[ -z ${DISPLAY:-} ]] && SCRIPTED=1

source tests/e2e/lib.sh
e2e_setup demo "$ROOT/build/demo" || exit 1

FRAME_TITLE="Muster GmbH - Navision Financials"
SCENARIO=$E2E_DIR/scenario.txt
APP=$E2E_DIR/app
LOG=$APP/access.log
TEAM=$E2E_DIR/team  # the folder the team shares
mkdir -p "$APP" "$TEAM"
cp "$E2E_DIST/brisolt.exe" "$APP/"
cp -r "$E2E_DIST/Doc" "$APP/" 2>/dev/null

scenario() {  # scenario <extra child lines...>
    {
        echo "title=$FRAME_TITLE"
        echo "frame=0,0,1024,740"
        printf 'child=%s\n' "$@"
        echo "child=Object Designer|30,60,300,420"
        echo "child=Table 18 Customer - Properties|640,160,300,320"
        echo "child=Main Menu|430,470,220,180"
        echo "tool=Toolbox|760,420,110,190"
    } | e2e_write_scenario "$SCENARIO"
}
scenario "Table 18 Customer - Table Designer|340,30,380,220" \
    "Codeunit 80 Sales-Post - C/AL Editor|380,90,380,220"

printf '%s\r\n' \
    "[WinLoc]" "Win1x=600" "Win1y=500" \
    "[Options]" "Language=1" "Logging=1" "LogFilename=$(e2e_winpath "$LOG")" "Alarm=1" \
    "Glue1=1" "GlueList=1" "GlueToolbox=1" "GlueProperties=1" "GlueHauptmenue=1" \
    "Intervall=1" "Win1IconStart=1" "TeamFolder=$(e2e_winpath "$TEAM")" >"$APP/KelmorL.ini"

e2e_start democlient "$E2E_DIR" "$E2E_TOOLS/democlient.exe" "$(e2e_winpath "$SCENARIO")"
e2e_wait_window DemoClientFrame 30 || { echo "the demo client did not start"; exit 1; }
e2e_start brisolt "$APP" "$APP/brisolt.exe"
e2e_wait_window BrisoltListWindow 30 || { echo "brisolt.exe did not start"; exit 1; }

if ((!SCRIPTED)); then
    echo "Brisolt light and the demo client are running on $DISPLAY."
    echo "Edit $SCENARIO to open or close the client's windows (child=<title>, front-most first)."
    if [[ -t 0 ]]; then
        read -r -p "Press Enter to stop. " _
    else
        while kill -0 "$E2E_LAST_PID" 2>/dev/null; do sleep 1; done
    fi
    exit 0
fi

shots=()
settle() { sleep 3; }  # three scans at one-second intervals
shoot() { e2e_screenshot "$1" && shots+=("$E2E_DIR/$1.png"); }

settle
shoot 1-windows-open
echo "The user opens table 18 a second time: both rows turn red."
scenario "Table 18 Customer - Table Designer|380,90,380,220" \
    "Table 18 Customer - Table Designer|340,30,380,220" \
    "Codeunit 80 Sales-Post - C/AL Editor|420,150,380,220"
settle
shoot 2-duplicate
echo "One of the two windows is closed: the alarm is gone."
scenario "Codeunit 80 Sales-Post - C/AL Editor|420,150,380,220" \
    "Table 18 Customer - Table Designer|340,30,380,220"
settle
shoot 3-duplicate-gone

echo "A second developer, on the computer PC-12, opens table 18 too: both list windows warn, each naming the other."
e2e_second_computer PC-12 || { echo "no second computer"; exit 1; }
PC12=$E2E_DIR/pc12
mkdir -p "$PC12"
cp "$E2E_DIST/brisolt.exe" "$PC12/"
{
    echo "title=$FRAME_TITLE"
    echo "frame=60,420,560,320"
    echo "child=Table 18 Debitor - Table Designer"
    echo "child=Report 111 Sales - Report Designer"
} | e2e_write_scenario "$E2E_DIR/pc12.txt"
printf '%s\r\n' "[WinLoc]" "Win1x=640" "Win1y=560" \
    "[Options]" "Language=0" "Intervall=1" "GlueList=0" "Win1IconStart=1" "TeamFolder=$(e2e_winpath "$TEAM")" \
    >"$PC12/KelmorL.ini"
e2e_pc2_start democlient-pc12 "$E2E_DIR" "$E2E_TOOLS/democlient.exe" "$(e2e_winpath "$E2E_DIR/pc12.txt")"
e2e_pc2_start brisolt-pc12 "$PC12" "$PC12/brisolt.exe"
sleep 6  # both start, publish and read each other
shoot 4-team-warning

echo
echo "Screenshots:"
printf '  %s\n' "${shots[@]}"
echo "Access log ($LOG):"
tr -d '\r' <"$LOG" 2>/dev/null | sed 's/^/  /'
