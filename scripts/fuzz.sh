#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets of fuzz/ with clang's libFuzzer (address and undefined-behaviour checks
# on) into build-fuzz/ and runs each for SECONDS (default 60) over its seeds in fuzz/corpus. Every
# target runs even after another found something; the run then fails at the end, and the input is
# left as build-fuzz/<target>-crash-*: add it to the target's corpus folder once the fault is
# mended.
#   scripts/fuzz.sh [SECONDS]
#   scripts/fuzz.sh --seeds      writes the seeds anew from the emulator
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-fuzz

# target              corpus folder     longest input in bytes
targets=(
  "programreaders_fuzz  program-readers   8192"
  "dayfiles_fuzz        day-files         8192"
  "recordimages_fuzz    record-images     52000"
  "clockfile_fuzz       clock-file        4096"
  "settingsblock_fuzz   settings-block    256"
  "inquiry_fuzz         inquiry           128"
  "settingsfile_fuzz    settings-file     4096"
)

configure=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= "-DCMAKE_CXX_FLAGS=-O1 -g"
  -DTREK_BUILD_FUZZ=ON -DTREK_BUILD_TESTS=OFF -DTREK_BUILD_BENCH=OFF)
if command -v ccache >/dev/null; then
  configure+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [[ ! -f $out/CMakeCache.txt ]] && command -v ninja >/dev/null; then
  configure+=(-G Ninja)
fi
cmake -S . -B "$out" "${configure[@]}" >/dev/null

if [[ ${1:-} == --seeds ]]; then
  cmake --build "$out" --target makeseeds -j2
  "$out/fuzz/makeseeds" fuzz/corpus
  exit 0
fi
seconds=${1:-60}

names=()
for row in "${targets[@]}"; do
  read -r target _ <<<"$row"
  names+=("$target")
done
cmake --build "$out" --target "${names[@]}" -j2

findings=0
for row in "${targets[@]}"; do
  read -r target corpus maxlen <<<"$row"
  # New inputs go to a scratch folder; the committed corpus stays the seeds and the findings.
  mkdir -p "$out/$target-corpus"
  log="$out/$target.log"
  if (cd "$out" && "fuzz/$target" -max_total_time="$seconds" -max_len="$maxlen" \
    -print_final_stats=1 -artifact_prefix="$target-" "$target-corpus" "../fuzz/corpus/$corpus") \
    >"$log" 2>&1; then
    echo "$target: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1)"
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' "$log" |
      sed 's/^/    /'
  else
    echo "$target: FINDING (full output in $log)"
    tail -n 60 "$log"
    findings=$((findings + 1))
  fi
done
if ((findings > 0)); then
  echo "$findings fuzz target(s) found a fault." >&2
  exit 1
fi
