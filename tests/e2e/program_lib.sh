# Helpers for driving brisolt.exe's settings window as a user would, shared by
# tests/e2e/test_program.sh and scripts/screenshots.sh. Source after lib.sh.

# The program's name, read from its text table (src/program/texts.h).
PROG_MAIN_TITLE=$(sed -n 's/^inline constexpr char kProductName\[\] = "\(.*\)";.*/\1/p' "$E2E_ROOT/src/program/texts.h")
[[ -n $PROG_MAIN_TITLE ]] || echo "no kProductName in src/program/texts.h" >&2
# The settings window by its caption, which carries the company in front once one is known.
PROG_MAIN_MATCH="*$PROG_MAIN_TITLE"
PROG_LANG_TITLE="Brisolt"
# How many keys the program writes into [Options] at Quit.
PROG_OPTIONS_KEYS=43
PROG_DIALOG="#32770"
PROG_TRAY_CALLBACK=$((0x8000 + 1))  # WM_APP + 1: the tray icon's messages
# The menu commands, read from the program's own menu ids (src/program/menus.h).
prog_cmd() {
    local id
    id=$(sed -n "s/^constexpr int kCmd$1 = \([0-9]*\);.*/\1/p" "$E2E_ROOT/src/program/menus.h")
    [[ -n $id ]] || { echo "no menu command kCmd$1" >&2; return 1; }
    echo "$id"
}
PROG_CMD_QUIT=$(prog_cmd Quit)
PROG_CMD_GERMAN=$(prog_cmd German)
PROG_CMD_ENGLISH=$(prog_cmd English)
PROG_CMD_HELP=$(prog_cmd Help)

# The controls by their resource names: PROG_ID[name] is the id of IDC_name in
# resources/control_ids.h, PROG_NAME[id] the name of an id.
declare -gA PROG_ID=() PROG_NAME=()
prog_load_ids() {
    local define name id _
    while read -r define name id _; do
        [[ $define == "#define" && $name == IDC_?* && $id =~ ^[0-9]+$ ]] || continue
        PROG_ID[${name#IDC_}]=$id
        PROG_NAME[$id]=${name#IDC_}
    done <"$1"
    ((${#PROG_ID[@]} > 0)) || { echo "no control ids in $1" >&2; return 1; }
}
prog_load_ids "$E2E_ROOT/resources/control_ids.h"

# The settings window's handle (0x…), once it exists.
prog_main() { e2e_probe find "$PROG_DIALOG" "$PROG_MAIN_MATCH"; }

# Centre of a rectangle "l t r b".
prog_centre() {
    local l t r b
    read -r l t r b <<<"$1"
    echo "$(((l + r) / 2)) $(((t + b) / 2))"
}

# A real mouse click (X server) at the centre of a screen rectangle.
prog_click_rect() {
    local x y
    read -r x y <<<"$(prog_centre "$1")"
    xdotool mousemove "$x" "$y" click 1
}

# prog_select_tab <main> <n>: clicks tab n with the mouse and waits until it is selected.
prog_select_tab() {
    local rect
    rect=$(e2e_probe tab "$1" "$2") || return 1
    prog_click_rect "$rect"
    e2e_poll 10 prog_tab_is "$1" "$2"
}
prog_tab_is() { [[ $(e2e_probe tabsel "$1") == "$2" ]]; }

# The tab captions joined by "|".
prog_tabs() { e2e_probe tabs "$1" | paste -sd'|'; }

# Shows the settings window again through the tray icon's left button.
# The icon speaks NOTIFYICON_VERSION_4: the event is the low word of lParam.
prog_tray_left_click() { e2e_probe post "$1" "$PROG_TRAY_CALLBACK" 0 0x400; }  # NIN_SELECT

# The X window that shows a window of that title: its geometry "W H X Y".
# Without a window manager Wine draws no caption, so the visible part of the
# window is exactly that X window.
prog_x_geometry() {
    local id
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [[ -n $id ]] || return 1
    xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print w, h, x, y}'
}

# prog_crop <file> <W H X Y>: the screen cut to that rectangle.
prog_crop() {
    local w h x y
    read -r w h x y <<<"$2"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$1" 2>/dev/null
}

# prog_shot_window <file> <title>: the screen cut to that window.
prog_shot_window() {
    local geometry
    geometry=$(prog_x_geometry "$2") || return 1
    prog_crop "$1" "$geometry"
}

# Keys of one section of a settings file: prog_ini_keys <file> <section>.
prog_ini_keys() {
    tr -d '\r' <"$1" | awk -v s="[$2]" '/^\[/ {in_s = ($0 == s); next} in_s && /=/ {sub(/=.*/, ""); print}'
}

# Value of one key: prog_ini_value <file> <section> <key>.
prog_ini_value() {
    tr -d '\r' <"$1" | awk -v s="[$2]" -v k="$3" '/^\[/ {in_s = ($0 == s); next}
        in_s && index($0, k "=") == 1 {print substr($0, length(k) + 2); exit}'
}
