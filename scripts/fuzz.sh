#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz (the "fuzz" presets) and runs each for the
# given number of seconds, starting from the seeds in fuzz/corpus. New interesting inputs collect in
# build-fuzz/corpus, never in the repository. Exits non-zero when any target finds a crash, a
# sanitizer report, a leak, a hang or an oversized allocation; the input is left in
# build-fuzz/findings/<target>/ and belongs in fuzz/corpus/<corpus>/ with a regression test.
#
#     scripts/fuzz.sh [seconds per target, default 60] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."
build="build-fuzz"
seconds=${1:-60}
shift $(($# > 0 ? 1 : 0))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(settings_reader_fuzz picture_loader_fuzz)

cmake --preset fuzz
cmake --build --preset fuzz -j"$(nproc)" --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# The picture target writes each input to a file; memory-backed files keep that off the disk. The
# folder goes when the script ends, also after a crash that left a target no time to clean up.
scratch=$(mktemp -d "$([ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/kururie-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"

failed=0
summary=()
for target in "${targets[@]}"; do
    corpus=${target%_fuzz}
    mkdir -p "$build/corpus/$corpus" "$build/findings/$target" "$build/logs"
    log="$build/logs/$target.log"
    echo "== $target: $seconds s"
    options=()
    # Qt converts large pictures on worker threads. LeakSanitizer's check between inputs stops every
    # thread, and in threaded processes that now and then crashes LeakSanitizer itself ("Tracer caught
    # signal 11"), which would pass for a finding. Leaks on this path are still checked when the
    # sanitized test suite replays the corpus.
    [ "$target" = picture_loader_fuzz ] && options+=(-detect_leaks=0)
    status=0
    # One decoded picture may use the reader's whole allocation limit; a single request over 1 GB,
    # or a process over 2 GB, means an input got past it. No input may take 10 s.
    "$build/fuzz/$target" "$build/corpus/$corpus" "fuzz/corpus/$corpus" \
        -dict="fuzz/$corpus.dict" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
        -artifact_prefix="$build/findings/$target/" -print_final_stats=1 "${options[@]}" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    if [ "$status" -eq 0 ]; then
        result="no finding"
    else
        result="FINDING (exit $status), see $log and $build/findings/$target/"
        failed=1
        tail -n 40 "$log"
    fi
    summary+=("$target: ${runs:-?} runs, ${speed:-?}/s, $result")
done

echo
printf '%s\n' "${summary[@]}"
exit "$failed"
