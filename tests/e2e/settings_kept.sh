# Settings are kept between runs: a full-screen run switches to a window with
# Alt+Enter, drags the menu room's music knob to four fifths and switches the
# picture to stretched and VSync on with the settings' buttons, then quits;
# the next run starts in a window with the knob where it was left. A run
# without --user-files reads and writes nothing, whatever it changes.
source "$(dirname "$0")/common.bash"
export HOME="$OUT/home" XDG_CONFIG_HOME="$OUT/config" XDG_DATA_HOME="$OUT/data"
mkdir -p "$HOME"
kept() { timeout "${PLAY_TIMEOUT:-280}" "$PLAYTEST" --fixed-step --seed 1 --state 0 --frames 80 "$@"; }
cat >"$OUT/change.txt" <<'SCRIPT'
20 key down alt          # Alt+Enter: out of full screen
21 key down enter
22 key up enter
23 key up alt
40 mouse move 312 554    # Options
41 mouse down left
42 mouse up left
50 mouse move 312 614    # the music knob, at half volume
51 mouse down left
52 mouse move 332 614
53 mouse move 352 614
54 mouse move 372 614    # four fifths
55 mouse up left
60 mouse move 812 659    # the picture: stretched
61 mouse down left
62 mouse up left
64 mouse move 812 704    # VSync on
65 mouse down left
66 mouse up left
SCRIPT
cat >"$OUT/look.txt" <<'SCRIPT'
40 mouse move 312 554    # Options
41 mouse down left
42 mouse up left
50 mouse move 372 614    # where the knob was left
72 mouse move 312 614    # a change of its own: the knob from half volume ...
73 mouse down left
74 mouse move 252 614    # ... down to a fifth
75 mouse up left
SCRIPT
kept --user-files --script "$OUT/change.txt" --shot 10:"$OUT/full.png" --shot 70:"$OUT/changed.png"
settings="$XDG_CONFIG_HOME/moth-lantern/settings.txt"
grep -qx "full_screen = false" "$settings"
grep -q "^music_volume = 0.79" "$settings"
grep -qx "aspect = stretch" "$settings"
grep -qx "vsync = true" "$settings"
kept --user-files --script "$OUT/look.txt" --shot 70:"$OUT/kept.png"
# Without --user-files the run starts from the defaults and keeps nothing.
rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
kept --windowed --script "$OUT/look.txt" --shot 70:"$OUT/defaults.png"
/usr/bin/python3 - "$OUT" <<'PY'
import os, sys
from PIL import Image
out = sys.argv[1]
size = lambda name: Image.open(os.path.join(out, name)).size
assert size("full.png") != (1024, 768), "the first run starts full screen"
assert size("kept.png") == (1024, 768), "the second run starts in the window kept"
left = [p for p in ("home", "config", "data") if os.path.exists(os.path.join(out, p)) and
        os.listdir(os.path.join(out, p))]
assert not left, "a run without --user-files wrote into %s" % left
print("ok: window kept, nothing written without --user-files")
PY
music_bar=90,602,440,626
check same "$OUT/changed.png" "$OUT/kept.png" 3 "$music_bar"
if check same "$OUT/changed.png" "$OUT/defaults.png" 3 "$music_bar"; then
    echo "FAILED: the default music knob looks like the kept one" >&2
    exit 1
fi
echo "ok: the default knob stands elsewhere"
