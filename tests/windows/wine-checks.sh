# Sourced by the Windows package checks: a work folder for a fresh Wine prefix, and the home folder
# Wine links the prefix's desktop to and copies shortcuts into the Linux menus of.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../install/checks.sh"
source "$here/../../scripts/windows-env.sh"
require_tools wine winepath cpack x86_64-w64-mingw32-objdump
work=$(mktemp -d)
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME=$work/home
mkdir "$HOME"

# The Windows program's text and CSV reports of a sample show file are the expected ones, and its
# print module makes the PDF report.
check_reports() {
    local show=$here/../data/show_file_example kind
    rm -f "$work/report.txt" "$work/report.csv" "$work/report.pdf"
    (cd "$work" && wine "$1" --text-report report.txt --csv-report report.csv \
        --pdf-report report.pdf "$show.oxl") || fail "$1 did not write the reports"
    for kind in txt csv; do
        cmp -s "$work/report.$kind" "$show.$kind" || fail "$1: the $kind report differs"
    done
    [ "$(head -c 5 "$work/report.pdf" 2>/dev/null)" = "%PDF-" ] || fail "$1: no PDF report"
}
