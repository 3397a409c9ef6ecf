#!/usr/bin/env bash
# Runs the benchmarks and prints their figures as one table (Markdown), each figure the
# median of several runs with its anchor measured in the same run.
#   bench/figures.sh [BUILD_DIR]     (default: build)
set -euo pipefail
build=${1:-build}
startup=$("$build/bench/bench_startup" 2>/dev/null)
engine=$("$build/bench/bench_engine" 2>/dev/null)
export_=$("$build/bench/bench_export" 2>/dev/null)

row() { printf '| %s | %s | %s |\n' "$1" "$2" "$3"; }
echo "| figure | measured | target |"
echo "| --- | --- | --- |"
while read -r tracks kib sample window rss; do
    row "start-up to first audible sample, $tracks tracks" "$sample ms" \
        "$([ "$tracks" = 28 ] && echo '< 100 ms' || echo 'linear in tracks')"
    row "start-up to window shown, $tracks tracks" "$window ms" \
        "$([ "$tracks" = 28 ] && echo '< 200 ms' || echo 'linear in tracks')"
    row "resident memory at window shown, $tracks tracks" "$rss MiB for $kib KiB of modules" "—"
done < <(awk '$1 ~ /^[0-9]+$/ { print $1, $2, $3, $4, $5 }' <<<"$startup")
growth=$(grep -o 'growth [0-9.]* MB' <<<"$engine" | head -1)
modules=$(grep -o '[0-9.]* MB of modules' <<<"$engine" | head -1)
row "engine memory growth, 99 loaded tracks" "${growth#growth } for $modules" "≤ 2 × modules + 8 MB"
worst=$(grep -o 'worst [0-9.]*' <<<"$engine" | head -1)
row "engine render speed / plain libopenmpt (worst module)" "${worst#worst }" "≥ 0.95"
dd=$(awk '/^dd: / { print $2, $3; gsub(/[()]/, ""); print }' <<<"$export_" | head -1)
ratio=$(grep -m1 '^dd: ' <<<"$export_" | grep -o 'ratio [0-9.]*')
row "export of a 5 MB member / dd of the same bytes" "${ratio#ratio } (dd ${dd})" "≤ 1.5"
