"""The moth wanderer (player) and the spiders.

Sprites are 32 x 32 (the game draws the player at 30 x 30 and spiders at
32 x 32). The player is drawn translucently, so it may use dark colours; the
spiders are drawn additively over the dark floor, so they are pale, ghostly
shapes whose black parts simply vanish.
"""
import math

from common import (AMBER, AMBER_DEEP, AMBER_LIGHT, Canvas, CREAM, DUST, DUST_DARK, EYE_RED,
                    GLOW, INK, PARCHMENT, SPIDER, SPIDER_RIM, glow, mix, rgba)

SS = 8
W = 32


# ---- Moth wanderer ------------------------------------------------------------
WING = DUST
WING_EDGE = DUST_DARK
WING_MARK = (150, 96, 52)
FUZZ = PARCHMENT
FUZZ_DARK = (168, 150, 120)


def _wing(c, root, tip_dx, tip_dy, span, flip, lower=False):
    """One wing as a rounded leaf from the shoulder `root`."""
    rx, ry = root
    sgn = -1 if flip else 1
    if lower:
        pts = [(rx, ry), (rx + sgn * span * 0.55, ry + 1.5 * tip_dy),
               (rx + sgn * span * 0.78, ry + 3.8 * tip_dy), (rx + sgn * span * 0.5, ry + 5.6 * tip_dy),
               (rx + sgn * 1.0, ry + 4.0 * tip_dy)]
    else:
        pts = [(rx, ry + 1), (rx + sgn * span * 0.35, ry - 5.5 * tip_dy),
               (rx + sgn * span * 0.85, ry - 6.5 * tip_dy), (rx + sgn * span, ry - 3.5 * tip_dy),
               (rx + sgn * span * 0.9, ry + 0.5 * tip_dy), (rx + sgn * span * 0.45, ry + 3.0 * tip_dy),
               (rx + sgn * 0.5, ry + 2.6)]
    c.poly(pts, fill=rgba(WING_EDGE))
    # inner lighter wing, inset by shrinking towards the centroid
    mx = sum(p[0] for p in pts) / len(pts)
    my = sum(p[1] for p in pts) / len(pts)
    inner = [(mx + (x - mx) * 0.8, my + (y - my) * 0.78) for x, y in pts]
    c.poly(inner, fill=rgba(WING))
    if not lower:
        ex, ey = rx + sgn * span * 0.6, ry - 2.6 * tip_dy
        c.ellipse(ex, ey, 2.0, 1.8, fill=rgba(WING_MARK))
        c.ellipse(ex, ey, 0.8, 0.8, fill=rgba(CREAM))
    return pts


def _antenna(c, x, y, dx, dy, color=FUZZ_DARK):
    tipx, tipy = x + dx, y + dy
    c.line([(x, y), (x + dx * 0.5, y + dy * 0.7), (tipx, tipy)], rgba(color), 0.7)
    for t in (0.45, 0.65, 0.85):
        px, py = x + dx * t, y + dy * (t + 0.2 * (1 - t))
        c.line([(px, py), (px + (1.2 if dx > 0 else -1.2), py + 0.6)], rgba(color), 0.45)
    c.ellipse(tipx, tipy, 0.8, 0.8, fill=rgba(color))


def _lantern(c, x, y, lit=1.0):
    """Small hand lantern centred at (x, y)."""
    c.line([(x - 1.4, y - 3.0), (x, y - 4.6), (x + 1.4, y - 3.0)], rgba((70, 58, 44)), 0.6)
    c.rect(x - 2.0, y - 3.0, x + 2.0, y - 2.0, fill=rgba((70, 58, 44)))
    c.rect(x - 1.7, y - 2.0, x + 1.7, y + 2.2, fill=rgba(mix(AMBER, GLOW, 0.5 * lit)))
    c.rect(x - 0.7, y - 1.4, x + 0.7, y + 1.2, fill=rgba(GLOW))
    c.rect(x - 2.0, y + 2.2, x + 2.0, y + 3.1, fill=rgba((70, 58, 44)))


def _legs(c, cx, y, phase):
    off = [(-1.2, 0.0), (0.0, 1.0), (1.2, 0.0)][phase % 3]
    for i, sx in enumerate((-2.2, 2.2)):
        lift = off[0] * (1 if i == 0 else -1)
        c.thick_line([(cx + sx, y), (cx + sx * 1.1, y + 3.0 + lift * 0.5)], rgba((84, 70, 56)), 1.1)


def _head_front(c, cx, cy):
    c.ellipse(cx, cy, 5.6, 5.0, fill=rgba(FUZZ_DARK))
    c.ellipse(cx, cy - 0.4, 5.0, 4.5, fill=rgba(FUZZ))
    for ex in (-2.3, 2.3):
        c.ellipse(cx + ex, cy + 0.4, 1.9, 2.2, fill=rgba(INK))
        c.ellipse(cx + ex - 0.6, cy - 0.4, 0.6, 0.6, fill=rgba((230, 230, 240)))


def player_front(phase, win=False):
    """Facing the viewer (walking down). `phase` 0..2 is the walk frame."""
    c = Canvas(W, W, SS)
    cx = 16
    bob = [0.0, -0.6, 0.0][phase] if not win else 0.0
    flap = [1.0, 0.86, 0.94][phase]
    if win:
        flap = 1.15 if phase == 0 else 1.05
    sh_y = 15 + bob
    for flip in (False, True):
        sx = cx - 1.5 if flip else cx + 1.5
        _wing(c, (sx, sh_y + 2), 0, 1.0 if not win else 1.35, 12.5 * flap, flip)
        _wing(c, (sx, sh_y + 3), 0, 1.0, 9.0 * flap, flip, lower=True)
    # body
    c.ellipse(cx, 21 + bob, 4.6, 6.4, fill=rgba(FUZZ_DARK))
    c.ellipse(cx, 20.6 + bob, 4.0, 5.8, fill=rgba(FUZZ))
    for i in range(3):
        c.line([(cx - 3.0, 21.5 + i * 1.8 + bob), (cx + 3.0, 21.5 + i * 1.8 + bob)],
               rgba(FUZZ_DARK), 0.5)
    _legs(c, cx, 26.5 + bob, phase if not win else 1)
    _head_front(c, cx, 11 + bob)
    _antenna(c, cx - 1.8, 7.0 + bob, -4.5, -5.0)
    _antenna(c, cx + 1.8, 7.0 + bob, 4.5, -5.0)
    img = c.result()
    if win:
        lx, ly = (cx + 6, 4.5) if phase == 0 else (cx + 6.5, 3.8)
        img = glow(img, lx, ly, 9, AMBER_LIGHT, 0.9)
        img = _overlay_lantern(img, lx, ly)
        img = _sparkles(img, phase)
    else:
        sway = [0.0, 0.6, -0.4][phase]
        img = glow(img, cx + 8.5 + sway, 23 + bob, 7, AMBER_LIGHT, 0.75)
        img = _overlay_lantern(img, cx + 8.5 + sway, 23 + bob)
    return img


def _overlay_lantern(img, x, y):
    c = Canvas(W, W, SS)
    _lantern(c, x, y)
    layer = c.result()
    from PIL import Image
    return Image.alpha_composite(img, layer)


def _sparkles(img, phase):
    from PIL import Image
    c = Canvas(W, W, SS)
    pts = [(4, 6), (28, 9), (6, 20), (27, 22)] if phase == 0 else [(7, 3), (25, 4), (3, 13), (29, 15)]
    for x, y in pts:
        c.poly([(x, y - 2.2), (x + 0.6, y), (x, y + 2.2), (x - 0.6, y)], fill=rgba(GLOW))
        c.poly([(x - 2.2, y), (x, y + 0.6), (x + 2.2, y), (x, y - 0.6)], fill=rgba(GLOW))
    return Image.alpha_composite(img, c.result())


def player_back(phase):
    """Seen from behind (walking up): wings cover the back."""
    c = Canvas(W, W, SS)
    cx = 16
    bob = [0.0, -0.6, 0.0][phase]
    flap = [1.0, 0.86, 0.94][phase]
    img_lantern_first = True
    # body first (behind wings)
    c.ellipse(cx, 21 + bob, 4.4, 6.2, fill=rgba(FUZZ_DARK))
    _legs(c, cx, 26.5 + bob, phase)
    c.ellipse(cx, 11 + bob, 5.4, 4.9, fill=rgba(FUZZ_DARK))
    c.ellipse(cx, 10.6 + bob, 4.8, 4.3, fill=rgba(FUZZ))
    _antenna(c, cx - 1.8, 7.5 + bob, -4.2, -4.8)
    _antenna(c, cx + 1.8, 7.5 + bob, 4.2, -4.8)
    for flip in (False, True):
        sx = cx - 0.8 if flip else cx + 0.8
        _wing(c, (sx, 15 + bob + 2), 0, 1.0, 12.0 * flap, flip)
        _wing(c, (sx, 15 + bob + 3), 0, 1.0, 8.8 * flap, flip, lower=True)
    # a fuzzy ridge down the middle
    c.line([(cx, 14 + bob), (cx, 25 + bob)], rgba(FUZZ_DARK), 1.4)
    img = c.result()
    sway = [0.0, 0.5, -0.5][phase]
    # the lantern is held in front: only its glow spills past the left wing
    img = glow(img, cx - 9 + sway, 22 + bob, 8, AMBER_LIGHT, 0.6)
    del img_lantern_first
    return img


def player_side(phase):
    """Facing right (walking right)."""
    c = Canvas(W, W, SS)
    bob = [0.0, -0.6, 0.0][phase]
    flap = [1.0, 0.82, 0.92][phase]
    cx = 14.5
    # far wing (darker), then near wing drawn after the body
    c.poly([(cx, 15 + bob), (cx - 6 * flap, 5 + bob), (cx - 11 * flap, 6 + bob),
            (cx - 12 * flap, 12 + bob), (cx - 4, 19 + bob)], fill=rgba(WING_EDGE))
    # legs
    off = [(-1.3, 1.3), (0.0, 0.0), (1.3, -1.3)][phase]
    c.thick_line([(cx - 1, 25 + bob), (cx - 1 + off[0], 29)], rgba((84, 70, 56)), 1.1)
    c.thick_line([(cx + 1.5, 25 + bob), (cx + 1.5 + off[1], 29)], rgba((84, 70, 56)), 1.1)
    # body
    c.ellipse(cx, 20.5 + bob, 4.6, 5.8, fill=rgba(FUZZ_DARK))
    c.ellipse(cx + 0.3, 20.0 + bob, 4.0, 5.2, fill=rgba(FUZZ))
    # near wing
    pts = [(cx - 0.5, 15.5 + bob), (cx - 4 * flap, 6 + bob), (cx - 9.5 * flap, 5.5 + bob),
           (cx - 11.5 * flap, 11 + bob), (cx - 8 * flap, 18 + bob), (cx - 2, 20 + bob)]
    c.poly(pts, fill=rgba(WING_EDGE))
    mx = sum(p[0] for p in pts) / len(pts)
    my = sum(p[1] for p in pts) / len(pts)
    c.poly([(mx + (x - mx) * 0.8, my + (y - my) * 0.8) for x, y in pts], fill=rgba(WING))
    c.ellipse(cx - 6.5 * flap, 11 + bob, 1.8, 1.6, fill=rgba(WING_MARK))
    c.ellipse(cx - 6.5 * flap, 11 + bob, 0.7, 0.7, fill=rgba(CREAM))
    # head in profile
    hx, hy = cx + 3.5, 11.5 + bob
    c.ellipse(hx, hy, 4.8, 4.6, fill=rgba(FUZZ_DARK))
    c.ellipse(hx + 0.2, hy - 0.3, 4.2, 4.0, fill=rgba(FUZZ))
    c.ellipse(hx + 2.2, hy + 0.2, 1.8, 2.1, fill=rgba(INK))
    c.ellipse(hx + 1.8, hy - 0.5, 0.55, 0.55, fill=rgba((230, 230, 240)))
    _antenna(c, hx + 1.5, hy - 3.6, 5.0, -4.5)
    _antenna(c, hx - 0.5, hy - 3.8, 2.5, -5.5, color=(150, 132, 104))
    # arm reaching to the lantern
    sway = [0.0, 0.6, -0.5][phase]
    lx, ly = cx + 10 + sway, 21 + bob
    c.thick_line([(cx + 2.5, 19 + bob), (lx - 0.5, ly - 4.0)], rgba(FUZZ_DARK), 1.2)
    img = c.result()
    img = glow(img, lx, ly, 8, AMBER_LIGHT, 0.8)
    return _overlay_lantern(img, lx, ly)


# ---- Spiders ------------------------------------------------------------------
LEG = (150, 134, 184)
LEG_DARK = (96, 84, 124)


def _spider_leg(c, base, knee, foot, color=LEG):
    c.thick_line([base, knee], rgba(color), 1.25)
    c.thick_line([knee, foot], rgba(color), 0.95)


def _eyes(c, pts, color):
    for x, y, r in pts:
        c.ellipse(x, y, r, r, fill=rgba(color))
        c.ellipse(x - r * 0.35, y - r * 0.35, r * 0.35, r * 0.35, fill=rgba((255, 220, 200)))


def spider_front(phase, lured=False):
    """Top-down, head towards the viewer (moving up or down the screen)."""
    c = Canvas(W, W, SS)
    cx = 16
    sw = [(0.0, 0.0), (1.2, -1.2), (0.0, 0.0), (-1.2, 1.2)][phase]
    if lured:
        sw = [(0.0, 0.0), (0.5, -0.5), (-0.5, 0.5)][phase % 3]
    hy = 19.5
    for side in (-1, 1):
        for i, (ky, fy, reach) in enumerate(((-1.5, -8.0, 12.5), (0.0, -3.0, 14.5),
                                              (1.5, 2.5, 14.0), (2.5, 8.5, 12.0))):
            wig = sw[0] if (i % 2 == 0) == (side > 0) else sw[1]
            base = (cx + side * 3.0, hy + ky * 0.8)
            knee = (cx + side * (reach * 0.62), hy + ky + fy * 0.55 - 3.5 + wig)
            foot = (cx + side * reach, hy + fy + wig * 1.4)
            _spider_leg(c, base, knee, foot)
    body = mix(SPIDER, (150, 110, 90), 0.45) if lured else SPIDER
    c.ellipse(cx, 11.5, 7.2, 8.0, fill=rgba(LEG_DARK))
    c.ellipse(cx - 0.6, 11.0, 6.4, 7.2, fill=rgba(body))
    c.ellipse(cx - 2.4, 8.0, 2.4, 2.6, fill=rgba(mix(body, SPIDER_RIM, 0.6)))
    # pale marking on the abdomen
    c.poly([(cx, 6.5), (cx + 2.2, 10.5), (cx, 14.5), (cx - 2.2, 10.5)], fill=rgba(SPIDER_RIM))
    c.ellipse(cx, 20.0, 5.0, 4.4, fill=rgba(LEG_DARK))
    c.ellipse(cx - 0.4, 19.6, 4.4, 3.8, fill=rgba(mix(body, SPIDER_RIM, 0.25)))
    # fangs
    c.thick_line([(cx - 1.5, 23.5), (cx - 1.0, 25.6)], rgba(SPIDER_RIM), 0.9)
    c.thick_line([(cx + 1.5, 23.5), (cx + 1.0, 25.6)], rgba(SPIDER_RIM), 0.9)
    img = c.result()
    if lured:
        img = glow(img, cx, 22, 13, AMBER_LIGHT, 0.55, ry=8)
        c2 = Canvas(W, W, SS)
        for ex in (-2.0, 2.0):
            c2.d.arc([(cx + ex - 1.4) * SS, (21.0 - 1.2) * SS, (cx + ex + 1.4) * SS, (21.0 + 1.4) * SS],
                     200, 340, fill=rgba(GLOW), width=int(0.9 * SS))
        for k in range(3):
            a = phase * 2.1 + k * 2.094
            x, y = cx + math.cos(a) * 9.5, 10 + math.sin(a) * 5.0
            c2.poly([(x, y - 1.6), (x + 0.5, y), (x, y + 1.6), (x - 0.5, y)], fill=rgba(GLOW))
            c2.poly([(x - 1.6, y), (x, y + 0.5), (x + 1.6, y), (x, y - 0.5)], fill=rgba(GLOW))
        from PIL import Image
        return Image.alpha_composite(img, c2.result())
    c2 = Canvas(W, W, SS)
    _eyes(c2, [(cx - 1.7, 21.2, 1.1), (cx + 1.7, 21.2, 1.1), (cx - 3.0, 19.6, 0.6),
               (cx + 3.0, 19.6, 0.6), (cx - 0.8, 19.0, 0.5), (cx + 0.8, 19.0, 0.5)], EYE_RED)
    img = glow(img, cx, 21, 6, EYE_RED, 0.5)
    from PIL import Image
    return Image.alpha_composite(img, c2.result())


def spider_right(phase):
    """Top-down, head to the right."""
    c = Canvas(W, W, SS)
    cy = 16
    sw = [(0.0, 0.0), (1.3, -1.3), (0.0, 0.0), (-1.3, 1.3)][phase]
    hx = 19.5
    for side in (-1, 1):
        for i, (kx, fx, reach) in enumerate(((1.5, 8.0, 12.5), (0.0, 3.0, 14.0),
                                              (-1.5, -2.5, 14.0), (-2.5, -8.5, 12.0))):
            wig = sw[0] if (i % 2 == 0) == (side > 0) else sw[1]
            base = (hx + kx * 0.8, cy + side * 2.8)
            knee = (hx + kx + fx * 0.55 - 2.0 + wig, cy + side * (reach * 0.62))
            foot = (hx + fx + wig * 1.4, cy + side * reach)
            _spider_leg(c, base, knee, foot)
    c.ellipse(11.0, cy, 8.0, 6.6, fill=rgba(LEG_DARK))
    c.ellipse(10.5, cy - 0.5, 7.2, 5.9, fill=rgba(SPIDER))
    c.ellipse(8.0, cy - 2.6, 2.6, 2.0, fill=rgba(mix(SPIDER, SPIDER_RIM, 0.6)))
    c.poly([(5.5, cy), (10.0, cy - 2.0), (14.0, cy), (10.0, cy + 2.0)], fill=rgba(SPIDER_RIM))
    c.ellipse(20.0, cy, 4.6, 4.4, fill=rgba(LEG_DARK))
    c.ellipse(19.7, cy - 0.4, 4.0, 3.8, fill=rgba(mix(SPIDER, SPIDER_RIM, 0.25)))
    c.thick_line([(23.5, cy - 1.4), (25.6, cy - 1.0)], rgba(SPIDER_RIM), 0.9)
    c.thick_line([(23.5, cy + 1.4), (25.6, cy + 1.0)], rgba(SPIDER_RIM), 0.9)
    img = c.result()
    c2 = Canvas(W, W, SS)
    _eyes(c2, [(21.6, cy - 1.6, 1.0), (21.6, cy + 1.6, 1.0), (20.0, cy - 2.8, 0.55),
               (20.0, cy + 2.8, 0.55), (19.6, cy - 0.8, 0.45), (19.6, cy + 0.8, 0.45)], EYE_RED)
    img = glow(img, 22, cy, 6, EYE_RED, 0.5)
    from PIL import Image
    return Image.alpha_composite(img, c2.result())


def build(out):
    """Returns {name: image} for the player and spider sprites."""
    from PIL import Image
    res = {}
    for i in range(3):
        res["a_char_down%d.png" % (i + 1)] = player_front(i)
        res["a_char_top%d.png" % (i + 1)] = player_back(i)
        right = player_side(i)
        res["a_char_right%d.png" % (i + 1)] = right
        res["a_char_left%d.png" % (i + 1)] = right.transpose(Image.FLIP_LEFT_RIGHT)
    res["a_char_win1.png"] = player_front(0, win=True)
    res["a_char_win2.png"] = player_front(1, win=True)
    for i, phase in enumerate((1, 0, 3)):
        res["ai_spider_front%d.png" % (i + 1)] = spider_front(phase)
        r = spider_right(phase)
        res["ai_spider_right%d.png" % (i + 1)] = r
        res["ai_spider_left%d.png" % (i + 1)] = r.transpose(Image.FLIP_LEFT_RIGHT)
        res["a%d.png" % (i + 1)] = spider_front(i, lured=True)
    return res
