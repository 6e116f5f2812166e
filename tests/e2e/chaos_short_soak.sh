# A short soak: random keys, mouse moves, clicks and a jump to a random state
# every 150 frames, from the logo on. The run must end cleanly (in the
# sanitizer build, with no finding); tools/soak.sh runs the long version.
source "$(dirname "$0")/common.bash"
play --state 18 --frames 2500 --seed 7 --chaos 150 --trace "$OUT/trace.jsonl"
test "$(wc -l <"$OUT/trace.jsonl")" -eq 2500
