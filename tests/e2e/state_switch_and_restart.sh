# A state request through `next` switches from the logo to the menu room; a
# restart keeps the room loaded (same grid, same camera) and re-runs its Init,
# and the room looks as it did.
source "$(dirname "$0")/common.bash"
cat >"$OUT/script.txt" <<'SCRIPT'
10 state 0      # Logo -> Menu
70 state 13     # restart the menu room
SCRIPT
play --frames 140 --script "$OUT/script.txt" \
    --shot 5:"$OUT/logo.png" --shot 69:"$OUT/menu.png" --shot 139:"$OUT/restarted.png"
check dark "$OUT/logo.png" 0.01
check lit "$OUT/menu.png" 0.10
# The floor drifts and the player idles, so compare what stays put: the
# faces of the buttons at the bottom.
check same "$OUT/menu.png" "$OUT/restarted.png" 2.0 56,530,168,578
check same "$OUT/menu.png" "$OUT/restarted.png" 2.0 456,530,568,578
