# Paints a small level in the editor (walls, a trap door, the start moved),
# exports it, picks it in the Load dialog and walks its wanderer towards the
# trap door. Checks the exported file byte for byte, the states passed, that
# the wanderer kept out of the new walls, and the editor and dialog pictures.
# The editor and the dialog are entered as states 7 and 1, as the main menu's
# "Editor" and "Levels" buttons enter them.
source "$(dirname "$0")/common.bash"
SOURCE=$PWD
PLAYTEST=$(realpath "$PLAYTEST")
ln -s "$SOURCE/Assets" "$OUT/Assets" # the exports go to ./Exported beside it

# Window pixels: palette entries at x 967 (wall y 344, trap door 409, start
# 604), the Export button at (967, 214). Cell (c, r) of the grid is clicked at
# x = 512 + (c - 14.5) * 50, y = 384 - (r - 14.25) * 50.
cat >"$OUT/script.txt" <<'SCRIPT'
5 mouse move 967 344    # palette: wall
6 mouse down left
7 mouse up left
10 mouse move 287 246   # walls at columns 10, 11, 12 of row 17
11 mouse down left
12 mouse up left
14 mouse move 337 246
15 mouse down left
16 mouse up left
18 mouse move 387 246
19 mouse down left
20 mouse up left
24 mouse move 967 409   # palette: trap door
25 mouse down left
26 mouse up left
30 mouse move 512 384   # the origin: column 15, row 14
31 mouse down left
32 mouse up left
36 mouse move 967 604   # palette: start
37 mouse down left
38 mouse up left
40 mouse move 437 396   # column 13, row 14
41 mouse down left
42 mouse up left
46 mouse move 387 246   # right-click the third wall back to floor ...
47 mouse down right
48 mouse up right
50 key down ctrl        # ... and Ctrl+Z brings it back
51 key down z
52 key up z
53 key up ctrl
56 mouse move 967 214   # Export
57 mouse down left
58 mouse up left
70 state 1              # the Load dialog
75 mouse move 616 235   # its first entry
76 mouse down left
77 mouse up left
80 mouse move 840 476   # Load
81 mouse down left
82 mouse up left
95 key down d           # walk right, towards the trap door
135 key up d
SCRIPT
(cd "$OUT" && play --state 7 --frames 150 --script "$OUT/script.txt" --trace "$OUT/trace.jsonl" \
    --shot 62:"$OUT/editor.png" --shot 78:"$OUT/dialog.png" --shot 140:"$OUT/custom.png")

# The template with the painted cells, written as the export writes a level.
/usr/bin/python3 - "$SOURCE/Assets/EditorTemplate.text" "$OUT/Exported/Exported_0.txt" <<'PY'
import sys
values = [int(v) for v in open(sys.argv[1]).read().replace("\n", ",").split(",") if v.strip()]
grid = [values[r * 30:(r + 1) * 30] for r in range(30)]  # top row first
def put(column, row, code):
    grid[29 - row][column] = code
for column in (10, 11, 12):
    put(column, 17, 1)
put(15, 14, 2)
put(12, 13, 0)  # the template's start moves ...
put(13, 14, 3)  # ... here
expected = ",\n".join(",".join(str(v) for v in row) for row in grid) + "\n"
actual = open(sys.argv[2]).read()
if actual != expected:
    sys.exit("exported level differs from the painted one")
print("ok: exported level matches the painted one")
PY
test ! -e "$OUT/Exported/Exported_1.txt"
trace_check states "$OUT/trace.jsonl" 7,1,14
trace_check moved "$OUT/trace.jsonl" 60
trace_check walls "$OUT/trace.jsonl" "$OUT/Exported/Exported_0.txt" 30 30
check lit "$OUT/editor.png" 0.5
check lit "$OUT/dialog.png" 0.1
# KEEP_SHOTS=DIR keeps the three pictures for a look.
if [ -n "${KEEP_SHOTS:-}" ]; then cp "$OUT"/*.png "$KEEP_SHOTS"/; fi
