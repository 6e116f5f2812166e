#!/usr/bin/env python3
"""Checks a playtest --trace file (one JSON object per frame).

  trace_check.py states TRACE S1,S2,...       the run passed through exactly these
                                              states, in order (repeats collapsed)
  trace_check.py reaches TRACE STATE [MAXF]   the run entered STATE (by frame MAXF)
  trace_check.py walls TRACE LEVEL COLS ROWS  the 30 x 30 player never reached more
                                              than one frame's step (3.4 units at 200
                                              units a second) into a solid cell
  trace_check.py moved TRACE MIN              the player covered at least MIN units
  trace_check.py restarted TRACE X Y          the player left (X, Y) and later stood
                                              there again (a level restart)
"""
import json
import math
import sys

TILE = 50.0
PLAYER_HALF = 15.0
STEP = 3.4  # one frame's walk at 60 frames a second, rounded up
SOLID = {1, 9}  # walls and void; every other known code is walkable


def frames(path):
    with open(path) as handle:
        return [json.loads(line) for line in handle if line.strip()]


def state_sequence(trace):
    sequence = []
    for frame in trace:
        if not sequence or sequence[-1] != frame["state"]:
            sequence.append(frame["state"])
    return sequence


def solid_cells(level_path, columns, rows):
    with open(level_path) as handle:
        values = [int(v) for v in handle.read().replace("\n", ",").split(",") if v.strip()]
    solid = set()
    for index, value in enumerate(values[: columns * rows]):
        row_from_top, column = divmod(index, columns)
        if value in SOLID:
            solid.add((column, rows - 1 - row_from_top))
    return solid


def overlaps_solid(x, y, solid, columns, rows):
    # A wall pushes the player back before it moves, so a player walking into
    # one rests up to one step inside it; deeper means it went through.
    reach = PLAYER_HALF - STEP
    for cx in (x - reach, x + reach):
        for cy in (y - reach, y + reach):
            column = math.floor(cx / TILE + columns / 2.0)
            row = math.floor(cy / TILE + rows / 2.0)
            if (column, row) in solid:
                return (column, row)
    return None


def main(argv):
    mode, trace = argv[1], frames(argv[2])
    if mode == "states":
        want = [int(s) for s in argv[3].split(",")]
        got = state_sequence(trace)
        ok = got == want
        detail = "states %s, wanted %s" % (got, want)
    elif mode == "reaches":
        state = int(argv[3])
        limit = int(argv[4]) if len(argv) > 4 else None
        hits = [f["frame"] for f in trace if f["state"] == state]
        ok = bool(hits) and (limit is None or hits[0] <= limit)
        detail = "state %d first at frame %s (limit %s)" % (state, hits[0] if hits else None, limit)
    elif mode == "walls":
        columns, rows = int(argv[4]), int(argv[5])
        solid = solid_cells(argv[3], columns, rows)
        bad = [(f["frame"], f["player"]) for f in trace
               if f["player"] and overlaps_solid(f["player"][0], f["player"][1], solid, columns, rows)]
        ok = not bad
        detail = "player inside a wall at %s" % bad[:5] if bad else "player kept out of every wall"
    elif mode == "moved":
        points = [f["player"] for f in trace if f["player"]]
        travelled = sum(abs(b[0] - a[0]) + abs(b[1] - a[1]) for a, b in zip(points, points[1:]))
        ok = travelled >= float(argv[3])
        detail = "player travelled %.1f units" % travelled
    elif mode == "restarted":
        start = (float(argv[3]), float(argv[4]))
        at_start = [bool(f["player"]) and math.dist(f["player"], start) < 0.01 for f in trace]
        left = at_start.index(False) if False in at_start else len(trace)
        back = [trace[i]["frame"] for i in range(left, len(trace)) if at_start[i]]
        ok = bool(back)
        detail = "player back at %s at frame %s" % (start, back[0] if back else None)
    else:
        print(__doc__)
        return 2
    print(("ok: " if ok else "FAILED: ") + detail)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
