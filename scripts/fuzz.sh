#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/, clang, build/fuzz) and runs them.
#   scripts/fuzz.sh            replay the checked-in corpus once (a few seconds)
#   scripts/fuzz.sh SECONDS    fuzz each target for SECONDS, new inputs going to
#                              build/fuzz/corpus/<target> (the checked-in seeds are read, not changed)
# Crashing inputs land in build/fuzz/artifacts/. Ends with one line per target
# and "N passed, N failed"; exits non-zero when a target failed.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT" || exit 1
seconds=${1:-}
if [[ -n $seconds && ! $seconds =~ ^[0-9]+$ ]]; then
    echo "usage: $0 [seconds]"; exit 2
fi

BUILD=$ROOT/build/fuzz
TARGETS=(fuzz_titles fuzz_profile fuzz_team fuzz_history)
started=$SECONDS

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [[ ! -f $BUILD/CMakeCache.txt ]]; then
    cmake -S fuzz -B "$BUILD" "${generator[@]}" -DCMAKE_CXX_COMPILER=clang++ >/dev/null || {
        echo "fuzz configure failed"; exit 1; }
fi
cmake --build "$BUILD" -j2 || { echo "fuzz build failed"; exit 1; }
echo "fuzz build took $((SECONDS - started)) s"

mkdir -p "$BUILD/artifacts"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
passed=0
failed=0
summary=()
for t in "${TARGETS[@]}"; do
    seeds=$ROOT/fuzz/corpus/$t
    log=$BUILD/$t.log
    t0=$SECONDS
    if [[ -z $seconds ]]; then
        mode="replay"
        "$BUILD/$t" -runs=0 -artifact_prefix="$BUILD/artifacts/$t-" "$seeds" >"$log" 2>&1
    else
        mode="fuzz ${seconds}s"
        mkdir -p "$BUILD/corpus/$t"
        "$BUILD/$t" -max_total_time="$seconds" -print_final_stats=1 -max_len=512 \
            -artifact_prefix="$BUILD/artifacts/$t-" "$BUILD/corpus/$t" "$seeds" >"$log" 2>&1
    fi
    rc=$?
    runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1)
    [[ -z $runs ]] && runs=$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#')
    cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1)
    if ((rc == 0)); then
        passed=$((passed + 1)); verdict=passed
    else
        failed=$((failed + 1)); verdict="FAILED (exit $rc, see $log)"
        grep -E 'ERROR|invariant failed|runtime error|SUMMARY|Test unit written' "$log" | head -8
    fi
    summary+=("$t: $mode, ${runs:-?} inputs, ${cov:-cov: ?}, $((SECONDS - t0)) s: $verdict")
done

echo "---- fuzz summary"
printf '%s\n' "${summary[@]}"
echo "total time $((SECONDS - started)) s"
echo "$passed passed, $failed failed"
((failed == 0))
