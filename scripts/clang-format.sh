#!/usr/bin/env bash
# The one clang-format the project formats with, pinned here and nowhere else: Debian 12 and
# Debian 13 both ship LLVM 19.1.7 as clang-format-19, and another version lays some files out
# differently, so the verdict of scripts/check-format.sh would depend on the machine.
#
#   scripts/clang-format.sh -i FILE...    formats files, as clang-format does
#
# Sourced (by scripts/install-deps.sh and scripts/check-format.sh), it only sets
# clang_format_package and clang_format_version.
clang_format_version=19.1.7
clang_format_package=clang-format-${clang_format_version%%.*}

# Stops unless the installed clang-format is exactly the pinned version.
require_pinned_clang_format() {
    local program=$clang_format_package found
    if ! command -v "$program" >/dev/null; then
        echo "$program is missing; scripts/install-deps.sh installs it" >&2
        exit 1
    fi
    found=$("$program" --version)
    if ! [[ "$found" =~ version\ ${clang_format_version//./\\.}([^0-9.]|$) ]]; then
        echo "The project formats with clang-format $clang_format_version; $program is: $found" >&2
        exit 1
    fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    require_pinned_clang_format
    exec "$clang_format_package" "$@"
fi
