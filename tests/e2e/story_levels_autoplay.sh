# Every story level can be finished: the autoplayer walks to the key and then
# to a trap door through the real input path, and each level's door leads to
# its puzzle within the frame budget (seeded, so the key, the batteries and
# the spiders are the same on every run).
source "$(dirname "$0")/common.bash"
budget=4000   # frames: Level5, the largest maze, takes about 2700
for level in 2 3 4 5 6; do
    play --state "$level" --frames "$budget" --until-state $((level + 6)) --seed 3 --autoplay \
        --trace "$OUT/trace$level.jsonl"
    trace_check reaches "$OUT/trace$level.jsonl" $((level + 6)) "$budget"
done
