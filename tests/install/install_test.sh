#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that every file an installed Inkwren
# needs is there, that the desktop entry and the AppStream metadata validate, and that a first
# start of the installed exporter by a user with an empty home makes the user's folder without
# writing into the shared data.
set -euo pipefail

build=$1
prefix=$(mktemp -d)
home=$(mktemp -d)
trap 'rm -rf "$prefix" "$home"' EXIT

cmake --install "$build" --prefix "$prefix" > /dev/null

expected=(
  bin/inkwren
  bin/inkwren-export
  share/inkwren/strokes.cdf
  share/inkwren/strokes-idx.dat
  share/inkwren/tstrokes.cdf
  share/inkwren/tstrokes-idx.dat
  share/inkwren/tstrokes-taiwan.cdf
  share/inkwren/tstrokes-taiwan-idx.dat
  share/inkwren/tstrokes-mainland-forms.txt
  share/inkwren/hk_kai.dat
  share/inkwren/hk_dict.dat
  share/inkwren/charinfo.dat
  share/inkwren/lang.txt
  share/inkwren/lang-gb.txt
  share/inkwren/english.txt
  share/inkwren/pen.bmp
  share/inkwren/manual/index.html
  share/inkwren/ARPHICPL.TXT
  share/inkwren/LGPL-3.TXT
  share/inkwren/UNICODE-LICENSE.TXT
  share/applications/inkwren.desktop
  share/metainfo/io.github.inkwren.Inkwren.metainfo.xml
  share/icons/hicolor/48x48/apps/inkwren.png
  share/icons/hicolor/128x128/apps/inkwren.png
  share/icons/hicolor/256x256/apps/inkwren.png
  share/icons/hicolor/scalable/apps/inkwren.svg
  share/man/man1/inkwren.1
  share/man/man1/inkwren-export.1
)
for file in "${expected[@]}"; do
  if [ ! -e "$prefix/$file" ]; then
    echo "missing after install: $file"
    exit 1
  fi
done
# Files a user's program writes never come from the build tree's folder.
for file in prefer.cfg view.cfg config.dat sys.cfg tmp udefined; do
  if [ -e "$prefix/share/inkwren/$file" ]; then
    echo "installed but belongs to a user: share/inkwren/$file"
    exit 1
  fi
done

if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$prefix/share/applications/inkwren.desktop"
fi
if command -v appstreamcli > /dev/null; then
  appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/io.github.inkwren.Inkwren.metainfo.xml" > /dev/null ||
    appstreamcli validate --no-net "$prefix/share/metainfo/io.github.inkwren.Inkwren.metainfo.xml"
fi

# A first start by a user with nothing yet: the user's folder is made beside the shared data.
before=$(find "$prefix/share/inkwren" -newer "$prefix/bin/inkwren" | wc -l)
chmod -R a-w "$prefix/share/inkwren"
out="$home/out"
HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
  "$prefix/bin/inkwren-export" strokes --quiet --out "$out" 永
# The program itself: it starts, shows its first frame and quits when asked to report it.
HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
  INKWREN_REPORT_FIRST_FRAME=1 "$prefix/bin/inkwren" | grep -q "first frame shown"
test -f "$home/data/inkwren/prefer.cfg"
grep -q "installation path=$home/data/inkwren/" "$home/config/inkwren/registry.ini"
# A second start hands its character to the running one and ends at once.
coproc running {
  HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
    INKWREN_REPORT_HANDOVER=1 exec "$prefix/bin/inkwren"
}
read -r line <&"${running[0]}"
test "$line" = "listening"
HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" "$prefix/bin/inkwren" 國
read -r line <&"${running[0]}"
kill "$running_PID"
test "$line" = "handed over: 國"
chmod -R u+w "$prefix/share/inkwren"
test -L "$home/data/inkwren/strokes.cdf"
test -s "$out/永.wrt"
after=$(find "$prefix/share/inkwren" -newer "$prefix/bin/inkwren" | wc -l)
if [ "$before" != "$after" ]; then
  echo "the shared data was written"
  exit 1
fi
echo "installed and started as a new user"
