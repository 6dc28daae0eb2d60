#!/usr/bin/env bash
# Checks the folder the Windows package ships (the zip's folder, or the build installed into a
# temporary one) against the import tables of its program and plugins, read with the MinGW
# objdump: every library they import, directly or through one another, is shipped or is one of
# Windows' own (an API set, or a library Wine has a build of); every shipped library is imported;
# the plugins are those Qt loads. Then the program, copied to a folder of its own, writes the
# reports of a show file in a fresh Wine prefix, with nothing of the build on its search path.
#
#   check-shipped-libraries.sh FOLDER
#   check-shipped-libraries.sh --build BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../install/checks.sh"
source "$here/../../scripts/windows-env.sh"
system_libraries=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows

require_tools x86_64-w64-mingw32-objdump wine cmake
work=$(mktemp -d)
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
if [ "$1" = --build ]; then
    tree=$work/installed
    cmake --install "$2" --prefix "$tree" >/dev/null
else
    tree=$1
fi

# --- The plugins: the Windows platform and style for the windows, the offscreen platform for the
# reports from the command line.
expected_plugins="platforms/qoffscreen.dll
platforms/qwindows.dll
styles/qwindowsvistastyle.dll"
plugins=$(cd "$tree" && find . -mindepth 2 -type f -printf '%P\n' | LC_ALL=C sort)
if [ "$plugins" != "$expected_plugins" ]; then
    fail "the plugins shipped differ from those the program loads"
    diff <(echo "$expected_plugins") <(echo "$plugins") >&2 || true
fi

# --- The libraries, followed from the program and the plugins through their imports. Windows
# looks names up regardless of case, and so does this.
declare -A shipped=() needed=()
for file in "$tree"/*.dll; do
    name=$(basename "$file")
    shipped[${name,,}]=$name
done
queue=("$tree/bestinshow.exe")
for plugin in $plugins; do
    queue+=("$tree/$plugin")
done
while [ ${#queue[@]} -gt 0 ]; do
    file=${queue[0]}
    queue=("${queue[@]:1}")
    imports=$(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
    [ -n "$imports" ] || fail "$(basename "$file") imports nothing, or is no Windows program"
    for import in $imports; do
        import=${import,,}
        if [ -n "${shipped[$import]:-}" ]; then
            if [ -z "${needed[$import]:-}" ]; then
                needed[$import]=1
                queue+=("$tree/${shipped[$import]}")
            fi
        elif [[ $import != api-ms-win-* && $import != ext-ms-win-* ]] &&
            [ ! -f "$system_libraries/$import" ]; then
            fail "$(basename "$file") imports $import, which is neither shipped nor Windows' own"
        fi
    done
done
for import in "${!shipped[@]}"; do
    [ -n "${needed[$import]:-}" ] || fail "${shipped[$import]} is shipped but nothing imports it"
done

# --- The program, in a folder of its own, writes the reports of a show file.
mkdir "$work/anywhere"
cp -r "$tree" "$work/anywhere/Best in Show"
wine_prefix_ready "$work/prefix"
show=show_file_example
for kind in txt csv; do
    rm -f "$work/report.$kind"
done
(cd "$work" && wine "anywhere/Best in Show/bestinshow.exe" --text-report report.txt \
    --csv-report report.csv "$here/../data/$show.oxl") || fail "the reports from the command line"
for kind in txt csv; do
    cmp -s "$work/report.$kind" "$here/../data/$show.$kind" ||
        fail "the $kind report differs from tests/data/$show.$kind"
done

[ "$failures" -eq 0 ] || exit 1
echo "The shipped libraries are those the program's imports need; the program runs on its own"
