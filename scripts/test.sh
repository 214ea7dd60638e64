#!/usr/bin/env bash
# Builds everything and runs every test. Ends with "N passed, N failed".
#
# The Wine tests mostly wait (for windows, timers, polls), so the parts run
# side by side, the Wine tests first in line for the CPU:
#   - at normal priority, the Windows build while one Wine prefix is booted
#     beside it; then every end-to-end script and the Windows platform tests
#     (tests/win32), up to E2E_JOBS at a time (default 4), the slowest first.
#     Each runs on an Xvfb display of its own with a copy of that prefix, and
#     so a wineserver of its own: they share nothing else;
#   - at nice 5, the build of the Windows platform tests; they join the Wine
#     jobs once built;
#   - at nice 10, one after another: the native build and unit tests (ctest), a
#     replay of the fuzz corpus, and the unit tests again under AddressSanitizer
#     and UndefinedBehaviorSanitizer (none of them measures time).
# The Wine tests take a core whenever they wake; the builds take what they
# leave, and still get their share beside other work on a shared machine
# (at nice 19 they barely moved there).
# Each part writes its output to build/test-logs/<part>.log; a part that fails
# prints it, under the part's name.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT" || exit 1
source scripts/setup_env.sh
brisolt_install_packages || echo "package installation failed"
# Every outside program the tests call must be there before the first test runs.
if ! brisolt_check_programs; then
    echo "the tests need the programs above: stopping before any test runs"
    echo "0 passed, 1 failed"
    exit 1
fi

# Four at a time on two cores: three took 200 s, four 150 s, five 140 s with
# every script slower and the timed reactions in test_events twice as slow.
E2E_JOBS=${E2E_JOBS:-4}
((E2E_JOBS >= 1)) || E2E_JOBS=1
# The end-to-end scripts that take longest start first (the others follow by
# name), so that no long one starts last and runs on alone.
SLOW_FIRST=(test_team.sh test_bad_settings.sh test_churn.sh test_team_hang.sh test_events.sh)

LOGS=$ROOT/build/test-logs
PREFIX=$ROOT/build/wineprefix  # booted once; each Wine job runs on a copy of it
PREFIXES=$ROOT/build/wineprefixes
rm -rf "$LOGS" "$PREFIXES"
mkdir -p "$LOGS" "$PREFIXES"
passed=0
failed=0
started=$SECONDS
TIMES=()
took() { TIMES+=("$1: $2 s"); }

# What still runs when this script ends early is stopped by its process id:
# each part runs under `timeout`, which passes the signal on to all it started.
JOB_PIDS=()
BACKGROUND_PIDS=()
stop_all() {
    local pid
    for pid in "${JOB_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${BACKGROUND_PIDS[@]}"; do pkill -P "$pid" 2>/dev/null; kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
}
trap stop_all EXIT
trap 'exit 130' INT TERM

# count_ctest <log> <what>: adds ctest's summary in the log to the totals.
count_ctest() {
    local summary
    summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1)
    if [[ $summary =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
        failed=$((failed + BASH_REMATCH[1]))
        passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
    else
        echo "$2 ran no tests"; failed=$((failed + 1))
    fi
}
# show_log <what> <log>: a part's whole output under its name.
show_log() {
    echo "---- $1: $2"
    cat "$2"
    echo "---- end of $1"
}
# in_background <part> <nice> <seconds> <command...>: the part's output goes to
# its log, and its exit code and time to <part>.rc.
in_background() {
    local part=$1 niceness=$2 limit=$3
    shift 3
    (
        t=$SECONDS
        timeout "$limit" nice -n "$niceness" "$@" </dev/null >"$LOGS/$part.log" 2>&1
        echo "$? $((SECONDS - t))" >"$LOGS/$part.rc"
    ) &
    BACKGROUND_PIDS+=($!)
}
# part_result <part> <what>: the part's exit code; its time is noted.
part_result() {
    local rc secs
    read -r rc secs <"$LOGS/$1.rc" 2>/dev/null || { rc=1; secs=?; }
    took "$2" "$secs"
    return "$rc"
}

# ---- the native parts, one after another, at nice 10.
native_parts() {
    local t=$SECONDS
    { cmake --preset native >/dev/null && cmake --build --preset native -j2; } >"$LOGS/native-build.log" 2>&1
    echo "$? $((SECONDS - t))" >"$LOGS/native-build.rc"
    t=$SECONDS
    ctest --test-dir build/native --output-on-failure -j2 >"$LOGS/ctest.log" 2>&1
    echo "$? $((SECONDS - t))" >"$LOGS/ctest.rc"
    t=$SECONDS
    bash scripts/fuzz.sh >"$LOGS/fuzz-replay.log" 2>&1
    echo "$? $((SECONDS - t))" >"$LOGS/fuzz-replay.rc"
    t=$SECONDS
    bash scripts/sanitize.sh >"$LOGS/sanitizers.log" 2>&1
    echo "$? $((SECONDS - t))" >"$LOGS/sanitizers.rc"
}
export ROOT LOGS
in_background native 10 3600 bash -c "$(declare -f native_parts)"$'\n''cd "$ROOT" && native_parts'
NATIVE_PID=${BACKGROUND_PIDS[-1]}

# ---- the Windows platform tests' build, at nice 5.
in_background win32-build 5 1800 bash -c 'cmake -S tests/win32 -B build/win32-tests -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" && cmake --build build/win32-tests -j2'
WIN32_BUILD_PID=${BACKGROUND_PIDS[-1]}

# ---- the Windows build, and the Wine prefix booted beside it.
boot_prefix() {
    unset DISPLAY E2E_PREFIX_FROM
    export WINEPREFIX=$PREFIX
    source tests/e2e/lib.sh
    trap e2e_cleanup EXIT
    e2e_start_display && e2e_init_prefix
}
(boot_prefix) </dev/null >"$LOGS/wineprefix.log" 2>&1 &
boot_pid=$!
t=$SECONDS
if ! { cmake --preset windows >/dev/null && cmake --build --preset windows -j2; } >"$LOGS/windows-build.log" 2>&1; then
    show_log "windows build" "$LOGS/windows-build.log"
    echo "windows build failed"; failed=$((failed + 1))
fi
took "windows build" $((SECONDS - t))
wine_ok=1
if ! wait "$boot_pid"; then
    show_log "Wine prefix" "$LOGS/wineprefix.log"
    echo "the Wine prefix could not be booted"; wine_ok=0
fi
took "windows build and Wine prefix" $((SECONDS - t))

# ---- the Wine jobs, E2E_JOBS at a time.
QUEUE=()
for t in "${SLOW_FIRST[@]}"; do [[ -f tests/e2e/$t ]] && QUEUE+=("tests/e2e/$t"); done
for t in tests/e2e/test_*.sh; do
    [[ -f $t && " ${SLOW_FIRST[*]} " != *" ${t##*/} "* ]] && QUEUE+=("$t")
done

declare -A JOB_OF JOB_STARTED
job_name() { local n=${1##*/}; echo "${n%.sh}"; }
start_job() {
    local job=$1 name
    name=$(job_name "$job")
    (
        unset DISPLAY
        export WINEPREFIX=$PREFIXES/$name E2E_PREFIX_FROM=$PREFIX
        if [[ $job == tests/win32 ]]; then
            exec timeout 900 bash tests/win32/run.sh build/win32-tests/win32_tests.exe
        fi
        exec timeout 600 bash "$job"
    ) </dev/null >"$LOGS/$name.log" 2>&1 &
    JOB_PIDS+=($!)
    JOB_OF[$!]=$job
    JOB_STARTED[$!]=$SECONDS
}
# finish_job <pid> <exit code>: counts the job and says how it went.
finish_job() {
    local pid=$1 rc=$2 job=${JOB_OF[$1]} name log secs
    name=$(job_name "$job")
    log=$LOGS/$name.log
    secs=$((SECONDS - JOB_STARTED[$pid]))
    took "$job" "$secs"
    rm -rf "${PREFIXES:?}/$name" "$PREFIXES/$name.lock"
    if [[ $job == tests/win32 ]]; then
        if [[ $(tail -1 "$log") =~ ^([0-9]+)\ tests,\ ([0-9]+)\ failed ]] && ((BASH_REMATCH[1] > 0)); then
            passed=$((passed + BASH_REMATCH[1] - BASH_REMATCH[2]))
            failed=$((failed + BASH_REMATCH[2]))
            ((BASH_REMATCH[2] == 0)) || show_log "$job" "$log"
            echo "=== $job: $(tail -1 "$log") ($secs s)"
        else
            show_log "$job" "$log"
            echo "=== $job: did not finish (exit $rc, $secs s)"; failed=$((failed + 1))
        fi
    elif ((rc == 0)); then
        passed=$((passed + 1))
        echo "=== $job: passed, $(grep -E ': [0-9]+ passed, [0-9]+ failed$' "$log" | tail -1) ($secs s)"
    else
        show_log "$job" "$log"
        failed=$((failed + 1)); echo "=== $job: FAILED (exit $rc, $secs s)"
    fi
}
# The Windows platform tests' build is done: they run next, or count as failed.
win32_built() {
    if part_result win32-build "tests/win32 build (nice 5)"; then
        QUEUE=(tests/win32 "${QUEUE[@]:next}")
        next=0
    else
        show_log "tests/win32 build" "$LOGS/win32-build.log"
        echo "=== tests/win32: build failed"; failed=$((failed + 1))
    fi
}

t=$SECONDS
if ((wine_ok)); then
    next=0
    while ((next < ${#QUEUE[@]} || ${#JOB_PIDS[@]} > 0)) || [[ -n $WIN32_BUILD_PID ]]; do
        while ((next < ${#QUEUE[@]} && ${#JOB_PIDS[@]} < E2E_JOBS)); do
            start_job "${QUEUE[next]}"
            next=$((next + 1))
        done
        wait -n -p done_pid "${JOB_PIDS[@]}" $WIN32_BUILD_PID
        rc=$?
        if [[ $done_pid == "$WIN32_BUILD_PID" ]]; then
            WIN32_BUILD_PID=
            win32_built
            continue
        fi
        remaining=()
        for pid in "${JOB_PIDS[@]}"; do [[ $pid == "$done_pid" ]] || remaining+=("$pid"); done
        JOB_PIDS=("${remaining[@]}")
        finish_job "$done_pid" "$rc"
    done
else
    wait "$WIN32_BUILD_PID"
    for job in tests/win32 "${QUEUE[@]}"; do echo "=== $job: FAILED (no Wine prefix)"; failed=$((failed + 1)); done
fi
took "all Wine jobs, $E2E_JOBS at a time" $((SECONDS - t))

# ---- the native parts' results.
t=$SECONDS
wait "$NATIVE_PID"
took "waiting for the native parts after the Wine jobs" $((SECONDS - t))
if ! part_result native-build "native build (nice 10)"; then
    show_log "native build" "$LOGS/native-build.log"
    echo "native build failed"; failed=$((failed + 1))
fi
part_result ctest "unit tests (nice 10)" || show_log "ctest" "$LOGS/ctest.log"
echo "=== ctest: $(grep -E 'tests passed' "$LOGS/ctest.log" | tail -1)"
count_ctest "$LOGS/ctest.log" "ctest"
part_result fuzz-replay "fuzz build and replay (nice 10)" || show_log "fuzz replay" "$LOGS/fuzz-replay.log"
if [[ $(tail -1 "$LOGS/fuzz-replay.log" 2>/dev/null) =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
    passed=$((passed + BASH_REMATCH[1])); failed=$((failed + BASH_REMATCH[2]))
    echo "=== fuzz replay: $(tail -1 "$LOGS/fuzz-replay.log")"
else
    echo "fuzz replay did not finish"; failed=$((failed + 1))
fi
part_result sanitizers "sanitizer build and unit tests (nice 10)" || show_log "sanitizers" "$LOGS/sanitizers.log"
echo "=== sanitizers: $(grep -E 'tests passed' "$LOGS/sanitizers.log" | tail -1)"
count_ctest "$LOGS/sanitizers.log" "sanitizer run"

printf 'time: %s\n' "${TIMES[@]}"
echo "total time $((SECONDS - started)) s"
echo "$passed passed, $failed failed"
((failed == 0))
