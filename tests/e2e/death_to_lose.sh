# A player whose health has run out fades to black in a cloud of dust, then
# the lose screen comes, with health full again; a click on the grown picture
# fades out and retries the level.
source "$(dirname "$0")/common.bash"
cat >"$OUT/script.txt" <<'SCRIPT'
200 mouse down left
201 mouse up left
SCRIPT
play --state 2 --frames 330 --seed 1 --health 0 --script "$OUT/script.txt" \
    --trace "$OUT/trace.jsonl"
trace_check states "$OUT/trace.jsonl" 2,17,2
/usr/bin/python3 - "$OUT/trace.jsonl" <<'PY'
import json, sys
lose = [f for f in map(json.loads, open(sys.argv[1])) if f["state"] == 17]
assert lose and all(f["health"] == 100 for f in lose), "health is refilled on the lose screen"
print("ok: lose screen from frame", lose[0]["frame"])
PY
