#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: the emulator CMake and CTest run the Windows
# test programs with.
#
#   scripts/wine-run.sh WINE_PREFIX PROGRAM.exe [ARGUMENTS...]
#
# The prefix is made (Windows 10) on first use. The program finds the Qt and MinGW libraries and
# Qt's plugins; its exit status is the program's own.
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=scripts/windows-env.sh
source "$here/windows-env.sh"

prefix=${1:?usage: scripts/wine-run.sh WINE_PREFIX PROGRAM.exe [ARGUMENTS...]}
shift
wine_prefix_ready "$prefix"
wine_program_environment
exec wine "$@"
