# What the team scripts share, sourced after e2e_setup: the demo client's
# scenario, the program's settings with team mode on, the tray's tooltip, and a
# second computer "PC-12" (a Wine prefix of its own, whose processes run with
# the host name PC-12, on this display or one of its own) beside this one, both
# copies on the team folder $TEAM.
NORMAL=0xC0FFC0
ALARM=0x8080FF
T18="Table 18 Customer - Table Designer"
T18_PC12="Table 18 Debitor - Table Designer"
CU80="Codeunit 80 Sales-Post - C/AL Editor"
R111="Report 111 Sales - Report Designer"
INTERVAL=1
TEAM=$E2E_DIR/team HERE=$E2E_DIR/here PC12=$E2E_DIR/pc12
PC12_DISPLAY=

# team_scenario <file> <top> <child>...: a client whose main window stands at y = top.
team_scenario() {
    local file=$1 top=$2 c; shift 2
    {
        echo "title=Muster GmbH - Navision Financials"
        echo "frame=0,$top,500,360"
        for c in "$@"; do echo "child=$c"; done
    } | e2e_write_scenario "$file"
}
# team_settings <app folder> <team folder> <list window's left> <top> <more [Options] lines>...
team_settings() {
    local dir=$1 folder=$2 x=$3 y=$4; shift 4
    # The settings file is in the Windows code page, as the program writes it.
    printf '%s\r\n' "[WinLoc]" "Win1x=$x" "Win1y=$y" "[Options]" "Language=1" "Intervall=$INTERVAL" "GlueList=0" \
        "TeamFolder=$(e2e_winpath "$folder")" "$@" | iconv -f UTF-8 -t CP1252 >"$dir/KelmorL.ini"
}
tip_says_error() { e2e_probe tiptexts | grep -q 'Brisolt light: Network error'; }
# tip_is <suffix>: the tray's tooltip is the caption and that ("": the plain caption).
tip_is() { e2e_probe tiptexts | grep -qx "Muster GmbH - Brisolt light$1"; }

# team_here <child>...: this computer's client and copy, from $HERE (settings written first).
team_here() {
    team_scenario "$E2E_DIR/here.txt" 0 "$@"
    e2e_start democlient "$E2E_DIR" "$E2E_TOOLS/democlient.exe" "$(e2e_winpath "$E2E_DIR/here.txt")"
    e2e_wait_window DemoClientFrame 30 || { e2e_fail "demo client did not start"; e2e_finish; exit; }
    e2e_start brisolt "$HERE" "$HERE/brisolt.exe"
}

# team_pc12 [own]: the team folder, the program in $HERE and $PC12, and the
# second computer, given "own" on an X display of its own.
team_pc12() {
    mkdir -p "$TEAM" "$HERE" "$PC12"
    cp "$E2E_DIST/brisolt.exe" "$HERE/"
    cp "$E2E_DIST/brisolt.exe" "$PC12/"
    if [[ ${1:-} == own ]]; then
        e2e_new_xvfb 1024x768x24 || { e2e_fail "no display for PC-12"; e2e_finish; exit; }
        E2E_PIDS+=("$E2E_NEW_XVFB_PID")
        PC12_DISPLAY=$E2E_NEW_DISPLAY
        e2e_log "PC-12's screen on $PC12_DISPLAY"
    fi
    DISPLAY=${PC12_DISPLAY:-$DISPLAY} e2e_second_computer PC-12 || { e2e_fail "no second computer"; e2e_finish; exit; }
}
probe12() { DISPLAY=${PC12_DISPLAY:-$DISPLAY} e2e_pc2_probe "$@"; }
pc12_start() { DISPLAY=${PC12_DISPLAY:-$DISPLAY} e2e_pc2_start "$@"; }

# team_start_pc12: PC-12's client on the scenario pc12.txt, then its copy (pid PC12_PID).
team_start_pc12() {
    local scenario
    scenario=$(e2e_winpath "$E2E_DIR/pc12.txt")
    pc12_client() { probe12 wait DemoClientFrame 1000 >/dev/null; }
    pc12_start democlient12 "$E2E_DIR" "$E2E_TOOLS/democlient.exe" "$scenario"
    # A Wine server that has just started may lose its first program: one more try.
    e2e_poll 20 pc12_client || {
        e2e_log "PC-12's demo client did not come up: once more"
        pc12_start democlient12 "$E2E_DIR" "$E2E_TOOLS/democlient.exe" "$scenario"
    }
    e2e_check_poll "the demo client on PC-12" 30 pc12_client
    pc12_start brisolt12 "$PC12" "$PC12/brisolt.exe"
    PC12_PID=$E2E_LAST_PID
    e2e_check_poll "the list window on PC-12" 30 probe12 wait BrisoltListWindow 1000
}
