#!/usr/bin/env bash
# check-installer.sh BUILD_DIR: packs the installer (zlib; LZMA takes minutes), installs it
# silently, checks it, installs again through its pages as a user clicks through them (the welcome
# and finish pages must show the program's picture) and uninstalls as Apps would: only a user's
# file stays.
set -euo pipefail
source "$(dirname "$0")/wine-checks.sh"
require_tools Xvfb xdotool import convert compare
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
pages_picture=$here/../../data/windows/installer-pages.bmp
value() {
    wine reg query "$1" "${@:2}" 2>/dev/null | tr -d '\r' | sed -n 's/^    .*    REG_[A-Z_]*    //p'
}
install() {
    wine "$work"/package/BestInShow-*-win64.exe /S /Desktop || fail "the install failed"
    wineserver -w
}

# Runs the command until it succeeds, twice a second for two minutes at most.
await() { for _ in $(seq 240); do "$@" && return; sleep 0.5; done; return 1; }
# The installer's window as a picture in page.png, and its checksum.
snap() { import -window "$window" "$work/page.png" && md5sum <"$work/page.png"; }
press() { local before; before=$(snap) && xdotool key "$1" && await eval '[ "$(snap)" != "$before" ]'; }
# True when the side of the page shows the program's picture, which the page stretches to the
# height of its side: down to the line above the buttons, the first dark row at the left edge.
shows_picture() {
    local height difference
    snap >/dev/null || return 1
    height=$(convert "$work/page.png" -crop 1x+2+0 +repage -colorspace gray -threshold 75% txt:- |
        awk -F'[,:]' '/#000000/ { print $2; exit }')
    [ "${height:-0}" -gt 100 ] || return 1
    convert "$pages_picture" -resize "164x$height!" "$work/picture.png"
    difference=$(convert "$work/page.png" -crop "164x$height+0+0" +repage png:- |
        compare -metric RMSE - "$work/picture.png" null: 2>&1 | sed -n 's/.*(\(.*\))$/\1/p')
    awk -v d="${difference:-1}" 'BEGIN { exit !(d < 0.05) }'
}
found() {
    window=$(xdotool search --onlyvisible --name '^Best in Show Setup$' | head -1)
    [ -n "$window" ]
}
# Installs through the pages on a virtual display of its own, as the user would: Next on the
# welcome page, the install mode and the folder, Install, and on the finish page the box that
# would start the program unticked (Alt+R) before Finish.
install_through_pages() {
    local display_file=$work/display xvfb installer window=""
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    xvfb=$!
    await test -s "$display_file"
    export DISPLAY=":$(cat "$display_file")"
    # A Wine session started without the display would keep the installer's windows off it.
    wineserver -w
    wine "$work"/package/BestInShow-*-win64.exe &
    installer=$!
    if ! { await found && await shows_picture && press Return && press Return && press Return &&
        press Return && await shows_picture && xdotool key alt+r Return; }; then
        fail "the welcome and finish pages do not both show the program's picture"
        wineserver -k
    fi
    wait "$installer" || fail "the install through the pages failed"
    timeout 120 wineserver -w || { fail "a program still runs after the install"; wineserver -k; }
    kill "$xvfb"
    unset DISPLAY
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

install_through_pages
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
