# A win leaves memories behind; the next game taken up from the menu room's
# trap door starts with none. The autoplayer clicks the win picture away and
# walks the menu room's wanderer to the trap door.
source "$(dirname "$0")/common.bash"
play --state 16 --memories 4 --seed 1 --autoplay --until-state 2 --frames 3000 \
    --trace "$OUT/trace.jsonl"
trace_check states "$OUT/trace.jsonl" 16,0,2
/usr/bin/python3 - "$OUT/trace.jsonl" <<'PY'
import json, sys
frames = list(map(json.loads, open(sys.argv[1])))
assert frames[0]["memories"] == 4, "the run starts with the won game's memories"
level1 = [f for f in frames if f["state"] == 2]
assert level1 and all(f["memories"] == 0 for f in level1), level1[:1]
print("ok: Level1 from frame", level1[0]["frame"], "with 0 memories")
PY
