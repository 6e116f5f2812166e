# The whole game by input alone: the autoplayer skips the logo, walks the
# menu room's player to the trap door, finds every key and door, solves every
# puzzle, picks up the five memories and clicks the win screen back to the
# main menu. Bites add up over the levels: on this seed the wanderer dies once
# in Level5, and the lose screen's click retries it. A puzzle is left only
# through its memory, so the states below check every puzzle's recorded walk.
# Some 21,600 frames: labelled "long", so it runs in the normal build only.
source "$(dirname "$0")/common.bash"
PLAY_TIMEOUT=850
play --state 18 --seed 3 --autoplay --until-state 0:2 --frames 30000 --trace "$OUT/trace.jsonl"
trace_check states "$OUT/trace.jsonl" 18,0,2,8,3,9,4,10,5,11,6,17,6,12,16,0
