#!/usr/bin/env bash
# Builds Qt for Windows (x86-64, MinGW-w64 POSIX threads) from Debian's own source package of
# qtbase, the version of the host's Qt tools, and installs it in PREFIX:
#
#   scripts/windows-build-qt.sh PREFIX
#
# The source is fetched with a private apt configuration: source entries made from the machine's
# own Debian entries, in a folder of this build, so the machine's apt sources stay as they are.
# Work files are kept in PREFIX.build until the install is complete; a run that stops half-way
# starts again where it stopped.
set -euo pipefail
cd "$(dirname "$0")/.."
project=$(pwd)

prefix=${1:?usage: scripts/windows-build-qt.sh PREFIX}
work="$prefix.build"
mkdir -p "$work"
work=$(realpath "$work")
started=$(date +%s)

source_package=qt6-base
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${version%%+*}
# dpkg-source unpacks into the package's name and version without the Debian revision.
source_dir="$work/$source_package-${version%-*}"

# Source entries for every Debian entry the machine has, in the one-line format apt reads.
write_source_entries() {
    local list="$1"
    : >"$list"
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list >>"$list"
    fi
    local file
    for file in /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file" >>"$list"
    done
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        # deb822 stanzas: each one with Types holding deb becomes source lines.
        awk '
            function flush() {
                if (types ~ /(^| )deb( |$)/ && uris != "" && suites != "")
                    for (u = split(uris, U, " "); u > 0; u--)
                        for (s = split(suites, S, " "); s > 0; s--)
                            print "deb-src " signed U[u] " " S[s] " " components
                types = uris = suites = components = signed = ""
            }
            /^[[:space:]]*$/ { flush(); next }
            /^#/ { next }
            /^Types:/ { sub(/^Types:[[:space:]]*/, ""); types = $0 }
            /^URIs:/ { sub(/^URIs:[[:space:]]*/, ""); uris = $0 }
            /^Suites:/ { sub(/^Suites:[[:space:]]*/, ""); suites = $0 }
            /^Components:/ { sub(/^Components:[[:space:]]*/, ""); components = $0 }
            /^Signed-By:/ { sub(/^Signed-By:[[:space:]]*/, ""); signed = "[signed-by=" $0 "] " }
            /^Enabled:[[:space:]]*no/ { types = "" }
            END { flush() }
        ' "$file" >>"$list"
    done
    [ -s "$list" ] || { echo "No Debian entries in the machine's apt sources." >&2; exit 1; }
}

if [ ! -f "$source_dir/.patched" ]; then
    apt_dir="$work/apt"
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    write_source_entries "$apt_dir/sources.list"
    apt_options=(
        -o "Dir::Etc::SourceList=$apt_dir/sources.list"
        -o "Dir::Etc::SourceParts=/nonexistent"
        -o "Dir::State::Lists=$apt_dir/lists"
        -o "Dir::Cache=$apt_dir/cache"
        -o "Debug::NoLocking=1"
        -o "APT::Sandbox::User=root"
    )
    echo "Fetching the source of $source_package $version"
    apt-get "${apt_options[@]}" update -qq
    rm -rf "$source_dir"
    (cd "$work" && apt-get "${apt_options[@]}" source -qq "$source_package=$version")
    patch -d "$source_dir" -p1 <"$project/cmake/windows/qwindows-no-opengl.patch"
    touch "$source_dir/.patched"
fi

# The configuration of the Qt the program is tested with: the modules it uses (Core, Gui,
# Widgets, PrintSupport, Test) as shared libraries, and nothing from the host's libraries.
echo "Building Qt $upstream for Windows into $prefix (about an hour on two cores)"
BESTINSHOW_QT_WINDOWS="$prefix" cmake -G Ninja -S "$source_dir" -B "$work/build" \
    -DCMAKE_TOOLCHAIN_FILE="$project/cmake/windows/mingw-w64-posix.cmake" \
    -DBESTINSHOW_QT_WINDOWS="$prefix" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_system_zlib=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_icu=OFF \
    -DFEATURE_tabletevent=OFF >"$work/configure.log"
ninja -C "$work/build"
cmake --install "$work/build" >"$work/install.log"

# The installed Qt finds its toolchain file beside itself, as the prepared one does.
cp "$project/cmake/windows/mingw-w64-posix.cmake" "$prefix/mingw-w64-posix.cmake"
rm -rf "$work"
echo "Qt for Windows built in $(( ($(date +%s) - started) / 60 )) minutes: $prefix"
