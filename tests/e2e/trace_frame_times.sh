# Every trace line ends with the wall time of the frame before it: none on the
# first line, a real time on every later one, after the keys the other tests
# and tools read, which keep their order.
source "$(dirname "$0")/common.bash"
play --state 2 --frames 30 --seed 1 --trace "$OUT/trace.jsonl"
/usr/bin/python3 - "$OUT/trace.jsonl" <<'PY'
import json, sys
lines = [json.loads(line) for line in open(sys.argv[1])]
keys = ["frame", "state", "mode", "player", "health", "charge", "key", "memories",
        "spiders", "paused", "solved", "ms"]
assert len(lines) == 30, len(lines)
assert all(list(line) == keys for line in lines), list(lines[0])
assert lines[0]["ms"] == 0, lines[0]
assert all(0 < line["ms"] < 60000 for line in lines[1:]), [line["ms"] for line in lines]
print("ok: frame times", min(l["ms"] for l in lines[1:]), "to", max(l["ms"] for l in lines[1:]), "ms")
PY
