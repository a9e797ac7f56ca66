#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs the program on an emulated wristband.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DTREK_BUILD_TESTS=OFF -DTREK_BUILD_BENCH=OFF
build="${BUILD_DIR:-build}"
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac
bin="$build/src/window/trekkomat"
cli="$build/src/cli/trekkomat-cli"

# A demo working folder (settings file, store, raw copies) and a wristband's disk holding two
# weeks of generated text day files; both start afresh on every run.
demo="$PWD/demo"
work="$demo/work"
disk="$demo/wristband"
rm -rf "$work" "$disk"
mkdir -p "$work"
# The wearer's body data, so that distances and calories have something to go on.
printf '[Personal]\nHeight=172\nWeight_g=68000\nStepSize=72\n' > "$work/Trekkomat2.INI"
"$cli" emulate make-disk "$disk" --days 14 --seed 1
echo "Day files on the wristband: $(ls "$disk" | grep -c '^[0-9]\{8\}\.txt$' || true)"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$bin" ]; then
  # The window finds the wristband as drive E:, asks whether to collect, and shows the month's
  # report of the steps it collected.
  cd "$work"
  exec "$bin" --no-update-check --drive "E=$disk" --page report --report month
fi

echo
echo "== Collecting from the emulated wristband (drive E:)"
"$cli" --workdir "$work" --drive "E=$disk" collect
echo
echo "== The store now"
ls -l "$work/Data"
grep -A2 '^\[Summary\]' "$work/Trekkomat2.INI"
echo
echo "== The first minutes with steps (trekkomat-cli export csv)"
"$cli" --workdir "$work" export csv > "$demo/steps.csv"
head -n 12 "$demo/steps.csv"
echo "... $(($(wc -l < "$demo/steps.csv") - 1)) minutes with steps in all, written to $demo/steps.csv"

# The day files end today; the last full night began yesterday evening.
month=$(date +%Y-%m)
night=$(date -d yesterday +%F)
echo
echo "== The month's report (trekkomat-cli report month $month)"
"$cli" --workdir "$work" report month "$month"
echo
echo "== The night of $night (trekkomat-cli sleep $night, the figures)"
"$cli" --workdir "$work" sleep "$night" | head -n 5

if [ -x "$bin" ]; then
  echo
  shoot() { # FILE OPTIONS...: a picture of what the window shows with OPTIONS
    local file="$demo/$1"
    shift
    (cd "$work" && QT_QPA_PLATFORM=offscreen "$bin" --no-update-check --screenshot "$file" "$@") ||
      echo "The picture $file could not be made."
  }
  shoot demo-report-month.png --page report --report month
  shoot demo-report-day.png --page report --report day --date "$night"
  shoot demo-sleep-analysis.png --page report --date "$night" --sleep-analysis
  shoot demo-summary.png --page summary
fi
