#!/usr/bin/env bash
# Installs what is missing, builds Tally and starts its window; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALLY_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target tally tally-calc
exec build/release/src/app/tally "$@"
