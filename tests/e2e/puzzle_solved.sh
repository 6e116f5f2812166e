# Each recorded walk solves its puzzle from the start, picks up the memory and
# reaches the next state: the next story level, or the win screen after the
# fifth memory (the run starts with the memories of the puzzles before).
source "$(dirname "$0")/common.bash"
MOVES="$(dirname "$0")/puzzle_moves.py"
for walk in $(/usr/bin/python3 "$MOVES" names); do
    case $walk in
    puzzle[1-5]) number=${walk#puzzle} ;;
    *) continue ;;
    esac
    state=$((number + 7))
    next=$((number == 5 ? 16 : number + 2))
    /usr/bin/python3 "$MOVES" script "$walk" >"$OUT/$walk.txt"
    frames=$(/usr/bin/python3 "$MOVES" frames "$walk")
    play --seed 1 --state "$state" --memories $((number - 1)) --frames "$frames" \
        --script "$OUT/$walk.txt" --trace "$OUT/$walk.json"
    trace_check states "$OUT/$walk.json" "$state,$next"
    trace_check solved "$OUT/$walk.json"
done
