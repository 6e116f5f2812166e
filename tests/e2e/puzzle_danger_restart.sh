# Pushing the block that shields Puzzle3's danger block lets a beam reach it:
# the restart picture counts down and the level starts again, the player back
# at the start, without ever leaving the puzzle.
source "$(dirname "$0")/common.bash"
MOVES="$(dirname "$0")/puzzle_moves.py"
/usr/bin/python3 "$MOVES" script danger >"$OUT/danger.txt"
play --seed 1 --state 10 --frames "$(/usr/bin/python3 "$MOVES" frames danger)" \
    --script "$OUT/danger.txt" --trace "$OUT/danger.json"
trace_check states "$OUT/danger.json" 10
trace_check moved "$OUT/danger.json" 100
trace_check restarted "$OUT/danger.json" 50 50
