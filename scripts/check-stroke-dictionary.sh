#!/usr/bin/env bash
# Checks that rime's stroke dictionary, which Taiwan's stroke order is learnt from, is the pinned
# one (Debian package rime-data-stroke), so that every machine builds the same archives.
#   check-stroke-dictionary.sh FILE
set -euo pipefail

package=rime-data-stroke
version=0.0~git20230204.c8bc405-1
sha256=c0c3f446ee50b3b0bdefd95cc58260aa91736f6d60eb0f60d381f13643abffe1

file=${1:?usage: check-stroke-dictionary.sh FILE}
if [ ! -f "$file" ]; then
  echo "check-stroke-dictionary: $file is missing; install $package ($version)," >&2
  echo "  for example with scripts/install-deps.sh." >&2
  exit 1
fi
if ! echo "$sha256  $file" | sha256sum --check --status; then
  echo "check-stroke-dictionary: $file is not the dictionary of $package $version;" >&2
  echo "  the archives are built from that one only. Installed: $(dpkg-query -W -f='${Version}' "$package" 2>/dev/null || echo none)." >&2
  exit 1
fi
echo "check-stroke-dictionary: $package $version is in place"
