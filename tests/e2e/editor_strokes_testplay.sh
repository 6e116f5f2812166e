# Paints a level in the editor by strokes as a player does: a wall dragged
# fast across several cells a frame, part of it erased by a right-button
# stroke, the erase undone with Ctrl+Z and done again with Ctrl+Y, then a
# start, a key, a spider nest and a trap door; looks at the whole level
# (Tab); exports it and checks the file byte for byte; test-plays it and
# comes back with Esc, then again, taking the key and walking through the
# door, which leads back to the editor; the grid exports the same each time.
source "$(dirname "$0")/common.bash"
SOURCE=$PWD
PLAYTEST=$(realpath "$PLAYTEST")
ln -s "$SOURCE/Assets" "$OUT/Assets" # the exports go to ./Exported beside it

# Window pixels with the view at the grid's centre: cell (c, r), r from the
# bottom, at x = 512 + (c - 14.5) * 50, y = 384 - (r - 14.5) * 50. The
# palette's entries at x 850: wall y 214, trap door 256, start 382, spider
# nest 424, key 466. Export at (971, 34), Test play at (922, 126).
cat >"$OUT/script.txt" <<'SCRIPT'
5 mouse move 850 214     # palette: wall
6 mouse down left
7 mouse up left
10 mouse move 87 209     # cell (6, 18) ...
11 mouse down left
12 mouse move 287 209    # ... to (10, 18): four cells in one frame
13 mouse move 487 209    # ... to (14, 18)
14 mouse move 487 509    # ... down to (14, 12)
15 mouse up left
20 mouse move 337 209    # a right-button stroke from (11, 18) ...
21 mouse down right
22 mouse move 437 209    # ... to (13, 18) puts floor back
23 mouse up right
26 key down ctrl         # Ctrl+Z: the walls are back
27 key down z
28 key up z
30 key down y            # Ctrl+Y: floor again
31 key up y
32 key up ctrl
35 mouse move 850 382    # palette: start
36 mouse down left
37 mouse up left
38 mouse move 137 409    # cell (7, 14)
39 mouse down left
40 mouse up left
42 mouse move 850 466    # palette: key
43 mouse down left
44 mouse up left
45 mouse move 237 409    # cell (9, 14), on the start's row
46 mouse down left
47 mouse up left
49 mouse move 850 424    # palette: spider nest
50 mouse down left
51 mouse up left
52 mouse move 737 559    # cell (19, 11)
53 mouse down left
54 mouse up left
56 mouse move 850 256    # palette: trap door
57 mouse down left
58 mouse up left
59 mouse move 337 409    # cell (11, 14), beyond the key
60 mouse down left
61 mouse up left
64 key down tab          # the whole level ...
65 key up tab
70 key down tab          # ... and back
71 key up tab
74 mouse move 971 34     # Export
75 mouse down left
76 mouse up left
80 mouse move 922 126    # Test play: the grid in the Custom state ...
81 mouse down left
82 mouse up left
100 key down w
120 key up w
140 key down esc         # ... and Esc goes back to the editor
141 key up esc
150 mouse move 971 34    # Export again: the very same level
151 mouse down left
152 mouse up left
160 key down p           # P: test-play again, walk right over the key ...
161 key up p
180 key down d
260 key up d             # ... through the door and back to the editor
400 mouse move 971 34    # Export a third time: still the same level
401 mouse down left
402 mouse up left
SCRIPT
(cd "$OUT" && play --state 7 --seed 5 --frames 420 --script "$OUT/script.txt" --trace "$OUT/trace.jsonl" \
    --shot 62:"$OUT/editor.png" --shot 67:"$OUT/overview.png" --shot 120:"$OUT/testplay.png" \
    --shot 148:"$OUT/back.png")

# The template with the painted cells, written as the export writes a level.
/usr/bin/python3 - "$SOURCE/Assets/EditorTemplate.text" "$OUT/Exported/Exported_0.txt" <<'PY'
import sys
values = [int(v) for v in open(sys.argv[1]).read().replace("\n", ",").split(",") if v.strip()]
grid = [values[r * 30:(r + 1) * 30] for r in range(30)]  # top row first
def put(column, row, code):
    grid[29 - row][column] = code
for column in range(6, 11):
    put(column, 18, 1)
for row in range(12, 19):
    put(14, row, 1)
put(12, 13, 0)  # the template's start moves ...
put(7, 14, 3)   # ... here
put(9, 14, 5)   # the key
put(19, 11, 4)  # a spider nest
put(11, 14, 2)  # a trap door
expected = ",\n".join(",".join(str(v) for v in row) for row in grid) + "\n"
actual = open(sys.argv[2]).read()
if actual != expected:
    sys.exit("exported level differs from the painted one")
print("ok: exported level matches the painted one")
PY
trace_check states "$OUT/trace.jsonl" 7,14,7,14,7
trace_check moved "$OUT/trace.jsonl" 100
# The second test-play took the key before its door opened.
/usr/bin/python3 - "$OUT/trace.jsonl" <<'PY'
import json, sys
frames = [json.loads(line) for line in open(sys.argv[1]) if line.strip()]
plays = [f for f in frames if f["state"] == 14]
assert not plays[0]["key"], "a level with a key starts without it"
assert any(f["key"] for f in plays), "the key was never taken"
print("ok: the key was taken in the test-play")
PY
# The grid came back from both test-plays as it went.
cmp "$OUT/Exported/Exported_0.txt" "$OUT/Exported/Exported_1.txt"
cmp "$OUT/Exported/Exported_0.txt" "$OUT/Exported/Exported_2.txt"
check lit "$OUT/editor.png" 0.3
check lit "$OUT/overview.png" 0.3
check lit "$OUT/back.png" 0.3
# KEEP_SHOTS=DIR keeps the pictures for a look.
if [ -n "${KEEP_SHOTS:-}" ]; then cp "$OUT"/*.png "$KEEP_SHOTS"/; fi
