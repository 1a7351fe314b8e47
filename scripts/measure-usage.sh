#!/usr/bin/env bash
# Measures what the desktop tuner costs while it tunes live: the real program
# runs under Xvfb (1280 x 800) with a recording of A4 as its sound input, in
# each measuring mode, and the script reports
#   - the time from the start to the main window shown (mapped on the X server),
#   - the processor time of the program (all its threads: capture, analysis,
#     synthesizer, strobe and displays) as a share of one core over 30 s after
#     a warm-up, and the X server's share beside it,
#   - the resident memory: its peak (VmHWM) and at the end (VmRSS).
# Targets: at most 5 % of a core in the Standard mode, at most 120 MB.
#
#   bash scripts/measure-usage.sh [SECONDS] [WARMUP]     (default: 30 and 5)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TONVELA_BUILD_DIR:-$root/build}"
seconds="${1:-30}"
warmup="${2:-5}"

cmake --build "$build" --target tonvela >/dev/null
program="$build/src/tonvela"

work="$(mktemp -d)"
xvfb=""
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A4 at 440 Hz with two harmonics, 16-bit mono, long enough that the input
# never runs dry during the measurement.
python3 - "$work/a4.wav" "$((seconds + warmup + 15))" <<'EOF'
import array, math, sys, wave
rate, seconds = 44100, int(sys.argv[2])
step = 2 * math.pi * 440.0 / rate
one = array.array("h", (int(round(32767 * 0.4 * (0.5 * math.sin(step * i)
      + 0.15 * math.sin(2 * step * i) + 0.05 * math.sin(3 * step * i)) / 0.7))
      for i in range(rate)))
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(rate)
    # 440 Hz fits a second exactly, so the second repeats without a seam.
    w.writeframes(one.tobytes() * seconds)
EOF

# One X server for all runs.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
display=""
for _ in $(seq 200); do
  display="$(head -n1 "$work/display" 2>/dev/null || true)"
  [ -n "$display" ] && break
  sleep 0.05
done
[ -n "$display" ] || { echo "measure-usage: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"

ticks="$(getconf CLK_TCK)"
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
status_kb() { awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"; }
now_ms() { date +%s%3N; }

printf '%-14s %10s %10s %10s %10s %10s\n' mode "window ms" "cpu %" "X cpu %" "peak MB" "end MB"
modes=("Standard" "Accurate" "Most Accurate")
for accuracy in 0 1 2; do
  config="$work/config-$accuracy"
  runtime="$work/runtime-$accuracy"
  mkdir -p "$config/Korvex" "$runtime"
  chmod 700 "$runtime"
  printf '[settings]\nlanguage=en\naccuracy=%s\n' "$accuracy" >"$config/Korvex/Tonvela.ini"

  start="$(now_ms)"
  TONVELA_CONFIG_DIR="$config" XDG_RUNTIME_DIR="$runtime" \
    "$program" --input-file "$work/a4.wav" >/dev/null 2>&1 &
  pid=$!
  window=""
  for _ in $(seq 2000); do
    window="$(xdotool search --onlyvisible --pid "$pid" --name ' - Tonvela$' 2>/dev/null | head -n1 || true)"
    [ -n "$window" ] && break
    sleep 0.005
  done
  shown="$(( $(now_ms) - start ))"
  [ -n "$window" ] || { echo "measure-usage: the window did not appear" >&2; exit 1; }

  sleep "$warmup"
  before="$(cpu_ticks "$pid")"
  xbefore="$(cpu_ticks "$xvfb")"
  sleep "$seconds"
  after="$(cpu_ticks "$pid")"
  xafter="$(cpu_ticks "$xvfb")"
  peak="$(status_kb "$pid" VmHWM)"
  rss="$(status_kb "$pid" VmRSS)"
  kill -TERM "$pid"
  wait "$pid" || true
  pid=""

  awk -v m="${modes[$accuracy]}" -v w="$shown" -v d="$((after - before))" \
      -v x="$((xafter - xbefore))" -v t="$ticks" -v s="$seconds" -v p="$peak" -v r="$rss" \
      'BEGIN { printf "%-14s %10d %10.2f %10.2f %10.1f %10.1f\n", m, w, 100 * d / t / s,
               100 * x / t / s, p / 1024, r / 1024 }'
done
