#!/usr/bin/env bash
# Builds the libFuzzer targets (the "fuzz" preset, clang with ASan and UBSan) and runs each
# for a bounded time on a working copy of its generated seeds. Any crash, sanitizer report,
# leak, timeout or over-large allocation fails the script; the input that caused it is kept
# in build-fuzz/findings/.
#   FUZZ_SECONDS  time per target (default 45)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-45}"

cmake --preset fuzz
cmake --build --preset fuzz

build=build-fuzz
mkdir -p "$build/findings"
status=0
for target in pack catalogue engine_load; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    cp -n "$build/seeds/$target"/* "$corpus"/ 2>/dev/null || true
    echo "== fuzz_$target for ${seconds}s"
    # -malloc_limit_mb: an allocation sized by a hostile count is a finding, not a slow run.
    if ! ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:${ASAN_OPTIONS:-}" \
        UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}" \
        "$build/fuzz_$target" "$corpus" \
        -max_total_time="$seconds" \
        -malloc_limit_mb=64 -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$target-" >"$build/fuzz_$target.log" 2>&1; then
        echo "fuzz_$target found a fault; see $build/fuzz_$target.log and $build/findings/"
        tail -n 60 "$build/fuzz_$target.log"
        status=1
    else
        grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb)' \
            "$build/fuzz_$target.log" || true
    fi
done
exit "$status"
