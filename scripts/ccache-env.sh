# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced from the repository's root by the scripts that configure or build. With ccache
# installed, sets $launcher to the CMake options that compile through it, and sets what ccache
# needs to share results between clones here, whatever the user's own ccache.conf says: paths
# under the clone are hashed relative to it, the build folder's path is not hashed. The cache
# itself stays where ccache keeps it ($CCACHE_DIR, or ~/.cache/ccache), outside the clone.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
fi
