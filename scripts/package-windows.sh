#!/usr/bin/env bash
# Builds the Windows installer and zip from scratch:
#
#   build-windows-package/BestInShow-<version>-win64.exe   the installer (NSIS)
#   build-windows-package/BestInShow-<version>-win64.zip   the same files, to run without installing
#
# installs what is missing (scripts/windows-deps.sh), builds the program optimised, packs it with
# CPack (makensis treats every warning as an error) and checks the zip's libraries against the
# imports of its program and plugins.
#
#   scripts/package-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
project=$(pwd)

scripts/windows-deps.sh
# shellcheck source=scripts/windows-env.sh
source scripts/windows-env.sh

build="$project/build-windows-package"
rm -rf "$build"
cmake --preset windows-package >/dev/null
cmake --build --preset windows-package -j2
(cd "$build" && cpack)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name="BestInShow-$version-win64"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$build/$name.zip")
bash tests/windows/check-shipped-libraries.sh "$unpacked/$name"
echo "Built $build/$name.exe and $build/$name.zip"
