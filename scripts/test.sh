#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds and runs every test (benchmarks excluded).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The demo may have configured the same folder without tests; ask for them explicitly.
scripts/build.sh -DTREK_BUILD_TESTS=ON -DTREK_BUILD_BENCH=ON
cd "${BUILD_DIR:-build}"
ctest --output-on-failure -j2 -LE bench --timeout 300 --no-tests=error
