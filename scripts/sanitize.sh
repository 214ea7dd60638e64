#!/usr/bin/env bash
# Builds the portable logic and the unit tests with AddressSanitizer and
# UndefinedBehaviorSanitizer (preset native-asan, build/asan) and runs them.
# Any sanitizer report aborts the test that caused it, so it counts as failed.
# Ends with ctest's summary; exits non-zero when the build or a test fails.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT" || exit 1

started=$SECONDS
if ! cmake --preset native-asan >/dev/null; then
    echo "sanitizer configure failed"; exit 1
fi
if ! cmake --build --preset native-asan -j2 --target unit_tests; then
    echo "sanitizer build failed"; exit 1
fi

# The test preset sets ASAN_OPTIONS / UBSAN_OPTIONS (leak checks, halt on the
# first finding); ctest's summary is the last thing printed.
echo "sanitizer build took $((SECONDS - started)) s"
ctest --preset native-asan -j2
