# Started from another folder (cd build && ./playtest) the game finds Assets/
# in the executable's parent folder and plays as usual. With no Assets/ in
# the working directory, beside the executable or in its parent, it says in
# one line where it looked and ends with a non-zero status.
source "$(dirname "$0")/common.bash"
PLAYTEST=$(realpath "$PLAYTEST")
(cd "$(dirname "$PLAYTEST")" && test ! -e Assets &&
    timeout 120 "$PLAYTEST" --fixed-step --windowed --state 0 --frames 30 \
        --shot 29:"$OUT/menu.png" >"$OUT/log.txt" 2>&1)
! grep -q "Error opening file" "$OUT/log.txt"
check lit "$OUT/menu.png" 0.10

mkdir "$OUT/bin" "$OUT/work"
cp "$PLAYTEST" "$OUT/bin/playtest"
status=0
(cd "$OUT/work" && timeout 20 "$OUT/bin/playtest" --windowed --frames 30 \
    >"$OUT/out.txt" 2>"$OUT/err.txt") || status=$?
cat "$OUT/err.txt"
[ "$status" -ne 0 ] && [ "$status" -ne 124 ] || { echo "exit status $status"; exit 1; }
[ "$(wc -l <"$OUT/err.txt")" -eq 1 ]
grep -q "no Assets folder in $OUT/work, $OUT/share/moth-lantern, $OUT/bin or $OUT" "$OUT/err.txt"
