#!/usr/bin/env bash
# Fetches the open stroke data (npm package hanzi-writer-data, pinned) into a folder of the
# build tree, checks its integrity and unpacks it to FOLDER/package. A fetched package is
# reused; nothing is fetched when it is already there and intact.
#   fetch-stroke-data.sh FOLDER
set -euo pipefail

name=hanzi-writer-data
version=2.0.1
# sha512 of the published tarball (npm's integrity value, in hex)
sha512=9db43033e31aaf21a8abba4130864b09dde516ad379d7b89bb092ed7ee946e32f9f2e53ef4e50b55c324a0dbcdb894a8215edfd5b6cf45f0f80ff2d06b94bbaa

folder=${1:?usage: fetch-stroke-data.sh FOLDER}
tarball="$folder/$name-$version.tgz"
mkdir -p "$folder"

intact() { [ -f "$tarball" ] && echo "$sha512  $tarball" | sha512sum --check --status; }

if ! intact; then
  rm -f "$tarball"
  echo "fetch-stroke-data: fetching $name@$version from the npm registry"
  if ! (cd "$folder" && npm pack --silent "$name@$version" >/dev/null); then
    echo "fetch-stroke-data: could not fetch $name@$version from the npm registry." >&2
    echo "  Check the network connection, then build again to retry;" >&2
    echo "  the installation folder is not built until the stroke data is here." >&2
    exit 1
  fi
  if ! intact; then
    rm -f "$tarball"
    echo "fetch-stroke-data: $name-$version.tgz does not have the expected checksum;" >&2
    echo "  it was removed. Build again to fetch it anew." >&2
    exit 1
  fi
fi

# Unpack into a fresh folder and move it into place, so a broken unpack leaves nothing behind.
rm -rf "$folder/package" "$folder/unpacking"
mkdir "$folder/unpacking"
tar -xzf "$tarball" -C "$folder/unpacking"
mv "$folder/unpacking/package" "$folder/package"
rmdir "$folder/unpacking"
echo "fetch-stroke-data: $name@$version is in $folder/package"
