#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing, and the locale
# the tests need. No test installs anything itself. A script that has run this already and runs
# others that would run it again (scripts/test.sh) sets BESTINSHOW_DEPS_INSTALLED=1 for them.
set -euo pipefail

if [ "${BESTINSHOW_DEPS_INSTALLED:-}" = 1 ]; then
    exit 0
fi

packages=(
    cmake g++ make pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev
    # The fuzzers and the sanitizer run: clang, and below the runtime of the clang installed.
    clang
    libbenchmark-dev
    fonts-liberation
    libcups2-dev
    poppler-utils
    # The locale sources, for a locale with a decimal comma (below).
    locales
    # A virtual display and a keyboard to drive the built program through a show, for the test that
    # kills it and starts it again, and the buses on which a screen reader sees its focus.
    xvfb xdotool dbus-daemon at-spi2-core
    # A real print system for the printer test: a scheduler and a queue that prints to PDF files.
    cups cups-client printer-driver-cups-pdf
    # The SVG plugins, and the tools that check the installed files and the Debian package.
    libqt6svg6
    desktop-file-utils appstream shared-mime-info libxml2-utils mandoc libglib2.0-bin
    dpkg-dev file lintian
)

# The check that every C++ file is formatted as .clang-format asks, with the pinned version.
# shellcheck source=scripts/clang-format.sh
source "$(dirname "$0")/clang-format.sh"
packages+=("$clang_format_package")

# shellcheck source=scripts/apt-packages.sh
source "$(dirname "$0")/apt-packages.sh"
install_missing_packages "${packages[@]}"

# The sanitizer and fuzzer runtime (libFuzzer, ASan, UBSan) comes apart from clang, in a package
# named for clang's major version: 14 on Debian 12, 19 on Debian 13.
clang_major=$(clang -dumpversion)
install_missing_packages "libclang-rt-${clang_major%%.*}-dev"

# A locale with a decimal comma, so the tests can check that no text follows the C library's
# locale.
generate_locale de_DE
