#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test on a session bus of its own, whose accessibility bus is started on demand and keeps
# its socket in a runtime folder of its own; under a virtual X server when there is no display,
# because Qt joins the accessibility bus only on a real windowing system.
# Exit code 77 (skipped) when no session bus can start.
set -u
if [ -z "${DISPLAY:-}" ]; then
  command -v xvfb-run >/dev/null 2>&1 || { echo "no display and no xvfb-run" >&2; exit 1; }
  exec xvfb-run -a "$0" "$@"
fi
command -v dbus-run-session >/dev/null 2>&1 || { echo "dbus-run-session is missing" >&2; exit 77; }
runtime=$(mktemp -d) || exit 1
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
dbus-run-session -- "$@"
