# A state request through `next` switches from the logo to the first level; a
# restart keeps the level loaded (same grid, same camera) and re-runs its Init.
source "$(dirname "$0")/common.bash"
cat >"$OUT/script.txt" <<'SCRIPT'
10 state 2      # Logo -> Level1
70 state 13     # restart Level1
SCRIPT
play --frames 140 --script "$OUT/script.txt" \
    --shot 5:"$OUT/logo.png" --shot 69:"$OUT/level.png" --shot 139:"$OUT/restarted.png"
check lit "$OUT/level.png" 0.05
check same "$OUT/level.png" "$OUT/restarted.png" 2.0
