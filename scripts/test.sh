#!/usr/bin/env bash
# Installs what the tests need, builds every program (Linux and both Windows
# targets) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
for preset in linux win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$jobs"
done
scripts/start-print-server.sh
ctest --preset linux -j"$jobs"
