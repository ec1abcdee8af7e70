#!/usr/bin/env bash
# Builds the native program and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset linux >/dev/null
cmake --build --preset linux -j"$(nproc)" --target qor >/dev/null
exec ./build/linux/qor
