#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it at the introduction screen.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake --preset debug
cmake --build --preset debug -j2 --target bestinshow
exec build/bestinshow
