#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program on an emulated wristband.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DTREK_BUILD_TESTS=OFF -DTREK_BUILD_BENCH=OFF
bin="${BUILD_DIR:-build}/src/app/window/trekkomat"
if [ -n "${DISPLAY:-}" ]; then
  exec "$bin"
else
  QT_QPA_PLATFORM=offscreen "$bin" --screenshot "$PWD/demo-window.png"
fi
