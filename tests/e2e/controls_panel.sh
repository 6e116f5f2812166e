# Keys rebound in play: in Level1 the pause menu's options open the controls
# panel, walk right's key becomes L, Esc cancels a second binding without
# leaving the pause menu, and back in the level L walks right while D no
# longer does.
source "$(dirname "$0")/common.bash"
cat >"$OUT/script.txt" <<'SCRIPT'
100 key down esc         # pause
101 key up esc
110 mouse move 502 364   # Options
111 mouse down left
112 mouse up left
120 mouse move 622 399   # Controls
121 mouse down left
122 mouse up left
130 mouse move 542 419   # walk right's key ...
131 mouse down left
132 mouse up left
140 key down l           # ... becomes L
141 key up l
150 mouse move 672 369   # walk left's second key ...
151 mouse down left
152 mouse up left
160 key down esc         # ... is left as it was: Esc cancels, the menu stays
161 key up esc
170 mouse move 597 574   # Close: back to the settings
171 mouse down left
172 mouse up left
180 mouse move 512 534   # Close the settings
181 mouse down left
182 mouse up left
190 mouse move 502 204   # Resume
191 mouse down left
192 mouse up left
200 key down d           # D walks no more ...
230 key up d
240 key down l           # ... L does
270 key up l
SCRIPT
play --state 2 --frames 280 --seed 1 --script "$OUT/script.txt" --trace "$OUT/trace.jsonl" \
    --shot 135:"$OUT/waiting.png" --shot 165:"$OUT/panel.png"
/usr/bin/python3 - "$OUT/trace.jsonl" <<'PY'
import json, sys
frames = {f["frame"]: f for f in map(json.loads, open(sys.argv[1]))}
assert all(frames[n]["paused"] for n in range(102, 191)), "the binding's Esc kept the menu open"
assert not frames[195]["paused"], "resumed"
x = lambda n: frames[n]["player"][0]
assert x(232) == x(198), "D no longer walks: %s -> %s" % (x(198), x(232))
assert x(272) > x(238) + 50, "L walks right: %s -> %s" % (x(238), x(272))
print("ok: L walks right, D does not; Esc cancelled a binding inside the pause menu")
PY
check lit "$OUT/panel.png" 0.5
