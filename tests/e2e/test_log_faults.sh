#!/usr/bin/env bash
# The access log under faults, with brisolt.exe and the demo client under Wine:
# an empty path, a folder that does not exist, an immutable file, a file another
# program holds open with no sharing, and a folder that vanishes between ticks
# and comes back. Each time the program keeps scanning (the list window follows
# the client), never leaves a partial line, and writes the pending record as
# soon as the fault is gone.
set -u
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/program_lib.sh"
# What a killed earlier run may have left behind: an immutable file, a mount.
umount -l "$E2E_ROOT/build/e2e/log_faults/full" 2>/dev/null
chattr -R -i "$E2E_ROOT/build/e2e/log_faults" 2>/dev/null
e2e_setup log_faults || exit 1

UNLOCK=()
MOUNTED=
trap 'for f in "${UNLOCK[@]}"; do chattr -i "$f" 2>/dev/null; done; e2e_cleanup; [[ -z $MOUNTED ]] || umount -l "$MOUNTED"' EXIT

p() { e2e_probe "$@"; }
APP=$E2E_DIR/app
mkdir -p "$APP"
cp "$E2E_DIST/brisolt.exe" "$APP/"
SCENARIO=$E2E_DIR/scenario.txt

# show <table number> <windows behind it>: the client with that table's designer
# window in front and some windows that are no designers behind it.
show() {
    local n
    {
        echo "title=Muster GmbH - Navision Financials"
        echo "frame=0,0,1024,768"
        echo "child=Table $1 Object$1 - Table Designer|300,20,400,250"
        for ((n = 1; n <= $2; n++)); do echo "child=Notes $n|$((20 * n)),300,300,200"; done
    } | e2e_write_scenario "$SCENARIO"
}

# The list window shows one row per client window once a scan has seen them;
# a scan writes the log before it paints, so the log step ran by then.
list_rows_are() {
    local l t r b
    read -r l t r b <<<"$(p client BrisoltListWindow)"
    ((b > t && (b - t) == $1 * ROW_HEIGHT))
}
# Shows the client with table $1 in front and waits for a scan to see it, then
# for one more scan with another window count behind the same table.
scan_with_front_table() {
    local what=$1 table=$2
    show "$table" 2
    e2e_poll 20 list_rows_are 3 || { e2e_fail "$what: list window did not follow the client (3 rows)"; return 1; }
    show "$table" 4
    e2e_poll 20 list_rows_are 5 || { e2e_fail "$what: list window did not follow the client (5 rows)"; return 1; }
    e2e_pass "$what: scans go on, the list window follows the client"
}

set_log_path() { p settext "$MAIN" "${PROG_ID[LOG_FILE]}" "$1" >/dev/null; }
path_is() { [[ $(p text "$MAIN" "${PROG_ID[LOG_FILE]}") == "$1" ]]; }

# Every line is a whole record: eight quoted fields, CR LF at the end.
RECORD_RE='^"[^"]*"(,"[^"]*"){7}'$'\r''$'
log_well_formed() {
    local file=$1 line
    [[ -s $file ]] || return 0
    [[ $(tail -c 2 "$file" | od -An -tx1 | tr -d ' \n') == 0d0a ]] || return 1
    while IFS= read -r line; do [[ $line =~ $RECORD_RE ]] || return 1; done <"$file"
}
lines() { [[ -f $1 ]] && wc -l <"$1" || echo 0; }
# The object key field of the last record.
last_key() { tail -n 1 "$1" 2>/dev/null | cut -d, -f3; }
has_record() { [[ $(lines "$1") == "$2" && $(last_key "$1") == "\"Table $3\"" ]]; }
check_log() {  # <what> <file> <lines> <table of the last record>
    if e2e_poll 30 has_record "$2" "$3" "$4"; then
        e2e_pass "$1: $3 record(s), the last for Table $4"
    else
        e2e_fail "$1: expected $3 record(s), the last for Table $4; got $(lines "$2"), last key $(last_key "$2");" \
            "attributes $(lsattr "$2" 2>&1 | cut -d' ' -f1); Table $4 in: $(grep -rl --include='*.log' "Table $4\"" "$E2E_DIR" | paste -sd' ')"
        e2e_screenshot "no-record-for-table-$4"
    fi
    if log_well_formed "$2"; then e2e_pass "$1: every line whole"; else e2e_fail "$1: a partial line in $2"; fi
}

# ---- the client, then brisolt.exe logging to an empty path -----------------------
show 1 0
e2e_start democlient "$E2E_DIR" "$E2E_TOOLS/democlient.exe" "$(e2e_winpath "$SCENARIO")"
e2e_wait_window DemoClientFrame 30 || { e2e_fail "demo client did not start"; e2e_finish; exit; }
crlf() { printf '%s\r\n' "$@"; }
crlf "[Options]" "Language=1" "Logging=1" "LogFilename=" "Intervall=1" "GlueList=0" >"$APP/KelmorL.ini"
e2e_start brisolt "$APP" "$APP/brisolt.exe"
BRISOLT=$E2E_LAST_PID
e2e_check_poll "list window created" 60 p wait BrisoltListWindow 1000
MAIN=$(prog_main)
one_row() { local l t r b; read -r l t r b <<<"$(p client BrisoltListWindow)"; ((b > t)) && echo $((b - t)); }
ROW_HEIGHT=$(e2e_poll 30 one_row && one_row)
[[ -n $MAIN && -n $ROW_HEIGHT ]] || { e2e_fail "no settings window or empty list window"; e2e_finish; exit; }
e2e_log "row height $ROW_HEIGHT"

# ---- 1: empty path: nothing is written anywhere; a good path gets the pending record.
scan_with_front_table "empty path" 2
GOOD=$E2E_DIR/good.log
set_log_path "$(e2e_winpath "$GOOD")"
check_log "empty path, then a good one" "$GOOD" 1 2

# ---- 2: a folder that does not exist: the program creates none; once it exists,
# the record pending since the fault is written.
MISSING=$E2E_DIR/missing/access.log
set_log_path "$(e2e_winpath "$MISSING")"
e2e_poll 10 path_is "$(e2e_winpath "$MISSING")"
scan_with_front_table "missing folder" 3
e2e_check_eq "missing folder: not created" no "$([[ -e $E2E_DIR/missing ]] && echo yes || echo no)"
e2e_check_eq "missing folder: the good log untouched" 1 "$(lines "$GOOD")"
mkdir "$E2E_DIR/missing"
check_log "missing folder, once created" "$MISSING" 1 3

# ---- 3: an immutable file (the read-only attribute alone does not stop root under
# Wine): unchanged while locked, the record written once it may be written again.
LOCKED=$E2E_DIR/immutable.log
cp "$MISSING" "$LOCKED"
cp "$LOCKED" "$E2E_DIR/immutable.before"
UNLOCK+=("$LOCKED")
chattr +i "$LOCKED" 2>/dev/null || { ((EUID != 0)) && chmod a-w "$LOCKED"; }
if ! touch "$LOCKED" 2>/dev/null; then
    set_log_path "$(e2e_winpath "$LOCKED")"
    e2e_poll 10 path_is "$(e2e_winpath "$LOCKED")"
    scan_with_front_table "immutable file" 4
    if cmp -s "$E2E_DIR/immutable.before" "$LOCKED"; then
        e2e_pass "immutable file: byte for byte as before"
    else
        e2e_fail "immutable file: changed"
    fi
    chattr -i "$LOCKED" 2>/dev/null
    chmod u+w "$LOCKED"
    check_log "immutable file, once writable" "$LOCKED" 2 4
else
    e2e_fail "could not make $LOCKED immutable"
fi

# ---- 4: another program holds the file open with no sharing.
HELD=$E2E_DIR/held.log
e2e_start holder "$E2E_DIR" "$E2E_TOOLS/probe.exe" hold "$(e2e_winpath "$HELD")" 300000
HOLDER=$E2E_LAST_PID
holding() { grep -q held "$E2E_DIR/holder.log"; }
if e2e_poll 30 holding; then
    set_log_path "$(e2e_winpath "$HELD")"
    e2e_poll 10 path_is "$(e2e_winpath "$HELD")"
    scan_with_front_table "held file" 5
    e2e_check_eq "held file: nothing written while held" 0 "$(stat -c %s "$HELD")"
    e2e_stop "$HOLDER"
    check_log "held file, once let go" "$HELD" 1 5
else
    e2e_fail "the holder did not open $HELD"
fi

# ---- 5: the log's folder vanishes between scans and comes back.
VANISH=$E2E_DIR/vanishing/access.log
mkdir "$E2E_DIR/vanishing"
set_log_path "$(e2e_winpath "$VANISH")"
e2e_poll 10 path_is "$(e2e_winpath "$VANISH")"
scan_with_front_table "vanishing folder" 7
check_log "vanishing folder, before" "$VANISH" 1 7
rm -rf "$E2E_DIR/vanishing"
scan_with_front_table "vanished folder" 8
e2e_check_eq "vanished folder: not created again" no "$([[ -e $E2E_DIR/vanishing ]] && echo yes || echo no)"
mkdir "$E2E_DIR/vanishing"
check_log "vanished folder, once back" "$VANISH" 1 8

# Nothing more is written while the same table stays in front.
scan_with_front_table "steady" 8
e2e_check_eq "one record per change of the front table" 1 "$(lines "$VANISH")"
e2e_check_eq "earlier logs untouched" "1 1 2 1" \
    "$(lines "$GOOD") $(lines "$MISSING") $(lines "$LOCKED") $(lines "$HELD")"
# ---- 6: a full disk takes only the start of a record: it is cut off again, and
# the whole record follows once there is room. A small file system of its own,
# where the log's last page has 20 bytes left.
FULL=$E2E_DIR/full
mkdir -p "$FULL"
if mount -t tmpfs -o size=16k tmpfs "$FULL" 2>/dev/null; then
    MOUNTED=$FULL
    FULL_LOG=$FULL/access.log
    empty_record='"pad","","","","","","",""'$'\r\n'
    printf '"pad","","","","","","","%s"\r\n' "$(head -c $((4096 - 20 - ${#empty_record})) /dev/zero | tr '\0' x)" \
        >"$FULL_LOG"
    dd if=/dev/zero of="$FULL/filler" bs=4096 2>/dev/null
    e2e_check_eq "full disk: no room left but 20 bytes" "4076 0" \
        "$(stat -c %s "$FULL_LOG") $(df -B1 --output=avail "$FULL" | tail -1 | tr -d ' ')"
    set_log_path "$(e2e_winpath "$FULL_LOG")"
    e2e_poll 10 path_is "$(e2e_winpath "$FULL_LOG")"
    scan_with_front_table "full disk" 9
    e2e_check_eq "full disk: the part that fitted was cut off again" 4076 "$(stat -c %s "$FULL_LOG")"
    rm -f "$FULL/filler"
    check_log "full disk, once there is room" "$FULL_LOG" 2 9
else
    e2e_log "SKIPPED full disk: no tmpfs can be mounted here"
fi

if kill -0 "$BRISOLT" 2>/dev/null; then e2e_pass "still running after every fault"; else e2e_fail "ended"; fi
e2e_screenshot final
e2e_finish
