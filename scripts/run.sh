#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it at the introduction screen.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake -S . -B build
cmake --build build -j2 --target bestinshow
exec build/bestinshow
