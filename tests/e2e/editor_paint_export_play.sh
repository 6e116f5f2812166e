# Paints a small level in the editor (walls, a trap door, the start moved),
# exports it, picks it in the Load dialog and walks its wanderer from the new
# start through the trap door, back to the main menu. Checks the exported
# file byte for byte, the states passed, that the wanderer kept out of the new
# walls, and the editor and dialog pictures (the dialog over the menu room).
# The editor and the dialog are reached as a player reaches them: by the main
# menu's "Editor" and "Levels" buttons.
source "$(dirname "$0")/common.bash"
SOURCE=$PWD
PLAYTEST=$(realpath "$PLAYTEST")
ln -s "$SOURCE/Assets" "$OUT/Assets" # the exports go to ./Exported beside it

# Window pixels: palette entries at x 850 (wall y 214, trap door 256, start
# 382), the Export button at (971, 34), Menu at (877, 34). Cell (c, r) of the
# grid is clicked at x = 512 + (c - 14.5) * 50, y = 384 - (r - 14.75) * 50.
cat >"$OUT/script.txt" <<'SCRIPT'
3 mouse move 112 554    # the menu room's "Editor" button
4 mouse down left
5 mouse up left
15 mouse move 850 214    # palette: wall
16 mouse down left
17 mouse up left
20 mouse move 287 246   # walls at columns 10, 11, 12 of row 17
21 mouse down left
22 mouse up left
24 mouse move 337 246
25 mouse down left
26 mouse up left
28 mouse move 387 246
29 mouse down left
30 mouse up left
34 mouse move 850 256   # palette: trap door
35 mouse down left
36 mouse up left
40 mouse move 512 396   # column 15, row 14
41 mouse down left
42 mouse up left
46 mouse move 850 382   # palette: start
47 mouse down left
48 mouse up left
50 mouse move 437 396   # column 13, row 14
51 mouse down left
52 mouse up left
56 mouse move 387 246   # right-click the third wall back to floor ...
57 mouse down right
58 mouse up right
60 key down ctrl        # ... and Ctrl+Z brings it back
61 key down z
62 key up z
63 key up ctrl
66 mouse move 971 34    # Export
67 mouse down left
68 mouse up left
80 mouse move 877 34    # the editor's "Menu" button back to the menu room
81 mouse down left
82 mouse up left
90 mouse move 912 554   # the menu room's "Levels" button: the Load dialog
91 mouse down left
92 mouse up left
105 mouse move 300 256  # its first entry
106 mouse down left
107 mouse up left
110 mouse move 311 542  # LOAD
111 mouse down left
112 mouse up left
125 key down d          # walk right from the start, towards the trap door
165 key up d
SCRIPT
(cd "$OUT" && play --state 0 --frames 320 --script "$OUT/script.txt" --trace "$OUT/trace.jsonl" \
    --shot 72:"$OUT/editor.png" --shot 88:"$OUT/menu.png" --shot 108:"$OUT/dialog.png" \
    --shot 170:"$OUT/custom.png")

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
trace_check states "$OUT/trace.jsonl" 0,7,0,1,14,0  # through its trap door to the menu
trace_check moved "$OUT/trace.jsonl" 60
trace_check walls "$OUT/trace.jsonl" "$OUT/Exported/Exported_0.txt" 30 30
check lit "$OUT/editor.png" 0.5
check lit "$OUT/dialog.png" 0.1
# The dialog stands over the menu room's last frame, dimmed, not over black:
# the room's Options button still shows below it.
check dimmed "$OUT/menu.png" "$OUT/dialog.png" 0.2 0.4 56,530,168,578
# KEEP_SHOTS=DIR keeps the three pictures for a look.
if [ -n "${KEEP_SHOTS:-}" ]; then cp "$OUT"/*.png "$KEEP_SHOTS"/; fi
