#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the .deb, has lintian check it (an error fails), installs it with apt-get, starts both
# installed programs the way a user would (the window offscreen), and removes the package again.
# Needs root or sudo.
# The package is built in build-package/ without tests, or in $PACKAGE_BUILD_DIR as that folder
# is already configured (CI packs the folder its tests ran in; tests are never installed).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${PACKAGE_BUILD_DIR:-build-package}
source scripts/ccache-env.sh
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTREK_BUILD_TESTS=OFF \
    -DTREK_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$build_dir" -j2
(cd "$build_dir" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build_dir"/trekkomat_*.deb | head -n1)
echo "package: $deb, $(stat -c %s "$deb") bytes"
dpkg-deb --field "$deb" Depends Recommends
# Debian's own checks of a package: errors fail, warnings are shown.
lintian --fail-on error "$deb"

scratch=$(mktemp -d)
installed=0
cleanup() {
  if [ "$installed" -eq 1 ]; then
    $SUDO apt-get remove -y trekkomat >/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y "$(realpath "$deb")"
installed=1

fail() {
  echo "package-check: $*" >&2
  exit 1
}
for file in /usr/bin/trekkomat /usr/bin/trekkomat-cli \
  /usr/lib/udev/rules.d/70-trekkomat-wristband.rules \
  /usr/share/applications/com.example.Trekkomat.desktop \
  /usr/share/metainfo/com.example.Trekkomat.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/com.example.Trekkomat.svg \
  /usr/share/icons/hicolor/48x48/apps/com.example.Trekkomat.png \
  /usr/libexec/trekkomat/trekkomat-updater /usr/lib/systemd/user/trekkomat-watch.service \
  /usr/share/man/man1/trekkomat.1.gz /usr/share/man/man1/trekkomat-cli.1.gz \
  /usr/share/doc/trekkomat/copyright /usr/share/doc/trekkomat/changelog.gz; do
  [ -s "$file" ] || fail "$file is not installed"
done
# The user service is shipped, not switched on.
[ ! -e /etc/systemd/user/default.target.wants/trekkomat-watch.service ] ||
  fail "the package enabled the watch service"
grep -qx "ExecStart=trekkomat-cli watch" /usr/lib/systemd/user/trekkomat-watch.service ||
  fail "the watch service does not start trekkomat-cli watch"
if command -v systemd-analyze >/dev/null; then
  systemd-analyze verify --man=no /usr/lib/systemd/user/trekkomat-watch.service
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate /usr/share/applications/com.example.Trekkomat.desktop
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net /usr/share/metainfo/com.example.Trekkomat.metainfo.xml
fi

# An installed program works in the user's data folder, whatever the current folder, and a
# later run of either program finds the settings file and the store there.
export XDG_DATA_HOME="$scratch/data"
mkdir -p "$scratch/cwd"
cd "$scratch/cwd"
trekkomat-cli --help >"$scratch/cli-help.txt"
trekkomat --help >"$scratch/window-help.txt"
head -n1 "$scratch/cli-help.txt" "$scratch/window-help.txt"
trekkomat-cli emulate make-disk "$scratch/disk" --days 3 --end 2026-12-07 >/dev/null
trekkomat-cli --drive "E=$scratch/disk" collect
ls "$XDG_DATA_HOME"/trekkomat/Data/Stepo*.BIN >/dev/null || fail "collect stored nothing in the data folder"
[ -z "$(ls -A "$scratch/cwd")" ] || fail "the installed CLI wrote into the current folder"
trekkomat-cli summary
# What the user service runs: it waits, and SIGTERM ends it with 0.
trekkomat-cli --drive "E=$scratch/unplugged" watch >"$scratch/watch.txt" &
watcher=$!
for _ in $(seq 50); do grep -q '^watching' "$scratch/watch.txt" && break; sleep 0.1; done
kill -TERM "$watcher"
wait "$watcher" || fail "watch did not end cleanly at SIGTERM"
[ "$(tail -n1 "$scratch/watch.txt")" = "stopped" ] || fail "watch did not say it stopped"
QT_QPA_PLATFORM=offscreen trekkomat --no-update-check --drive "E=$scratch/unplugged" \
  --date 2026-12-07 --page report --screenshot "$scratch/window.png"
[ -s "$scratch/window.png" ] || fail "the window left no picture"
file "$scratch/window.png" 2>/dev/null || true
cd /

$SUDO apt-get remove -y trekkomat
installed=0
[ ! -e /usr/bin/trekkomat ] || fail "trekkomat is still there after removal"
echo "package-check: installed, ran and removed $(basename "$deb")"
