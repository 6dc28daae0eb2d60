# Sourced by the scripts that run the program on a virtual display (scripts/screenshots.sh,
# scripts/accessibility-tree.sh, scripts/startup-time.sh). Needs Xvfb and xdotool.

# Starts Xvfb on the display (":99"), exports DISPLAY, sets xvfb to its process and waits until
# the display answers.
start_virtual_display() {
    export DISPLAY=$1
    Xvfb "$DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && return
        sleep 0.1
    done
}

# The window with exactly this title, once it is shown.
window() {
    for _ in $(seq 50); do
        if id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) && [ -n "$id" ]; then
            echo "$id"
            return
        fi
        sleep 0.1
    done
    echo "no window titled '$1'" >&2
    exit 1
}
