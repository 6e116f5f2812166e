# An exported level played with --custom-level: the wanderer enters at the
# level's own start cell; pause, Restart, Yes builds it again there and Esc
# still pauses afterwards; its open trap door shows "level complete" and
# leads back to the main menu.
source "$(dirname "$0")/common.bash"
SOURCE=$PWD
PLAYTEST=$(realpath "$PLAYTEST")
ln -s "$SOURCE/Assets" "$OUT/Assets"
mkdir "$OUT/Exported"
# 30 x 30: two rings of wall, the start in cell (20, 20), a trap door three
# cells to its right.
/usr/bin/python3 - "$OUT/Exported/Exported_0.txt" <<'PY'
import sys
grid = [[1 if min(c, r, 29 - c, 29 - r) < 2 else 0 for c in range(30)] for r in range(30)]
grid[29 - 20][20] = 3
grid[29 - 20][23] = 2
open(sys.argv[1], "w").write(",\n".join(",".join(map(str, row)) for row in grid) + "\n")
PY
cat >"$OUT/script.txt" <<'SCRIPT'
10 key down esc          # pause
11 key up esc
20 mouse move 502 444    # Restart ...
21 mouse down left
22 mouse up left
30 mouse move 412 409    # ... Yes
31 mouse down left
32 mouse up left
40 key down esc          # the restarted wanderer may pause again ...
41 key up esc
50 key down esc          # ... and play on
51 key up esc
60 key down d            # walk into the trap door
100 key up d
SCRIPT
(cd "$OUT" && play --custom-level Exported_0.txt --frames 320 --script "$OUT/script.txt" \
    --trace "$OUT/trace.jsonl" --shot 200:"$OUT/complete.png")
trace_check states "$OUT/trace.jsonl" 14,0
/usr/bin/python3 - "$OUT/trace.jsonl" <<'PY'
import json, sys
frames = {f["frame"]: f for f in map(json.loads, open(sys.argv[1]))}
start = [(20 - 15 + 0.5) * 50.0] * 2
assert frames[0]["player"] == start, ("enters at its start cell", frames[0]["player"])
assert frames[12]["paused"], "Esc pauses"
assert frames[35]["player"] == start and not frames[35]["paused"], ("restarted", frames[35])
assert frames[42]["paused"] and not frames[52]["paused"], "Esc pauses after the restart"
assert frames[35]["mode"] == 0, "plays as a story level"
print("ok: start", start, "restart and pause; menu from frame",
      min(n for n, f in frames.items() if f["state"] == 0))
PY
# The picture over the level before the menu comes.
check lit "$OUT/complete.png" 0.3
