# Pushing the block that shields Puzzle3's danger block lets a beam reach it:
# the restart picture counts down and the level starts again, the player back
# at the start, without ever leaving the puzzle.
source "$(dirname "$0")/common.bash"
cat >"$OUT/danger.txt" <<'SCRIPT'
5 mouse down left    # the instructions away
6 mouse up left
80 key down d        # push the block off B10 -> B11
95 key up d
97 key down s
118 key up s
120 key down d
141 key up d
SCRIPT
play --seed 1 --state 10 --frames 473 --script "$OUT/danger.txt" --trace "$OUT/danger.json"
trace_check states "$OUT/danger.json" 10
trace_check moved "$OUT/danger.json" 100
trace_check restarted "$OUT/danger.json" 50 50
