# The menu room reads its level file and draws its grid of tiles.
source "$(dirname "$0")/common.bash"
play --state 0 --frames 90 --shot 89:"$OUT/menu.png"
check lit "$OUT/menu.png" 0.10
