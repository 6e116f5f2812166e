# Darkness that reads as darkness: Level1 a little after its start, torch in
# hand. Most of the play area is unlit floor and must stay near black, while
# the lantern's fan and the walls it lights are plainly bright. Measured on
# the play area only, so the HUD does not decide it.
source "$(dirname "$0")/common.bash"
play --state 2 --frames 205 --seed 3 --shot 200:"$OUT/level1.png"
check darkness "$OUT/level1.png" 14 140
