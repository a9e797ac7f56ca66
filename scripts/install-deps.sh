#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the build, the tests and the demo need on Debian 12. Safe to run again.
set -euo pipefail
packages=(
  cmake g++ make pkg-config git python3
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n libgl1-mesa-dev
  libudev-dev umockdev libumockdev-dev
  libssl-dev
  googletest libgtest-dev libbenchmark-dev
  dosfstools mtools fusefat fuse3 dbus-daemon
  xvfb xauth imagemagick fonts-noto-cjk at-spi2-core
  clang-format clang-tidy clang libclang-rt-14-dev ccache
  desktop-file-utils appstream dpkg-dev groff-base lintian
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
