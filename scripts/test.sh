#!/usr/bin/env bash
# Sets up, builds and runs every test twice: a normal build, then one with
# the address and undefined-behaviour sanitizers. Warnings are errors in both.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

run() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DFENMARK_WERROR=ON "$@"
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

echo "== normal build =="
run build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== sanitizer build =="
export ASAN_OPTIONS=abort_on_error=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run build/sanitize -DCMAKE_BUILD_TYPE=Debug -DFENMARK_SANITIZE=ON -DFENMARK_BUILD_BENCH=OFF

echo "== Debian package =="
bash scripts/package.sh

echo "== fuzzing =="
bash scripts/fuzz.sh 45
