#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the simulated ECU.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_packages "${RIZAZOVOZ_BUILD_PACKAGES[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target rizazovoz

program=(build/src/app/rizazovoz --simulate --connect "$@")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  ensure_packages "${RIZAZOVOZ_DISPLAY_PACKAGES[@]}"
  echo "No display found: running on a virtual one (xvfb-run)."
  exec xvfb-run -a "${program[@]}"
fi
exec "${program[@]}"
