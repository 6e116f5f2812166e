# The game starts in the logo screen; closing the window ends it through the
# normal Quit path with status 0.
source "$(dirname "$0")/common.bash"
printf '20 window close\n' >"$OUT/close.txt"
play --script "$OUT/close.txt"
