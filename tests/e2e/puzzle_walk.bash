# Shared by the puzzle walks: replays a recorded walk from puzzle_moves.py and
# checks that it solves the puzzle, takes the memory and reaches the next
# state: the next story level, or the win screen after the fifth memory (the
# run starts with the memories of the puzzles before).
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
MOVES="$(dirname "${BASH_SOURCE[0]}")/puzzle_moves.py"

solve_puzzle() {
    local number=$1
    local walk=puzzle$number state=$((number + 7)) next=$((number == 5 ? 16 : number + 2))
    /usr/bin/python3 "$MOVES" script "$walk" >"$OUT/$walk.txt"
    # Long walks: allow for a busy machine drawing every frame in software.
    timeout 280 "$PLAYTEST" --fixed-step --windowed --seed 1 --state "$state" \
        --memories $((number - 1)) --frames "$(/usr/bin/python3 "$MOVES" frames "$walk")" \
        --script "$OUT/$walk.txt" --trace "$OUT/$walk.json"
    trace_check states "$OUT/$walk.json" "$state,$next"
    trace_check solved "$OUT/$walk.json"
}
