#!/usr/bin/env bash
# brisolt.exe as a user meets it: the first start with the language dialog, the
# settings changed on the pages and kept across a Quit and a restart, the close
# box that only hides the window, the language switch from the Extras menu and
# the manual from the "?" menu.
set -u
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/program_lib.sh"
e2e_setup program || exit 1

APP=$E2E_DIR/app
mkdir -p "$APP"
cp "$E2E_DIST/brisolt.exe" "$APP/"
INI=$APP/KelmorL.ini
LOGNAME='C:\Brisolt\Zugriffe.log'

p() { e2e_probe "$@"; }
alive() { kill -0 "$1" 2>/dev/null; }
gone() { ! kill -0 "$1" 2>/dev/null; }
stop_here() { e2e_screenshot "stopped"; e2e_finish; exit; }

# check_menu <what> <menu bar as `probe menu` prints it>; the menu bar follows
# the tab captions within the same update, so it may come a moment later.
menu_is() { [[ $(p menu "$MAIN") == "$1" ]]; }
check_menu() {
    if e2e_poll 10 menu_is "$2"; then
        e2e_pass "$1"
    else
        e2e_fail "$1: expected"$'\n'"$2"$'\n'"got"$'\n'"$(p menu "$MAIN")"
    fi
}

ENGLISH_TABS="General|List window|Options|Team|Info"
GERMAN_TABS="Allgemein|Fensterliste|Optionen|Team|Info"
english_menu() {  # <3110 checked> <3120 checked>
    printf '%s\n' '"&File"' '  1990 0 "&Quit"' '"E&xtra"' '  3010 0 "Start minimized"' '  3020 0 "Always on top"' \
        '  -' "  3110 $1 \"Deutsch\"" "  3120 $2 \"English\"" '"&?"' '  9010 0 "&Help"'
}
GERMAN_MENU=$(printf '%s\n' '"&Datei"' '  1990 0 "&Beenden"' '"E&xtras"' '  3010 0 "Minimiert starten"' \
    '  3020 0 "Immer im &Vordergrund"' '  -' '  3110 1 "Deutsch"' '  3120 0 "English"' '"&?"' '  9010 0 "&Hilfe"')
ENGLISH_MENU=$(english_menu 0 1)

# ---- 1: first start without a settings file: the language dialog comes first.
e2e_start brisolt "$APP" "$APP/brisolt.exe"
PID=$E2E_LAST_PID
e2e_check_poll "language dialog \"$PROG_LANG_TITLE\" shown" 30 p find "$PROG_DIALOG" "$PROG_LANG_TITLE"
((E2E_FAILED == 0)) || stop_here
if p wait BrisoltListWindow 0 >/dev/null || p visible "$PROG_DIALOG" "$PROG_MAIN_MATCH"; then
    e2e_fail "another window of the program is visible beside the language dialog"
else
    e2e_pass "no other window of the program before the choice"
fi
e2e_check_eq "English button's caption" "Continue in English" \
    "$(p text "$PROG_DIALOG" "${PROG_ID[CONTINUE_IN_ENGLISH]}" "$PROG_LANG_TITLE")"
[[ -f $INI ]] && e2e_fail "a settings file exists before the choice" || e2e_pass "no settings file before the choice"

# A real mouse click on "Continue in English".
ENG_RECT=$(p ctlrect "$PROG_DIALOG" "${PROG_ID[CONTINUE_IN_ENGLISH]}" "$PROG_LANG_TITLE")
prog_click_rect "$ENG_RECT"
lang_dialog_gone() { ! p find "$PROG_DIALOG" "$PROG_LANG_TITLE"; }
e2e_check_poll "language dialog closed by the click at ($(prog_centre "$ENG_RECT"))" 15 lang_dialog_gone
ini_has() { [[ $(prog_ini_value "$INI" "$1" "$2" 2>/dev/null) == "$3" ]]; }
e2e_check_poll "KelmorL.ini holds Language=1 right after the choice" 15 ini_has Options Language 1
alive "$PID" && e2e_pass "program still running after the choice" || e2e_fail "program ended after the choice"

e2e_check_poll "settings window shown" 20 p visible "$PROG_DIALOG" "$PROG_MAIN_MATCH"
e2e_check_poll "list window created" 20 p wait BrisoltListWindow 1000
MAIN=$(p find "$PROG_DIALOG" "$PROG_MAIN_MATCH")
[[ -n $MAIN ]] || { e2e_fail "settings window not found"; stop_here; }
e2e_check_eq "English tab captions" "$ENGLISH_TABS" "$(prog_tabs "$MAIN")"
check_menu "English menu bar, \"English\" checked" "$ENGLISH_MENU"
e2e_check_eq "first page in English (ALARM_SOUND)" "Alarm signal" "$(p text "$MAIN" "${PROG_ID[ALARM_SOUND]}")"

# ---- 2: settings changed through the controls.
p click "$MAIN" "${PROG_ID[GLUE_OBJECT_DESIGNER]}"
p click "$MAIN" "${PROG_ID[ALARM_SOUND]}"
p type "$MAIN" "${PROG_ID[SCAN_INTERVAL]}" 7
p type "$MAIN" "${PROG_ID[LOG_FILE]}" "$LOGNAME"
prog_select_tab "$MAIN" 2 || e2e_fail "tab 2 could not be selected with the mouse"
p select "$MAIN" "${PROG_ID[LIST_FONT]}" 2
p click "$MAIN" "${PROG_ID[SHORT_NAMES]}"
prog_select_tab "$MAIN" 3 || e2e_fail "tab 3 could not be selected with the mouse"
p click "$MAIN" "${PROG_ID[FORM_DESIGNER_TITLES]}"
p click "$MAIN" "${PROG_ID[SHARE_HISTORY]}"

# Each control as the user left it: name, probe read command, expected value.
CONTROL_TABLE=(
    "GLUE_OBJECT_DESIGNER check 1"
    "ALARM_SOUND check 1"
    "SCAN_INTERVAL text 7"
    "LOG_FILE text $LOGNAME"
    "LIST_FONT combo 2"
    "SHORT_NAMES check 1"
    "FORM_DESIGNER_TITLES check 1"
    "FORMULAR_DESIGNER_TITLES check 0"
    "GLUE_LIST_WINDOW check 1"
    "DYNAMIC_FONT check 0"
    "CLIENT_TITLE_MARKER text - Navi"
    "SHARE_HISTORY check 1"
)
control_is() { [[ $(p "$2" "$MAIN" "${PROG_ID[$1]}") == "$3" ]]; }
check_controls() {  # <what>
    local row name cmd value
    for row in "${CONTROL_TABLE[@]}"; do
        read -r name cmd value <<<"$row"
        if e2e_poll 10 control_is "$name" "$cmd" "$value"; then
            e2e_pass "$1: $name = $value"
        else
            e2e_fail "$1: $name: expected '$value', got '$(p "$cmd" "$MAIN" "${PROG_ID[$name]}")'"
        fi
    done
}
check_controls "changed"

# ---- 3: Quit from the File menu: the settings are written and the program ends.
p command "$MAIN" "$PROG_CMD_QUIT"
e2e_check_poll "program ended after Quit (item $PROG_CMD_QUIT)" 30 gone "$PID"
e2e_check_eq "keys in [WinLoc]" 2 "$(prog_ini_keys "$INI" WinLoc | wc -l)"
e2e_check_eq "keys in [Options]" "$PROG_OPTIONS_KEYS" "$(prog_ini_keys "$INI" Options | wc -l)"
e2e_check_eq "no key written twice" 0 "$(prog_ini_keys "$INI" Options | sort | uniq -d | wc -l)"
e2e_check_eq "sections" "[Options] [WinLoc]" "$(tr -d '\r' <"$INI" | grep '^\[' | sort | paste -sd' ')"
# Saved values: section, key, value.
INI_TABLE=(
    "Options Language 1"
    "Options TabSelectedIndex 3"
    "Options Glue1 1"
    "Options Alarm 1"
    "Options Intervall 7"
    "Options LogFilename $LOGNAME"
    "Options Font 2"
    "Options ShortNames 1"
    "Options FormularDesigner 0"
    "Options GlueList 1"
    "Options ShareHistory 1"
    "Options Parent - Navi"
    "Options Farbe0 12648384"
    "Options Farbe15 0"
    "WinLoc Win1x 50"
    "WinLoc Win1y 50"
)
for row in "${INI_TABLE[@]}"; do
    read -r section key value <<<"$row"
    e2e_check_eq "saved $key" "$value" "$(prog_ini_value "$INI" "$section" "$key")"
done
[[ $(tail -c 2 "$INI" | od -An -tx1 | tr -d ' \n') == 0d0a ]] && e2e_pass "settings file lines end with CR LF" ||
    e2e_fail "settings file does not end with CR LF"

# ---- 4: restart: no language dialog, the same values on the pages.
e2e_start brisolt2 "$APP" "$APP/brisolt.exe"
PID=$E2E_LAST_PID
e2e_check_poll "settings window shown at the restart" 30 p visible "$PROG_DIALOG" "$PROG_MAIN_MATCH"
MAIN=$(p find "$PROG_DIALOG" "$PROG_MAIN_MATCH")
[[ -n $MAIN ]] || { e2e_fail "settings window not found"; stop_here; }
p find "$PROG_DIALOG" "$PROG_LANG_TITLE" >/dev/null && e2e_fail "language dialog shown again" ||
    e2e_pass "no language dialog at the restart"
check_controls "after the restart"
e2e_check_eq "tab 3 selected again" 3 "$(p tabsel "$MAIN")"
e2e_check_eq "English tab captions after the restart" "$ENGLISH_TABS" "$(prog_tabs "$MAIN")"

# ---- 5: the close box and the system menu's Close only hide the window.
main_hidden() { ! p visible "$MAIN"; }
close_only_hides() {  # <what> <probe command...>
    local what=$1; shift
    p "$@"
    e2e_check_poll "$what hides the settings window" 15 main_hidden
    # The list window takes the next tick; the program is still there.
    if alive "$PID" && p wait BrisoltListWindow 0 >/dev/null && p find "$MAIN" >/dev/null; then
        e2e_pass "$what: the program keeps running"
    else
        e2e_fail "$what ended the program"
    fi
    prog_tray_left_click "$MAIN"
    e2e_check_poll "tray icon's left button shows the window again" 15 p visible "$MAIN"
}
close_only_hides "WM_CLOSE (close box)" close "$MAIN"
close_only_hides "SC_CLOSE (system menu)" post "$MAIN" 0x112 0xF060 0

# ---- 6: the language from the Extras menu changes every text at once.
tabs_are() { [[ $(prog_tabs "$MAIN") == "$1" ]]; }
p command "$MAIN" "$PROG_CMD_GERMAN"
e2e_check_poll "German tab captions after \"Deutsch\"" 15 tabs_are "$GERMAN_TABS"
check_menu "German menu bar, \"Deutsch\" checked" "$GERMAN_MENU"
# Captions with umlauts come through the code page intact.
e2e_check_eq "German check box caption" "Alarmton bei mehrfach geöffneten Objekten" \
    "$(p text "$MAIN" "${PROG_ID[ALARM_SOUND]}")"
e2e_check_eq "German label on page 3" \
    "Einer der folgenden Texte erscheint im Fenstertitel von geöffneten Forms. Wählen Sie den zutreffenden Text aus:" \
    "$(p text "$MAIN" "${PROG_ID[DESIGNER_TITLE_LABEL]}")"
p command "$MAIN" "$PROG_CMD_ENGLISH"
e2e_check_poll "English tab captions after \"English\"" 15 tabs_are "$ENGLISH_TABS"
check_menu "English menu bar again" "$ENGLISH_MENU"
e2e_check_eq "English check box caption again" "Alarm signal" "$(p text "$MAIN" "${PROG_ID[ALARM_SOUND]}")"

# ---- 7: Help with the manual missing: a stop message naming the full path.
MANUAL="$(e2e_winpath "$APP")\\Doc\\kelmorL.htm"
owned_box() { p owned "$MAIN" | head -1 | cut -d' ' -f1; }
has_box() { [[ -n $(owned_box) ]]; }
p command "$MAIN" "$PROG_CMD_HELP"
if e2e_poll 15 has_box; then
    BOX=$(owned_box)
    e2e_check_eq "stop message" "The file $MANUAL could not be found." \
        "$(p children "$BOX" | grep '^65535 ' | sed 's/^65535 Static "\(.*\)"$/\1/')"
    p post "$BOX" 0x111 1 0  # OK
    box_gone() { ! has_box; }
    e2e_check_poll "stop message closed with OK" 15 box_gone
else
    e2e_fail "no message box for the missing manual"
fi

# With the manual in place no message: a language switch posted after the Help
# command is handled after it, so once the tabs change the Help command is done.
cp -r "$E2E_DIST/Doc" "$APP/Doc"
p command "$MAIN" "$PROG_CMD_HELP"
p command "$MAIN" "$PROG_CMD_GERMAN"
e2e_check_poll "command after Help handled" 15 tabs_are "$GERMAN_TABS"
has_box && e2e_fail "a message box although the manual exists: $(p owned "$MAIN")" ||
    e2e_pass "no stop message with the manual present"

# ---- 8: Quit once more: the language chosen from the menu is saved.
p command "$MAIN" "$PROG_CMD_QUIT"
e2e_check_poll "program ended after the second Quit" 30 gone "$PID"
e2e_check_eq "saved Language after \"Deutsch\"" 0 "$(prog_ini_value "$INI" Options Language)"
e2e_check_eq "keys in [Options] after the second Quit" "$PROG_OPTIONS_KEYS" "$(prog_ini_keys "$INI" Options | wc -l)"

e2e_finish
