#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev
    clang libclang-rt-14-dev
    libbenchmark-dev
    fonts-liberation
    libcups2-dev
    poppler-utils
    libqt6svg6
    desktop-file-utils appstream shared-mime-info libxml2-utils mandoc libglib2.0-bin
    dpkg-dev file lintian
)

# A locale with a decimal comma, so the tests can check that no text follows the C locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE.utf-\?8$' && [ "$(id -u)" -eq 0 ] &&
    command -v localedef >/dev/null; then
    localedef -i de_DE -f UTF-8 de_DE.UTF-8 || true
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
