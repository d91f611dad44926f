#!/usr/bin/env bash
# Installs what is missing, builds a Release tree in build/ and starts the
# program on a bundled sample recording (or on the file given).
set -euo pipefail
# A file named relative to the caller's folder, before changing to ours.
sample=""
if [ $# -gt 0 ]; then
  case "$1" in
    /*) sample="$1" ;;
    *) sample="$PWD/$1" ;;
  esac
fi
cd "$(dirname "$0")"
sample="${sample:-samples/hours40.DAT}"
. scripts/deps.sh
. scripts/build.sh
vqr_ensure_packages $VQR_PACKAGES $(vqr_calc_packages gui)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release --log-level=WARNING >/dev/null
vqr_build build vqrshow4 vqrtool

if [ -x build/vqrshow4 ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/vqrshow4 "$sample"
fi
[ -x build/vqrshow4 ] && echo "No display found: showing the sample with vqrtool instead."
mkdir -p out
build/vqrtool info "$sample"
build/vqrtool ascii "$sample" -o out/sample.ASC
echo "ASCII export written to out/sample.ASC"
# Channel 1: a combination shows nothing until channels are ticked for it.
if build/vqrtool render "$sample" --window 1 -o out/sample.png 2>/dev/null; then
  build/vqrtool overview "$sample" -o out/overview.png
  echo "Diagram of channel 1 written to out/sample.png, overview to out/overview.png"
fi
