#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (ctest) and each
# end-to-end script under Wine + Xvfb. Ends with "N passed, N failed".
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

passed=0
failed=0
started=$SECONDS

# ---- builds
if ! { cmake --preset native >/dev/null && cmake --build --preset native -j2; }; then
    echo "native build failed"; failed=$((failed + 1))
fi
if ! { cmake --preset windows >/dev/null && cmake --build --preset windows -j2; }; then
    echo "windows build failed"; failed=$((failed + 1))
fi

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

# ---- unit tests
ctest_out=$ROOT/build/ctest.log
ctest --test-dir build/native --output-on-failure -j2 2>&1 | tee "$ctest_out"
count_ctest "$ctest_out" "ctest"

# ---- end-to-end tests: one display, one prefix and one wineserver for all
source tests/e2e/lib.sh
trap e2e_cleanup EXIT
e2e_shared_ok=1
e2e_start_display || e2e_shared_ok=0
if ((e2e_shared_ok)); then
    e2e_init_prefix || e2e_shared_ok=0
fi
if ((e2e_shared_ok)); then
    wineserver -p && E2E_OWN_WINESERVER=1 && wine cmd /c exit >/dev/null 2>&1
    export E2E_SHARED_WINE=1
fi
# ---- the Windows platform tests (tests/win32) under Wine
echo "=== tests/win32"
win32_out=$ROOT/build/win32-tests.log
if cmake -S tests/win32 -B build/win32-tests -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null && cmake --build build/win32-tests -j2 >/dev/null &&
        ((e2e_shared_ok)); then
    timeout 900 bash tests/win32/run.sh build/win32-tests/win32_tests.exe 2>&1 | tee "$win32_out"
    if [[ $(tail -1 "$win32_out") =~ ^([0-9]+)\ tests,\ ([0-9]+)\ failed ]] && ((BASH_REMATCH[1] > 0)); then
        passed=$((passed + BASH_REMATCH[1] - BASH_REMATCH[2]))
        failed=$((failed + BASH_REMATCH[2]))
    else
        echo "tests/win32 did not finish"; failed=$((failed + 1))
    fi
else
    echo "tests/win32: build or display failed"; failed=$((failed + 1))
fi

for t in tests/e2e/test_*.sh; do
    [[ -f $t ]] || continue
    echo "=== $t"
    e2e_started=$SECONDS
    if ((e2e_shared_ok)) && timeout 600 bash "$t"; then
        passed=$((passed + 1)); echo "=== $t: passed ($((SECONDS - e2e_started)) s)"
    else
        failed=$((failed + 1)); echo "=== $t: FAILED ($((SECONDS - e2e_started)) s)"
    fi
done
e2e_cleanup

# ---- a replay of the fuzz corpus (clang, libFuzzer)
echo "=== fuzz replay"
fuzz_out=$ROOT/build/fuzz-replay.log
bash scripts/fuzz.sh 2>&1 | tee "$fuzz_out"
if [[ $(tail -1 "$fuzz_out") =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
    passed=$((passed + BASH_REMATCH[1])); failed=$((failed + BASH_REMATCH[2]))
else
    echo "fuzz replay did not finish"; failed=$((failed + 1))
fi

# ---- the unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer
echo "=== sanitizers"
asan_out=$ROOT/build/asan.log
bash scripts/sanitize.sh 2>&1 | tee "$asan_out"
count_ctest "$asan_out" "sanitizer run"

echo "total time $((SECONDS - started)) s"
echo "$passed passed, $failed failed"
((failed == 0))
