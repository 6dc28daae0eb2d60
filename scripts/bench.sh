#!/usr/bin/env bash
# Builds the benchmark program optimised in build-bench/ and runs it; extra arguments go to
# Google Benchmark (for example --benchmark_filter=Csv). Fails when an operation breaks its limit.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBESTINSHOW_BENCHMARK=ON \
    -DBESTINSHOW_WERROR=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench -j2 --target bestinshow_bench
build-bench/bestinshow_bench --benchmark_min_time=0.2 --benchmark_repetitions=5 "$@"
