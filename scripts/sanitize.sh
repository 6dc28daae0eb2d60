#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/
# and runs it headless. The first report of either sanitizer, a leak included, fails the run.
# No leak is suppressed: the Qt libraries of Debian 12 report none under the offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# Set before the build too: test discovery runs the test programs.
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

cmake --preset sanitize
cmake --build --preset sanitize -j2
scripts/run-ctest.sh build-asan
