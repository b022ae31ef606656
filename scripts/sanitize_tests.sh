#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize and runs
# the whole test suite there (the "sanitize" presets). Any sanitizer report ends the test that made
# it with a failure, and fails this script.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset sanitize
cmake --build --preset sanitize -j"$(nproc)"
status=0
ctest --preset sanitize --parallel "$(nproc)" || status=$?

log=build-sanitize/Testing/Temporary/LastTest.log
reports=$(grep -cE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$log" || true)
echo
echo "sanitizer suite: ctest exit status $status, $reports sanitizer report(s) (details in $log)"
if [ "$status" -ne 0 ] || [ "$reports" -ne 0 ]; then
    echo "sanitizer suite: FAILED"
    exit 1
fi
echo "sanitizer suite: passed"
