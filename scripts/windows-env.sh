# Sourced by the Windows scripts, and read by the Windows build's toolchain file
# (cmake/windows/mingw-w64-posix.cmake): where the Qt for Windows is, which libraries the MinGW
# runtime and Wine supply, and how Windows programs are run. Each of these is written here alone.
#
#   BESTINSHOW_QT_WINDOWS   a Qt for Windows (MinGW-w64) of the version below to use as it is;
#                           when unset, the one scripts/windows-deps.sh keeps in the cache
#                           folder below
#   XDG_CACHE_HOME          the cache folder's parent (~/.cache when unset)

qt_windows_version=6.4.2
windows_cache="${XDG_CACHE_HOME:-$HOME/.cache}/bestinshow"
qt_windows_prefix="${BESTINSHOW_QT_WINDOWS:-$windows_cache/qt-$qt_windows_version-mingw64}"
export BESTINSHOW_QT_WINDOWS="$qt_windows_prefix"

# The MinGW runtime libraries, which a Windows program built with these compilers loads.
mingw_runtime_libraries=(libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)

# Wine's builds of the Windows system libraries, which stand for those of Windows: a program may
# import them without shipping them.
wine_windows_libraries=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows

# The folders of the MinGW runtime libraries.
mingw_runtime_folders() {
    local library
    for library in "${mingw_runtime_libraries[@]}"; do
        dirname "$(realpath "$(x86_64-w64-mingw32-g++-posix -print-file-name="$library")")"
    done | sort -u
}

# True when the folder holds a Qt for Windows that CMake can use.
qt_windows_usable() {
    [ -f "$1/lib/cmake/Qt6/Qt6Config.cmake" ] && [ -f "$1/bin/Qt6Core.dll" ]
}

# Makes a Wine prefix set to Windows 10 in the folder, unless it is there already. Wine has
# neither Courier New, the printed report's font, nor the fonts of Windows' own dialogs (Tahoma,
# Segoe UI), so the Liberation fonts of the Linux machine stand in for them: Liberation Mono for
# Courier New, whose metrics it shares, Liberation Sans and Serif for the others. No Mono or Gecko
# is installed: the program needs neither.
wine_prefix_ready() {
    local prefix="$1"
    export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$prefix/.bestinshow-ready" ]; then
        mkdir -p "$prefix"
        wine wineboot --init >/dev/null 2>&1
        wine winecfg /v win10 >/dev/null 2>&1
        wineserver -w
        local replaced stand_in
        for replaced in "Courier New=Liberation Mono" "Arial=Liberation Sans" \
            "Times New Roman=Liberation Serif" "Tahoma=Liberation Sans" "Segoe UI=Liberation Sans"; do
            stand_in=${replaced#*=}
            wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${replaced%%=*}" \
                /t REG_SZ /d "$stand_in" /f >/dev/null 2>&1
        done
        wineserver -w
        touch "$prefix/.bestinshow-ready"
    fi
}

# The environment a Windows program of the build needs under Wine: the Qt and MinGW libraries on
# its search path, and Qt's plugins.
wine_program_environment() {
    local folders=("$qt_windows_prefix/bin") folder path=""
    mapfile -t -O 1 folders < <(mingw_runtime_folders)
    folders[0]="$qt_windows_prefix/bin"
    for folder in "${folders[@]}"; do
        path+="${path:+;}Z:${folder//\//\\}"
    done
    export WINEPATH="$path"
    export QT_PLUGIN_PATH="Z:${qt_windows_prefix//\//\\}\\plugins"
}
