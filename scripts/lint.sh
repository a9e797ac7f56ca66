#!/usr/bin/env bash
# Checks formatting of every C++ file, and runs clang-tidy over the sources when a build folder
# with compile_commands.json is given (scripts/lint.sh build).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${files[@]}"
echo "clang-format: ${#files[@]} files clean"
if [ $# -ge 1 ]; then
  mapfile -t sources < <(git ls-files 'src/*.cpp')
  clang-tidy -p "$1" --quiet "${sources[@]}"
fi
