# Closing the window ends the game through the normal Quit path with status 0.
source "$(dirname "$0")/common.bash"
printf '20 window close\n' >"$OUT/close.txt"
play --state 2 --script "$OUT/close.txt"
