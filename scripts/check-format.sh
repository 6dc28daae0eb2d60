#!/usr/bin/env bash
# Fails when a C++ file of the project (every tracked *.cpp and *.h) is not formatted as
# .clang-format asks, naming each such file: clang-format --dry-run -Werror, with the one version
# that scripts/clang-format.sh pins, and no other. Outside a Git checkout it checks the *.cpp and
# *.h files under src/, tests/, fuzz/ and bench/.
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=scripts/clang-format.sh
source scripts/clang-format.sh
require_pinned_clang_format

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
else
    mapfile -d '' files < <(find src tests fuzz bench \( -name '*.cpp' -o -name '*.h' \) -print0)
fi
# A file deleted but not yet committed is no longer there to check.
present=()
for file in "${files[@]}"; do
    [ -f "$file" ] && present+=("$file")
done
files=("${present[@]}")
if [ ${#files[@]} -eq 0 ]; then
    echo "No C++ files to check" >&2
    exit 1
fi

# clang-format names each place it would change as "FILE:LINE:COLUMN: error: ..."; any other
# failure (an unreadable file, a broken .clang-format) is shown as it is.
status=0
report=$("$clang_format_package" --dry-run -Werror "${files[@]}" 2>&1) || status=$?
if [ "$status" -ne 0 ]; then
    pattern='s/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p'
    mapfile -t unformatted < <(sed -n "$pattern" <<<"$report" | sort -u)
    if [ ${#unformatted[@]} -eq 0 ]; then
        echo "$report" >&2
        echo "clang-format failed" >&2
        exit 1
    fi
    echo "Not formatted as .clang-format asks:" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    echo "Format them with: scripts/clang-format.sh -i ${unformatted[*]}" >&2
    exit 1
fi
echo "Formatting: ${#files[@]} C++ files as .clang-format asks (clang-format $clang_format_version)"
