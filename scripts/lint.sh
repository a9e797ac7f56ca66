#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the formatting of every C++ file, the licence identifier at the top of every source
# file and the layer rules; with a build folder that holds compile_commands.json
# (scripts/lint.sh build) also the CLI's links and clang-tidy over the sources (through
# scripts/tidy-cached.py, which skips what was clean before). Any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${files[@]}"
echo "clang-format: ${#files[@]} files clean"
python3 scripts/spdx-headers.py --check
python3 scripts/check-layers.py "$@"
if [ $# -ge 1 ]; then
  python3 scripts/tidy-cached.py "$1"
fi
