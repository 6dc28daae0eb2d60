#!/usr/bin/env bash
# Installs what the Windows build and its tests under Wine need, when any is missing, and provides
# the Qt for Windows of the version scripts/windows-env.sh names (the version of Debian's host
# tools, which the build runs):
#
#   1. the Qt named by BESTINSHOW_QT_WINDOWS, used as it is;
#   2. else the one in the cache folder (scripts/windows-env.sh), if it is there;
#   3. else unpacked into the cache folder from ../shared/toolchains/, when that is beside the
#      project and its checksum matches;
#   4. else built into the cache folder from Debian's own source package of qtbase (about an hour
#      on two cores). The machine's apt sources are not changed: the source is fetched with a
#      private apt configuration made from them.
#
#   scripts/windows-deps.sh [--from-source]
#
# --from-source skips step 3, to check that the recipe still builds.
set -euo pipefail
cd "$(dirname "$0")/.."
project=$(pwd)
# shellcheck source=scripts/windows-env.sh
source scripts/windows-env.sh

from_source=false
case "${1:-}" in
    --from-source) from_source=true ;;
    "") ;;
    *) echo "usage: scripts/windows-deps.sh [--from-source]" >&2; exit 2 ;;
esac

# What the Linux build and its tests need comes first: the Windows tests read PDF files with the
# same tools and need the same German locale.
scripts/install-deps.sh

packages=(
    cmake ninja-build pkg-config xz-utils
    # The compilers with POSIX threads, which Qt needs, and their resource compiler and tools.
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    # Debian's Qt of the same version supplies the tools that run during the build.
    qt6-base-dev qt6-base-dev-tools
    # GoogleTest's source, built for Windows with the tests.
    googletest
    # Wine runs the Windows programs; Xvfb gives the tests that need real windows a display.
    wine wine64 fonts-wine xvfb xauth
    # The installer's check goes through its pages with xdotool and compares their pictures with
    # ImageMagick's.
    xdotool imagemagick
    # The fonts that stand in for Windows' own in the Wine prefix.
    fonts-liberation
    # makensis builds the installer (scripts/package-windows.sh).
    nsis
    # For building Qt from source: apt-get source unpacks with dpkg-source.
    dpkg-dev patch
)

# shellcheck source=scripts/apt-packages.sh
source scripts/apt-packages.sh
install_missing_packages "${packages[@]}"

# The Windows tests run a Wine session of a British user, whose regional settings Wine takes from
# this locale (the German one comes with the Linux tests' packages).
generate_locale en_GB

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
case "$host_version" in
    "$qt_windows_version"+*) ;;
    *) echo "Debian's Qt is $host_version; the Windows build needs the host tools of $qt_windows_version." >&2
       exit 1 ;;
esac

if qt_windows_usable "$qt_windows_prefix" && [ "$from_source" = false ]; then
    echo "Qt for Windows: $qt_windows_prefix"
    exit 0
fi

cache_archive="$project/../shared/toolchains/qt-$qt_windows_version-mingw64-posix.tar.xz"
cache_sums="$project/../shared/toolchains/SHA256SUMS"

# Unpacks the prepared Qt beside the prefix and moves it into place whole.
unpack_cache() {
    local parent staging
    parent=$(dirname "$qt_windows_prefix")
    mkdir -p "$parent"
    staging=$(mktemp -d "$parent/.unpack-XXXXXX")
    tar -xJf "$cache_archive" -C "$staging"
    rm -rf "$qt_windows_prefix"
    mv "$staging/qt-$qt_windows_version-mingw64" "$qt_windows_prefix"
    rmdir "$staging"
}

if [ "$from_source" = false ] && [ -f "$cache_archive" ]; then
    if (cd "$(dirname "$cache_archive")" && sha256sum --quiet -c "$cache_sums"); then
        echo "Unpacking Qt for Windows from $cache_archive"
        unpack_cache
        qt_windows_usable "$qt_windows_prefix" || { echo "The unpacked Qt is not usable." >&2; exit 1; }
        echo "Qt for Windows: $qt_windows_prefix"
        exit 0
    fi
    echo "The checksum of $cache_archive does not match; building Qt from source instead." >&2
fi

exec scripts/windows-build-qt.sh "$qt_windows_prefix"
