#!/usr/bin/env bash
# The tray icon in a real tray host: trayer (an XEmbed tray) on the display,
# into which Wine puts the icon, clicked with xdotool as a user would.
#   - with the team folder missing (10 s in a row), the icon alternates with the alert image;
#     once the folder exists it stays the program icon;
#   - a left click shows the settings window;
#   - a quick right click offers the menu (it opens on the button's release),
#     also just after the settings window was closed, and its Quit stores the
#     settings.
set -u
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/program_lib.sh"
e2e_setup tray || exit 1
e2e_unmanaged_windows  # a close hides at once (see lib.sh)
command -v trayer >/dev/null || { e2e_fail "trayer is not installed"; e2e_finish; exit; }

trayer --edge top --align right --widthtype pixel --width 120 --heighttype pixel --height 24 \
    --transparent false --tint 0x808080 >"$E2E_DIR/trayer.log" 2>&1 &
E2E_PIDS+=($!)
panel_up() { xdotool search --name '^panel$' >/dev/null 2>&1; }
e2e_check_poll "trayer runs" 10 panel_up

APP=$E2E_DIR/app
TEAM=$E2E_DIR/team
mkdir -p "$APP"
cp "$E2E_DIST/brisolt.exe" "$APP/"
printf '%s\r\n' "[Options]" "Language=1" "Win1IconStart=1" "Intervall=1" \
    "TeamFolder=$(e2e_winpath "$TEAM")" >"$APP/KelmorL.ini"
e2e_start brisolt "$APP" "$APP/brisolt.exe"
PID=$E2E_LAST_PID
e2e_check_poll "list window created" 30 e2e_probe wait BrisoltListWindow 1000

# The icon: the small X window trayer embedded, inside its panel.
icon_geometry() {
    local panel id
    panel=$(xdotool search --name '^panel$' 2>/dev/null | head -1) || return 1
    for id in $(xwininfo -children -id "$panel" 2>/dev/null | awk '/^ +0x/ {print $1}'); do
        xwininfo -id "$id" 2>/dev/null | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
            /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {if (w > 8 && w < 40 && h > 8 && h < 40) print w, h, x, y}'
    done | head -1
}
icon_in_tray() { [[ -n $(icon_geometry) ]]; }
e2e_check_poll "the icon sits in the tray" 15 icon_in_tray
read -r IW IH IX IY <<<"$(icon_geometry)"
ICON_X=$((IX + IW / 2)) ICON_Y=$((IY + IH / 2))
icon_sum() { import -window root -crop "${IW}x${IH}+$IX+$IY" +repage rgb:- 2>/dev/null | md5sum | cut -c1-12; }
# The distinct looks of the icon over three seconds.
icon_looks() {
    local i
    for i in $(seq 1 12); do icon_sum; sleep 0.25; done | sort -u | wc -l
}

# ---- the team folder is missing: the icon alternates; it exists: it stays.
alternates() { (($(icon_looks) >= 2)); }
# (once the folder has failed for 10 s in a row)
e2e_check_poll "with the team folder missing, the icon alternates" 20 alternates
mkdir -p "$TEAM"
steady() { (($(icon_looks) == 1)); }
e2e_check_poll "with the folder there, the icon stays the program icon" 15 steady

# ---- a left click shows the settings window.
MAIN=$(prog_main)
shown() { e2e_probe visible "$MAIN"; }
if shown; then e2e_fail "the settings window should start hidden"; fi
xdotool mousemove "$ICON_X" "$ICON_Y" click 1
e2e_check_poll "a left click on the icon shows the settings window" 10 shown
e2e_probe close "$MAIN" >/dev/null
hidden() { ! e2e_probe visible "$MAIN"; }
e2e_check_poll "closed, it hides again" 10 hidden

# ---- a quick right click just after closing the settings window offers the
# menu within 1 s, and the window stays hidden; three times.
menu_open() { e2e_probe list | grep -q ' 1 #32768 '; }
for round in 1 2 3; do
    xdotool mousemove "$ICON_X" "$ICON_Y" click 1
    e2e_poll 10 shown || e2e_fail "round $round: a left click did not show the window"
    e2e_probe close "$MAIN" >/dev/null
    sleep 0.2
    xdotool click 3
    if e2e_poll 1 menu_open && ! shown; then e2e_pass "round $round: closed, then a right click: the menu"
    else e2e_fail "round $round: closed, then a right click: no menu within 1 s, or the window shows"; fi
    xdotool key Escape
    e2e_poll 5 hidden || e2e_fail "round $round: the window did not stay hidden"
done

# ---- a quick right click offers the menu; Quit stores the settings.
read -r LIST_X LIST_Y _ <<<"$(e2e_probe rect BrisoltListWindow)"
xdotool click 3
e2e_check_poll "a quick right click opens the menu" 5 menu_open
sleep 0.5
e2e_check_poll "and the menu stays open after the release" 1 menu_open
e2e_screenshot tray-menu
xdotool key Down Down Return  # Settings, Quit
gone() { ! kill -0 "$PID" 2>/dev/null; }
e2e_check_poll "Quit from the tray menu ends the program" 20 gone
# What the user set is kept, and the list window's place is stored.
while read -r section key value; do
    e2e_check_eq "stored: [$section] $key" "$value" "$(prog_ini_value "$APP/KelmorL.ini" "$section" "$key")"
done <<EOF
Options Win1IconStart 1
Options Intervall 1
Options TeamFolder $(e2e_winpath "$TEAM")
WinLoc Win1x $LIST_X
WinLoc Win1y $LIST_Y
EOF

e2e_finish
