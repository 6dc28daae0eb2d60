# Builds the Windows program (x86-64) on Linux with MinGW-w64's POSIX-thread compilers and a Qt
# for Windows, using the host's Qt tools (moc, rcc, uic): the presets windows and windows-package
# (CMakePresets.json) use it.
#
# The Qt for Windows is the one BESTINSHOW_QT_WINDOWS names (a CMake variable or the
# environment), else the one scripts/windows-env.sh names, the folder scripts/windows-deps.sh
# provides it in. The names of the MinGW runtime libraries and the folder of Wine's Windows
# libraries come from scripts/windows-env.sh too, so that each is written once for the scripts
# and the build. The same file builds that Qt itself from its source, with BESTINSHOW_QT_WINDOWS
# naming the folder it will be installed in; a copy of it lies in the installed Qt, beside which
# it finds that Qt.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# The values scripts/windows-env.sh holds, read once and kept in the cache.
set(windows_env "${CMAKE_CURRENT_LIST_DIR}/../../scripts/windows-env.sh")
if(NOT BESTINSHOW_QT_WINDOWS AND DEFINED ENV{BESTINSHOW_QT_WINDOWS}
   AND NOT "$ENV{BESTINSHOW_QT_WINDOWS}" STREQUAL "")
    set(BESTINSHOW_QT_WINDOWS "$ENV{BESTINSHOW_QT_WINDOWS}")
endif()
if(EXISTS "${windows_env}")
    if(NOT BESTINSHOW_QT_WINDOWS OR NOT BESTINSHOW_MINGW_RUNTIME_LIBRARIES
       OR NOT BESTINSHOW_WINDOWS_SYSTEM_LIBRARIES)
        execute_process(
            COMMAND bash -c [[source "$1" && printf '%s\n' "$qt_windows_prefix" \
                "${mingw_runtime_libraries[*]}" "$wine_windows_libraries"]] bash "${windows_env}"
            OUTPUT_VARIABLE windows_env_values OUTPUT_STRIP_TRAILING_WHITESPACE
            RESULT_VARIABLE windows_env_status)
        if(NOT windows_env_status EQUAL 0)
            message(FATAL_ERROR "Could not read ${windows_env}")
        endif()
        string(REPLACE "\n" ";" windows_env_values "${windows_env_values}")
        list(GET windows_env_values 0 qt_windows_prefix)
        list(GET windows_env_values 1 mingw_runtime_libraries)
        list(GET windows_env_values 2 wine_windows_libraries)
        if(NOT BESTINSHOW_QT_WINDOWS)
            set(BESTINSHOW_QT_WINDOWS "${qt_windows_prefix}")
        endif()
        string(REPLACE " " ";" mingw_runtime_libraries "${mingw_runtime_libraries}")
        set(BESTINSHOW_MINGW_RUNTIME_LIBRARIES "${mingw_runtime_libraries}"
            CACHE STRING "The MinGW runtime libraries a program of these compilers loads")
        set(BESTINSHOW_WINDOWS_SYSTEM_LIBRARIES "${wine_windows_libraries}" CACHE PATH
            "Wine's Windows system libraries, which the program may import without shipping")
    endif()
elseif(NOT BESTINSHOW_QT_WINDOWS AND EXISTS "${CMAKE_CURRENT_LIST_DIR}/lib/cmake/Qt6")
    set(BESTINSHOW_QT_WINDOWS "${CMAKE_CURRENT_LIST_DIR}")
endif()
if(NOT BESTINSHOW_QT_WINDOWS)
    message(FATAL_ERROR "No Qt for Windows: set BESTINSHOW_QT_WINDOWS to its folder")
endif()
set(BESTINSHOW_QT_WINDOWS "${BESTINSHOW_QT_WINDOWS}" CACHE PATH "Qt for Windows (MinGW-w64)")
# Checks of the compiler run in projects of their own, which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES
     BESTINSHOW_QT_WINDOWS BESTINSHOW_MINGW_RUNTIME_LIBRARIES BESTINSHOW_WINDOWS_SYSTEM_LIBRARIES)

# Libraries and packages come from the MinGW-w64 tree and the Qt for Windows only; programs run
# during the build come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${BESTINSHOW_QT_WINDOWS}")
list(APPEND CMAKE_PREFIX_PATH "${BESTINSHOW_QT_WINDOWS}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian's Qt supplies the tools that run on the build machine.
set(QT_HOST_PATH /usr CACHE PATH "Host Qt")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Host Qt's CMake files")
