#!/usr/bin/env bash
# Checks that the Debian-packaged data the build reads is the pinned one, so that every machine
# builds the same archives, pictures and character information: rime's stroke dictionary
# (rime-data-stroke), which Taiwan's stroke order is learnt from, the Kai font (fonts-arphic-ukai)
# whose Taiwan glyphs the model pictures are drawn from and the Taiwan forms were checked against,
# or the folder of Unicode's data (unicode-data) whose Han database and radical table the
# character information is extracted from.
#   check-pinned-data.sh dictionary FILE | font FILE | unihan DIR
set -euo pipefail

usage="usage: check-pinned-data.sh dictionary FILE | font FILE | unihan DIR"
kind=${1:?$usage}
place=${2:?$usage}
# Each kind's files: a sha256, two spaces and the path, one a line.
case $kind in
  dictionary)
    package=rime-data-stroke
    version=0.0~git20230204.c8bc405-1
    files="c0c3f446ee50b3b0bdefd95cc58260aa91736f6d60eb0f60d381f13643abffe1  $place" ;;
  font)
    package=fonts-arphic-ukai
    version=0.2.20080216.2-5
    files="cfc758e69386a21bade8cb3b373fda20d7f2fac6e8904ced2ded98588b63e274  $place" ;;
  unihan)
    package=unicode-data
    version=15.0.0-1
    files="216d9e19e44195522b84a05bf7308e385356615121258869faf919e96824ddd5  $place/Unihan_Readings.txt.bz2
42f42d18fe0368ca8dfb76d91bb2612b4bb34fe7960a4aa770687c0bf48a0cce  $place/Unihan_Variants.txt.bz2
52e6e55d22dd124d61dfbb845033fe354caf9a62ab84ac89aa0c374b0f8b99c5  $place/Unihan_IRGSources.txt.bz2
58ee7e91841fc5c87cedc1ee03351a898a60fa16532368ebbba04163be777012  $place/Unihan_DictionaryLikeData.txt.bz2
eab71fa920ac3bba7678c3d0ebb40de9fa30fda24eebf85aa24745b5400a1427  $place/CJKRadicals.txt" ;;
  *)
    echo "check-pinned-data: unknown data \"$kind\": dictionary, font or unihan" >&2
    exit 1 ;;
esac

installed() { dpkg-query -W -f='${Version}' "$package" 2>/dev/null || echo none; }

not_the_pinned_one() {
  echo "check-pinned-data: $1 is not the one of $package $version;" >&2
  echo "  the build reads that one only. Installed: $(installed)." >&2
  exit 1
}

while read -r sha256 file; do
  if [ ! -f "$file" ]; then
    echo "check-pinned-data: $file is missing; install $package ($version)," >&2
    echo "  for example with scripts/install-deps.sh." >&2
    exit 1
  fi
  if ! echo "$sha256  $file" | sha256sum --check --status; then
    not_the_pinned_one "$file"
  fi
done <<<"$files"
# Unicode's data files are one release among several Debian could install under the same names.
if [ "$kind" = unihan ] && [ "$(installed)" != "$version" ]; then
  not_the_pinned_one "$place"
fi
echo "check-pinned-data: $package $version is in place"
