# The pause menu by mouse and keyboard in Level1: Esc opens it, Options shows
# the volume sliders, dragging the music knob fully left mutes, Close goes
# back, Quit then No keeps playing paused, Restart then Yes starts the level
# again: unpaused, the player back at the start.
source "$(dirname "$0")/common.bash"
cat >"$OUT/script.txt" <<'SCRIPT'
92 key down d            # a few steps away from the start
99 key up d
100 key down esc         # pause
101 key up esc
110 mouse move 502 364   # Options
111 mouse down left
112 mouse up left
120 mouse move 562 234   # the music knob, at half volume
121 mouse down left
122 mouse move 542 234
123 mouse move 522 234
124 mouse move 502 234
125 mouse move 482 234
126 mouse move 462 234
127 mouse move 442 234   # past the left end: muted
128 mouse up left
140 mouse move 512 534   # Close
141 mouse down left
142 mouse up left
150 mouse move 502 524   # Quit ...
151 mouse down left
152 mouse up left
160 mouse move 612 409   # ... No
161 mouse down left
162 mouse up left
170 mouse move 502 444   # Restart ...
171 mouse down left
172 mouse up left
180 mouse move 412 409   # ... Yes
181 mouse down left
182 mouse up left
SCRIPT
play --state 2 --frames 200 --seed 1 --script "$OUT/script.txt" --trace "$OUT/trace.jsonl" \
    --shot 135:"$OUT/settings.png" --shot 165:"$OUT/after_no.png"
/usr/bin/python3 - "$OUT/trace.jsonl" <<'PY'
import json, sys
frames = {f["frame"]: f for f in map(json.loads, open(sys.argv[1]))}
assert not frames[99]["paused"] and frames[102]["paused"], "Esc pauses"
assert all(frames[n]["paused"] for n in range(102, 181)), "options, close and no keep the pause"
assert frames[99]["player"][0] > -300.0, "the player had walked"
assert not frames[190]["paused"], "yes to restart unpauses"
assert frames[190]["player"] == [-300.0, -300.0], frames[190]["player"]
assert all(f["state"] == 2 for f in frames.values()), "no state but the level itself"
print("ok: paused from frame 102, restarted unpaused at the start")
PY
# The settings panel shows over a darkened level; after No the menu is back.
check lit "$OUT/settings.png" 0.5
check lit "$OUT/after_no.png" 0.5
