#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that the desktop finds the program,
# its menu entry, icon, metainfo, help page and demo soundtrack, and that the entries are
# valid; then builds the .deb and checks its contents and runtime dependencies.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch/usr" >/dev/null
for f in bin/marivenn share/applications/marivenn.desktop \
         share/icons/hicolor/32x32/apps/marivenn.png share/icons/hicolor/16x16/apps/marivenn.png \
         share/metainfo/net.marivenn.Player.metainfo.xml share/doc/marivenn/marivenn.html \
         share/marivenn/demo/marivenn.dat; do
    [ -f "$scratch/usr/$f" ] || { echo "not installed: $f"; exit 1; }
done
desktop-file-validate "$scratch/usr/share/applications/marivenn.desktop"
grep -qx "Path=$scratch/usr/share/marivenn/demo" "$scratch/usr/share/applications/marivenn.desktop" \
    || { echo "the menu entry does not start in the demo folder"; exit 1; }
appstreamcli validate --no-net --pedantic "$scratch/usr/share/metainfo/net.marivenn.Player.metainfo.xml" >/dev/null
file "$scratch/usr/share/icons/hicolor/32x32/apps/marivenn.png" | grep -q '32 x 32'

(cd "$build" && cpack -B "$scratch/package" >/dev/null)
deb=$(ls "$scratch"/package/marivenn_*.deb)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/marivenn ./usr/share/applications/marivenn.desktop \
         ./usr/share/marivenn/demo/marivenn.dat; do
    grep -q " $f\$" <<<"$contents" || { echo "not packaged: $f"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 qt6-qpa-plugins; do
    grep -q "$p" <<<"$depends" || { echo "Depends lacks $p: $depends"; exit 1; }
done
echo "installed and packaged: $deb"
