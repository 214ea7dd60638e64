#!/usr/bin/env bash
# A minute of desktop churn under Wine: the demo client opens or closes spare
# designer windows every 100 ms while the scenario file is rewritten as fast as
# the client reads it (front window, duplicates, minimised and glued windows
# changing), and brisolt.exe scans every second with the access log and the
# Object Designer glue on. Afterwards the program is alive and answers, the
# list window shows the final scenario in the right colours, and every line of
# the access log is a whole record.
set -u
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/program_lib.sh"
e2e_setup churn || exit 1

CHURN_SECONDS=${CHURN_SECONDS:-60}
NORMAL=0xC0FFC0
ALARM=0x8080FF
T18="Table 18 Customer - Table Designer"
T27="Table 27 Item - Table Designer"
CU80="Codeunit 80 Sales-Post - C/AL Editor"
R206="Report 206 Sales - Invoice - Report Designer"
F21="Form 21 Customer Card - Formular Designer"

APP=$E2E_DIR/app
mkdir -p "$APP"
cp "$E2E_DIST/brisolt.exe" "$APP/"
LOG=$APP/access.log
SCENARIO=$E2E_DIR/scenario.txt
p() { e2e_probe "$@"; }

# The client's windows, front-most first; "churn=100" adds the spare windows
# that come and go every 100 ms.
scenario() {
    {
        echo "title=Muster GmbH - Navision Financials"
        echo "frame=0,0,1024,768"
        printf 'child=%s\n' "$@"
    } | e2e_write_scenario "$SCENARIO"
}
VARIANTS=(
    "churn=100|$T18|$T18|Object Designer|$CU80"
    "churn=100|$CU80|$T18|Object Designer|60,60,280,400"
    "churn=100|Object Designer|Notes 1|Notes 2"
    "churn=100|$T27|$T18|min|Table 18 Customer - Properties"
    "churn=100|$R206|$R206|$R206|$T27"
    "churn=100|Main Menu|min|$CU80|$T27|$T18"
    "churn=100|$F21|$T18"
    "churn=100"
)
# A variant as scenario lines: "min" and "x,y,w,h" attach to the window before them.
apply_variant() {
    local IFS='|' item lines=()
    for item in $1; do
        if [[ $item == churn=* ]]; then
            lines+=("#$item")
        elif [[ $item == min || $item =~ ^[0-9]+,[0-9]+,[0-9]+,[0-9]+$ ]]; then
            lines[-1]+="|$item"
        else
            lines+=("$item")
        fi
    done
    {
        echo "title=Muster GmbH - Navision Financials"
        echo "frame=0,0,1024,768"
        for item in "${lines[@]}"; do
            if [[ $item == \#* ]]; then echo "${item#\#}"; else echo "child=$item"; fi
        done
    } | e2e_write_scenario "$SCENARIO"
}

apply_variant "${VARIANTS[0]}"
e2e_start democlient "$E2E_DIR" "$E2E_TOOLS/democlient.exe" "$(e2e_winpath "$SCENARIO")"
e2e_wait_window DemoClientFrame 30 || { e2e_fail "demo client did not start"; e2e_finish; exit; }
printf '%s\r\n' "[Options]" "Language=1" "Logging=1" "LogFilename=$(e2e_winpath "$LOG")" "Intervall=1" \
    "Glue1=1" "GlueList=0" >"$APP/KelmorL.ini"
e2e_start brisolt "$APP" "$APP/brisolt.exe"
BRISOLT=$E2E_LAST_PID
e2e_check_poll "list window created" 60 p wait BrisoltListWindow 1000
MAIN=$(prog_main)
[[ -n $MAIN ]] || { e2e_fail "no settings window"; e2e_finish; exit; }
log_started() { [[ -s $LOG ]]; }
e2e_check_poll "first record written" 30 log_started

# ---- the churn ---------------------------------------------------------------
alive() { kill -0 "$BRISOLT" 2>/dev/null; }
answers() { [[ $(p text "$MAIN" "${PROG_ID[SCAN_INTERVAL]}") == 1 ]]; }
rewrites=0 looks=0 silent=0
end=$((SECONDS + CHURN_SECONDS))
next_look=$((SECONDS + 5))
while ((SECONDS < end)) && alive; do
    apply_variant "${VARIANTS[rewrites % ${#VARIANTS[@]}]}"
    rewrites=$((rewrites + 1))
    sleep 0.1
    # Every few seconds the settings window must still answer.
    if ((SECONDS >= next_look)); then
        looks=$((looks + 1))
        answers || silent=$((silent + 1))
        next_look=$((SECONDS + 5))
    fi
done
e2e_log "$rewrites scenario rewrites, $looks looks at the settings window"
if alive; then e2e_pass "alive after $CHURN_SECONDS s of churn"; else e2e_fail "ended during the churn"; e2e_finish; exit; fi
e2e_check_eq "the settings window answered at every look during the churn" 0 "$silent"

# ---- the final scenario: two windows of table 18, a codeunit, the Object
# Designer and a note; no churn.
scenario "$T18" "$T18" "$CU80" "Object Designer" "Notes 1"
ROWS=5
e2e_check_poll "the settings window answers after the churn" 20 answers

clients_are() { [[ $(p text "$MAIN" "${PROG_ID[CLIENT_COUNT]}") == "$1" ]]; }
e2e_check_poll "five client windows counted" 20 clients_are $ROWS

EXPECTED="$ALARM $ALARM $NORMAL $NORMAL $NORMAL"
rows_are() { [[ $(e2e_list_row_colors "$ROWS") == "$1" ]]; }
if e2e_poll 20 rows_are "$EXPECTED"; then
    e2e_pass "list window repainted: five rows, the two of table 18 in the alarm colour"
else
    e2e_fail "row colours: expected '$EXPECTED', got '$(e2e_list_row_colors "$ROWS")'"
fi
e2e_screenshot final

# ---- the access log ------------------------------------------------------------
last_is_table_18() { [[ $(tail -n 1 "$LOG" | cut -d, -f3-4) == '"Table 18","Customer"' ]]; }
e2e_check_poll "last record for the front window, table 18" 20 last_is_table_18

RECORD_RE='^"[^"]*"(,"[^"]*"){7}'$'\r''$'
declare -A CODE=([Table]=0 [Form]=1 [Report]=2 [Dataport]=3 [Codeunit]=4)
total=0 broken=0 inconsistent=0 repeated=0 previous= nocompany=0
while IFS= read -r line; do
    total=$((total + 1))
    [[ $line =~ $RECORD_RE ]] || { broken=$((broken + 1)); e2e_log "broken line $total: ${line:0:120}"; }
    IFS=, read -r _ company key name code number _ <<<"${line//\"/}"
    # The client's title names the company in every tick, so every record of
    # a designer carries it; the record that no designer is open has none
    # only while the client lists no window at all.
    if [[ $company != "Muster GmbH" && ( -n $key || -n $company ) ]]; then
        nocompany=$((nocompany + 1)); e2e_log "no company in line $total: ${line:0:120}"
    fi
    # Type code and number belong to the key; a record without a key has none.
    if [[ -z $key ]]; then
        [[ -z $name$code$number ]] || inconsistent=$((inconsistent + 1))
    else
        [[ $key == "${key%% *} $number" && $code == "${CODE[${key%% *}]-x}" ]] || inconsistent=$((inconsistent + 1))
    fi
    # A record is written only when the front designer window changes.
    [[ $key,$name == "$previous" ]] && repeated=$((repeated + 1))
    previous=$key,$name
done <"$LOG"
e2e_log "$total records: $(cut -d, -f3 "$LOG" | sort | uniq -c | paste -sd' ')"
e2e_check_eq "every record has eight quoted fields and ends with CR LF" 0 "$broken"
e2e_check_eq "the log ends with CR LF" 0d0a "$(tail -c 2 "$LOG" | od -An -tx1 | tr -d ' \n')"
e2e_check_eq "type code and number match the object key in every record" 0 "$inconsistent"
e2e_check_eq "no record repeats the one before it" 0 "$repeated"
e2e_check_eq "every designer record carries the company Muster GmbH" 0 "$nocompany"
if ((total >= 10)); then e2e_pass "the churn was logged ($total records)"; else e2e_fail "only $total records"; fi
# Both the spare windows that come and go and the scenario's own windows were in front at times.
spare=$(cut -d, -f3 "$LOG" | grep -c ' 9[89]"$')
own=$(cut -d, -f3 "$LOG" | grep -c -e '"Table 18"' -e '"Table 27"' -e '"Codeunit 80"' -e '"Report 206"' -e '"Form 21"')
if ((spare > 0 && own > 0)); then
    e2e_pass "records of the spare windows ($spare) and of the scenario's windows ($own)"
else
    e2e_fail "records of the spare windows: $spare, of the scenario's windows: $own"
fi

# ---- it still quits cleanly ------------------------------------------------------
gone() { ! alive; }
p command "$MAIN" "$PROG_CMD_QUIT" >/dev/null
e2e_check_poll "Quit ends the program" 30 gone
e2e_check_eq "keys in [Options] after Quit" "$PROG_OPTIONS_KEYS" "$(prog_ini_keys "$APP/KelmorL.ini" Options | wc -l)"
e2e_finish
