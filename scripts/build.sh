#!/usr/bin/env bash
# Configures and builds Tonvela into build/ (-O3 with debug info).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TONVELA_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" "$@"
