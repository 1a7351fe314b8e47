#!/usr/bin/env bash
# Peak resident memory of `tonvela-cli measure` on a long recording (default
# one hour of 16-bit noise at 44100 Hz, written to a temporary directory and
# removed afterwards). Usage: scripts/measure-memory.sh [MINUTES] [TONVELA_CLI]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
minutes="${1:-60}"
cli="${2:-${TONVELA_BUILD_DIR:-$root/build}/src/tonvela-cli}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A canonical 44-byte WAV header, then the samples.
le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))\\x$(printf %02x $((($1 >> 16) & 255)))\\x$(printf %02x $((($1 >> 24) & 255)))"; }
bytes=$((minutes * 60 * 44100 * 2))
{
  printf 'RIFF'; le32 $((36 + bytes)); printf 'WAVEfmt '; le32 16
  printf '\x01\x00\x01\x00'; le32 44100; le32 88200; printf '\x02\x00\x10\x00'
  printf 'data'; le32 "$bytes"
  head -c "$bytes" /dev/urandom
} > "$work/long.wav"

TONVELA_CONFIG_DIR="$work/config" /usr/bin/time -f '%M' -o "$work/rss" \
  "$cli" measure "$work/long.wav" > /dev/null
echo "tonvela-cli measure on ${minutes} min: max resident $(( $(cat "$work/rss") / 1024 )) MB"
