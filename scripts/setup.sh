#!/usr/bin/env bash
# Installs every Debian package Tonvela needs and generates the de_DE.UTF-8
# locale the locale tests use. Idempotent: quick when everything is present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev
  portaudio19-dev libasound2-dev libjack-jackd2-dev
  libsndfile1-dev
  fonts-liberation
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # FFTW single precision: only the transform's benchmark compares against it
  libfftw3-dev
  locales
  # Qt's own dialog and button texts in German
  qt6-translations-l10n
  # for looking at the real window and the printed report by hand
  xvfb xdotool imagemagick poppler-utils python3
  # CI's sanitizer and fuzzing stages (scripts/ci-sanitizers.sh): clang with
  # its sanitizer and libFuzzer runtimes, llvm-symbolizer for readable reports;
  # /usr/bin/time for scripts/measure-memory.sh
  clang libclang-rt-14-dev llvm time
  # checks of the desktop entry and the AppStream metainfo; the Debian
  # package's library dependencies (dpkg-shlibdeps)
  desktop-file-utils appstream dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  if [ -f /etc/locale.gen ] && grep -q '^# *de_DE.UTF-8 UTF-8' /etc/locale.gen; then
    $sudo sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  elif ! grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen >/dev/null
fi
