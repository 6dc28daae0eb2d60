#!/usr/bin/env bash
# Makes the Windows installer of the build folder and checks it in a fresh Wine prefix set to
# Windows 10, as a show secretary's laptop would see it: a silent install with a desktop shortcut
# goes to the user's own programs folder with its entries under HKEY_CURRENT_USER and none for
# all users; the shortcuts, the show file type and the entry in Apps are there; the installed
# program writes the reports of a show file; installing again over it keeps one working install;
# the silent uninstall, run as Apps runs it, leaves none of it, but keeps a show file the user
# saved in the program's folder and the reports written elsewhere.
#
#   check-installer.sh BUILD_DIR
#
# The installer is packed with zlib rather than the release's LZMA, which takes minutes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../install/checks.sh"
source "$here/../../scripts/windows-env.sh"
build=$(cd "$1" && pwd)

require_tools cpack wine
work=$(mktemp -d)
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
(cd "$build" && cpack -G NSIS -B "$work/package" -D CPACK_NSIS_COMPRESSOR=zlib >"$work/cpack.log") ||
    { cat "$work/cpack.log" >&2; exit 1; }
installer=$(ls "$work"/package/BestInShow-*-win64.exe)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

# Wine links the prefix's desktop and documents to the home folder and copies shortcuts and file
# types into the Linux desktop's menus there: this check keeps all of it in its own folder.
export HOME=$work/home
mkdir "$HOME"
wine_prefix_ready "$work/prefix"
user_folder=$(wine cmd /c echo %USERPROFILE% | tr -d '\r')
unix() { winepath -u "$1" | tr -d '\r'; }
folder=$(unix "$user_folder\\AppData\\Local\\Programs\\Best in Show")
start_menu=$(unix "$user_folder\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Best in Show.lnk")
desktop=$(unix "$user_folder\\Desktop\\Best in Show.lnk")
program="C:${user_folder#C:}\\AppData\\Local\\Programs\\Best in Show\\bestinshow.exe"
apps='Software\Microsoft\Windows\CurrentVersion\Uninstall\BestInShow'
classes='Software\Classes'

# A value of the registry, empty when it or its key is missing; /ve for a key's default value.
value() {
    wine reg query "$1" "${@:2}" 2>/dev/null | tr -d '\r' |
        sed -n 's/^    [^ ].*    REG_[A-Z_]*    //p' || true
}
key_exists() { wine reg query "$1" >/dev/null 2>&1; }
expect_value() {
    local expected=$1 actual
    shift
    actual=$(value "$@")
    [ "$actual" = "$expected" ] || fail "$* is '$actual', not '$expected'"
}

install() {
    wine "$installer" /S /Desktop || fail "the silent install failed"
    wineserver -w
}
install

# --- The files: the staged package, and the uninstaller.
expected=$( (cd "$work"/package/_CPack_Packages/win64/NSIS/BestInShow-*-win64 &&
    find . -type f -printf '%P\n'; echo Uninstall.exe) | LC_ALL=C sort)
installed=$(cd "$folder" 2>/dev/null && find . -type f -printf '%P\n' | LC_ALL=C sort || true)
if [ "$installed" != "$expected" ]; then
    fail "the installed files differ from the package's"
    diff <(echo "$expected") <(echo "$installed") >&2 || true
fi
[ -f "$start_menu" ] || fail "no Start-menu shortcut"
[ -f "$desktop" ] || fail "no desktop shortcut, though /Desktop asked for one"

# --- The show file type and the entry in Apps, for the current user only.
expect_value BestInShow.ShowFile "HKCU\\$classes\\.oxl" /ve
expect_value "Best in Show show file" "HKCU\\$classes\\BestInShow.ShowFile" /ve
expect_value "$program,0" "HKCU\\$classes\\BestInShow.ShowFile\\DefaultIcon" /ve
expect_value "\"$program\" \"%1\"" "HKCU\\$classes\\BestInShow.ShowFile\\shell\\open\\command" /ve
expect_value "Best in Show" "HKCU\\$apps" /v DisplayName
expect_value "$version" "HKCU\\$apps" /v DisplayVersion
expect_value "The Best in Show developers" "HKCU\\$apps" /v Publisher
expect_value "$program,0" "HKCU\\$apps" /v DisplayIcon
for key in "HKLM\\$apps" "HKLM\\$classes\\.oxl" "HKLM\\$classes\\BestInShow.ShowFile"; do
    ! key_exists "$key" || fail "$key was written: the install is for the current user only"
done

# --- The installed program writes the reports of a show file.
show=show_file_example
(cd "$work" && wine "$folder/bestinshow.exe" --text-report report.txt --csv-report report.csv \
    "$here/../data/$show.oxl") || fail "the installed program's reports from the command line"
for kind in txt csv; do
    cmp -s "$work/report.$kind" "$here/../data/$show.$kind" ||
        fail "the $kind report differs from tests/data/$show.$kind"
done

# --- Installing again replaces the install, with one entry in Apps.
install
[ -f "$folder/bestinshow.exe" ] && [ -f "$desktop" ] ||
    fail "installing over an install lost the program or the desktop shortcut"
[ "$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' | tr -d '\r' |
    grep -c 'BestInShow')" = 1 ] || fail "installing again made a second entry in Apps"

# --- The uninstall as Apps runs it silently: the quoted program, then its options.
uninstall=$(value "HKCU\\$apps" /v QuietUninstallString)
uninstaller=${uninstall#\"}
read -ra options <<<"${uninstaller#*\"}"
uninstaller=${uninstaller%%\"*}
echo saved >"$folder/my show.oxl"
wine "$uninstaller" "${options[@]}" || fail "the silent uninstall '$uninstall' failed"
wineserver -w
left=$(cd "$folder" 2>/dev/null && find . -mindepth 1 -printf '%P\n' || true)
[ "$left" = "my show.oxl" ] || fail "the program's folder holds '$left', not only the user's show file"
[ ! -e "$start_menu" ] && [ ! -e "$desktop" ] || fail "a shortcut is left"
for key in "HKCU\\$apps" "HKCU\\$classes\\.oxl" "HKCU\\$classes\\BestInShow.ShowFile"; do
    ! key_exists "$key" || fail "$key is left"
done
[ -f "$work/report.txt" ] && [ -f "$work/report.csv" ] || fail "the reports written were removed"

[ "$failures" -eq 0 ] || exit 1
echo "The installer installs for the current user, and its uninstaller removes what it made"
