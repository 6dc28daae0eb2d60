#!/usr/bin/env bash
# check-installer.sh BUILD_DIR: packs the installer (zlib; LZMA takes minutes), installs it
# silently, checks it, installs again and uninstalls as Apps would: only a user's file stays.
set -euo pipefail
source "$(dirname "$0")/wine-checks.sh"
build=$1
(cd "$build" && cpack -G NSIS -B "$work/package" -D CPACK_NSIS_COMPRESSOR=zlib >"$work/log") ||
    { cat "$work/log" >&2; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
wine_prefix_ready "$work/prefix"
profile=$(wine cmd /c echo %USERPROFILE% | tr -d '\r')
folder="$profile\\AppData\\Local\\Programs\\Best in Show"
program="$folder\\bestinshow.exe"
links=("$profile\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Best in Show.lnk"
       "$profile\\Desktop\\Best in Show.lnk")
classes='HKCU\Software\Classes'
apps='Software\Microsoft\Windows\CurrentVersion\Uninstall\BestInShow'
unix() { winepath -u "$1" | tr -d '\r'; }
value() {
    wine reg query "$1" "${@:2}" 2>/dev/null | tr -d '\r' | sed -n 's/^    .*    REG_[A-Z_]*    //p'
}
install() {
    wine "$work"/package/BestInShow-*-win64.exe /S /Desktop || fail "the install failed"
    wineserver -w
}

install
expected=$(cd "$work"/package/_CPack_Packages/win64/NSIS/BestInShow-*-win64 &&
    { find . -type f -printf '%P\n'; echo Uninstall.exe; } | LC_ALL=C sort)
[ "$(cd "$(unix "$folder")" && find . -type f -printf '%P\n' | LC_ALL=C sort)" = "$expected" ] ||
    fail "the installed files are not the package's"
for link in "${links[@]}"; do [ -f "$(unix "$link")" ] || fail "no $link"; done
while IFS='|' read -r expected key option; do
    [ "$(value "$key" $option)" = "$expected" ] || fail "$key $option is '$(value "$key" $option)'"
done <<TABLE
BestInShow.ShowFile|$classes\\.oxl|/ve
Best in Show show file|$classes\\BestInShow.ShowFile|/ve
$program,0|$classes\\BestInShow.ShowFile\\DefaultIcon|/ve
"$program" "%1"|$classes\\BestInShow.ShowFile\\shell\\open\\command|/ve
$version|HKCU\\$apps|/v DisplayVersion
$program,0|HKCU\\$apps|/v DisplayIcon
|HKLM\\$apps|/v DisplayName
|HKLM\\Software\\Classes\\.oxl|/ve
TABLE
check_reports "$program"

install
[ "$(wine reg query "HKCU\\${apps%\\*}" | grep -c 'BestInShow')" = 1 ] || fail "two entries in Apps"
echo saved >"$(unix "$folder")/my show.oxl"
IFS='|' read -r uninstaller options < <(value "HKCU\\$apps" /v QuietUninstallString |
    sed 's/^"\([^"]*\)" */\1|/')
wine "$uninstaller" $options || fail "the silent uninstall '$uninstaller $options' failed"
wineserver -w
[ "$(ls -A "$(unix "$folder")")" = "my show.oxl" ] || fail "the program's folder is not emptied"
for link in "${links[@]}"; do [ ! -e "$(unix "$link")" ] || fail "$link is left"; done
for key in "HKCU\\$apps" "$classes\\.oxl" "$classes\\BestInShow.ShowFile"; do
    ! wine reg query "$key" >/dev/null 2>&1 || fail "$key is left"
done
exit $((failures > 0))
