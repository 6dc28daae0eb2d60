# Sourced by the checks of the installed tree and of the Debian package.

# Counts a failure and says what it was; the check goes on and fails at its end.
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Stops the check at once unless every tool named is on the PATH.
require_tools() {
    local missing=() tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || missing+=("$tool")
    done
    if [ ${#missing[@]} -ne 0 ]; then
        echo "FAIL: missing ${missing[*]}; scripts/install-deps.sh installs them" >&2
        exit 1
    fi
}
