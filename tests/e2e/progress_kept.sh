# Progress is kept between runs: a run solves Puzzle 1 and quits as Level 2
# begins; the next run's menu room offers to continue, and its door leads on
# at Level 2 with 1 memory. A third run walks through the new game's door
# instead: Level 1 with no memories, and the saved game is forgotten.
source "$(dirname "$0")/common.bash"
export HOME="$OUT/home" XDG_CONFIG_HOME="$OUT/config" XDG_DATA_HOME="$OUT/data"
progress="$XDG_DATA_HOME/moth-lantern/progress.txt"
play --seed 1 --state 8 --user-files --autoplay --until-state 3 --trace "$OUT/solve.jsonl"
trace_check reaches "$OUT/solve.jsonl" 3
grep -qx "memories = 1" "$progress"

# The autoplayer walks to the room's own door: now the one that continues.
play --seed 1 --state 0 --user-files --autoplay --until-state 3 --trace "$OUT/continue.jsonl" \
    --shot 40:"$OUT/menu.png"
trace_check states "$OUT/continue.jsonl" 0,3
check lit "$OUT/menu.png" 0.3

cat >"$OUT/new_game.txt" <<'SCRIPT'
5 key down d     # from the start, right under the new game's door ...
65 key up d
66 key down w    # ... and up into it
SCRIPT
play --seed 1 --state 0 --user-files --script "$OUT/new_game.txt" --until-state 2 \
    --frames 400 --trace "$OUT/new_game.jsonl"
trace_check states "$OUT/new_game.jsonl" 0,2
/usr/bin/python3 - "$OUT" <<'PY'
import json, os, sys
out = sys.argv[1]
def first_in(name, state):
    return next(json.loads(l) for l in open(os.path.join(out, name)) if json.loads(l)["state"] == state)
assert first_in("continue.jsonl", 3)["memories"] == 1, "continued with the saved memory"
assert first_in("new_game.jsonl", 2)["memories"] == 0, "a new game starts with none"
assert not os.path.exists(os.path.join(out, "data", "moth-lantern", "progress.txt")), \
    "the new game forgot the saved one"
print("ok: continued at Level 2 with 1 memory; a new game at Level 1 with 0")
PY
