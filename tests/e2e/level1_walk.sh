# Level1 by the keyboard: once the intro picture has faded the player walks
# left into the border wall and stops at it, then right along the bottom
# corridor until the next wall. The trace shows where it stopped and that it
# never went further into a wall than one frame's step (the walls push a
# player back before it moves, so a player walking into one rests that far
# in); the pictures show the lantern's warm cone along the
# corridor and darkness behind the player.
source "$(dirname "$0")/common.bash"
cat >"$OUT/script.txt" <<'SCRIPT'
1 mouse move 900 384      # aim the torch right, along the corridor
100 key down a
160 key up a
170 key down d
290 key up d
SCRIPT
play --state 2 --frames 300 --seed 1 --script "$OUT/script.txt" --trace "$OUT/trace.jsonl" \
    --shot 200:"$OUT/corridor.png"
trace_check walls "$OUT/trace.jsonl" Assets/levels_edited1.text 15 15
/usr/bin/python3 - "$OUT/trace.jsonl" <<'PY'
import json, sys
frames = {f["frame"]: f for f in map(json.loads, open(sys.argv[1]))}
start, at_wall, end = frames[99]["player"], frames[165]["player"], frames[295]["player"]
assert abs(start[0] + 300) < 0.01 and abs(start[1] + 300) < 0.01, start   # the start cell
assert abs(at_wall[0] + 309) < 0.01, at_wall  # stopped one unit clear of the border wall
assert abs(end[0] + 91) < 0.01 and abs(end[1] + 300) < 0.01, end  # and of the next wall
print("ok: started at", start, "stopped at", at_wall, "and", end)
PY
# The player is drawn at the window's centre: the corridor ahead is lit warm,
# the floor behind the player stays dark.
check brighter "$OUT/corridor.png" 540,370,660,400 330,370,450,400 1.5
check warm "$OUT/corridor.png" 540,370,660,400
