#!/usr/bin/env bash
# The game installed with `cmake --install` into a fresh prefix: its menu entry
# and AppStream file validate, --version names the build's version, and started
# from / (as a desktop menu starts it) under an X server of its own it finds
# its data beside itself, shows the menu room, and writes nothing into / or the
# install tree.
#   installed_game.sh BUILD_DIR VERSION
set -euo pipefail
BUILD=$1
VERSION=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
PREFIX=$WORK/prefix
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null
APP=org.mothlantern.MothLantern
desktop-file-validate "$PREFIX/share/applications/$APP.desktop"
appstreamcli validate --no-net "$PREFIX/share/metainfo/$APP.metainfo.xml"
grep -q "<release version=\"$VERSION\"" "$PREFIX/share/metainfo/$APP.metainfo.xml"
for size in 16 32 48 64 128 256; do
    test -s "$PREFIX/share/icons/hicolor/${size}x${size}/apps/$APP.png"
done
test "$("$PREFIX/bin/moth_lantern" --version)" = "Moth Lantern $VERSION"

mkdir -p "$WORK/home"
touch "$WORK/marker"
ls -A / >"$WORK/root-before"
export HOME=$WORK/home SHOT=$WORK/menu.png GAME=$PREFIX/bin/moth_lantern
unset XDG_DATA_HOME
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    cd / && "$GAME" >"$HOME/out.txt" 2>&1 &
    game=$!
    sleep 12  # the studio mark, then the menu room
    /usr/bin/python3 -c "from PIL import ImageGrab; ImageGrab.grab(xdisplay=\"\").save(\"$SHOT\")"
    kill -TERM $game
    wait $game || true'
ls -A / >"$WORK/root-after"
diff "$WORK/root-before" "$WORK/root-after"
test -z "$(find "$PREFIX" -newer "$WORK/marker")"
# The menu room: lit stone and buttons, not the white boxes of missing textures.
check() { /usr/bin/python3 "$(dirname "$0")/../e2e/png_check.py" "$@"; }
check lit "$SHOT" 0.30
/usr/bin/python3 - "$SHOT" <<'PY'
import sys
from PIL import Image
grey = Image.open(sys.argv[1]).convert("L")
white = sum(grey.histogram()[240:]) / float(grey.width * grey.height)
assert white < 0.01, "white boxes: %.3f of the screen" % white
print("ok: %.4f of the screen white" % white)
PY
