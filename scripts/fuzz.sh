#!/usr/bin/env bash
# Builds the fuzzers of the show file reader and of the journal reader with clang (libFuzzer, ASan,
# UBSan) in build-fuzz/ and runs each, one worker, for a bounded time: scripts/fuzz.sh [seconds],
# 30 by default, for each. The corpora grow in build-fuzz/corpus and build-fuzz/journal-corpus
# from run to run; inputs that fail land in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/fuzz.sh [seconds]" >&2
    exit 2
fi

scripts/install-deps.sh

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target showfile_fuzzer journal_fuzzer

# Seeds: the committed ones and every golden show file of the tests.
seeds=build-fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds" build-fuzz/corpus build-fuzz/journal-corpus build-fuzz/artifacts
cp fuzz/seeds/*.oxl "$seeds"/
shopt -s nullglob
for golden in tests/data/*.oxl; do
    cp "$golden" "$seeds/golden-$(basename "$golden")"
done
shopt -u nullglob

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=1:symbolize=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
build-fuzz/showfile_fuzzer \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
    -dict=fuzz/showfile.dict -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1 \
    build-fuzz/corpus "$seeds"

echo "Fuzzing the journal reader for $seconds seconds"
build-fuzz/journal_fuzzer \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
    -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1 \
    build-fuzz/journal-corpus fuzz/journal-seeds
