# An export reopened through the Levels dialog's EDIT: the editor opens with
# its grid, a wall painted and exported becomes a second file (the first one
# unchanged); Esc leaves for the main menu, whose Levels button opens the
# dialog again; the second file is played: its wanderer walks right over the
# key, whose trap door then opens, and through it back to the main menu.
source "$(dirname "$0")/common.bash"
SOURCE=$PWD
PLAYTEST=$(realpath "$PLAYTEST")
ln -s "$SOURCE/Assets" "$OUT/Assets"
mkdir -p "$OUT/Exported"

# A 30 x 30 level: a wall ring, the start at column 12, row 13 (from the
# bottom), the key two cells to its right and a trap door two beyond; with
# WALL also a wall at column 20, row 20.
level() {
    /usr/bin/python3 - "$1" <<'PY'
import sys
rows = []
for top in range(30):
    row = 29 - top
    codes = []
    for column in range(30):
        code = 1 if column in (0, 29) or row in (0, 29) else 0
        code = {(12, 13): 3, (14, 13): 5, (16, 13): 2, (16, 14): 2}.get((column, row), code)
        if sys.argv[1] == "wall" and (column, row) == (20, 20):
            code = 1
        codes.append(str(code))
    rows.append(",".join(codes))
print(",\n".join(rows))
PY
}
level open >"$OUT/Exported/Exported_1.txt"
cp "$OUT/Exported/Exported_1.txt" "$OUT/first.txt"
level wall >"$OUT/expected_second.txt"

# EDIT at (445, 542) of the dialog; in the editor the palette's wall at
# (850, 214), cell (20, 20) at (787, 109), Export at (971, 34); the main
# menu's Levels button at (912, 554).
cat >"$OUT/script.txt" <<'SCRIPT'
5 key down down          # Exported_1
6 key up down
10 mouse move 445 542    # EDIT
11 mouse down left
12 mouse up left
30 mouse move 850 214    # palette: wall
31 mouse down left
32 mouse up left
35 mouse move 787 109    # cell (20, 20)
36 mouse down left
37 mouse up left
40 mouse move 971 34     # Export
41 mouse down left
42 mouse up left
50 key down esc          # nothing left unexported: straight to the menu
51 key up esc
80 mouse move 912 554    # Levels
81 mouse down left
82 mouse up left
95 key down down         # Exported_1 ...
96 key up down
98 key down down         # ... Exported_2
99 key up down
102 key down enter
103 key up enter
130 key down d           # over the key, into the trap door
200 key up d
SCRIPT
(cd "$OUT" && play --state 1 --frames 420 --script "$OUT/script.txt" --trace "$OUT/trace.jsonl" \
    --shot 25:"$OUT/editor.png" --shot 90:"$OUT/dialog.png")

cmp "$OUT/first.txt" "$OUT/Exported/Exported_1.txt"
cmp "$OUT/expected_second.txt" "$OUT/Exported/Exported_2.txt"
echo "ok: the reopened level exported as Exported_2 with its new wall, Exported_1 unchanged"
trace_check states "$OUT/trace.jsonl" 1,7,0,1,14,0
check lit "$OUT/editor.png" 0.05
if [ -n "${KEEP_SHOTS:-}" ]; then cp "$OUT"/*.png "$KEEP_SHOTS"/; fi
