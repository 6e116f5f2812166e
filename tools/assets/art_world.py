"""Tiles, pick-ups and light-puzzle pieces.

Tiles are 50 x 50 (one cell of 50 world units, drawn at 1:1 in the
1024 x 768 view). Walls, rocks, trap doors, keys and batteries are drawn
additively over the dark floor, so their darkest colours fade into the
floor and only their lit surfaces show.
"""
import math

from PIL import Image, ImageChops, ImageDraw

from common import (AMBER, AMBER_DEEP, AMBER_LIGHT, Canvas, CREAM, GLOW, INK, IRON, NIGHT,
                    STONE, STONE_DARK, STONE_LIGHT, STONE_MID, STONE_PALE, WOOD, WOOD_DARK,
                    add_light, fractal_noise, glow, grain, mix, radial, rgba, rng, tile_blur,
                    tint_map, value_noise)

T = 50


# ---- Seamless stone -----------------------------------------------------------
def _shade(base, noise, amount):
    """Modulates an RGBA image by an L noise image (+-amount around 128)."""
    lut = [max(0, min(255, 128 + int((v - 128) * amount / 128.0))) for v in range(256)]
    n = noise.point(lut)
    rgb = base.convert("RGB")
    light = Image.merge("RGB", (n, n, n))
    # overlay-like: out = base + (n - 128)
    out = ImageChops.add(rgb, light, scale=1.0, offset=-128)
    out.putalpha(base.getchannel("A"))
    return out


# ---- The five story places ----------------------------------------------------
# Each story level is a place of its own: its wall stone and its floor. Level1
# uses the named pictures (o_wall.png, o_floor_scaled.png), which the menu room
# and the puzzle rooms share; Level2 to Level5 use o_wallN.png and
# o_floor_scaledN.png. Stone colours are as the lantern shows them.
LOOKS = [
    # The Cellar: warm brown rubble-stone, cracked flagstones.
    dict(seed=101, dark=(112, 86, 64), light=(236, 198, 152), mortar=(30, 22, 17),
         courses=((17, 3), (16, 2), (17, 3)), wall_detail=None,
         floor=((3, 3, 4), (13, 12, 13)), floor_detail="pebbles"),
    # The Web Halls: grey stone hung with old webs, webs across the floor.
    dict(seed=202, dark=(104, 98, 92), light=(222, 212, 196), mortar=(28, 26, 26),
         courses=((25, 2), (25, 3)), wall_detail="webs",
         floor=((3, 3, 5), (12, 12, 15)), floor_detail="webs"),
    # The Long Gallery: long dressed ochre blocks, long floor slabs.
    dict(seed=303, dark=(124, 92, 56), light=(244, 200, 132), mortar=(34, 24, 14),
         courses=((16, 1), (17, 2), (17, 1)), wall_detail=None,
         floor=((4, 3, 3), (14, 12, 10)), floor_detail="slabs"),
    # The Roots: mossy stone split by roots, roots under foot.
    dict(seed=404, dark=(100, 94, 66), light=(214, 198, 144), mortar=(24, 22, 14),
         courses=((12, 3), (13, 2), (12, 3), (13, 2)), wall_detail="roots",
         floor=((3, 3, 2), (12, 12, 9)), floor_detail="roots"),
    # The Last Lantern: scorched red-brown stone with embers, ash on the floor.
    dict(seed=505, dark=(120, 70, 50), light=(238, 164, 120), mortar=(26, 12, 8),
         courses=((25, 3), (25, 2)), wall_detail="embers",
         floor=((4, 2, 2), (14, 10, 9)), floor_detail="embers"),
]


def _stone_outline(r, x0, y0, wd, hgt):
    """A rough block: its corners and edge midpoints pushed in a little."""
    def j():
        return r.uniform(0.6, 2.2)
    return [(x0 + j(), y0 + j()), (x0 + wd / 2, y0 + j() * 0.6), (x0 + wd - j(), y0 + j()),
            (x0 + wd - j() * 0.6, y0 + hgt / 2), (x0 + wd - j(), y0 + hgt - j()),
            (x0 + wd / 2, y0 + hgt - j() * 0.6), (x0 + j(), y0 + hgt - j()),
            (x0 + j() * 0.6, y0 + hgt / 2)]


def _wall_detail(img, kind, r):
    """Webs, roots or embers over the stone, wrapping across tile edges."""
    if kind is None:
        return img
    c = Canvas(T, T, 4)
    if kind == "webs":
        cx, cy = r.uniform(0, T), r.uniform(0, T)
        for k in range(7):
            a = k * 0.9 + r.uniform(-0.2, 0.2)
            for ox in (-T, 0, T):
                for oy in (-T, 0, T):
                    c.line([(cx + ox, cy + oy), (cx + ox + math.cos(a) * 30,
                                                 cy + oy + math.sin(a) * 30)],
                           (236, 232, 222, 110), 0.35)
        img = Image.alpha_composite(img, c.result())
    elif kind == "roots":
        for _ in range(2):
            y, pts = r.uniform(0, T), []
            phase = r.uniform(0, 6.28)
            for i in range(11):
                x = i * T / 10.0
                pts.append((x, y + math.sin(phase + x * 2 * math.pi / T) * 6))
            for ox in (-T, 0, T):
                for oy in (-T, 0, T):
                    moved = [(x + ox, y + oy) for x, y in pts]
                    c.thick_line(moved, rgba((40, 30, 18)), 3.4)
                    c.line([(x, y - 0.9) for x, y in moved], rgba((120, 96, 58)), 0.8)
        img = Image.alpha_composite(img, c.result())
    elif kind == "embers":
        for _ in range(4):
            x, y = r.uniform(3, T - 3), r.uniform(3, T - 3)
            img = glow(img, x, y, 4.5, (255, 120, 40), 0.9, power=1.2)
    return img


def rough_wall(look):
    """Rough stone blocks as the lantern shows them, seamless on all sides.

    Walls are drawn only where light falls (they fade to nothing in the
    dark), so this is lit stone: warm, bright faces and dark joints.
    """
    r = rng(look["seed"])
    c = Canvas(T, T, 4, bg=rgba(look["mortar"]))
    y0 = 0
    for hgt, count in look["courses"]:
        cuts = sorted(r.uniform(0, T) for _ in range(count))
        spans = [(cuts[i], (cuts[(i + 1) % count] - cuts[i]) % T or T) for i in range(count)]
        for x0, wd in spans:
            col = mix(look["dark"], look["light"], 0.35 + 0.55 * r.random())
            outline = _stone_outline(r, x0, y0, wd, hgt)
            for dx in (-T, 0, T):
                pts = [(x + dx, y) for x, y in outline]
                c.poly(pts, fill=rgba(mix(col, look["mortar"], 0.45)))
                c.poly([(x + 0.8, y + 0.8) for x, y in pts[:6]] + [pts[6]],
                       fill=rgba(col))
                c.line(pts[6:] + pts[:3], rgba(mix(col, (255, 236, 200), 0.35)), 0.9)
        y0 += hgt
    img = c.result()
    img = _shade(img, fractal_noise(T, T, look["seed"] + 1, cells=(25, 10, 5),
                                    weights=(0.35, 0.35, 0.3)), 64)
    img = _shade(img, grain(T, T, look["seed"] + 2, 24), 22)
    return _wall_detail(img, look["wall_detail"], r)


def floor_tile():
    """A lantern-lit flagstone (editor palette and particle flecks)."""
    base = Image.new("RGBA", (T, T), rgba((40, 34, 30)))
    d = ImageDraw.Draw(base)
    r = rng(21)
    for (x0, y0, x1, y1) in ((0, 0, 25, 25), (25, 0, 50, 25), (0, 25, 25, 50), (25, 25, 50, 50)):
        col = mix((104, 88, 70), (140, 118, 90), r.random())
        d.rectangle([x0 + 1, y0 + 1, x1 - 2, y1 - 2], fill=rgba(col))
        d.line([(x0 + 1, y0 + 1), (x1 - 2, y0 + 1)], fill=rgba(mix(col, CREAM, 0.3)))
        d.line([(x0 + 1, y1 - 2), (x1 - 2, y1 - 2)], fill=rgba(mix(col, INK, 0.35)))
    img = _shade(base, fractal_noise(T, T, 22, cells=(25, 10, 5), weights=(0.4, 0.35, 0.25)), 30)
    return _shade(img, grain(T, T, 23, 16), 12)


def _floor_detail(img, kind, r):
    """The level's own faint floor marks, drawn wrapped so the floor stays seamless."""
    w, h = img.size
    c = Canvas(w, h, 2)
    copies = [(ox, oy) for ox in (-w, 0, w) for oy in (-h, 0, h)]
    if kind == "pebbles":
        for _ in range(70):
            x, y, rad = r.uniform(0, w), r.uniform(0, h), r.uniform(1.5, 4.0)
            for ox, oy in copies:
                c.ellipse(x + ox, y + oy, rad, rad * 0.8, fill=(24, 22, 22, 110))
    elif kind == "webs":
        for _ in range(5):
            x, y, size = r.uniform(0, w), r.uniform(0, h), r.uniform(40, 80)
            spokes = [r.uniform(0, 6.28) for _ in range(8)]
            for ox, oy in copies:
                for a in spokes:
                    c.line([(x + ox, y + oy), (x + ox + math.cos(a) * size,
                                               y + oy + math.sin(a) * size)], (40, 40, 46, 120), 0.6)
                for k in (0.3, 0.55, 0.8):
                    ring = [(x + ox + math.cos(a) * size * k, y + oy + math.sin(a) * size * k)
                            for a in sorted(spokes)]
                    c.line(ring + ring[:1], (40, 40, 46, 90), 0.5)
    elif kind == "slabs":
        for row in range(0, h, 48):
            for ox, oy in copies:
                c.line([(ox, row + oy), (w + ox, row + oy)], (0, 0, 0, 150), 1.2)
            x = r.uniform(0, w)
            for _ in range(3):
                x = (x + r.uniform(130, 200)) % w
                for ox, oy in copies:
                    c.line([(x + ox, row + oy), (x + ox, row + 48 + oy)], (0, 0, 0, 150), 1.2)
    elif kind == "roots":
        for _ in range(6):
            x, y, a = r.uniform(0, w), r.uniform(0, h), r.uniform(0, 6.28)
            pts = []
            for i in range(24):
                a += r.uniform(-0.35, 0.35)
                x, y = x + math.cos(a) * 12, y + math.sin(a) * 12
                pts.append((x, y))
            width = r.uniform(3.0, 6.0)
            for ox, oy in copies:
                moved = [(px + ox, py + oy) for px, py in pts]
                c.thick_line(moved, (20, 15, 10, 200), width)
                c.line([(px - 0.8, py - 0.8) for px, py in moved], (30, 23, 16, 160), 0.8)
    elif kind == "embers":
        for _ in range(160):
            x, y = r.uniform(0, w), r.uniform(0, h)
            col = (46, 20, 8, 200) if r.random() < 0.3 else (22, 21, 20, 150)
            for ox, oy in copies:
                c.ellipse(x + ox, y + oy, 1.3, 1.3, fill=col)
    return Image.alpha_composite(img, c.result())


def dark_floor(look):
    """The drifting floor under a level: nearly black with a faint texture.

    It is drawn opaque under everything, so it is what an unlit cell shows:
    worn slabs, cracks and the level's own marks, barely there and nothing
    like a wall. The lantern's light, added on top, is what reveals it.
    """
    w, h = 512, 384
    seed = look["seed"]
    shade = fractal_noise(w, h, seed + 10, cells=(128, 64, 16, 4), weights=(0.35, 0.3, 0.2, 0.15))
    img = tint_map(shade, *look["floor"])
    # Cracks: where two smooth noises pass their middle value.
    for cell, alpha in ((64, 130), (32, 90)):
        n = value_noise(w, h, cell, seed + cell)
        crack = n.point(lambda v, a=alpha: a if 125 <= v <= 131 else 0)
        ink = Image.new("RGBA", (w, h), (0, 0, 0, 255))
        ink.putalpha(crack)
        img = Image.alpha_composite(img, ink)
    img = _floor_detail(img, look["floor_detail"], rng(seed + 20))
    return _shade(img, grain(w, h, seed + 30, 4), 3)


def black_tile():
    return Image.new("RGBA", (16, 16), (0, 0, 0, 255))


def rocks():
    """Rubble for the puzzle rooms' border ring (seamless)."""
    size = T
    big = Image.new("RGBA", (size * 3, size * 3), rgba((10, 11, 15)))
    c = Canvas(size * 3, size * 3, 4, bg=rgba((10, 11, 15)))
    r = rng(41)
    stones = []
    for _ in range(11):
        stones.append((r.uniform(0, size), r.uniform(0, size), r.uniform(7, 13), r.uniform(6, 10),
                       r.random()))
    for x, y, rx, ry, s in sorted(stones, key=lambda t: t[1]):
        for ox in (0, size, 2 * size):
            for oy in (0, size, 2 * size):
                cx, cy = x + ox, y + oy
                col = mix(STONE, STONE_LIGHT, s * 0.7)
                c.ellipse(cx, cy + 1.5, rx, ry, fill=rgba((12, 13, 18)))
                c.ellipse(cx, cy, rx, ry, fill=rgba(mix(col, STONE_DARK, 0.4)))
                c.ellipse(cx - rx * 0.15, cy - ry * 0.2, rx * 0.8, ry * 0.72, fill=rgba(col))
                c.ellipse(cx - rx * 0.35, cy - ry * 0.42, rx * 0.35, ry * 0.28,
                          fill=rgba(mix(col, STONE_PALE, 0.6)))
    big = c.result().crop((size, size, 2 * size, 2 * size))
    return _shade(big, grain(T, T, 42, 18), 12)


# ---- Trap doors and the control panel ----------------------------------------
def _stone_frame(c, inset=0):
    c.rect(0, 0, T, T, fill=rgba(STONE_DARK))
    c.rect(1 + inset, 1 + inset, T - 1 - inset, T - 1 - inset, fill=rgba(STONE_MID))
    c.rect(4 + inset, 4 + inset, T - 4 - inset, T - 4 - inset, fill=rgba(STONE_DARK))


def trapdoor(opened):
    c = Canvas(T, T, 4)
    _stone_frame(c)
    if not opened:
        for i in range(4):
            x0 = 6 + i * 9.5
            col = mix(WOOD, (150, 100, 58), (i % 2) * 0.35)
            c.rect(x0, 6, x0 + 9, 44, fill=rgba(col))
            c.line([(x0 + 1.5, 8), (x0 + 1.5, 42)], rgba(mix(col, (190, 140, 90), 0.4)), 0.8)
        for y in (12, 38):
            c.rect(6, y - 2.2, 44, y + 2.2, fill=rgba(IRON))
            c.rect(6, y - 2.2, 44, y - 1.2, fill=rgba((110, 112, 122)))
            for x in (9, 25, 41):
                c.ellipse(x, y, 1.1, 1.1, fill=rgba((150, 150, 160)))
        c.ellipse(25, 25, 3.4, 3.4, outline=rgba((170, 170, 180)), width=1.3)
        img = c.result()
        return _shade(img, grain(T, T, 51, 16), 10)
    # open: the lid stands up at the top, light rises from below
    c.rect(6, 6, 44, 44, fill=rgba((30, 16, 8)))
    img = c.result()
    img = add_light(img, 25, 30, 22, (190, 110, 40), 1.0, power=1.3)
    c = Canvas(T, T, 4)
    c.img = img.resize((T * 4, T * 4), Image.NEAREST)
    c.d = ImageDraw.Draw(c.img)
    for y in (16, 25, 34, 42):
        c.rect(15, y, 35, y + 2, fill=rgba((120, 80, 44)))
    c.rect(13, 12, 15.5, 45, fill=rgba((110, 72, 40)))
    c.rect(34.5, 12, 37, 45, fill=rgba((110, 72, 40)))
    c.rect(4, 1.5, 46, 7.5, fill=rgba(WOOD))
    c.rect(4, 1.5, 46, 3, fill=rgba((160, 110, 64)))
    c.rect(4, 5.5, 46, 7.5, fill=rgba(IRON))
    return c.result()


def control_box():
    """The wall panel in the menu room whose lit face reveals the controls."""
    c = Canvas(T, T, 4)
    c.rect(0, 0, T, T, fill=rgba(STONE_DARK))
    c.rect(2, 2, T - 2, T - 2, fill=rgba(STONE_MID), radius=3)
    c.rect(5, 5, T - 5, T - 5, fill=rgba(STONE), radius=2)
    # four key caps in the W A S D pattern, engraved and glowing
    caps = [(25, 17), (15, 30), (25, 30), (35, 30)]
    for x, y in caps:
        c.rect(x - 4.5, y - 4.5, x + 4.5, y + 4.5, fill=rgba(STONE_DARK), radius=1.5)
        c.rect(x - 3.5, y - 3.5, x + 3.5, y + 3.5, fill=rgba(mix(AMBER_DEEP, AMBER, 0.5)), radius=1)
    img = c.result()
    for x, y in caps:
        img = glow(img, x, y, 7, AMBER_LIGHT, 0.5)
    from common import draw_text
    for (x, y), ch in zip(caps, "WASD"):
        img = draw_text(img, (x, y), ch, 7, fill=(255, 240, 210), shadow=False)
    return _shade(img, grain(T, T, 61, 10), 8)


# ---- Pick-ups -----------------------------------------------------------------
def _spark(img, x, y, r):
    """A bright four-pointed glint: what a pick-up shows from afar in the dark,
    where the game draws it faintly."""
    img = glow(img, x, y, r * 1.6, GLOW, 0.8, power=1.3)
    c = Canvas(img.size[0], img.size[1], 6)
    c.poly([(x, y - r), (x + r * 0.16, y), (x, y + r), (x - r * 0.16, y)], fill=rgba((255, 250, 230)))
    c.poly([(x - r, y), (x, y + r * 0.16), (x + r, y), (x, y - r * 0.16)], fill=rgba((255, 250, 230)))
    return Image.alpha_composite(img, c.result())


def key():
    c = Canvas(T, T, 6)
    gold = (230, 170, 70)
    dark = (150, 92, 30)
    # shaft along the diagonal
    c.thick_line([(17, 33), (39, 11)], rgba(dark), 5.2)
    c.thick_line([(17, 33), (39, 11)], rgba(gold), 3.4)
    c.thick_line([(33, 17), (37.5, 21.5)], rgba(gold), 3.2)
    c.thick_line([(37, 13), (41, 17)], rgba(gold), 3.0)
    # bow shaped like a pair of wings
    c.ellipse(13, 37, 9, 9, fill=rgba(dark))
    c.ellipse(13, 37, 7.4, 7.4, fill=rgba(gold))
    c.ellipse(13, 37, 3.2, 3.2, fill=rgba((40, 24, 10)))
    c.ellipse(10.5, 34.0, 2.2, 1.6, fill=rgba((255, 232, 170)))
    c.thick_line([(22, 28.5), (34, 16.5)], rgba((255, 226, 150)), 0.9)
    img = c.result()
    img = glow(img, 22, 28, 25, AMBER_LIGHT, 0.35)
    return _spark(img, 13, 37, 11)


def battery():
    s = 30
    c = Canvas(s, s, 8)
    c.rect(11.5, 3, 18.5, 6.5, fill=rgba((170, 170, 180)), radius=1)
    c.rect(7, 5.5, 23, 27.5, fill=rgba((120, 124, 136)), radius=3)
    c.rect(8.5, 7, 21.5, 26, fill=rgba((28, 30, 40)), radius=2)
    for i in range(3):
        y = 22.5 - i * 6.0
        c.rect(10, y - 2.2, 20, y + 2.2, fill=rgba(mix(AMBER, GLOW, 0.3 + 0.25 * i)), radius=1)
    c.rect(9.5, 7.5, 11.0, 25.5, fill=rgba((200, 200, 210, 120)))
    img = c.result()
    img = glow(img, 15, 16, 15, AMBER_LIGHT, 0.35)
    return _spark(img, 15, 16, 8)


def light_orb():
    s = 60
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    img = glow(img, 30, 30, 30, AMBER, 0.55, power=1.4)
    img = glow(img, 30, 30, 19, AMBER_LIGHT, 0.9, power=1.2)
    img = glow(img, 30, 30, 11, GLOW, 1.0, power=0.8)
    img = glow(img, 27, 27, 5, (255, 255, 245), 1.0, power=0.6)
    return img


def memory():
    """A shard of remembered light: a faceted crystal with a flame inside."""
    s = 60
    c = Canvas(s, s, 6)
    outer = [(30, 7), (44, 24), (30, 53), (16, 24)]
    c.poly(outer, fill=rgba((120, 150, 190)))
    c.poly([(30, 7), (44, 24), (30, 27)], fill=rgba((200, 220, 240)))
    c.poly([(30, 7), (30, 27), (16, 24)], fill=rgba((160, 185, 220)))
    c.poly([(16, 24), (30, 27), (30, 53)], fill=rgba((96, 120, 168)))
    c.poly([(44, 24), (30, 53), (30, 27)], fill=rgba((130, 150, 196)))
    img = c.result()
    img = add_light(img, 30, 30, 14, (255, 170, 70), 1.0, power=1.1)
    img = glow(img, 30, 30, 30, AMBER_LIGHT, 0.45, power=1.8)
    c2 = Canvas(s, s, 6)
    c2.poly([(30, 20), (34, 29), (30, 36), (26, 29)], fill=rgba(GLOW))
    for x, y, r in ((47, 11, 4.5), (12, 44, 3.5)):
        c2.poly([(x, y - r), (x + r * 0.25, y), (x, y + r), (x - r * 0.25, y)], fill=rgba(GLOW))
        c2.poly([(x - r, y), (x, y + r * 0.25), (x + r, y), (x, y - r * 0.25)], fill=rgba(GLOW))
    return Image.alpha_composite(img, c2.result())


# ---- Light-puzzle pieces ------------------------------------------------------
def _pedestal(ornate=False):
    c = Canvas(T, T, 4)
    c.rect(0, 0, T, T, fill=rgba(STONE_DARK))
    c.rect(1.5, 1.5, T - 1.5, T - 1.5, fill=rgba(STONE_LIGHT), radius=3)
    c.rect(4, 4, T - 4, T - 4, fill=rgba(STONE_MID), radius=2)
    if ornate:
        c.rect(7, 7, T - 7, T - 7, outline=rgba(STONE_PALE), width=1.2, radius=2)
        for x in (5.5, T - 5.5):
            for y in (5.5, T - 5.5):
                c.ellipse(x, y, 2.0, 2.0, fill=rgba((180, 150, 100)))
    c.ellipse(25, 25, 13.5, 13.5, fill=rgba(STONE_DARK))
    return c


def _lens(img, lit, ornate=False, source=False):
    c = Canvas(T, T, 4)
    if source:
        c.ellipse(25, 25, 11.5, 11.5, fill=rgba(AMBER_DEEP))
        for k in range(8):
            a = k * math.pi / 4
            c.poly([(25 + math.cos(a - 0.18) * 7, 25 + math.sin(a - 0.18) * 7),
                    (25 + math.cos(a) * 12.5, 25 + math.sin(a) * 12.5),
                    (25 + math.cos(a + 0.18) * 7, 25 + math.sin(a + 0.18) * 7)], fill=rgba(AMBER_LIGHT))
        c.ellipse(25, 25, 7.0, 7.0, fill=rgba(GLOW))
        img = Image.alpha_composite(img, c.result())
        return glow(img, 25, 25, 22, AMBER_LIGHT, 0.55)
    r = 11.5 if ornate else 10.5
    if lit:
        c.ellipse(25, 25, r, r, fill=rgba(AMBER))
        c.ellipse(25, 25, r * 0.7, r * 0.7, fill=rgba(AMBER_LIGHT))
        c.ellipse(25, 25, r * 0.4, r * 0.4, fill=rgba(GLOW))
    else:
        c.ellipse(25, 25, r, r, fill=rgba((44, 60, 84)))
        c.ellipse(25, 25, r * 0.7, r * 0.7, fill=rgba((58, 80, 110)))
        c.ellipse(22, 22, r * 0.3, r * 0.25, fill=rgba((120, 150, 186)))
    if ornate:
        # a moth-wing cut in the end box's lens
        col = rgba((70, 40, 16)) if lit else rgba((26, 34, 48))
        c.poly([(25, 21), (31, 16), (33, 22), (28, 26)], fill=col)
        c.poly([(25, 21), (19, 16), (17, 22), (22, 26)], fill=col)
        c.poly([(25, 24), (29, 29), (25, 33), (21, 29)], fill=col)
    img = Image.alpha_composite(img, c.result())
    if lit:
        img = glow(img, 25, 25, 26, AMBER_LIGHT, 0.55)
    return img


def box(kind):
    ornate = kind.startswith("end")
    ped = _pedestal(ornate).result()
    img = _lens(ped, lit=kind in ("lit", "end_lit"), ornate=ornate, source=kind == "start")
    return _shade(img, grain(T, T, 71, 10), 8)


def laser():
    """Beam cross-section, stretched along its length (tinted in game)."""
    w, h = 32, 5
    rows = [(255, 214, 150, 110), (255, 238, 200, 220), (255, 255, 248, 255),
            (255, 238, 200, 220), (255, 214, 150, 110)]
    img = Image.new("RGBA", (w, h))
    for y, col in enumerate(rows):
        for x in range(w):
            img.putpixel((x, y), col)
    return img


def move_block():
    c = Canvas(T, T, 4)
    c.rect(0, 0, T, T, fill=rgba(WOOD_DARK))
    c.rect(2, 2, T - 2, T - 2, fill=rgba(WOOD))
    for i in range(5):
        y = 4 + i * 8.6
        c.line([(4, y), (T - 4, y)], rgba(mix(WOOD, WOOD_DARK, 0.6)), 0.8)
    c.thick_line([(7, 7), (43, 43)], rgba((134, 88, 50)), 5.5)
    c.thick_line([(7, 7), (43, 43)], rgba((150, 100, 58)), 3.5)
    c.rect(2, 2, T - 2, 7, fill=rgba((138, 92, 54)))
    c.rect(2, T - 7, T - 2, T - 2, fill=rgba((120, 80, 46)))
    c.rect(2, 2, 7, T - 2, fill=rgba((130, 86, 50)))
    c.rect(T - 7, 2, T - 2, T - 2, fill=rgba((118, 78, 44)))
    for x in (4.5, T - 4.5):
        for y in (4.5, T - 4.5):
            c.rect(x - 2.6, y - 2.6, x + 2.6, y + 2.6, fill=rgba(IRON))
            c.ellipse(x, y, 1.0, 1.0, fill=rgba((150, 150, 160)))
    img = c.result()
    return _shade(img, grain(T, T, 81, 18), 10)


def danger_block():
    """Greyscale on purpose: the game tints it red."""
    c = Canvas(T, T, 4)
    c.rect(0, 0, T, T, fill=rgba((60, 60, 60)))
    c.rect(2, 2, T - 2, T - 2, fill=rgba((120, 120, 120)))
    for i in range(-3, 4):
        x = i * 14
        c.poly([(x, 2), (x + 7, 2), (x + 7 + 46, 48), (x + 46, 48)], fill=rgba((150, 150, 150)))
    c.rect(7, 7, T - 7, T - 7, fill=rgba((40, 40, 40)), radius=3)
    c.poly([(25, 10.5), (40, 38), (10, 38)], fill=rgba((255, 255, 255)))
    c.poly([(25, 15), (36, 35.5), (14, 35.5)], fill=rgba((30, 30, 30)))
    c.rect(23.3, 19.5, 26.7, 29.0, fill=rgba((255, 255, 255)), radius=1)
    c.ellipse(25, 32.3, 1.9, 1.9, fill=rgba((255, 255, 255)))
    return c.result()


def direction_block(lit):
    """Facing right; the other three are exact quarter turns of it."""
    c = Canvas(T, T, 4)
    c.rect(0, 0, T, T, fill=rgba(IRON))
    c.rect(2, 2, T - 2, T - 2, fill=rgba(STONE_LIGHT), radius=2)
    c.rect(5, 5, T - 5, T - 5, fill=rgba(STONE_DARK), radius=2)
    arrow = [(9, 20), (26, 20), (26, 11), (42, 25), (26, 39), (26, 30), (9, 30)]
    if lit:
        c.poly(arrow, fill=rgba(AMBER))
        c.poly([(11, 22.5), (28, 22.5), (28, 16.5), (38, 25), (28, 33.5), (28, 27.5), (11, 27.5)],
               fill=rgba(GLOW))
    else:
        c.poly(arrow, fill=rgba(STONE_PALE))
        c.poly([(11, 22.5), (28, 22.5), (28, 16.5), (38, 25), (28, 33.5), (28, 27.5), (11, 27.5)],
               fill=rgba(STONE_MID))
    img = c.result()
    if lit:
        img = glow(img, 30, 25, 24, AMBER_LIGHT, 0.5)
    return _shade(img, grain(T, T, 91, 8), 6)


def build():
    res = {
        "o_floor.png": floor_tile(),
        "o_black.png": black_tile(),
        "rocks.png": rocks(),
        "trapdoorClose.png": trapdoor(False),
        "trapdoorOpen.png": trapdoor(True),
        "controlbox.png": control_box(),
        "key.png": key(),
        "battery3.png": battery(),
        "lightorb.png": light_orb(),
        "memories.png": memory(),
        "box_start.png": box("start"),
        "box_notlighted.png": box("unlit"),
        "box_lighted.png": box("lit"),
        "box_end_notlighted.png": box("end_unlit"),
        "box_end.png": box("end_lit"),
        "laser1.png": laser(),
        "moveblock1.png": move_block(),
        "dangerblock.png": danger_block(),
    }
    for level, look in enumerate(LOOKS, start=1):
        suffix = "" if level == 1 else str(level)
        res["o_wall%s.png" % suffix] = rough_wall(look)
        res["o_floor_scaled%s.png" % suffix] = dark_floor(look)
    turns = {"right": None, "up": Image.ROTATE_90, "left": Image.ROTATE_180,
             "down": Image.ROTATE_270}
    for lit, tag in ((False, "notlighted"), (True, "lighted")):
        base = direction_block(lit)
        for name, op in turns.items():
            res["direction%s_%s.png" % (name, tag)] = base if op is None else base.transpose(op)
    return res
