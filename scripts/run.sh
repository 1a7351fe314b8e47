#!/usr/bin/env bash
# Installs what is missing, builds and starts Tonvela. Arguments go to the program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TONVELA_BUILD_DIR:-$root/build}"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
if [ -x "$build/src/tonvela" ]; then
  exec "$build/src/tonvela" "$@"
fi
# Until the desktop program exists, the headless tool lists the input devices.
if [ $# -eq 0 ]; then set -- devices; fi
exec "$build/src/tonvela-cli" "$@"
