#!/usr/bin/env bash
# Builds the Windows program and its test programs on Linux (MinGW-w64, warnings as errors) and
# runs the test suite under Wine through CTest, headless: the core, file and command-line tests on
# Qt's offscreen platform, the platform and screen tests on Qt's Windows platform, each run on a
# virtual X display of its own (scripts/wine-run.sh). Then the Linux kill test drives the Windows
# program under Wine and kills it a few times. A failed or (with CI=true) skipped test fails the
# command. Run scripts/windows-deps.sh first.
#
#   scripts/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
project=$(pwd)
# shellcheck source=scripts/windows-env.sh
source scripts/windows-env.sh

if ! qt_windows_usable "$qt_windows_prefix"; then
    echo "No Qt for Windows in $qt_windows_prefix: run scripts/windows-deps.sh first." >&2
    exit 1
fi

build="$project/build-windows"

# The preset builds the program, GoogleTest from Debian's source and the test programs, which CTest
# runs through scripts/wine-run.sh in the Wine prefix the build names.
cmake --preset windows
wine_prefix=$(sed -n 's/^BESTINSHOW_WINE_PREFIX:PATH=//p' "$build/CMakeCache.txt")
[ -n "$wine_prefix" ] || { echo "$build names no Wine prefix (BESTINSHOW_WINE_PREFIX)" >&2; exit 1; }

# Fresh Wine prefixes for every run, so that nothing an earlier run left counts.
rm -rf "$wine_prefix" "$wine_prefix"-*
wine_prefix_ready "$wine_prefix"

cmake --build --preset windows -j"$(nproc)"

scripts/run-ctest.sh "$build"

# The Windows program killed a few times at random moments, started again and continued: the kill
# test of the Linux build drives it under Wine, in a prefix of its own, and compares its files with
# those of a run that never stopped.
cmake --preset debug >/dev/null
cmake --build --preset debug --target stop_tests -j"$(nproc)"
stop_prefix="$wine_prefix-stops"
(
    wine_prefix_ready "$stop_prefix"
    wine_program_environment
    export BESTINSHOW_STOP_WINE="$build/bestinshow.exe" BESTINSHOW_KILLS=5
    # The user's local data folder in the prefix, %LOCALAPPDATA%, where the program keeps its data.
    # The Wine session that answers ends before the test starts one on its own display.
    BESTINSHOW_STOP_DATA=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")
    export BESTINSHOW_STOP_DATA
    wineserver -w
    status=0
    "$project/build/stop_tests" --gtest_filter='StopAndResumeTest.EveryKilled*' || status=$?
    wineserver -k 2>/dev/null || true
    exit "$status"
)
