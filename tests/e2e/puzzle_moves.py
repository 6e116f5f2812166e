#!/usr/bin/env python3
"""Recorded walks that solve each light-beam puzzle from its start.

Each walk is a list of (key, frames) steps: the key is held down for that many
frames and then released for two; ("wait", N) only lets N frames pass. The
player walks 200 units a second, 10/3 units a frame at the fixed step. Every
walk starts by clicking the instructions away and waits for them to fade.

  puzzle_moves.py script NAME   prints the playtest script of that walk
  puzzle_moves.py frames NAME   prints how many frames the walk takes
  puzzle_moves.py names         lists the walks
"""
import sys

CLICK = ["5 mouse down left", "6 mouse up left"]
FIRST_STEP = 80  # the instructions have faded out by now

WALKS = {
    # Puzzle1: each of the four blocks pushed off its beam, the top one first,
    # then round B2 and along the bottom to the memory in the lower left corner.
    "puzzle1": [
        ("w", 31), ("a", 30), ("w", 23),  # up past B8, push the top block up
        ("s", 55), ("a", 30), ("s", 26),  # push the block off B4 -> B5 down
        ("d", 60), ("s", 27),  # push the block off B3 -> B4 down
        ("d", 16), ("s", 14), ("d", 23),  # push the block off B2 -> B3 right
        ("a", 24), ("s", 37), ("a", 130),  # round B2 and along the bottom to the memory
        ("wait", 120),
    ],
    # Puzzle3, not solved: pushing the block off B10 -> B11 lets the beam
    # reach the danger block above it, which restarts the level.
    "danger": [("d", 15), ("s", 21), ("d", 21), ("wait", 330)],
}


def script(steps):
    lines = list(CLICK)
    frame = FIRST_STEP
    for key, count in steps:
        if key != "wait":
            lines.append(f"{frame} key down {key}")
            lines.append(f"{frame + count} key up {key}")
            count += 2
        frame += count
    return lines, frame


def main(argv):
    if len(argv) == 2 and argv[1] == "names":
        print("\n".join(WALKS))
        return 0
    if len(argv) != 3 or argv[2] not in WALKS or argv[1] not in ("script", "frames"):
        print(__doc__, file=sys.stderr)
        return 2
    lines, end = script(WALKS[argv[2]])
    print("\n".join(lines) if argv[1] == "script" else end)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
