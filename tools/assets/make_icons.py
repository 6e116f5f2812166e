#!/usr/bin/env python3
"""Draws the game's icon at the sizes desktops look for, for installing.

  make_icons.py OUT_DIR NAME SIZE...   writes OUT_DIR/SIZExSIZE/NAME.png for each size

The icon is drawn once at 256 pixels by the asset generator's own drawing and
scaled down, so every size shows the same picture; the same run gives the same
files.
"""
import os
import sys

from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from art_ui import window_icon  # noqa: E402


def main(argv):
    out_dir, name = argv[1], argv[2]
    big = window_icon(256)
    for size in (int(value) for value in argv[3:]):
        folder = os.path.join(out_dir, "%dx%d" % (size, size))
        os.makedirs(folder, exist_ok=True)
        icon = big if size == 256 else big.resize((size, size), Image.LANCZOS)
        icon.save(os.path.join(folder, name + ".png"), optimize=False)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
