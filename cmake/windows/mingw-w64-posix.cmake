# Builds the Windows program (x86-64) on Linux with MinGW-w64's POSIX-thread compilers and a Qt
# for Windows, using the host's Qt tools (moc, rcc, uic):
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/windows/mingw-w64-posix.cmake
#
# The Qt for Windows is found in BESTINSHOW_QT_WINDOWS (a CMake variable or the environment),
# else in the folder scripts/windows-deps.sh provides it in. The same file builds that Qt itself
# from its source, with BESTINSHOW_QT_WINDOWS naming the folder it will be installed in.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT BESTINSHOW_QT_WINDOWS)
    if(DEFINED ENV{BESTINSHOW_QT_WINDOWS} AND NOT "$ENV{BESTINSHOW_QT_WINDOWS}" STREQUAL "")
        set(BESTINSHOW_QT_WINDOWS "$ENV{BESTINSHOW_QT_WINDOWS}")
    elseif(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
        set(BESTINSHOW_QT_WINDOWS "$ENV{XDG_CACHE_HOME}/bestinshow/qt-6.4.2-mingw64")
    else()
        set(BESTINSHOW_QT_WINDOWS "$ENV{HOME}/.cache/bestinshow/qt-6.4.2-mingw64")
    endif()
endif()
set(BESTINSHOW_QT_WINDOWS "${BESTINSHOW_QT_WINDOWS}" CACHE PATH "Qt for Windows (MinGW-w64)")
# Checks of the compiler run in projects of their own, which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BESTINSHOW_QT_WINDOWS)

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
