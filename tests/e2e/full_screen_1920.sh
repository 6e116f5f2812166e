# Full screen on a 1920 x 1080 display of its own: the 4:3 picture keeps its
# proportions between black bars left and right; a press on a bar does
# nothing, a click on the menu room's Editor button opens the editor; in a
# story level the HUD (memory counter in its box) and a thrown orb are drawn
# at the picture's scale.
source "$(dirname "$0")/common.bash"
full_screen() {
    SDL_AUDIODRIVER=dummy timeout 280 xvfb-run -a -s "-screen 0 1920x1080x24" \
        "$PLAYTEST" --fixed-step "$@"
}
cat >"$OUT/menu.txt" <<'SCRIPT'
60 mouse screen 100 779   # the left bar, level with the Editor button
61 mouse down left
63 mouse up left
80 mouse move 111 554     # the Editor button, in the picture's own pixels
81 mouse down left
83 mouse up left
SCRIPT
full_screen --state 0 --frames 120 --script "$OUT/menu.txt" --trace "$OUT/menu.jsonl" \
    --shot 59:"$OUT/menu.png"
cat >"$OUT/level.txt" <<'SCRIPT'
1 mouse move 700 384
120 key down f            # torch to orb
123 key up f
140 mouse down left       # throw an orb along the corridor
142 mouse up left
SCRIPT
full_screen --state 2 --seed 1 --memories 2 --frames 260 --script "$OUT/level.txt" \
    --shot 259:"$OUT/level.png"
/usr/bin/python3 - "$OUT/menu.jsonl" "$OUT/menu.png" "$OUT/level.png" <<'PY'
import json, sys
from PIL import Image, ImageStat
frames = {f["frame"]: f for f in map(json.loads, open(sys.argv[1]))}
assert frames[70]["state"] == 0, frames[70]      # the press on the bar went nowhere
assert frames[119]["state"] == 7, frames[119]    # the Editor button took the click
for path in sys.argv[2:]:
    shot = Image.open(path).convert("L")
    assert shot.size == (1920, 1080), shot.size
    for bar in ((0, 0, 240, 1080), (1680, 0, 1920, 1080)):
        assert shot.crop(bar).getextrema()[1] == 0, (path, bar, "bar not black")
    picture = ImageStat.Stat(shot.crop((240, 0, 1680, 1080))).mean[0]
    assert picture > 12, (path, picture)
    print("ok:", path.split("/")[-1], "bars black, picture mean %.1f" % picture)
PY
