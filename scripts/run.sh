#!/usr/bin/env bash
# Sets up, builds and starts the ledger.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DFENMARK_BUILD_TESTS=OFF \
    -DFENMARK_BUILD_BENCH=OFF
cmake --build build/release
exec ./build/release/fenmark "$@"
