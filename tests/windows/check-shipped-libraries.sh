#!/usr/bin/env bash
# check-shipped-libraries.sh FOLDER | --build BUILD_DIR (installed into a temporary folder): every
# library the program and its plugins import (objdump), directly or not, is shipped or Windows' own
# (an API set, or one Wine has), every shipped one is imported, print support only by the print
# module, and the program runs on its own.
set -euo pipefail
source "$(dirname "$0")/wine-checks.sh"
tree=$1
if [ "$1" = --build ]; then
    tree=$work/installed
    cmake --install "$2" --prefix "$tree" >/dev/null
fi

# Windows looks library names up regardless of case, and so does this.
declare -A shipped=() needed=()
for file in "$tree"/*.dll; do name=${file##*/} && shipped[${name,,}]=$name; done
mapfile -t queue < <(find "$tree" -mindepth 2 -name '*.dll')
# The program, and its print module, which it loads by name and does not import.
queue+=("$tree/bestinshow.exe" "$tree/bestinshow_print.dll")
needed[bestinshow_print.dll]=1
if x86_64-w64-mingw32-objdump -p "$tree/bestinshow.exe" | grep -qi 'DLL Name: Qt6PrintSupport'; then
    fail "bestinshow.exe imports print support, which its print module should hold"
fi
while [ ${#queue[@]} -gt 0 ]; do
    file=${queue[0]}
    queue=("${queue[@]:1}")
    imports=$(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
    for import in ${imports,,}; do
        if [ -n "${shipped[$import]:-}" ] && [ -z "${needed[$import]:-}" ]; then
            needed[$import]=1
            queue+=("$tree/${shipped[$import]}")
        elif [ -z "${shipped[$import]:-}" ] && [[ ! $import =~ ^(api|ext)-ms-win- ]] &&
            [ ! -f "$wine_windows_libraries/$import" ]; then
            fail "$(basename "$file") imports $import, which is neither shipped nor Windows' own"
        fi
    done
done
for import in "${!shipped[@]}"; do
    [ -n "${needed[$import]:-}" ] || fail "${shipped[$import]} is shipped but nothing imports it"
done

cp -r "$tree" "$work/Best in Show"
wine_prefix_ready "$work/prefix"
check_reports "$work/Best in Show/bestinshow.exe"
exit $((failures > 0))
