#!/usr/bin/env bash
# Checks that a Debian-packaged data file the build reads is the pinned one, so that every machine
# builds the same archives and pictures: rime's stroke dictionary (rime-data-stroke), which Taiwan's
# stroke order is learnt from, or the Kai font (fonts-arphic-ukai) whose Taiwan glyphs the model
# pictures are drawn from and the Taiwan forms were checked against.
#   check-pinned-data.sh dictionary|font FILE
set -euo pipefail

case ${1:?usage: check-pinned-data.sh dictionary|font FILE} in
  dictionary)
    package=rime-data-stroke
    version=0.0~git20230204.c8bc405-1
    sha256=c0c3f446ee50b3b0bdefd95cc58260aa91736f6d60eb0f60d381f13643abffe1 ;;
  font)
    package=fonts-arphic-ukai
    version=0.2.20080216.2-5
    sha256=cfc758e69386a21bade8cb3b373fda20d7f2fac6e8904ced2ded98588b63e274 ;;
  *)
    echo "check-pinned-data: unknown data \"$1\": dictionary or font" >&2
    exit 1 ;;
esac

file=${2:?usage: check-pinned-data.sh dictionary|font FILE}
if [ ! -f "$file" ]; then
  echo "check-pinned-data: $file is missing; install $package ($version)," >&2
  echo "  for example with scripts/install-deps.sh." >&2
  exit 1
fi
if ! echo "$sha256  $file" | sha256sum --check --status; then
  echo "check-pinned-data: $file is not the one of $package $version;" >&2
  echo "  the build reads that one only. Installed: $(dpkg-query -W -f='${Version}' "$package" 2>/dev/null || echo none)." >&2
  exit 1
fi
echo "check-pinned-data: $package $version is in place"
