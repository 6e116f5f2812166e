# The Levels dialog with three exports: the names in natural order, the Delete
# key asks first and YES moves the level into Deleted/ beside Exported/ (a
# level of that name deleted before keeps its file; the new one is renamed),
# then Enter plays the level that took the deleted one's row. That level's
# wanderer walks right into its open trap door and so back to the main menu;
# in the other levels a wall stops it after a cell.
source "$(dirname "$0")/common.bash"
SOURCE=$PWD
PLAYTEST=$(realpath "$PLAYTEST")
ln -s "$SOURCE/Assets" "$OUT/Assets"
mkdir -p "$OUT/Exported" "$OUT/Deleted"

# 30 x 30 levels: a wall ring, the start at column 12, row 13 (from the
# bottom), trap doors three cells to its right; WALL puts a wall between.
level() {
    /usr/bin/python3 - "$1" <<'PY'
import sys
wall = sys.argv[1] == "wall"
rows = []
for top in range(30):
    row = 29 - top
    codes = []
    for column in range(30):
        code = 1 if column in (0, 29) or row in (0, 29) else 0
        if column == 12 and row == 13:
            code = 3
        if column == 15 and row in (13, 14):
            code = 2
        if wall and column == 14 and 11 <= row <= 16:
            code = 1
        codes.append(str(code))
    rows.append(",".join(codes))
print(",\n".join(rows))
PY
}
level wall >"$OUT/Exported/Exported_1.txt"
level wall >"$OUT/Exported/Exported_2.txt"
echo "an older Exported_2" >"$OUT/Deleted/Exported_2.txt"
level open >"$OUT/Exported/Exported_10.txt"
cp "$OUT/Exported/Exported_2.txt" "$OUT/deleted_level.txt"

# The dialog holds 8 rows and a 240-pixel picture; its question's YES button
# stands at (447, 430) of the 1024 x 768 view.
cat >"$OUT/script.txt" <<'SCRIPT'
5 key down down       # Exported_1
6 key up down
8 key down down       # Exported_2 (byte order would put Exported_10 here)
9 key up down
12 key down delete    # asks first
13 key up delete
25 mouse move 447 430 # YES
26 mouse down left
27 mouse up left
40 key down enter     # plays the level now selected: Exported_10
41 key up enter
60 key down d         # walk right, into the trap door
110 key up d
SCRIPT
(cd "$OUT" && play --state 1 --frames 320 --script "$OUT/script.txt" --trace "$OUT/trace.jsonl" \
    --shot 10:"$OUT/dialog.png" --shot 20:"$OUT/question.png" --shot 35:"$OUT/deleted.png")

test ! -e "$OUT/Exported/Exported_2.txt"
cmp "$OUT/deleted_level.txt" "$OUT/Deleted/Exported_2 (2).txt"
test "$(cat "$OUT/Deleted/Exported_2.txt")" = "an older Exported_2"
test -e "$OUT/Exported/Exported_1.txt" && test -e "$OUT/Exported/Exported_10.txt"
echo "ok: Exported_2 moved to Deleted/ as 'Exported_2 (2).txt', the older one kept"

# The dialog, the level, and through its door back to the main menu: only
# Exported_10 has no wall between its start and its door.
trace_check states "$OUT/trace.jsonl" 1,14,0
check lit "$OUT/dialog.png" 0.1
check lit "$OUT/question.png" 0.05
# KEEP_SHOTS=DIR keeps the pictures for a look.
if [ -n "${KEEP_SHOTS:-}" ]; then cp "$OUT"/*.png "$KEEP_SHOTS"/; fi
