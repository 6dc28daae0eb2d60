#!/usr/bin/env bash
# Times the program's start to its first window beside bare Qt Widgets windows, on a virtual
# display (Xvfb, no window manager): each program is started STARTS times (21 when not given) in
# turn, twice over, by bench/startup/first-window.c, which waits for the window to be mapped.
# The program is the optimised one of build-bench/ (scripts/bench.sh builds it too).
#
#   scripts/startup-time.sh [STARTS]
set -euo pipefail
cd "$(dirname "$0")/.."
starts=${1:-21}

scripts/install-deps.sh
source scripts/apt-packages.sh
install_missing_packages libx11-dev xvfb xdotool
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 --target bestinshow
tools=build-bench/startup
mkdir -p "$tools"
cc -O2 -Wall -Wextra -o "$tools/first-window" bench/startup/first-window.c -lX11
# shellcheck disable=SC2046
c++ -O2 -fPIC -std=c++20 -o "$tools/bare-window" bench/startup/BareWindow.cpp \
    $(pkg-config --cflags --libs Qt6Widgets)

source scripts/virtual-display.sh
start_virtual_display :98
trap 'kill "$xvfb"' EXIT
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
for _ in 1 2; do
    "$tools/first-window" "$starts" "$tools/bare-window"
    "$tools/first-window" "$starts" "$tools/bare-window" --text
    "$tools/first-window" "$starts" build-bench/bestinshow
done
