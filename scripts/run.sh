#!/usr/bin/env bash
# Installs what is missing, builds and starts the desktop tuner. Arguments go
# to the program: a document to open (FILE.tnv) and/or --input-file RECORDING.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TONVELA_BUILD_DIR:-$root/build}"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no display found. Start it under a virtual one:  xvfb-run -a bash scripts/run.sh" >&2
  echo "        (or QT_QPA_PLATFORM=offscreen bash scripts/run.sh, which shows nothing)" >&2
  exit 1
fi
exec "$build/src/tonvela" "$@"
