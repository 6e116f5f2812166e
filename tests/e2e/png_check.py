#!/usr/bin/env python3
"""Checks playtest screenshots.

  png_check.py lit PATH MIN_FRACTION    at least this fraction of pixels is not black
  png_check.py dark PATH MAX_FRACTION   at most this fraction of pixels is not black
  png_check.py same A B MAX_DIFF        mean per-channel difference at most MAX_DIFF
"""
import sys

from PIL import Image, ImageChops, ImageStat


def lit_fraction(path):
    image = Image.open(path).convert("L")
    histogram = image.histogram()
    return 1.0 - sum(histogram[:8]) / float(image.width * image.height)


def main(argv):
    mode = argv[1]
    if mode == "lit":
        value = lit_fraction(argv[2])
        ok = value >= float(argv[3])
    elif mode == "dark":
        value = lit_fraction(argv[2])
        ok = value <= float(argv[3])
    elif mode == "same":
        a = Image.open(argv[2]).convert("RGB")
        b = Image.open(argv[3]).convert("RGB")
        value = sum(ImageStat.Stat(ImageChops.difference(a, b)).mean) / 3.0
        ok = a.size == b.size and value <= float(argv[4])
    else:
        print("unknown check " + mode)
        return 2
    print("%s %s: %.4f -> %s" % (mode, " ".join(argv[2:]), value, "ok" if ok else "FAILED"))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
