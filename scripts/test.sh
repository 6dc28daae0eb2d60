#!/usr/bin/env bash
# Installs what is missing, checks that every C++ file is formatted as .clang-format asks, builds
# without warnings and runs the whole test suite headless; then fuzzes the show file reader and the
# journal reader for 30 seconds each and runs the test suite again under ASan and UBSan. Any
# failure, crash, sanitizer report or unformatted file fails the command.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# The fuzz run and the sanitizer run below need nothing more.
export BESTINSHOW_DEPS_INSTALLED=1

scripts/check-format.sh

export QT_QPA_PLATFORM=offscreen
cmake --preset debug
cmake --build --preset debug -j"$(nproc)"
scripts/run-ctest.sh build

echo "Fuzzing the show file and journal readers, 30 seconds each (log in build-fuzz/fuzz.log)"
mkdir -p build-fuzz
if ! scripts/fuzz.sh 30 >build-fuzz/fuzz.log 2>&1; then
    tail -n 80 build-fuzz/fuzz.log
    echo "A fuzzer failed; the input is in build-fuzz/artifacts/" >&2
    exit 1
fi
grep -E '^(Done|stat::number_of_executed_units)' build-fuzz/fuzz.log || true

scripts/sanitize.sh
