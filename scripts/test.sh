#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then the same tests under
# ASan and UBSan, then a bounded run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
ctest --preset default

# Allocations over 256 MB are treated as faults: no input the tests build needs one.
export ASAN_OPTIONS="max_allocation_size_mb=256:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
unset ASAN_OPTIONS UBSAN_OPTIONS

scripts/fuzz.sh
