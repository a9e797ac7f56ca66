#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds into build/ (or $BUILD_DIR), all targets or those named in
# $BUILD_TARGETS. Extra arguments go to CMake's configure step. Compiles go through ccache when it
# is installed (scripts/ccache-env.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ccache-env.sh
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "${launcher[@]}" "$@"
read -ra targets <<<"${BUILD_TARGETS:-}"
cmake --build "$build_dir" -j2 ${targets[@]+--target "${targets[@]}"}
