# The game starts in the logo screen, runs its frames and quits cleanly.
source "$(dirname "$0")/common.bash"
play --frames 60 --shot 59:"$OUT/logo.png"
test -s "$OUT/logo.png"
