#!/usr/bin/env bash
# Takes the screenshots in docs/: starts the program on a virtual display, types a small show with
# the keyboard and captures each screen. Needs Xvfb, xdotool and ImageMagick's import
# (Debian: xvfb xdotool imagemagick). The program is build/bestinshow unless BESTINSHOW names one.
set -euo pipefail
cd "$(dirname "$0")/.."

program=${BESTINSHOW:-build/bestinshow}
source scripts/virtual-display.sh
start_virtual_display ":${SCREENSHOT_DISPLAY:-99}"
"$program" >/dev/null 2>&1 &
app=$!
trap 'kill "$app" "$xvfb" 2>/dev/null || true' EXIT

# Types each entry into the focused box and leaves it with Tab.
entries() {
    for entry in "$@"; do
        [ -n "$entry" ] && xdotool type --delay 10 "$entry"
        xdotool key Tab
    done
}

shot() {
    sleep 0.5
    import -window "$1" "docs/$2.png"
}

intro=$(window "Introduction")
xdotool windowfocus --sync "$intro"
shot "$intro" intro
xdotool key space

setup=$(window "Set Up ")
xdotool windowfocus --sync "$setup"
entries "Hometown Dahlia Society" "Springfield, Oregon, Pacific" "08/17/2024" 3
entries 0 4 6 0 2 3 0 0 5 1
shot "$setup" setup
xdotool key space

check=$(window "Information Check")
xdotool windowfocus --sync "$check"
shot "$check" infocheck
xdotool key alt+c

card=$(window "Judges Scorecard")
xdotool windowfocus --sync "$card"
entries 1 0.5 2 1.5 3 0
xdotool key space
entries 2 1 0 1 2.5 0.5
xdotool key space
entries 1.5
shot "$card" scorecard
entries 1 0.5 3 0 1
xdotool key space
sleep 0.5
xdotool key Return  # "PLEASE CHECK!": Yes
sleep 0.5
xdotool key Return  # "BALLOTS ARE SECRET": OK

summary=$(window "Summary Report")
xdotool windowfocus --sync "$summary"
shot "$summary" summary
