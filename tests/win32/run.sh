#!/usr/bin/env bash
# Runs the Windows platform tests under Wine and Xvfb.
#   tests/win32/run.sh [path to win32_tests.exe] [name filter]
# Uses the end-to-end harness for the display, the Wine prefix and the
# wineserver (DISPLAY and WINEPREFIX are taken as they are when set).
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=${1:-$here/../../build/win32-tests/win32_tests.exe}
# shellcheck source=../e2e/lib.sh
source "$here/../e2e/lib.sh"
[[ -f $exe ]] || { echo "missing $exe (build tests/win32 first)" >&2; exit 2; }
trap e2e_cleanup EXIT
trap 'exit 130' INT TERM
e2e_start_display || exit 2
e2e_init_prefix || exit 2
e2e_start_wineserver
# Hiding at once, as on Windows (see lib.sh), instead of 2 s at every window a test hides.
e2e_unmanaged_windows
wine "$exe" ${2:+"$2"} 2>/dev/null | tr -d '\r'
exit "${PIPESTATUS[0]}"
