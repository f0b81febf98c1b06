#!/usr/bin/env bash
# Builds everything and makes the Debian package build/inkwren_*.deb with CPack. Install it with
#   sudo apt install ./build/inkwren_*.deb
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
# dpkg-shlibdeps finds the package's dependencies from its programs' shared libraries.
if ! command -v dpkg-shlibdeps >/dev/null 2>&1; then
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
  fi
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends dpkg-dev
fi
cd "$root/build"
cpack -G DEB
ls -l "$root"/build/inkwren_*.deb
