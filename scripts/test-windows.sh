#!/usr/bin/env bash
# Builds the Windows program and its test programs on Linux (MinGW-w64, warnings as errors) and
# runs the test suite under Wine through CTest, headless: the core, platform, file and command-line
# tests on Qt's offscreen platform, the screen tests on Qt's Windows platform, each run on a
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
mkdir -p "$build"

# GoogleTest from Debian's source, built for Windows once per build folder.
googletest="$build/googletest"
if [ ! -f "$googletest/lib/cmake/GTest/GTestConfig.cmake" ]; then
    echo "Building GoogleTest for Windows"
    cmake -S /usr/src/googletest -B "$build/googletest-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$project/cmake/windows/mingw-w64-posix.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$googletest" \
        -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON >/dev/null
    cmake --build "$build/googletest-build" -j"$(nproc)" >/dev/null
    cmake --install "$build/googletest-build" >/dev/null
fi

# Fresh Wine prefixes for every run, so that nothing an earlier run left counts.
wine_prefix="$build/wine-prefix"
rm -rf "$wine_prefix" "$wine_prefix"-*
wine_prefix_ready "$wine_prefix"

# The preset names the GoogleTest and the Wine prefix above, and scripts/wine-run.sh as the
# emulator that runs the test programs.
cmake --preset windows
cmake --build --preset windows -j"$(nproc)"

scripts/run-ctest.sh "$build"

# The Windows program killed a few times at random moments, started again and continued: the kill
# test of the Linux build drives it under Wine, in a prefix of its own, and compares its files with
# those of a run that never stopped.
cmake --preset debug >/dev/null
cmake --build --preset debug --target stop_tests -j"$(nproc)"
stop_prefix="$build/wine-prefix-stops"
(
    wine_prefix_ready "$stop_prefix"
    wine_program_environment
    export BESTINSHOW_STOP_WINE="$build/bestinshow.exe" BESTINSHOW_KILLS=5
    export BESTINSHOW_STOP_JOURNALS="$stop_prefix/drive_c/users/$(id -un)/AppData/Local/bestinshow/journals"
    status=0
    "$project/build/stop_tests" --gtest_filter='StopAndResumeTest.EveryKilled*' || status=$?
    wineserver -k 2>/dev/null || true
    exit "$status"
)
