#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets of fuzz/ with clang's libFuzzer in the sanitized build folder
# (scripts/build-sanitized.sh: build-asan/, address and undefined-behaviour checks on) and runs
# each for SECONDS (default 60) over its seeds in fuzz/corpus, two at a time. Every target runs
# even after another found something; the run then fails at the end, and the input is left as
# build-asan/<target>-crash-*: add it to the target's corpus folder once the fault is mended.
#   scripts/fuzz.sh [SECONDS]
#   scripts/fuzz.sh --seeds      writes the seeds anew from the emulator
set -euo pipefail
cd "$(dirname "$0")/.."
out=${SANITIZED_BUILD_DIR:-build-asan}

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

if [[ ${1:-} == --seeds ]]; then
  BUILD_TARGETS=makeseeds scripts/build-sanitized.sh
  "$out/fuzz/makeseeds" fuzz/corpus
  exit 0
fi
seconds=${1:-60}

names=()
for row in "${targets[@]}"; do
  read -r target _ <<<"$row"
  names+=("$target")
done
BUILD_TARGETS="${names[*]}" scripts/build-sanitized.sh

# One target per core; each leaves its log and its exit status beside it.
root=$PWD
fuzz_one() {
  local target=$1 corpus=$2 maxlen=$3 status=0
  # New inputs go to a scratch folder; the committed corpus stays the seeds and the findings.
  mkdir -p "$out/$target-corpus"
  (cd "$out" && "fuzz/$target" -max_total_time="$seconds" -max_len="$maxlen" \
    -print_final_stats=1 -artifact_prefix="$target-" "$target-corpus" "$root/fuzz/corpus/$corpus") \
    >"$out/$target.log" 2>&1 || status=$?
  echo "$status" >"$out/$target.status"
}
running=0
for row in "${targets[@]}"; do
  read -r target corpus maxlen <<<"$row"
  if ((running == 2)); then
    wait -n || true
    running=$((running - 1))
  fi
  fuzz_one "$target" "$corpus" "$maxlen" &
  running=$((running + 1))
done
wait

findings=0
for row in "${targets[@]}"; do
  read -r target _ <<<"$row"
  log="$out/$target.log"
  if [[ $(cat "$out/$target.status") == 0 ]]; then
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
