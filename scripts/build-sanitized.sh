#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds build-asan/ (or $SANITIZED_BUILD_DIR): one clang build with address and
# undefined-behaviour checks that serves both the test suite under the sanitizers and the
# libFuzzer targets of fuzz/ (scripts/fuzz.sh), so the sources are compiled once for both.
# Optimised a little (-O1) because the fuzzer's speed and the suite's time under the checks
# depend on it; asserts stay on. Builds all targets or those named in $BUILD_TARGETS.
set -euo pipefail
cd "$(dirname "$0")/.."
export BUILD_DIR=${SANITIZED_BUILD_DIR:-build-asan} BUILD_TYPE=Debug
fresh=()
# A folder made for gcc (as an older CI did) cannot simply be switched to clang.
if [[ -f $BUILD_DIR/CMakeCache.txt ]] &&
  ! grep -q '^CMAKE_CXX_COMPILER:.*clang' "$BUILD_DIR/CMakeCache.txt"; then
  fresh=(--fresh)
fi
exec scripts/build.sh "${fresh[@]}" -DCMAKE_CXX_COMPILER=clang++ "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g" \
  -DTREK_SANITIZE=ON -DTREK_BUILD_FUZZ=ON -DTREK_BUILD_TESTS=ON -DTREK_BUILD_BENCH=OFF "$@"
