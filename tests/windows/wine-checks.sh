# Sourced by the checks of the Windows package: a work folder, removed at the end with whatever
# Wine ran there, and a fresh Wine prefix set to Windows 10 in it. Wine links the prefix's desktop
# and documents to the home folder and copies shortcuts into the Linux desktop's menus there, so
# the home folder is one of the work folder's own.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../install/checks.sh"
source "$here/../../scripts/windows-env.sh"
work=$(mktemp -d)
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME=$work/home
mkdir "$HOME"

# Has the Windows program write the text and CSV reports of a sample show file, and compares them
# with the expected ones.
check_reports() {
    local show=$here/../data/show_file_example kind
    rm -f "$work/report.txt" "$work/report.csv"
    (cd "$work" && wine "$1" --text-report report.txt --csv-report report.csv "$show.oxl") ||
        fail "$1 did not write the reports"
    for kind in txt csv; do
        cmp -s "$work/report.$kind" "$show.$kind" || fail "$1: the $kind report differs"
    done
}
