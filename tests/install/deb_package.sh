#!/usr/bin/env bash
# The .deb builds with CPack and holds the game, its data, its menu entry and
# icons under /usr, at the build's version. (Installing it needs root and
# changes the machine, so that is checked by hand.)
#   deb_package.sh BUILD_DIR VERSION
set -euo pipefail
BUILD=$1
VERSION=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
(cd "$BUILD" && cpack -G DEB -B "$WORK" >/dev/null)
DEB=$(ls "$WORK"/moth-lantern_"$VERSION"_*.deb)
dpkg-deb --field "$DEB" Package Version Depends
test "$(dpkg-deb --field "$DEB" Version)" = "$VERSION"
dpkg-deb --field "$DEB" Depends | grep -q libsdl2
dpkg-deb --contents "$DEB" >"$WORK/contents"
for path in ./usr/bin/moth_lantern ./usr/share/moth-lantern/Assets/icon.png \
    ./usr/share/moth-lantern/Assets/menu.text \
    ./usr/share/applications/org.mothlantern.MothLantern.desktop \
    ./usr/share/metainfo/org.mothlantern.MothLantern.metainfo.xml \
    ./usr/share/icons/hicolor/256x256/apps/org.mothlantern.MothLantern.png; do
    grep -q " $path\$" "$WORK/contents" || { echo "missing $path"; exit 1; }
done
echo "ok: $(basename "$DEB")"
