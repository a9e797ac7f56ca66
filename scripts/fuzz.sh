#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (address and undefined-behaviour checks on) and
# runs each for SECONDS (default 60) over its corpus in fuzz/corpus. A finding fails the run and
# leaves its input in build-fuzz/; add it to the corpus once the fault is mended.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build-fuzz
mkdir -p "$out"
read -r -a qt <<<"$(pkg-config --cflags --libs Qt6Core)"
flags=(-std=c++20 -O1 -g -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc)

clang++ "${flags[@]}" fuzz/programreaders_fuzz.cpp src/update/executableheader.cpp \
  src/update/versionresource.cpp "${qt[@]}" -o "$out/programreaders_fuzz"

for target in programreaders; do
  corpus="fuzz/corpus/program-readers"
  work="$out/$target-corpus"
  mkdir -p "$work"
  # New inputs go to a scratch folder; the committed corpus stays the seeds and the findings.
  (cd "$out" && "./${target}_fuzz" -max_total_time="$seconds" -max_len=8192 \
    -print_final_stats=1 "$target-corpus" "../$corpus") 2>&1 | tail -n 12
done
