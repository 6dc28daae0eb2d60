#!/usr/bin/env bash
# Shows what a screen reader finds on every screen of the program. Starts the program on a virtual
# display (Xvfb) with its own session bus and accessibility bus, types a small show with xdotool
# (entries left with Return and the keypad's Enter), and at each screen and each message box
# prints the program's accessible tree as the AT-SPI bus gives it: role, name and description of
# every node shown. It fails when a focusable control, an entry box, a list or a button on the
# screen has no name, when a part of a window presents itself as a frame (a window), or when a
# message box does not expose its title and its text.
#
# Needs the Debian packages xvfb, xdotool, dbus-daemon, at-spi2-core and python3-pyatspi. The
# program is build/bestinshow unless BESTINSHOW names one; the display is :98 unless A11Y_DISPLAY
# names another number.
set -euo pipefail
cd "$(dirname "$0")/.."

# A bus of its own for the session, so the screen reader's bus is found and nothing is shared.
if [ -z "${ACCESSIBILITY_TREE_SESSION:-}" ]; then
    exec env ACCESSIBILITY_TREE_SESSION=1 dbus-run-session -- "$0" "$@"
fi

program=${BESTINSHOW:-build/bestinshow}
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_ACCESSIBILITY=1

source scripts/virtual-display.sh
start_virtual_display ":${A11Y_DISPLAY:-98}"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
app=
trap 'kill $app "$bus" "$xvfb" 2>/dev/null || true' EXIT
"$program" >/dev/null 2>&1 &
app=$!

# Focuses the window with the title and waits until the program has settled.
reach() {
    xdotool windowfocus --sync "$(window "$1")"
    sleep 0.5
}

# Types each entry into the focused box and leaves it with the key given first.
entries() {
    local key=$1
    shift
    for entry in "$@"; do
        [ -n "$entry" ] && xdotool type --delay 10 "$entry"
        xdotool key "$key"
    done
}

failed=0

# Prints the tree of every window of the program now shown and checks it. With "message TITLE
# TEXT" it checks the message box with that title instead of a screen.
dump() {
    sleep 0.5
    /usr/bin/python3 - "$@" <<'PYTHON' || failed=1
import sys
import pyatspi

heading = sys.argv[1]
expect_title = sys.argv[2] if len(sys.argv) > 2 else None
expect_text = sys.argv[3] if len(sys.argv) > 3 else None
NAMED_ROLES = {"push button", "text", "list", "list item", "check box", "combo box",
               "spin button", "table", "table cell"}
problems = []


def describe(node):
    line = f"[{node.getRoleName()}] name={node.name!r}"
    if node.description:
        line += f" description={node.description!r}"
    if node.getRoleName() == "text":
        line += f" text={node.queryText().getText(0, -1)!r}"
    return line


def walk(node, depth, lines):
    states = node.getState()
    if not states.contains(pyatspi.STATE_SHOWING):
        return
    focusable = states.contains(pyatspi.STATE_FOCUSABLE)
    lines.append("  " * depth + describe(node) + (" focusable" if focusable else ""))
    if (focusable or node.getRoleName() in NAMED_ROLES) and not node.name.strip():
        problems.append(f"{heading}: unnamed {node.getRoleName()} at depth {depth}")
    if depth > 0 and node.getRoleName() == "frame":
        problems.append(f"{heading}: {node.name!r} inside the window presents itself as a frame")
    for i in range(node.childCount):
        walk(node.getChildAtIndex(i), depth + 1, lines)


def texts(node):
    found = [node.name, node.description]
    for i in range(node.childCount):
        found += texts(node.getChildAtIndex(i))
    return found


application = next(a for a in pyatspi.Registry.getDesktop(0)
                   if a is not None and a.name == "bestinshow")
print(f"== {heading}")
for window in application:
    if expect_title is not None and window.name != expect_title:
        continue
    lines = []
    walk(window, 0, lines)
    print("\n".join(lines))
    if expect_text is not None:
        if not any(expect_text in text for text in texts(window)):
            problems.append(f"{heading}: the text is not exposed")
if expect_title is not None and not any(w.name == expect_title for w in application):
    problems.append(f"{heading}: no window named {expect_title!r}")
for problem in problems:
    print("PROBLEM:", problem)
sys.exit(1 if problems else 0)
PYTHON
}

reach "Introduction"
dump "Introduction"
xdotool key space

reach "Set Up "
entries Return "Hometown Dahlia Society" "Springfield, Oregon, Pacific" "08/17/2024" "three"
dump "Input Error notice" "Input Error" "The number of judges must be a positive integer"
xdotool key Return
reach "Set Up "
entries KP_Enter 3 0 4 6 0 2 3 0 0 5 1
dump "Set Up"
xdotool key Return

reach "Information Check"
dump "Information Check"
xdotool key alt+c

reach "Judges Scorecard"
entries KP_Enter 1 0.5 2 1.5 3 0
dump "Judges Scorecard, judge 1"
xdotool key KP_Enter
entries KP_Enter 2 1 0 1 2.5 0.5
xdotool key KP_Enter
entries KP_Enter 1.5 1 0.5 3 0 1
xdotool key KP_Enter
dump "PLEASE CHECK! question" "PLEASE CHECK!" \
    "Are you sure all judges' scores are recorded correctly?"
xdotool key Return
sleep 0.5
dump "BALLOTS ARE SECRET notice" "BALLOTS ARE SECRET" \
    "The information on the next screen is confidential"
xdotool key Return

reach "Summary Report"
dump "Summary Report"
xdotool key alt+x
dump "WARNING! question" "WARNING!" \
    "You have not saved the information using the Save Report button."
xdotool key Return

exit $failed
