# Shared by the puzzle runs: the autoplayer clicks the instructions away and
# replays the puzzle's recorded walk; the run must solve the puzzle, take the
# memory and reach the next state: the next story level, or the win screen
# after the fifth memory (the run starts with the memories of the puzzles
# before).
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"

solve_puzzle() {
    local number=$1
    local state=$((number + 7)) next=$((number == 5 ? 16 : number + 2))
    play --seed 1 --state "$state" --memories $((number - 1)) --autoplay --until-state "$next" \
        --frames 6000 --trace "$OUT/puzzle$number.json"
    trace_check states "$OUT/puzzle$number.json" "$state,$next"
    trace_check solved "$OUT/puzzle$number.json"
}
