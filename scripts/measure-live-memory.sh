#!/usr/bin/env bash
# Watches the desktop tuner's resident memory while it tunes live for a long
# time: the real program runs headless (QT_QPA_PLATFORM=offscreen) with its
# own settings, and the script prints its resident memory (VmRSS) and peak
# (VmHWM) once a minute, then the growth from the first minute to the last.
#
#   bash scripts/measure-live-memory.sh [MINUTES] [recording|alsa] [PROGRAM]
#
#   recording  (default) --input-file with a recording of A4 and a few other
#              notes, as long as the run, so the input never runs dry; set
#              RECORDING_MINUTES to a shorter length to see the program after
#              the end of its recording (silence) as well.
#   alsa       the sound input through PortAudio from an ALSA device backed by
#              a file (ALSA's file plugin; not paced, so the capture keeps more
#              than one processor core busy, and it repeats its last data once
#              the file is read through).
# PROGRAM defaults to build/src/tonvela. Nothing here is timed by a test: the
# figures are for people to read.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TONVELA_BUILD_DIR:-$root/build}"
minutes="${1:-60}"
mode="${2:-recording}"
program="${3:-$build/src/tonvela}"
recording_minutes="${RECORDING_MINUTES:-$((minutes + 1))}"

if [ "$program" = "$build/src/tonvela" ]; then
  cmake --build "$build" --target tonvela >/dev/null
fi

work="$(mktemp -d)"
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A4 and the notes around it, each for a few seconds, 16-bit mono at 44100 Hz.
python3 - "$work/tones.wav" "$recording_minutes" "$mode" <<'EOF'
import array, math, sys, wave
rate, minutes, mode = 44100, int(sys.argv[2]), sys.argv[3]
notes = [440.0, 466.16, 493.88, 261.63, 329.63, 392.0, 440.0 * 2 ** (3 / 1200)]
blocks = []
for f in notes:
    # Whole periods per block, so a block repeats without a seam.
    n = int(round(4 * rate / (rate / f))) * int(round(rate / f))
    step = 2 * math.pi * f / rate
    blocks.append(array.array("h", (int(32767 * 0.3 * (math.sin(step * i)
                  + 0.3 * math.sin(2 * step * i))) for i in range(n))).tobytes())
total = minutes * 60 * rate * 2
if mode == "alsa":
    out = open(sys.argv[1], "wb")
else:
    out = wave.open(sys.argv[1], "wb")
    out.setnchannels(1); out.setsampwidth(2); out.setframerate(rate)
written, k = 0, 0
while written < total:
    block = blocks[k % len(blocks)]
    (out.write if mode == "alsa" else out.writeframes)(block)
    written += len(block); k += 1
out.close()
EOF

config="$work/config"
runtime="$work/runtime"
mkdir -p "$config/Korvex" "$runtime"
chmod 700 "$runtime"
printf '[settings]\nlanguage=en\n' >"$config/Korvex/Tonvela.ini"
export TONVELA_CONFIG_DIR="$config" XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen

if [ "$mode" = "alsa" ]; then
  cat >"$work/asoundrc" <<EOF
pcm.tonvela_file {
    type asym
    capture.pcm {
        type plug
        slave.pcm { type file slave.pcm null file "/dev/null" infile "$work/tones.wav" format raw }
    }
    playback.pcm {
        type plug
        slave.pcm { type file slave.pcm null file "/dev/null" format raw }
    }
}
pcm.!default "tonvela_file"
EOF
  ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$work/asoundrc" "$program" >/dev/null 2>&1 &
else
  "$program" --input-file "$work/tones.wav" >/dev/null 2>&1 &
fi
pid=$!

status_kb() { awk -v key="$1:" '$1 == key { print $2 }' "/proc/$pid/status"; }
printf '%6s %10s %10s\n' minute "rss MB" "peak MB"
first=""
last=""
for minute in $(seq 0 "$minutes"); do
  [ "$minute" -gt 0 ] && sleep 60
  kill -0 "$pid" 2>/dev/null || { echo "measure-live-memory: the program ended" >&2; exit 1; }
  rss="$(status_kb VmRSS)"
  peak="$(status_kb VmHWM)"
  # Minute 0 is the start-up; growth counts from minute 1.
  [ "$minute" -eq 1 ] && first="$rss"
  last="$rss"
  awk -v m="$minute" -v r="$rss" -v p="$peak" 'BEGIN { printf "%6d %10.1f %10.1f\n", m, r / 1024, p / 1024 }'
done
kill -TERM "$pid"
wait "$pid" || true
pid=""
if [ -n "$first" ] && [ "$minutes" -gt 1 ]; then
  awk -v a="$first" -v b="$last" -v n="$((minutes - 1))" \
    'BEGIN { printf "growth from minute 1 to %d: %.1f MB (%.2f MB a minute)\n", n + 1, (b - a) / 1024, (b - a) / 1024 / n }'
fi
