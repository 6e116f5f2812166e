# Spiders bite: a player starting the largest maze with one bite's health left
# meets the spiders on the way and the lose screen follows.
source "$(dirname "$0")/common.bash"
play --state 6 --frames 4000 --seed 3 --health 20 --autoplay --until-state 17 --trace "$OUT/trace.jsonl"
trace_check reaches "$OUT/trace.jsonl" 17
