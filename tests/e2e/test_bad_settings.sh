#!/usr/bin/env bash
# brisolt.exe under Wine with broken settings files: random bytes, a 10 MB file,
# values of 300 and 100 000 characters, negative and huge numbers, flags of 7,
# a font index of 9, tab numbers of 0 and 12, Language=5. Each time the program
# starts, shows usable defaults in place of unusable values, and Quit writes a
# clean file. Then a settings file that can't be replaced at Quit (the read-only
# attribute, an immutable file, an immutable folder) stays byte for byte as it
# was, with no copy left beside it.
set -u
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/program_lib.sh"
# What a killed earlier run may have left immutable.
chattr -R -i "$E2E_ROOT/build/e2e/bad_settings" 2>/dev/null
e2e_setup bad_settings || exit 1

# Immutable files and folders must be writable again before anything removes them.
UNLOCK=()
unlock_all() {
    local path
    for path in "${UNLOCK[@]}"; do chattr -i "$path" 2>/dev/null; chmod u+w "$path" 2>/dev/null; done
    UNLOCK=()
}
trap 'unlock_all; e2e_cleanup' EXIT

p() { e2e_probe "$@"; }
gone() { ! kill -0 "$1" 2>/dev/null; }

# ---- what every key should hold ----------------------------------------------

# key|default|where the running program shows it: a control's name, "tab" (the
# selected tab), "listx"/"listy" (the list window's corner), "shown" (the
# settings window is visible) or nothing (only the file tells).
KEYS=(
    "Win1x|50|listx" "Win1y|50|listy"
    "TabSelectedIndex|1|tab" "Intervall|2|SCAN_INTERVAL" "Parent|- Navi|CLIENT_TITLE_MARKER"
    "ShowClient|1|SHOW_CLIENTS" "ShowParent|1|SHOW_TOP_LEVEL" "ShortNames|0|SHORT_NAMES"
    "Font|0|LIST_FONT" "DynamicFont|0|DYNAMIC_FONT" "Dynamic1|5|DYNAMIC_FONT_FROM_ROWS_7PT" "Dynamic2|8|DYNAMIC_FONT_FROM_ROWS_6PT"
    "Alarm|0|ALARM_SOUND" "Logging|0|LOGGING" "LogFilename||LOG_FILE"
    "Glue1|0|GLUE_OBJECT_DESIGNER" "GlueProperties|0|GLUE_PROPERTIES" "GlueHauptmenue|0|GLUE_MAIN_MENU"
    "GlueList|1|GLUE_LIST_WINDOW" "GlueToolbox|0|GLUE_TOOLBOX" "FieldMenu|0|GLUE_FIELD_MENU"
    "FormularDesigner|1|FORMULAR_DESIGNER_TITLES"
    "FarbeNormal|12648384|" "FarbeAlarm|8421631|" "Language|1|"
    "Farbe0|12648384|" "Farbe1|8421631|"
)
for i in $(seq 2 15); do KEYS+=("Farbe$i|0|"); done
KEYS+=("Win1IconStart|0|shown" "Win1OnTop|0|" "TeamFolder||TEAM_FOLDER")

# A value of n characters: "0123456789" repeated.
pattern() { local s; s=$(printf '0123456789%.0s' $(seq 1 $((($1 + 9) / 10)))); printf '%s' "${s:0:$1}"; }
# Lines joined with CR LF.
crlf() { printf '%s\r\n' "$@"; }

# ---- the cases -----------------------------------------------------------------
# Each writes $INI and fills EXPECT[key] for every value that differs from the
# default above (what the controls show and what Quit writes back).

declare -A EXPECT

case_random_bytes() {
    # Random bytes first, so none of them can land in a section of ours; after a
    # line end, so they can't start with a byte order mark that would make the
    # whole file read as UTF-16.
    { crlf ""; head -c 16384 /dev/urandom; crlf "" "[Options]" "Language=1"; } >"$INI"
}
case_ten_megabytes() {
    {
        crlf "[Junk]"
        seq -f "Pad%07g=$(pattern 88)" 1 100000 | sed 's/$/\r/'
        crlf "[Options]" "Language=1" "Intervall=3" "Alarm=1" "Parent=- Navision" "[WinLoc]" "Win1x=300" "Win1y=200"
    } >"$INI"
    EXPECT=([Intervall]=3 [Alarm]=1 [Parent]="- Navision" [Win1x]=300 [Win1y]=200)
}
case_values_of_300_characters() {
    crlf "[Options]" "Language=1" "Parent=$(pattern 300)" "LogFilename=C:\\$(pattern 297)" \
        "Dynamic1=$(pattern 300)" "TeamFolder=$(pattern 300)" >"$INI"
    # Only the first 256 characters of a value are seen (a team folder that
    # does not exist only turns the tray's network-error look on).
    EXPECT=([Parent]="$(pattern 256)" [LogFilename]="C:\\$(pattern 253)" [Dynamic1]="$(pattern 256)"
        [TeamFolder]="$(pattern 256)")
}
case_values_of_100000_characters() {
    crlf "[Options]" "Language=1" "Parent=$(pattern 100000)" "Intervall=1$(pattern 99999)" \
        "Dynamic2=$(pattern 100000)" "Glue1=1" >"$INI"
    EXPECT=([Parent]="$(pattern 256)" [Intervall]="1$(pattern 255)" [Dynamic2]="$(pattern 256)" [Glue1]=1)
}
case_negative_and_huge_numbers() {
    crlf "[WinLoc]" "Win1x=-5" "Win1y=99999999999999999999" \
        "[Options]" "Language=1" "Intervall=-3" "Font=-1" "TabSelectedIndex=-2147483649" \
        "FarbeNormal=-1" "FarbeAlarm=99999999999" "Farbe2=4294967296" "Farbe3=-7" "Farbe4=255" \
        "ShowClient=-1" "Dynamic1=-5" "Win1OnTop=-2147483648" >"$INI"
    # Off-screen corners become (20, 10); texts stay as they were.
    EXPECT=([Win1x]=20 [Win1y]=10 [Intervall]=-3 [Dynamic1]=-5 [Farbe4]=255)
}
case_flags_of_7() {
    local keys=(ShowClient ShowParent ShortNames DynamicFont Alarm Logging Glue1 GlueProperties GlueHauptmenue
        GlueList GlueToolbox FieldMenu FormularDesigner Win1IconStart Win1OnTop) k
    { crlf "[Options]" "Language=1"; for k in "${keys[@]}"; do crlf "$k=7"; done; } >"$INI"
    # A FormularDesigner other than 1 picks the other form designer title.
    EXPECT=([FormularDesigner]=0)
}
case_font_index_9() {
    crlf "[Options]" "Language=1" "Font=9" >"$INI"
}
case_tab_0() {
    crlf "[Options]" "Language=1" "TabSelectedIndex=0" >"$INI"
}
case_tab_12() {
    crlf "[Options]" "Language=1" "TabSelectedIndex=12" "Font=2" >"$INI"
    EXPECT=([Font]=2)
}
case_language_5() {
    # No language dialog: any value but -1 counts as chosen, and is kept.
    crlf "[Options]" "Language=5" "Alarm=1" >"$INI"
    EXPECT=([Language]=5 [Alarm]=1)
}
CASES=(random_bytes ten_megabytes values_of_300_characters values_of_100000_characters
    negative_and_huge_numbers flags_of_7 font_index_9 tab_0 tab_12 language_5)

# ---- running one case ----------------------------------------------------------

declare -A SHOWN
# Reads every control of the settings window in one look, into SHOWN[name].
read_controls() {
    local id state text name
    SHOWN=()
    while read -r id state text; do
        text=${text#\"}
        text=${text%\"}
        name=${PROG_NAME[$id]:-$id}
        if [[ $state == - ]]; then SHOWN[$name]=$text; else SHOWN[$name]=$state; fi
    done < <(p values "$MAIN")
    SHOWN[tab]=$(p tabsel "$MAIN")
    local l t r b
    read -r l t r b <<<"$(p rect BrisoltListWindow)"
    SHOWN[listx]=$l
    SHOWN[listy]=$t
    if p visible "$MAIN" >/dev/null; then SHOWN[shown]=0; else SHOWN[shown]=1; fi
}

# A scan has run: it writes the number of top-level windows, which includes
# the settings window itself.
ticked() { local n; n=$(p text "$MAIN" "${PROG_ID[TOP_LEVEL_COUNT]}"); [[ $n =~ ^[0-9]+$ ]] && ((n > 0)); }

expected() { local key=$1 def=$2; if [[ -v EXPECT[$key] ]]; then echo "${EXPECT[$key]}"; else echo "$def"; fi; }
short() { local s=$1; ((${#s} > 40)) && s="${s:0:20}…${s: -8} (${#s} chars)"; echo "$s"; }

run_case() {
    local name=$1 app=$E2E_DIR/$1 row key def where want got bad=0
    mkdir -p "$app"
    cp "$E2E_DIST/brisolt.exe" "$app/"
    INI=$app/KelmorL.ini
    EXPECT=()
    "case_$name"
    cp "$INI" "$app/original.ini"
    local started=$SECONDS
    e2e_start "brisolt-$name" "$app" "$app/brisolt.exe"
    local pid=$E2E_LAST_PID
    if ! p wait BrisoltListWindow 60000 >/dev/null; then
        e2e_fail "$name: no list window after 60 s"
        e2e_screenshot "$name-no-list-window"
        e2e_stop "$pid"
        return
    fi
    MAIN=$(prog_main)
    if [[ -z $MAIN ]] || p find "$PROG_DIALOG" "$PROG_LANG_TITLE" >/dev/null; then
        e2e_fail "$name: settings window missing or language dialog shown"
        e2e_stop "$pid"
        return
    fi
    e2e_check_poll "$name: started and scanning" 20 ticked

    # Unusable values show as defaults on the controls.
    read_controls
    for row in "${KEYS[@]}"; do
        IFS='|' read -r key def where <<<"$row"
        [[ -n $where ]] || continue
        want=$(expected "$key" "$def")
        got=${SHOWN[$where]-<none>}
        if [[ $got != "$want" ]]; then
            e2e_fail "$name: $key shown as '$(short "$got")', expected '$(short "$want")'"
            bad=1
        fi
    done
    # The two form designer options are each other's opposite.
    want=$((1 - $(expected FormularDesigner 1)))
    [[ ${SHOWN[FORM_DESIGNER_TITLES]} == "$want" ]] ||
        { e2e_fail "$name: FORM_DESIGNER_TITLES is ${SHOWN[FORM_DESIGNER_TITLES]}"; bad=1; }
    ((bad)) || e2e_pass "$name: every control shows the expected value"

    # Quit writes a clean file.
    p command "$MAIN" "$PROG_CMD_QUIT" >/dev/null
    if ! e2e_poll 120 gone "$pid"; then
        e2e_fail "$name: still running 120 s after Quit"
        e2e_screenshot "$name-after-quit"
        e2e_stop "$pid"
        return
    fi
    e2e_log "$name: start to end in $((SECONDS - started)) s"
    e2e_check_eq "$name: keys in [WinLoc]" "Win1x Win1y" "$(prog_ini_keys "$INI" WinLoc | sort | paste -sd' ')"
    e2e_check_eq "$name: keys in [Options]" "$PROG_OPTIONS_KEYS" "$(prog_ini_keys "$INI" Options | sort -u | wc -l)"
    e2e_check_eq "$name: sections [WinLoc] and [Options] once each" "[Options] [WinLoc]" \
        "$(tr -d '\r' <"$INI" | grep -a -x -e '\[Options\]' -e '\[WinLoc\]' | sort | paste -sd' ')"
    bad=0
    for row in "${KEYS[@]}"; do
        IFS='|' read -r key def where <<<"$row"
        local section=Options
        [[ $key == Win1[xy] ]] && section=WinLoc
        want=$(expected "$key" "$def")
        got=$(prog_ini_value "$INI" "$section" "$key")
        if [[ $got != "$want" ]]; then
            e2e_fail "$name: saved $key='$(short "$got")', expected '$(short "$want")'"
            bad=1
        fi
    done
    ((bad)) || e2e_pass "$name: every saved value is the one shown"
    e2e_check_eq "$name: no copy left beside the file" "" "$(cd "$app" && ls KelmorL.ini.*.tmp 2>/dev/null)"
}

for c in "${CASES[@]}"; do run_case "$c"; done

# The 10 MB file keeps its foreign section whole.
e2e_check_eq "ten_megabytes: foreign keys kept" 100000 \
    "$(prog_ini_keys "$E2E_DIR/ten_megabytes/KelmorL.ini" Junk | wc -l)"

# ---- settings that can't be replaced at Quit ------------------------------------

# The DOS read-only attribute: Wine keeps it as a file without write bits.
lock_attribute() {
    wine cmd /c attrib +r "$(e2e_winpath "$INI")" >/dev/null 2>&1
    [[ $(stat -c %A "$INI") == -r-?r-?r-? ]]
}
# An immutable file or folder refuses every change, even to root; without
# root, taking away the write bits does the same.
lock_immutable() {
    UNLOCK+=("$1")
    chattr +i "$1" 2>/dev/null || { ((EUID != 0)) && chmod a-w "$1"; }
    ! touch "$1" 2>/dev/null
}
lock_file() { lock_immutable "$INI"; }
lock_folder() {
    UNLOCK+=("$INI")
    lock_immutable "$(dirname "$INI")" && ! touch "$(dirname "$INI")/probe.tmp" 2>/dev/null
}

# The save error box, if one is up: its text, then it is closed.
close_message_box() {
    local box
    box=$(p find "$PROG_DIALOG" "$PROG_MAIN_TITLE") || return 1
    p values "$box" | grep -v '^[0-9]* [0-9-]* "&\?OK"$' | tr -d '\n'
    p post "$box" 0x0010 0 0 >/dev/null  # WM_CLOSE
}

# The box a refused save shows, owned by the settings window.
save_box() { p owned "$MAIN" | grep -m1 '#32770' | cut -d' ' -f1; }
has_save_box() { [[ -n $(save_box) ]]; }

# run_locked_case <name> <lock> [stored|reported]: "stored" when the settings
# must land all the same (a folder that takes no new file: the file itself is
# written); "reported" when nothing can be stored and a message says so; by
# default (a file marked read-only) nothing is stored and nothing is said.
run_locked_case() {
    local name=$1 lock=$2 expect=${3:-kept} app=$E2E_DIR/$1
    mkdir -p "$app"
    cp "$E2E_DIST/brisolt.exe" "$app/"
    INI=$app/KelmorL.ini
    crlf "[Options]" "Language=1" "Alarm=1" "[WinLoc]" "Win1x=120" >"$INI"
    cp "$INI" "$app/original.ini"
    e2e_start "brisolt-$name" "$app" "$app/brisolt.exe"
    local pid=$E2E_LAST_PID
    if ! p wait BrisoltListWindow 60000 >/dev/null; then
        e2e_fail "$name: no list window after 60 s"
        e2e_stop "$pid"
        return
    fi
    MAIN=$(prog_main)
    if ! "$lock"; then
        e2e_fail "$name: could not make the settings read-only ($lock)"
        e2e_stop "$pid"
        return
    fi
    p command "$MAIN" "$PROG_CMD_QUIT" >/dev/null
    if [[ $expect == reported ]]; then
        if e2e_poll 60 has_save_box; then
            local box text
            box=$(save_box)
            text=$(p values "$box" | tr -d '\n')
            e2e_check_eq "$name: the message names the settings file" 1 \
                "$([[ $text == *"could not be saved to "*'KelmorL.ini'* ]] && echo 1 || echo 0)"
            p post "$box" 0x0010 0 0 >/dev/null  # WM_CLOSE
        else
            e2e_fail "$name: no message after a save that stored nothing"
        fi
    fi
    # A file pinned read-only is left alone without a word: no box holds the program up.
    if e2e_poll 60 gone "$pid"; then
        e2e_pass "$name: program ended after Quit"
    else
        e2e_fail "$name: still running 60 s after Quit; box: '$(close_message_box)'"
        e2e_screenshot "$name-after-quit"
        e2e_poll 10 gone "$pid" || e2e_stop "$pid"
    fi
    if [[ $expect == stored ]]; then
        e2e_check_eq "$name: settings written into the file itself (keys in [Options])" "$PROG_OPTIONS_KEYS" \
            "$(prog_ini_keys "$INI" Options | wc -l)"
        e2e_check_eq "$name: the stored values kept" "1 1 120" \
            "$(prog_ini_value "$INI" Options Language) $(prog_ini_value "$INI" Options Alarm) $(prog_ini_value "$INI" WinLoc Win1x)"
    elif cmp -s "$app/original.ini" "$INI"; then
        e2e_pass "$name: settings file byte for byte as before"
    else
        e2e_fail "$name: settings file changed: $(tr -d '\r' <"$INI" | paste -sd' ' | cut -c1-120)"
    fi
    e2e_check_eq "$name: no copy left beside the file" "" "$(cd "$app" && ls KelmorL.ini.*.tmp 2>/dev/null)"
    unlock_all
}

run_locked_case read_only_attribute lock_attribute
run_locked_case immutable_file lock_file reported
run_locked_case immutable_folder lock_folder stored

e2e_finish
