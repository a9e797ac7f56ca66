#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Each program answers --version with its name and the version the project is numbered with
# (VERSION, from CMake) on one line, and exits 0.
set -uo pipefail
version=$1
shift
failed=0
for program in "$@"; do
  if ! line=$(QT_QPA_PLATFORM=offscreen "$program" --version 2>/dev/null); then
    echo "$program --version failed"
    failed=1
  elif [ "$line" != "$(basename "$program") $version" ]; then
    echo "$program --version printed \"$line\", not \"$(basename "$program") $version\""
    failed=1
  fi
done
[ "$failed" -eq 0 ] && echo "--version: $# programs print $version"
exit "$failed"
