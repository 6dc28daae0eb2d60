#!/usr/bin/env bash
# Checks the folder the Windows package ships (the zip's, or the build installed into a temporary
# one) against the import tables of its program and plugins, read with the MinGW objdump: every
# library they import, directly or not, is shipped or is Windows' own (an API set, or a library
# Wine has a build of), and every shipped library is imported. Then the program, copied to a
# folder of its own, writes the reports of a show file with nothing of the build on its path.
#
#   check-shipped-libraries.sh FOLDER | --build BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/wine-checks.sh"
require_tools x86_64-w64-mingw32-objdump wine cmake
tree=$1
if [ "$1" = --build ]; then
    tree=$work/installed
    cmake --install "$2" --prefix "$tree" >/dev/null
fi

# Windows looks library names up regardless of case, and so does this.
declare -A shipped=() needed=()
for file in "$tree"/*.dll; do
    name=$(basename "$file")
    shipped[${name,,}]=$name
done
mapfile -t queue < <(find "$tree" -mindepth 2 -name '*.dll')
queue+=("$tree/bestinshow.exe")
while [ ${#queue[@]} -gt 0 ]; do
    file=${queue[0]}
    queue=("${queue[@]:1}")
    imports=$(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
    [ -n "$imports" ] || fail "$(basename "$file") imports nothing, or is no Windows program"
    for import in ${imports,,}; do
        if [ -n "${shipped[$import]:-}" ] && [ -z "${needed[$import]:-}" ]; then
            needed[$import]=1
            queue+=("$tree/${shipped[$import]}")
        elif [ -z "${shipped[$import]:-}" ] && [[ ! $import =~ ^(api|ext)-ms-win- ]] &&
            [ ! -f "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/$import" ]; then
            fail "$(basename "$file") imports $import, which is neither shipped nor Windows' own"
        fi
    done
done
for import in "${!shipped[@]}"; do
    [ -n "${needed[$import]:-}" ] || fail "${shipped[$import]} is shipped but nothing imports it"
done

mkdir "$work/anywhere"
cp -r "$tree" "$work/anywhere/Best in Show"
wine_prefix_ready "$work/prefix"
check_reports "$work/anywhere/Best in Show/bestinshow.exe"
[ "$failures" -eq 0 ] || exit 1
echo "The shipped libraries are those the imports need, and the program runs on its own"
