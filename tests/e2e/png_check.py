#!/usr/bin/env python3
"""Checks playtest screenshots.

  png_check.py lit PATH MIN_FRACTION    at least this fraction of pixels is not black
  png_check.py dark PATH MAX_FRACTION   at most this fraction of pixels is not black
  png_check.py same A B MAX_DIFF [BOX]  mean per-channel difference at most MAX_DIFF
                                        (within X0,Y0,X1,Y1 when given)
  png_check.py dimmed A B MIN MAX BOX   B's box is A's dimmed: its mean grey level over
                                        A's lies between MIN and MAX (X0,Y0,X1,Y1)
  png_check.py brighter PATH X0,Y0,X1,Y1 X2,Y2,X3,Y3 FACTOR
                                        the first box is at least FACTOR times as bright
                                        as the second (mean grey level)
  png_check.py warm PATH X0,Y0,X1,Y1    the box is more red than blue
  png_check.py darkness PATH MAX_MEDIAN MIN_TOP1
                                        the play area of a 1024 x 768 story-level frame
                                        (rows 80..679, less the tip box at the right of
                                        rows 80..199) has a grey median of at most
                                        MAX_MEDIAN while its brightest 1 % reach MIN_TOP1
"""
import sys

from PIL import Image, ImageChops, ImageStat


def lit_fraction(path):
    image = Image.open(path).convert("L")
    histogram = image.histogram()
    return 1.0 - sum(histogram[:8]) / float(image.width * image.height)


def box_mean(path, box):
    x0, y0, x1, y1 = (int(v) for v in box.split(","))
    return ImageStat.Stat(Image.open(path).convert("RGB").crop((x0, y0, x1, y1))).mean


def play_area_grey(path):
    """Grey levels of the play area, the HUD's bars and tip box left out."""
    grey = Image.open(path).convert("L")
    values = list(grey.crop((0, 200, grey.width, 680)).getdata())
    return values + list(grey.crop((0, 80, 800, 200)).getdata())


def main(argv):
    mode = argv[1]
    if mode == "darkness":
        values = sorted(play_area_grey(argv[2]))
        median, top = values[len(values) // 2], values[int(len(values) * 0.99)]
        ok = median <= int(argv[3]) and top >= int(argv[4])
        print("%s: median %d (at most %s), brightest 1%% %d (at least %s)"
              % ("ok" if ok else "FAILED", median, argv[3], top, argv[4]))
        return 0 if ok else 1
    if mode == "brighter":
        first = sum(box_mean(argv[2], argv[3])) / 3.0
        second = sum(box_mean(argv[2], argv[4])) / 3.0
        ok = first >= float(argv[5]) * second
        print("%s: %.1f against %.1f" % ("ok" if ok else "FAILED", first, second))
        return 0 if ok else 1
    if mode == "dimmed":
        ratio = sum(box_mean(argv[3], argv[6])) / max(1e-6, sum(box_mean(argv[2], argv[6])))
        ok = float(argv[4]) <= ratio <= float(argv[5])
        print("%s: %.3f of the first picture's light" % ("ok" if ok else "FAILED", ratio))
        return 0 if ok else 1
    if mode == "warm":
        red, _, blue = box_mean(argv[2], argv[3])
        ok = red > blue
        print("%s: red %.1f, blue %.1f" % ("ok" if ok else "FAILED", red, blue))
        return 0 if ok else 1
    if mode == "lit":
        value = lit_fraction(argv[2])
        ok = value >= float(argv[3])
    elif mode == "dark":
        value = lit_fraction(argv[2])
        ok = value <= float(argv[3])
    elif mode == "same":
        a = Image.open(argv[2]).convert("RGB")
        b = Image.open(argv[3]).convert("RGB")
        if len(argv) > 5:
            box = tuple(int(v) for v in argv[5].split(","))
            a, b = a.crop(box), b.crop(box)
        value = sum(ImageStat.Stat(ImageChops.difference(a, b)).mean) / 3.0
        ok = a.size == b.size and value <= float(argv[4])
    else:
        print("unknown check " + mode)
        return 2
    print("%s %s: %.4f -> %s" % (mode, " ".join(argv[2:]), value, "ok" if ok else "FAILED"))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
