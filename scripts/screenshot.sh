#!/usr/bin/env bash
# Photographs the real Tonvela window for people to look at: starts the
# program under Xvfb (1280 x 800) with a recording of A4 three cents sharp as
# its sound input, waits until a result shows, and saves a PNG of the whole
# window in English and in German.
#
#   bash scripts/screenshot.sh [OUTDIR]     (default: build/screenshots)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TONVELA_BUILD_DIR:-$root/build}"
out="${1:-$build/screenshots}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

cmake --build "$build" --target tonvela >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# 30 s of A4 at 440 Hz x 2^(3/1200) = 440.76 Hz with a few harmonics, 16-bit mono.
python3 - "$work/a4-plus3.wav" <<'EOF'
import math, struct, sys, wave
rate, seconds = 44100, 30
f = 440.0 * 2 ** (3 / 1200)
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(rate)
    frames = bytearray()
    for i in range(rate * seconds):
        t = i / rate
        x = 0.5 * math.sin(2 * math.pi * f * t) + 0.15 * math.sin(4 * math.pi * f * t) \
            + 0.05 * math.sin(6 * math.pi * f * t)
        frames += struct.pack("<h", int(round(x * 32767 * 0.8)))
    w.writeframes(bytes(frames))
EOF

# One language inside one X server: start, wait for the window and for a
# result (the green deviation text in the numeric display), photograph, quit.
cat >"$work/shoot.sh" <<'EOF'
#!/usr/bin/env bash
set -euo pipefail
program="$1" recording="$2" png="$3"
"$program" --input-file "$recording" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=""
for _ in $(seq 100); do
  window="$(xdotool search --onlyvisible --name ' - Tonvela$' 2>/dev/null | head -n1 || true)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "screenshot: the window did not appear" >&2; exit 1; }
width="$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')"
shown=0
for _ in $(seq 150); do
  import -window "$window" "$png.tmp.png"
  green="$(convert "$png.tmp.png" -crop "$((width / 2))x80+$((width / 2))+40" +repage \
      -fill black +opaque '#00DA00' -fill white -opaque '#00DA00' \
      -format '%[fx:int(mean*w*h)]' info:)"
  if [ "$green" -gt 200 ]; then shown=1; break; fi
  sleep 0.2
done
[ "$shown" = 1 ] || { echo "screenshot: no result showed" >&2; exit 1; }
sleep 1.5 # a few more results, so the strobe has moved
import -window "$window" "$png"
rm -f "$png.tmp.png"
kill -TERM $pid
wait $pid || true
trap - EXIT
EOF

for lang in en de; do
  config="$work/config-$lang"
  mkdir -p "$config/Korvex" "$work/runtime-$lang"
  chmod 700 "$work/runtime-$lang"
  printf '[settings]\nlanguage=%s\n' "$lang" >"$config/Korvex/Tonvela.ini"
  TONVELA_CONFIG_DIR="$config" XDG_RUNTIME_DIR="$work/runtime-$lang" \
    xvfb-run -a -s "-screen 0 1280x800x24" \
    bash "$work/shoot.sh" "$build/src/tonvela" "$work/a4-plus3.wav" "$out/tonvela-$lang.png"
  echo "$out/tonvela-$lang.png"
done
