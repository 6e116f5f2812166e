# Without an Assets/ folder the game still starts and runs (flat quads, silence,
# "Error opening file" for the level) and quits cleanly.
source "$(dirname "$0")/common.bash"
PLAYTEST=$(realpath "$PLAYTEST")
cd "$OUT"
timeout 120 "$PLAYTEST" --fixed-step --windowed --state 0 --frames 30 >"$OUT/log.txt" 2>&1
grep -q "Error opening file" "$OUT/log.txt"
