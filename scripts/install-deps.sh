#!/usr/bin/env bash
# Installs every Debian package Inkwren needs to build, test (sanitizers and fuzzers included) and
# build its data, when missing.
# Runs as root or through sudo; says what it installs.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache lld
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libicu-dev zlib1g-dev libpng-dev libgif-dev libjpeg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev llvm
  fonts-arphic-ukai fonts-arphic-uming fonts-dejavu-core rime-data-stroke unicode-data bzip2
  desktop-file-utils appstream
)
# npm fetches the stroke data; a Node.js that came with its own npm is left alone.
if ! command -v npm >/dev/null 2>&1; then
  packages+=(npm)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages are installed"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
