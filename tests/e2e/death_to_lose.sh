# A player whose health has run out fades to black in a cloud of dust, then
# the lose screen comes, with health full again; a click on the grown picture
# fades out and retries the level. The run ends as the level begins again.
source "$(dirname "$0")/common.bash"
cat >"$OUT/script.txt" <<'SCRIPT'
110 mouse down left  # the lose screen came at frame 62; its picture has grown
111 mouse up left
SCRIPT
play --state 2 --frames 330 --seed 1 --health 0 --script "$OUT/script.txt" \
    --until-state 2:2 --trace "$OUT/trace.jsonl"
trace_check states "$OUT/trace.jsonl" 2,17,2
/usr/bin/python3 - "$OUT/trace.jsonl" <<'PY'
import json, sys
lose = [f for f in map(json.loads, open(sys.argv[1])) if f["state"] == 17]
assert lose and all(f["health"] == 100 for f in lose), "health is refilled on the lose screen"
print("ok: lose screen from frame", lose[0]["frame"])
PY
