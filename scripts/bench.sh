#!/usr/bin/env bash
# Builds the benchmark program optimised in build-bench/ and runs it; extra arguments go to
# Google Benchmark (for example --benchmark_filter=Csv). Fails when an operation breaks its limit.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset bench >/dev/null
cmake --build --preset bench -j2 --target bestinshow_bench
build-bench/bestinshow_bench --benchmark_min_time=0.2 --benchmark_repetitions=5 "$@"
