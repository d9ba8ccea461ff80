#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite: the unit and
# end-to-end tests, the core tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
fuzz_seconds=${TALLY_FUZZ_SECONDS:-20}

echo "== Release build, unit, end-to-end and window tests (offscreen)"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build/release --output-on-failure -j "$jobs"

echo "== The core and the plot model stay free of Qt"
qt_free_plot=(src/graph/plot_label.* src/graph/plot_layout.* src/graph/plot_look.*
              src/graph/plot_model.* src/graph/plot_painting.* src/graph/svg_plot_writer.*)
if grep -rnE '#include\s*[<"]Q[A-Za-z]+' src/lang src/engine src/units src/document \
        "${qt_free_plot[@]}"; then
    echo "The core or the plot model includes Qt headers" >&2
    exit 1
fi

echo "== Sanitizer build (ASan + UBSan) and tests"
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTALLY_SANITIZE=ON \
      -DTALLY_BUILD_BENCH=OFF -DTALLY_BUILD_APP=OFF >/dev/null
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

echo "== Fuzz targets (${fuzz_seconds}s each)"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DTALLY_BUILD_FUZZ=ON -DTALLY_BUILD_TESTS=OFF -DTALLY_BUILD_BENCH=OFF \
      -DTALLY_BUILD_CLI=OFF -DTALLY_BUILD_APP=OFF >/dev/null
cmake --build build/fuzz -j "$jobs"
for target in build/fuzz/fuzz/fuzz_*; do
    name=$(basename "$target")
    corpus="build/fuzz/corpus/$name"
    mkdir -p "$corpus"
    "$target" -max_total_time="$fuzz_seconds" -max_len=4096 -timeout=10 -print_final_stats=0 \
        "$corpus" fuzz/corpus 2>&1 | tail -n 3
done
echo "== All tests passed"
