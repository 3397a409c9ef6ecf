#!/usr/bin/env bash
# Installs what is missing, builds everything and starts the player on the demo soundtrack.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
mkdir -p build/demo
cd build/demo
exec ../marivenn
