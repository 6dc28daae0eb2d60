#!/usr/bin/env bash
# Packs the built project with its CPack configuration, as scripts/package.sh does with the
# optimised build, and checks the Debian package: its name, its dependencies (those of
# dpkg-shlibdeps and those no library pulls in), its files with their owners and modes, the
# stripped program, the changelog's version, and lintian, whose errors and warnings fail the check.
#
#   check-package.sh BUILD_DIR
#
# A missing tool fails the check: scripts/install-deps.sh installs every one of them.
set -euo pipefail

build=$1

source "$(dirname "$0")/checks.sh"

require_tools cpack dpkg-deb dpkg-shlibdeps dpkg-architecture file readelf lintian

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    echo "FAIL: cpack could not make the package" >&2
    exit 1
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
package=$work/bestinshow_${version}_$(dpkg --print-architecture).deb
if [ ! -f "$package" ]; then
    echo "FAIL: no $(basename "$package"); cpack made: $(cd "$work" && ls -- *.deb)" >&2
    exit 1
fi

field() { dpkg-deb --field "$package" "$1"; }
[ "$(field Package)" = bestinshow ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"

# Every dependency by name: the libraries the program links (found by dpkg-shlibdeps, which also
# brings the X11 and offscreen platform plugins and the CUPS print plugin) and the packages no
# library pulls in (the printing font, the screens' font, the SVG plugins for theme icons); the
# Wayland plugin is recommended. Debian 13, moving to a 64-bit time_t, renamed some libraries
# with a t64 suffix (libqt6core6t64, libcups2t64), and dpkg-shlibdeps names them so there; the
# renamed packages also provide the old names, so a package built on Debian 12 installs on 13.
# Either name is taken.
depends=$(field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//; s/t64$//')
for needed in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
    libcups2 fonts-liberation fonts-dejavu-core libqt6svg6; do
    grep -qxF "$needed" <<<"$depends" || fail "Depends lacks $needed: $(field Depends)"
done
[ "$(field Recommends)" = qt6-wayland ] || fail "Recommends is '$(field Recommends)'"

multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
# The files, each with its owner and mode: what cmake --install puts under /usr, and Debian's
# copyright file and changelog.
expected="drwxr-xr-x root/root ./usr/
drwxr-xr-x root/root ./usr/bin/
-rwxr-xr-x root/root ./usr/bin/bestinshow
drwxr-xr-x root/root ./usr/lib/
drwxr-xr-x root/root ./usr/lib/$multiarch/
drwxr-xr-x root/root ./usr/lib/$multiarch/bestinshow/
-rw-r--r-- root/root ./usr/lib/$multiarch/bestinshow/libbestinshow_print.so
drwxr-xr-x root/root ./usr/share/
drwxr-xr-x root/root ./usr/share/applications/
-rw-r--r-- root/root ./usr/share/applications/org.bestinshow.BestInShow.desktop
drwxr-xr-x root/root ./usr/share/doc/
drwxr-xr-x root/root ./usr/share/doc/bestinshow/
-rw-r--r-- root/root ./usr/share/doc/bestinshow/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/bestinshow/copyright
drwxr-xr-x root/root ./usr/share/icons/
drwxr-xr-x root/root ./usr/share/icons/hicolor/
drwxr-xr-x root/root ./usr/share/icons/hicolor/scalable/
drwxr-xr-x root/root ./usr/share/icons/hicolor/scalable/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/org.bestinshow.BestInShow.svg
drwxr-xr-x root/root ./usr/share/man/
drwxr-xr-x root/root ./usr/share/man/man1/
-rw-r--r-- root/root ./usr/share/man/man1/bestinshow.1.gz
drwxr-xr-x root/root ./usr/share/metainfo/
-rw-r--r-- root/root ./usr/share/metainfo/org.bestinshow.BestInShow.metainfo.xml
drwxr-xr-x root/root ./usr/share/mime/
drwxr-xr-x root/root ./usr/share/mime/packages/
-rw-r--r-- root/root ./usr/share/mime/packages/org.bestinshow.BestInShow.xml"
# lintian's overrides, where the lintian that checks the package knows the tag overridden.
if lintian-explain-tags appstream-metadata-validation-failed >/dev/null 2>&1; then
    expected=$(LC_ALL=C sort -k3 <<<"$expected
drwxr-xr-x root/root ./usr/share/lintian/
drwxr-xr-x root/root ./usr/share/lintian/overrides/
-rw-r--r-- root/root ./usr/share/lintian/overrides/bestinshow")
fi
actual=$(dpkg-deb --contents "$package" | awk '{print $1, $2, $6}' | LC_ALL=C sort -k3)
if [ "$actual" != "$expected" ]; then
    fail "the package's files, owners or modes differ from the expected list"
    diff <(echo "$expected") <(echo "$actual") >&2 || true
fi

dpkg-deb --extract "$package" "$work/root"
for program in "$work/root/usr/bin/bestinshow" \
    "$work/root/usr/lib/$multiarch/bestinshow/libbestinshow_print.so"; do
    file -b "$program" | grep -q ', stripped' ||
        fail "${program##*/} is not stripped: $(file -b "$program")"
    if readelf -S --wide "$program" | grep -qE '\] \.(comment|note) '; then
        fail "${program##*/} keeps its .comment or .note section"
    fi
done
changelog_head=$(zcat "$work/root/usr/share/doc/bestinshow/changelog.gz" | head -n 1)
[[ "$changelog_head" == "bestinshow ($version) "* ]] ||
    fail "the changelog's latest entry is not version $version: $changelog_head"

# Run by root, lintian says so on standard error; everything else it prints goes to the log.
if ! lintian --display-info --pedantic --fail-on error,warning "$package" \
    >"$work/lintian.log" 2>&1; then
    fail "lintian reports errors or warnings"
fi
cat "$work/lintian.log"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) of the package failed" >&2
    exit 1
fi
echo "The package passed every check"
