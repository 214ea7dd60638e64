#!/usr/bin/env bash
# brisolt.exe beside the demo client under Wine: the access log, the alarm colour
# of duplicate rows in the list window, the glued tool windows and the company
# in the caption, as a user would see them.
set -u
source "$(dirname "$0")/lib.sh"
e2e_setup scan_demo || exit 1

FRAME_TITLE="Müller GmbH - Navision Financials"
DESIGNER="Table 18 Customer - Table Designer"
CODEUNIT="Codeunit 80 Verkauf-Buchung Übersicht - C/AL Editor"
NORMAL=0xC0FFC0
ALARM=0x8080FF

APP=$E2E_DIR/app
mkdir -p "$APP"
cp "$E2E_DIST/brisolt.exe" "$APP/"
LOG=$APP/access.log
SCENARIO=$E2E_DIR/scenario.txt

# ---- the client: two windows of table 18, an Object Designer out of place, a
# Properties window, a codeunit, the main menu and a floating Toolbox.
e2e_write_scenario "$SCENARIO" <<EOF
title=$FRAME_TITLE
frame=0,0,1024,768
child=$DESIGNER|300,20,400,250
child=$DESIGNER|340,60,400,250
child=Object Designer|40,100,280,400
child=Table 18 Customer - Properties|600,200,300,300
child=$CODEUNIT|380,100,400,250
child=Main Menu|420,400,200,150
tool=Toolbox|700,300,120,200
EOF
ROWS=6
e2e_start democlient "$E2E_DIR" "$E2E_TOOLS/democlient.exe" "$(e2e_winpath "$SCENARIO")"
e2e_wait_window DemoClientFrame 30 || { e2e_fail "demo client did not start"; e2e_finish; exit; }

# ---- brisolt.exe with its settings beside it.
printf '%s\r\n' \
    "[WinLoc]" "Win1x=600" "Win1y=500" \
    "[Options]" "Language=1" "Logging=1" "LogFilename=$(e2e_winpath "$LOG")" "Alarm=1" \
    "Glue1=1" "GlueList=1" "GlueToolbox=1" "GlueProperties=1" "Intervall=1" >"$APP/KelmorL.ini"
e2e_start brisolt "$APP" "$APP/brisolt.exe"
e2e_check_poll "list window created" 30 e2e_probe wait BrisoltListWindow 1000
((E2E_FAILED == 0)) || { e2e_screenshot 0-no-list-window; e2e_finish; exit; }

IDENTITY=$(e2e_probe username)
DATETIME_RE='"[^"]+","[^"]+"'$'\r''$'

# e2e_check_log_line <line number> <fields 1 to 6 as written>: the line holds
# exactly these fields, then a non-empty date and time, then CR LF. The log is
# in the Windows code page: the company and the codeunit have umlauts.
check_log_line() {
    local n=$1 prefix=$2 line
    line=$(sed -n "${n}p" "$LOG" 2>/dev/null | iconv -f CP1252 -t UTF-8)
    if [[ $line =~ ^"$prefix"$DATETIME_RE ]]; then
        e2e_pass "access log line $n: ${line%$'\r'}"
    else
        e2e_fail "access log line $n: expected '$prefix\"<date>\",\"<time>\"' + CR LF, got '${line%$'\r'}'"
    fi
}
log_lines() { [[ -f $LOG ]] && wc -l <"$LOG" || echo 0; }
log_has_lines() { (($(log_lines) >= $1)); }

# ---- 1: the scan finds the client, writes the first record (with the company
# the client names in that same scan) and glues the windows.
e2e_check_poll "first access log record written" 20 log_has_lines 1
check_log_line 1 "\"$IDENTITY\",\"Müller GmbH\",\"Table 18\",\"Customer\",\"0\",\"18\","

e2e_check_poll "caption names the company" 15 e2e_probe wait - 500 "Müller GmbH - Brisolt light"
tip_names_company() { e2e_probe tiptexts | grep -qx "Müller GmbH - Brisolt light"; }
e2e_check_poll "the tray tooltip names the company, umlaut and all" 10 tip_names_company

read -r _ _ MDI_W MDI_H <<<"$(e2e_probe mdiclient DemoClientFrame)"
object_designer_glued() {
    [[ $(e2e_probe mdirect DemoClientFrame "Object Designer") == "0 0 280 $MDI_H" ]]
}
e2e_check_poll "Object Designer glued to (0, 0, 280, $MDI_H)" 15 object_designer_glued

list_beside_designer() { [[ $(e2e_probe rect BrisoltListWindow | cut -d' ' -f1,2) == "280 0" ]]; }
e2e_check_poll "list window's left edge at the Object Designer's width (280), top 0" 15 list_beside_designer

properties_glued() {
    [[ $(e2e_probe mdirect DemoClientFrame "Table 18 Customer - Properties") == "$((MDI_W - 300)) 0 $MDI_W $MDI_H" ]]
}
e2e_check_poll "Properties glued to the MDI area's right edge, full height" 15 properties_glued

FRAME_BOTTOM=$(e2e_probe rect DemoClientFrame | cut -d' ' -f4)
toolbox_glued() { [[ $(e2e_probe rect DemoClientTool Toolbox) == "0 $((FRAME_BOTTOM - 200)) 120 $FRAME_BOTTOM" ]]; }
e2e_check_poll "Toolbox's bottom at the main window's bottom ($FRAME_BOTTOM), left 0" 15 toolbox_glued

EXPECTED="$ALARM $ALARM $NORMAL $NORMAL $NORMAL $NORMAL"
rows_are() { [[ $(e2e_list_row_colors "$ROWS") == "$1" ]]; }
if e2e_poll 15 rows_are "$EXPECTED"; then
    e2e_pass "duplicate rows 0 and 1 in the alarm colour, the others normal ($EXPECTED)"
else
    e2e_fail "row colours: expected '$EXPECTED', got '$(e2e_list_row_colors "$ROWS")'"
fi
e2e_screenshot 1-duplicates

# ---- 2: one table window closes and the codeunit comes to the front.
e2e_write_scenario "$SCENARIO" <<EOF
title=$FRAME_TITLE
frame=0,0,1024,768
child=$CODEUNIT|380,100,400,250
child=$DESIGNER|300,20,400,250
child=Object Designer|40,100,280,400
child=Table 18 Customer - Properties|600,200,300,300
child=Main Menu|420,400,200,150
tool=Toolbox|700,300,120,200
EOF
ROWS=5
e2e_check_poll "second access log record written" 20 log_has_lines 2
check_log_line 2 "\"$IDENTITY\",\"Müller GmbH\",\"Codeunit 80\",\"Verkauf-Buchung Übersicht\",\"4\",\"80\","
EXPECTED="$NORMAL $NORMAL $NORMAL $NORMAL $NORMAL"
if e2e_poll 15 rows_are "$EXPECTED"; then
    e2e_pass "no alarm colour once the duplicate has gone"
else
    e2e_fail "row colours: expected '$EXPECTED', got '$(e2e_list_row_colors "$ROWS")'"
fi
e2e_screenshot 2-no-duplicate

# ---- 3: every designer window closed: one record with empty object fields.
e2e_write_scenario "$SCENARIO" <<EOF
title=$FRAME_TITLE
frame=0,0,1024,768
child=Object Designer|40,100,280,400
child=Main Menu|420,400,200,150
tool=Toolbox|700,300,120,200
EOF
e2e_check_poll "no-designer record written" 20 log_has_lines 3
check_log_line 3 "\"$IDENTITY\",\"Müller GmbH\",\"\",\"\",\"\",\"\","

# Nothing more while no designer window is open.
sleep 2.5
e2e_check_eq "access log holds exactly three records" 3 "$(log_lines)"
e2e_check_eq "access log ends with CR LF" "0d0a" "$(tail -c 2 "$LOG" | od -An -tx1 | tr -d ' \n')"
e2e_screenshot 3-no-designer

e2e_finish
