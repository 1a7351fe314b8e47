#!/usr/bin/env bash
# Speed of `tonvela-cli measure` on a 60 s recording of A4 (a harmonic tone,
# 44100 Hz 16-bit mono), in each mode, for an earlier build and the current
# one side by side, with the aubio pitch tracker beside them (its default
# mode, yinfft, and its comb mode, mcomb) for comparison. The runs take turns
# (before, current, aubio, for each mode in each round), so a machine whose
# load changes treats them alike; the medians are printed as wall and
# processor seconds and as times real time (60 s of sound / seconds taken).
#
# Usage: scripts/measure-speed.sh BEFORE_CLI [ROUNDS]
#   BEFORE_CLI  the tonvela-cli to compare with (e.g. a build of main)
#   ROUNDS      how many times each run is repeated (default 7)
# Environment: TONVELA_BUILD_DIR (default build/) finds the current build;
# CALLGRIND=1 also counts the instructions of one run of each tonvela-cli per
# mode under valgrind's callgrind, which the machine's load does not change.
#
# Installs aubio-tools (and valgrind for CALLGRIND=1) through apt when they
# are missing; aubio serves the comparison only, nothing of Tonvela uses it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ $# -lt 1 ]; then
  echo "usage: $0 BEFORE_CLI [ROUNDS]" >&2
  exit 2
fi
before="$1"
rounds="${2:-7}"
current="${TONVELA_BUILD_DIR:-$root/build}/src/tonvela-cli"
for cli in "$before" "$current"; do
  [ -x "$cli" ] || { echo "$0: no tonvela-cli at $cli" >&2; exit 1; }
done

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
need=()
command -v aubiopitch >/dev/null || need+=(aubio-tools)
[ "${CALLGRIND:-0}" = 1 ] && ! command -v valgrind >/dev/null && need+=(valgrind)
command -v python3 >/dev/null || need+=(python3)
if [ ${#need[@]} -gt 0 ]; then
  $sudo apt-get update -qq >&2
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >&2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export TONVELA_CONFIG_DIR="$work/config"
recording="$work/a4-harmonic-60s.wav"
python3 - "$recording" <<'EOF'
import math, struct, sys, wave
rate, seconds = 44100, 60
w = 2 * math.pi * 440.0 / rate
frames = bytearray()
for i in range(rate * seconds):
    x = 0.3 * math.sin(w * i) + 0.15 * math.sin(2 * w * i)
    frames += struct.pack('<h', int(round(x * 32767.0)))
with wave.open(sys.argv[1], 'wb') as f:
    f.setnchannels(1)
    f.setsampwidth(2)
    f.setframerate(rate)
    f.writeframes(bytes(frames))
EOF
seconds=60

# One timed run: appends "wall cpu" in seconds to the file named by $1, to
# the tenth of a millisecond (/usr/bin/time's hundredths are a tenth of a
# Standard run).
timed() {
  local out="$1"
  shift
  python3 - "$@" >> "$out" <<'EOF'
import resource, subprocess, sys, time
# The children counted so far (a launcher that ran python3 leaves its own).
def children():
    used = resource.getrusage(resource.RUSAGE_CHILDREN)
    return used.ru_utime + used.ru_stime
before = children()
start = time.perf_counter()
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
wall = time.perf_counter() - start
print(f"{wall:.4f} {children() - before:.4f}")
EOF
}

modes=(standard accurate precise)
for ((round = 1; round <= rounds; ++round)); do
  for mode in "${modes[@]}"; do
    timed "$work/before-$mode" "$before" measure "$recording" --mode "$mode"
    timed "$work/current-$mode" "$current" measure "$recording" --mode "$mode"
  done
  timed "$work/aubio-yinfft" aubiopitch -i "$recording"
  timed "$work/aubio-mcomb" aubiopitch -p mcomb -i "$recording"
  echo "round $round of $rounds done" >&2
done

median() { # column of file
  sort -n -k "$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END {
    if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
row() { # label, file
  local wall cpu
  wall="$(median "$2" 1)"
  cpu="$(median "$2" 2)"
  awk -v l="$1" -v w="$wall" -v c="$cpu" -v s="$seconds" 'BEGIN {
    printf "%-28s %8.3f %8.3f %10.0fx %10.0fx\n", l, w, c, s / w, (c > 0 ? s / c : 0) }'
}

echo
echo "tonvela-cli measure, ${seconds} s of A4 (harmonic), medians of $rounds interleaved runs"
echo "  before:  $before"
echo "  current: $current"
printf "%-28s %8s %8s %11s %11s\n" "" "wall s" "cpu s" "x real" "x real/cpu"
for mode in "${modes[@]}"; do
  row "before   $mode" "$work/before-$mode"
  row "current  $mode" "$work/current-$mode"
done
row "aubiopitch (yinfft)" "$work/aubio-yinfft"
row "aubiopitch -p mcomb" "$work/aubio-mcomb"

if [ "${CALLGRIND:-0}" = 1 ]; then
  echo
  echo "instructions of one run (callgrind, all threads)"
  for mode in "${modes[@]}"; do
    for which in before current; do
      cli="$before"
      [ "$which" = current ] && cli="$current"
      valgrind --tool=callgrind --callgrind-out-file="$work/cg.out" \
        "$cli" measure "$recording" --mode "$mode" > /dev/null 2> "$work/cg.log"
      instructions="$(grep -E '^summary:' "$work/cg.out" | awk '{ print $2 }')"
      printf "%-28s %16s\n" "$which  $mode" "$instructions"
    done
  done
fi
