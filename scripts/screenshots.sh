#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes the README's pictures in docs/screenshots/: every page of the window, the sleep
# analysis, the factory set-up and the collection question, over two weeks of steps from an
# emulated wristband, and the Trends dialog over a year of them. Needs a build (scripts/build.sh);
# runs offscreen, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac
bin="$build/src/window/trekkomat"
cli="$build/src/cli/trekkomat-cli"
out="$PWD/docs/screenshots"
for program in "$bin" "$cli"; do
  [ -x "$program" ] || { echo "$program is missing: build first (scripts/build.sh)." >&2; exit 1; }
done

# Fixed days, so the pictures change only when the program does.
last_day=2026-11-20
night=2026-11-19
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
work="$scratch/work"
disk="$scratch/wristband"
mkdir -p "$work" "$out"
printf '[Personal]\nHeight=172\nWeight_g=68000\nStepSize=72\n[Advance]\nLanguage=0\n' \
  > "$work/Trekkomat2.INI"
"$cli" emulate make-disk "$disk" --days 14 --seed 1 --end "$last_day" > /dev/null

export QT_QPA_PLATFORM=offscreen
shoot_in() { # FOLDER NAME OPTIONS...: a picture of what the window shows on FOLDER with OPTIONS
  local folder="$1" name="$2"
  shift 2
  (cd "$folder" && "$bin" --no-update-check --screenshot "$out/$name.png" "$@") > /dev/null
  echo "$out/$name.png"
}
shoot() { # NAME OPTIONS...: the same on the two weeks, the night before the last day selected
  local name="$1"
  shift
  shoot_in "$work" "$name" --date "$night" "$@"
}

# With the wristband plugged in the window opens on its collection question (not answered: the
# picture run closes it).
shoot collection-question --drive "E=$disk" --page report
"$cli" --workdir "$work" --drive "E=$disk" collect > /dev/null

# The rest with the wristband out (a drive whose folder does not exist), on the collected steps.
none="E=$scratch/no-wristband"
shoot report-month --drive "$none" --page report --report month
shoot report-week --drive "$none" --page report --report week
shoot report-day --drive "$none" --page report --report day
shoot daylife --drive "$none" --page summary
shoot mission --drive "$none" --page mission
shoot personal --drive "$none" --page personal
shoot maintain --drive "$none" --page maintain
shoot options --drive "$none" --page options
shoot sleep-analysis --drive "$none" --page report --sleep-analysis
shoot factory-setup --drive "$none" --factory-setup
# One page in Traditional Chinese, the language the User Option page switches to.
sed -i 's/^Language=0/Language=1/' "$work/Trekkomat2.INI"
grep -q '^Language=1' "$work/Trekkomat2.INI"
shoot report-month-traditional --drive "$none" --page report --report month

# The Trends dialog up to the last day of a year of steps, in English and in Traditional Chinese,
# at 100 % and at 200 %.
year="$scratch/year"
mkdir -p "$year"
printf '[Personal]\nHeight=172\nWeight_g=68000\nStepSize=72\n[Advance]\nLanguage=0\n' \
  > "$year/Trekkomat2.INI"
"$cli" emulate make-disk "$scratch/year-wristband" --days 365 --seed 1 --end "$last_day" \
  > /dev/null
"$cli" --workdir "$year" --drive "E=$scratch/year-wristband" collect > /dev/null
trends=(--drive "$none" --date "$last_day" --trends)
shoot_in "$year" trends "${trends[@]}"
QT_SCALE_FACTOR=2 shoot_in "$year" trends-200 "${trends[@]}"
sed -i 's/^Language=0/Language=1/' "$year/Trekkomat2.INI"
shoot_in "$year" trends-traditional "${trends[@]}"
QT_SCALE_FACTOR=2 shoot_in "$year" trends-traditional-200 "${trends[@]}"

if command -v optipng > /dev/null; then
  optipng -quiet -o2 "$out"/*.png
fi
