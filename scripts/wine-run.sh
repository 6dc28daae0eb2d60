#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: the emulator CMake and CTest run the Windows
# test programs with.
#
#   scripts/wine-run.sh WINE_PREFIX PROGRAM.exe [ARGUMENTS...]
#
# The prefix is made (Windows 10) on first use. The program finds the Qt and MinGW libraries and
# Qt's plugins; its exit status is the program's own. A program on Qt's Windows platform
# (QT_QPA_PLATFORM=windows) gets a virtual display of its own and, since the windows of one Wine
# prefix share one keyboard focus, a prefix of its own beside the given one (one for each test
# program and GoogleTest shard), so that several can run side by side.
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=scripts/windows-env.sh
source "$here/windows-env.sh"

prefix=${1:?usage: scripts/wine-run.sh WINE_PREFIX PROGRAM.exe [ARGUMENTS...]}
shift

# A Wine session keeps the user's regional settings of the program that started it, so a program
# that needs other ones (BESTINSHOW_WINE_SESSION names them) gets a prefix of its own too.
if [ -n "${BESTINSHOW_WINE_SESSION:-}" ]; then
    prefix="$prefix-$BESTINSHOW_WINE_SESSION"
fi
if [ "${QT_QPA_PLATFORM:-}" = windows ]; then
    program=$(basename "${1:?no program to run}" .exe)
    prefix="$prefix-$program-${GTEST_SHARD_INDEX:-0}"
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    xvfb=$!
    trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null; kill "$xvfb" 2>/dev/null; rm -f "$display_file"' EXIT
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        sleep 0.1
    done
    DISPLAY=":$(cat "$display_file")"
    export DISPLAY
fi

wine_prefix_ready "$prefix"
wine_program_environment
status=0
wine "$@" || status=$?
exit "$status"
