# Harness for the end-to-end scripts: Xvfb, a Wine prefix of our own, programs
# started under Wine, polling helpers, probes, screenshots and PASS/FAIL checks.
# Source it; then call e2e_setup <name> once. Everything started here is stopped
# by its process id when the script exits.
#
# Environment:
#   DISPLAY           used as it is when set; otherwise Xvfb is started on a free display
#   WINEPREFIX        default: <repo>/build/wineprefix (created once, guarded by a lock)
#   E2E_PREFIX_FROM   a ready prefix to copy into WINEPREFIX instead of creating one
#                     (scripts/test.sh: each script on a prefix and wineserver of its own)
#   E2E_SCREEN        Xvfb screen, default 1024x768x24

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# What a user gets (brisolt.exe, Doc), and the test tools built beside it
# (democlient.exe, probe.exe, probe_menu.dll).
E2E_DIST=$E2E_ROOT/dist
E2E_TOOLS=${E2E_TOOLS:-$E2E_ROOT/build/windows/tools}
export WINEDEBUG=-all
# A crashing program ends at once instead of waiting in the debugger.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export WINEPREFIX=${WINEPREFIX:-$E2E_ROOT/build/wineprefix}
# A fixed locale keeps Wine's code page and date format the same on every machine.
export LANG=${E2E_LANG:-C.UTF-8} LC_ALL=${E2E_LANG:-C.UTF-8}

E2E_PIDS=()
E2E_XVFB_PID=
E2E_OWN_WINESERVER=0
E2E_PASSED=0
E2E_FAILED=0
E2E_NAME=
E2E_DIR=

e2e_log() { echo "[e2e] $*" >&2; }

# ---- polling -----------------------------------------------------------------

# e2e_poll <timeout seconds> <command...>: runs the command every 0.1 s until it
# succeeds; returns 1 when the time is up.
e2e_poll() {
    local timeout=$1; shift
    local deadline=$((SECONDS + timeout))
    while true; do
        "$@" >/dev/null 2>&1 && return 0
        ((SECONDS >= deadline)) && return 1
        sleep 0.1
    done
}

# ---- display -----------------------------------------------------------------

# e2e_new_xvfb [screen]: a new Xvfb on the first free display, which it locks as
# it picks it (-displayfd), so scripts started together never share one. Sets
# E2E_NEW_DISPLAY (":N") and E2E_NEW_XVFB_PID once it answers.
e2e_new_xvfb() {
    local numfile n
    numfile=$(mktemp) || return 1
    Xvfb -displayfd 3 -screen 0 "${1:-${E2E_SCREEN:-1024x768x24}}" -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
    E2E_NEW_XVFB_PID=$!
    e2e_poll 10 test -s "$numfile"
    n=$(tr -dc '0-9' <"$numfile")
    rm -f "$numfile"
    E2E_NEW_DISPLAY=":$n"
    [[ -n $n ]] && DISPLAY=$E2E_NEW_DISPLAY e2e_poll 10 xdotool getdisplaygeometry && return 0
    kill "$E2E_NEW_XVFB_PID" 2>/dev/null; wait "$E2E_NEW_XVFB_PID" 2>/dev/null
    return 1
}

e2e_start_display() {
    if [[ -n ${DISPLAY:-} ]]; then
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        e2e_log "display $DISPLAY does not answer; starting Xvfb instead"
        unset DISPLAY
    fi
    e2e_new_xvfb || { e2e_log "Xvfb did not start"; return 1; }
    E2E_XVFB_PID=$E2E_NEW_XVFB_PID
    export DISPLAY=$E2E_NEW_DISPLAY
    e2e_log "Xvfb on $DISPLAY (pid $E2E_XVFB_PID)"
}

# ---- Wine prefix and server --------------------------------------------------

# Creates the prefix once, single-threaded (about 10 s), or copies E2E_PREFIX_FROM
# (about 4 s); later calls only check it.
e2e_init_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [[ ! -f $WINEPREFIX/.brisolt-ready ]]; then
            rm -rf "$WINEPREFIX"
            if [[ -n ${E2E_PREFIX_FROM:-} && -f $E2E_PREFIX_FROM/.brisolt-ready ]]; then
                e2e_log "copying Wine prefix $E2E_PREFIX_FROM to $WINEPREFIX"
                cp -a "$E2E_PREFIX_FROM" "$WINEPREFIX" || exit 1
            else
                e2e_log "creating Wine prefix $WINEPREFIX"
                wineboot -i >/dev/null 2>&1
                wineserver -w
                [[ -f $WINEPREFIX/system.reg ]] || exit 1
                touch "$WINEPREFIX/.brisolt-ready"
            fi
        fi
        # Wine's explorer hosts the tray while no tray host runs: unmanaged (see
        # below), it hides its tray window at once when a program removes the
        # last icon, instead of holding that program's Quit for 2 s.
        if [[ ! -f $WINEPREFIX/.brisolt-explorer-unmanaged ]]; then
            wine reg add 'HKCU\Software\Wine\AppDefaults\explorer.exe\X11 Driver' /v Managed /d N /f \
                >/dev/null 2>&1 && wineserver -w && touch "$WINEPREFIX/.brisolt-explorer-unmanaged"
        fi
    ) 9>"$WINEPREFIX.lock"
}

# A persistent, primed wineserver: without it every Wine call holds its output
# pipe for seconds after the program ends.
e2e_start_wineserver() {
    wineserver -p
    E2E_OWN_WINESERVER=1
    wine cmd /c exit >/dev/null 2>&1
}

# No window manager runs on the test display. Wine's X11 driver hands windows
# to one ("managed") and then waits up to 2 s at every hide for an answer that
# never comes, taking no messages meanwhile: a right click on the tray icon
# just after the settings window was closed got its menu 2 s late, the hidden
# window still on the screen. e2e_unmanaged_windows makes the programs started
# after it hide at once, as under a window manager that answers, until the
# clean-up. Unmanaged, Wine stacks the X windows of two programs regardless of
# "topmost": only for a script whose windows do not overlap the client's.
E2E_UNMANAGED=0
e2e_unmanaged_windows() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 && E2E_UNMANAGED=1
}

# ---- programs ------------------------------------------------------------------

# e2e_start <log name> <working dir> <exe> [args...]: starts a Windows program in
# the background; its pid is kept for the clean-up. Sets E2E_LAST_PID.
e2e_start() {
    local name=$1 dir=$2; shift 2
    pushd "$dir" >/dev/null || return 1
    wine "$@" >"$E2E_DIR/$name.log" 2>&1 &
    E2E_LAST_PID=$!
    popd >/dev/null || true
    E2E_PIDS+=("$E2E_LAST_PID")
    e2e_log "started $name (pid $E2E_LAST_PID)"
}

# Stops one program started by e2e_start.
e2e_stop() {
    local pid=$1 i
    kill "$pid" 2>/dev/null || return 0
    for i in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

# probe.exe under Wine, its output without carriage returns.
e2e_probe() {
    local out rc
    out=$(wine "$E2E_TOOLS/probe.exe" "$@" 2>/dev/null)
    rc=$?
    printf '%s' "${out//$'\r'/}"
    [[ -n $out ]] && echo
    return $rc
}

# Waits until a top-level window of that class (and title) exists.
e2e_wait_window() {
    local cls=$1 timeout=${2:-20} title=${3:-}
    if [[ -n $title ]]; then
        e2e_probe wait "$cls" $((timeout * 1000)) "$title" >/dev/null
    else
        e2e_probe wait "$cls" $((timeout * 1000)) >/dev/null
    fi
}

# Windows path of a Unix path.
e2e_winpath() { winepath -w "$1" 2>/dev/null | tr -d '\r'; }

# Replaces a scenario file at once (write, then rename), so the demo client never
# reads half a file. Text from stdin.
e2e_write_scenario() {
    local file=$1
    cat >"$file.tmp" && mv -f "$file.tmp" "$file"
}

e2e_screenshot() {
    local file=$E2E_DIR/$1.png
    import -window root "$file" 2>/dev/null && e2e_log "screenshot $file"
}

# Colour of one screen pixel as 0xBBGGRR, read from the X screen.
e2e_pixel() {
    local x=$1 y=$2 rgb
    rgb=$(import -window root -crop "1x1+$x+$y" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-Fa-f]\{6\}' | head -1)
    [[ -n $rgb ]] || return 1
    printf '0x%s%s%s\n' "${rgb:5:2}" "${rgb:3:2}" "${rgb:1:2}"
}

# e2e_list_row_colors <rows> [probe function]: the colour of each row of the
# list window, sampled at the right end of the row where no text reaches,
# front-most first.
e2e_list_row_colors() {
    local n=$1 probe=${2:-e2e_probe} l t r b i y out=()
    read -r l t r b <<<"$($probe client BrisoltListWindow)"
    (((b - t) % n == 0 && b > t)) || { echo "height $((b - t)) is not $n rows"; return 1; }
    for ((i = 0; i < n; i++)); do
        y=$((t + (b - t) * (2 * i + 1) / (2 * n)))
        out+=("$($probe pixel $((r - 1)) "$y")")
    done
    echo "${out[*]}"
}

# ---- a second computer ----------------------------------------------------------

# e2e_second_computer <name>: another computer for team tests, a copy of the
# prefix whose Wine processes (and wineserver) run with the host name <name>,
# which Wine reports as the computer's name. Stopped by e2e_cleanup.
E2E_PC2_PREFIX=
E2E_PC2_NAME=
e2e_second_computer() {
    E2E_PC2_NAME=$1
    E2E_PC2_PREFIX=$E2E_DIR/prefix-$1
    rm -rf "$E2E_PC2_PREFIX"
    cp -a "$WINEPREFIX" "$E2E_PC2_PREFIX" || return 1
    e2e_pc2 wineserver -p
    e2e_pc2 wine cmd /c exit >/dev/null 2>&1
}
# e2e_pc2 <command...>: runs a command on the second computer.
e2e_pc2() { WINEPREFIX=$E2E_PC2_PREFIX unshare -u sh -c 'hostname "$0" && exec "$@"' "$E2E_PC2_NAME" "$@"; }
# e2e_pc2_start <log name> <working dir> <exe> [args...]: e2e_start on the second computer.
e2e_pc2_start() {
    local name=$1 dir=$2; shift 2
    # (exec all the way down: the pid is the Windows program's own)
    (cd "$dir" && WINEPREFIX=$E2E_PC2_PREFIX exec unshare -u sh -c 'hostname "$0" && exec "$@"' "$E2E_PC2_NAME" \
        wine "$@") >"$E2E_DIR/$name.log" 2>&1 &
    E2E_LAST_PID=$!
    E2E_PIDS+=("$E2E_LAST_PID")
    e2e_log "started $name on $E2E_PC2_NAME (pid $E2E_LAST_PID)"
}
# probe.exe on the second computer.
e2e_pc2_probe() { WINEPREFIX=$E2E_PC2_PREFIX e2e_probe "$@"; }

# ---- checks --------------------------------------------------------------------

e2e_pass() { echo "PASS: $*"; E2E_PASSED=$((E2E_PASSED + 1)); }
e2e_fail() { echo "FAIL: $*"; E2E_FAILED=$((E2E_FAILED + 1)); }

# e2e_check_eq <what> <expected> <actual>
e2e_check_eq() {
    if [[ $2 == "$3" ]]; then e2e_pass "$1 ($3)"; else e2e_fail "$1: expected '$2', got '$3'"; fi
}

# e2e_check_poll <what> <timeout seconds> <command...>: passes once the command succeeds.
e2e_check_poll() {
    local what=$1 timeout=$2; shift 2
    if e2e_poll "$timeout" "$@"; then e2e_pass "$what"; else e2e_fail "$what"; fi
}

# ---- set-up and clean-up -------------------------------------------------------

e2e_cleanup() {
    local pid
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do e2e_stop "${E2E_PIDS[i]}"; done
    E2E_PIDS=()
    if ((E2E_UNMANAGED)); then
        wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1
        E2E_UNMANAGED=0
    fi
    if ((E2E_OWN_WINESERVER)); then wineserver -k 2>/dev/null; E2E_OWN_WINESERVER=0; fi
    if [[ -n $E2E_PC2_PREFIX ]]; then WINEPREFIX=$E2E_PC2_PREFIX wineserver -k 2>/dev/null; E2E_PC2_PREFIX=; fi
    if [[ -n $E2E_XVFB_PID ]]; then
        kill "$E2E_XVFB_PID" 2>/dev/null; wait "$E2E_XVFB_PID" 2>/dev/null
        E2E_XVFB_PID=
    fi
}

# e2e_setup <name> [folder]: a fresh folder (default build/e2e/<name>), a display,
# the prefix and the wineserver; the clean-up runs on exit.
e2e_setup() {
    E2E_NAME=$1
    E2E_DIR=${2:-$E2E_ROOT/build/e2e/$E2E_NAME}
    rm -rf "$E2E_DIR"
    mkdir -p "$E2E_DIR"
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM
    local exe
    for exe in "$E2E_DIST/brisolt.exe" "$E2E_TOOLS/democlient.exe" "$E2E_TOOLS/probe.exe"; do
        [[ -f $exe ]] || { e2e_log "missing $exe (build the windows preset first)"; return 1; }
    done
    e2e_start_display || return 1
    e2e_init_prefix || { e2e_log "Wine prefix could not be created"; return 1; }
    e2e_start_wineserver
}

# Prints the summary line and returns the script's exit code.
e2e_finish() {
    echo "$E2E_NAME: $E2E_PASSED passed, $E2E_FAILED failed"
    ((E2E_FAILED == 0 && E2E_PASSED > 0))
}
