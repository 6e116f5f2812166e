# Without a display the game says so on standard error and ends at once with
# a non-zero status, instead of running on SDL's off-screen driver unseen.
source "$(dirname "$0")/common.bash"
GAME=$(dirname "$(realpath "$PLAYTEST")")/moth_lantern
started=$(date +%s%N)
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 10 "$GAME" \
    >"$OUT/out.txt" 2>"$OUT/err.txt" || status=$?
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
cat "$OUT/err.txt"
[ "$status" -ne 0 ] && [ "$status" -ne 124 ] || { echo "exit status $status"; exit 1; }
grep -q "no display" "$OUT/err.txt"
[ "$elapsed_ms" -lt 1000 ] || { echo "took $elapsed_ms ms"; exit 1; }
echo "ok: exit status $status after $elapsed_ms ms"
