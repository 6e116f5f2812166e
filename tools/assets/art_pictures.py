"""Panels and full-window pictures: level intros, puzzle instructions, tips,
restart countdown, win and lose, a custom level's end, credits, confirmation and
the help panels.

Every text here says something true about the game: the controls are
W, A, S, D to walk, F to switch the light mode (lamp, torch, orb), the left
mouse button to throw an orb, Esc to pause; puzzles are solved by pushing
blocks so light flows from the start box to the end box.
"""
import math

from PIL import Image, ImageDraw

import art_characters
import art_world
import levels
from common import (AMBER, AMBER_DEEP, AMBER_LIGHT, BLOOD, Canvas, CREAM, GLOW, INK, NIGHT,
                    PARCHMENT, STONE, STONE_DARK, STONE_LIGHT, STONE_MID, STONE_PALE, draw_paragraph,
                    draw_text, font, glow, mix, radial, rgba, wrap)
from art_ui import plate

FW, FH = 1024, 768
MUTED = (168, 160, 148)


# ---- Building blocks ----------------------------------------------------------
def big(img, k):
    """Nearest-neighbour enlargement: game sprites shown as pixel art."""
    return img.resize((img.size[0] * k, img.size[1] * k), Image.NEAREST)


def backdrop(w, h, warm=(0.5, 0.45), warm_r=0.55, cold=False, seed=0):
    """Dark stone wall fading into a vignette, lit by one warm light."""
    img = Image.new("RGBA", (w, h), rgba(INK))
    brick = art_world.rough_wall(art_world.LOOKS[0])
    tiled = Image.new("RGBA", (w, h))
    for y in range(0, h, 50):
        for x in range(0, w, 50):
            tiled.paste(brick, (x, y))
    dim = Image.blend(Image.new("RGBA", (w, h), rgba(INK)), tiled, 0.11 if not cold else 0.08)
    img = dim
    light = AMBER if not cold else (80, 100, 140)
    img = glow(img, w * warm[0], h * warm[1], max(w, h) * warm_r, light, 0.30, power=1.5)
    vign = radial((int(w * 1.5), int(h * 1.5)), power=0.9)
    vign = vign.crop((int(w * 0.25), int(h * 0.25), int(w * 1.25), int(h * 1.25)))
    shade = Image.new("RGBA", (w, h), rgba(INK))
    shade.putalpha(vign.point(lambda v: int(210 * (1 - v / 255.0) ** 1.2)))
    return Image.alpha_composite(img, shade)


def panel(w, h, alpha=255, title=None, title_size=30):
    img = plate(w, h, radius=18, fill_top=(30, 33, 45), fill_bottom=(12, 13, 19), alpha=alpha)
    img = glow(img, w / 2, 40, w * 0.45, AMBER_DEEP, 0.25, ry=60)
    if title:
        img = draw_text(img, (w / 2, 44), title, title_size, fill=AMBER_LIGHT, halo=AMBER_DEEP)
        d = ImageDraw.Draw(img)
        tw = font(title_size).getlength(title)
        y = 44 + title_size * 0.75
        d.line([(w / 2 - tw / 2 - 10, y), (w / 2 + tw / 2 + 10, y)], fill=rgba(AMBER_DEEP), width=2)
    return img


def keycap(img, x, y, label, w=36, h=34, size=18):
    """A key cap centred at (x, y)."""
    c = Canvas(img.size[0], img.size[1], 2)
    c.rect(x - w / 2, y - h / 2 + 3, x + w / 2, y + h / 2 + 3, fill=rgba(INK), radius=6)
    c.rect(x - w / 2, y - h / 2, x + w / 2, y + h / 2, fill=rgba((70, 62, 54)), radius=6)
    c.rect(x - w / 2 + 3, y - h / 2 + 2, x + w / 2 - 3, y + h / 2 - 5, fill=rgba((112, 100, 86)), radius=5)
    img = Image.alpha_composite(img, c.result())
    return draw_text(img, (x, y - 1), label, size, fill=CREAM, shadow=False)


def mouse_icon(img, x, y, scale=1.0):
    """A mouse with its left button lit, centred at (x, y)."""
    c = Canvas(img.size[0], img.size[1], 2)
    w, h = 30 * scale, 42 * scale
    c.rect(x - w / 2, y - h / 2, x + w / 2, y + h / 2, fill=rgba((112, 100, 86)), radius=14 * scale)
    c.rect(x - w / 2 + 2, y - h / 2 + 2, x - 1, y - 2, fill=rgba(AMBER_LIGHT), radius=5 * scale)
    c.line([(x, y - h / 2 + 2), (x, y - 2)], rgba(INK), 1.5)
    c.line([(x - w / 2 + 2, y - 2), (x + w / 2 - 2, y - 2)], rgba(INK), 1.5)
    return Image.alpha_composite(img, c.result())


def paste_center(img, sprite, x, y):
    img = img.copy()
    img.alpha_composite(sprite, (int(x - sprite.size[0] / 2), int(y - sprite.size[1] / 2)))
    return img


def sparkle(img, x, y, r, color=GLOW):
    c = Canvas(img.size[0], img.size[1], 2)
    c.poly([(x, y - r), (x + r * 0.22, y), (x, y + r), (x - r * 0.22, y)], fill=rgba(color))
    c.poly([(x - r, y), (x, y + r * 0.22), (x + r, y), (x, y - r * 0.22)], fill=rgba(color))
    return Image.alpha_composite(img, c.result())


# ---- Story level intros -------------------------------------------------------
INTROS = [
    ("The Cellar", "Find the key. Open the door."),
    ("The Web Halls", "Spiders hunt by sight."),
    ("The Long Gallery", "Throw an orb. Spiders follow it."),
    ("The Roots", "Longer halls. More spiders."),
    ("The Last Lantern", "One door left."),
]


def level_map(name, ascii_map, size):
    """The level's layout, drawn as a faint map with the start lit."""
    rows = levels.rows_of(ascii_map)
    n = len(rows)
    cell = size // n
    w = cell * n
    img = Image.new("RGBA", (w, w), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    start = door = None
    spawns = []
    for r, row in enumerate(rows):
        for c, ch in enumerate(row):
            x0, y0 = c * cell, r * cell
            if ch == "#":
                d.rectangle([x0, y0, x0 + cell - 1, y0 + cell - 1], fill=rgba(STONE_MID, 150))
                d.line([(x0, y0), (x0 + cell - 1, y0)], fill=rgba(STONE_LIGHT, 150))
            else:
                d.rectangle([x0, y0, x0 + cell - 1, y0 + cell - 1], fill=rgba(STONE_DARK, 90))
            if ch == "S":
                start = (x0 + cell / 2, y0 + cell / 2)
            elif ch == "D":
                door = (x0 + cell / 2, y0 + cell / 2)
            elif ch == "x":
                spawns.append((x0 + cell / 2, y0 + cell / 2))
    for x, y in spawns:
        img = glow(img, x, y, cell * 0.9, (200, 40, 40), 0.8)
    img = glow(img, door[0], door[1], cell * 1.2, AMBER_LIGHT, 0.9)
    img = glow(img, start[0], start[1], cell * 3.0, AMBER_LIGHT, 0.75)
    img = paste_center(img, big(art_characters.player_back(0), max(1, cell // 16)),
                       start[0], start[1])
    return img


def level_intro(i):
    """Shown for about half a second, so it is read at a glance: the level's
    number and name in large letters and one short line, beside its map."""
    name, line = INTROS[i]
    ascii_map = [levels.LEVEL1, levels.LEVEL2, levels.LEVEL3, levels.LEVEL4, levels.LEVEL5][i]
    img = backdrop(FW, FH, warm=(0.72, 0.5), warm_r=0.5, seed=i)
    m = level_map(name, ascii_map, 540)
    img = paste_center(img, m, 724, 384)
    img = draw_text(img, (70, 250), "LEVEL %d" % (i + 1), 46, fill=AMBER_LIGHT, anchor="ls",
                    halo=AMBER_DEEP)
    size = 64
    while font(size).getlength(name) > 400:
        size -= 2
    img = draw_text(img, (66, 340), name, size, fill=CREAM, anchor="ls", halo=AMBER_DEEP,
                    halo_radius=10)
    d = ImageDraw.Draw(img)
    d.line([(70, 372), (420, 372)], fill=rgba(AMBER_DEEP), width=3)
    img, _ = draw_paragraph(img, 70, 398, line, 34, 360, fill=CREAM, bold=True)
    # progress: five lanterns, the current one lit
    for k in range(5):
        x = 90 + k * 56
        lit = k <= i
        c = Canvas(FW, FH, 2)
        c.ellipse(x, 620, 13, 13, fill=rgba(AMBER if lit else STONE))
        c.ellipse(x, 620, 7, 7, fill=rgba(GLOW if k == i else (AMBER_LIGHT if lit else STONE_DARK)))
        img = Image.alpha_composite(img, c.result())
        if k == i:
            img = glow(img, x, 620, 34, AMBER_LIGHT, 0.6)
    return img


# ---- Puzzle instructions ------------------------------------------------------
def _tex(name):
    return _WORLD[name]


_WORLD = {}


def _beam(img, x0, y0, x1, y1, color):
    layer = Image.new("RGBA", img.size, (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    d.line([(x0, y0), (x1, y1)], fill=rgba(color, 120), width=14)
    d.line([(x0, y0), (x1, y1)], fill=rgba(color), width=6)
    d.line([(x0, y0), (x1, y1)], fill=rgba(GLOW), width=2)
    return Image.alpha_composite(img, layer)


def puzzle_diagram(img, x, y, solved):
    """Start box, beam, crate, box: the moth pushes the crate out of the beam."""
    k = 2
    sx, bx = x, x + 420
    img = _beam(img, sx + 50, y, (bx - 50) if solved else (x + 160), y, AMBER_LIGHT)
    img = paste_center(img, big(_tex("box_start.png"), k), sx, y)
    img = paste_center(img, big(_tex("box_lighted.png" if solved else "box_notlighted.png"), k), bx, y)
    crate_y = y - 78 if solved else y
    img = paste_center(img, big(_tex("moveblock1.png"), k), x + 210, crate_y)
    img = paste_center(img, big(art_characters.player_back(1), 2), x + 210, crate_y + 70)
    if solved:
        img = glow(img, bx, y, 90, AMBER_LIGHT, 0.5)
    return img


def instruction_picture(advanced, frame):
    img = backdrop(FW, FH, warm=(0.5, 0.42), warm_r=0.45)
    img = draw_text(img, (FW / 2, 92), "THE LIGHT PUZZLE", 46, fill=CREAM, halo=AMBER_DEEP,
                    halo_radius=10)
    sub = ("Bring the light from the start box to the end box." if not advanced else
           "Bring the light home, past arrows and danger.")
    img = draw_text(img, (FW / 2, 142), sub, 22, fill=AMBER_LIGHT)
    img = puzzle_diagram(img, 302, 292, solved=frame == 1)
    rules = [
        ("Walk into a block to push it.", None),
        ("Light leaves the start box and jumps from box to box. A block in its path "
         "stops it.", None),
    ]
    if advanced:
        rules += [("Arrow blocks catch the light and send it on in the arrow's direction.",
                   "directionright_lighted.png"),
                  ("If light touches a red danger block, the puzzle starts over.", "dangerblock.png")]
    else:
        rules += [("When every box is lit, a memory appears. Pick it up to go on.",
                   "memories.png")]
    y = 414
    for text, icon in rules:
        if icon:
            ic = _tex(icon).copy()
            if icon == "dangerblock.png":
                r, g, b, a = ic.split()
                ic = Image.merge("RGBA", (r, g.point(lambda v: 0), b.point(lambda v: 0), a))
            if icon == "memories.png":
                ic = ic.resize((50, 50), Image.BOX)
            img = paste_center(img, ic, 222, y + 14)
        else:
            c = Canvas(FW, FH, 2)
            c.poly([(222, y + 6), (230, y + 14), (222, y + 22), (214, y + 14)], fill=rgba(AMBER))
            img = Image.alpha_composite(img, c.result())
        img, y2 = draw_paragraph(img, 262, y, text, 20, 580, fill=CREAM)
        y = max(y2, y + 40) + 12
    pulse = AMBER_LIGHT if frame == 0 else GLOW
    img = draw_text(img, (FW / 2, 722), "Click to begin", 26, fill=pulse,
                    halo=AMBER if frame == 1 else AMBER_DEEP, halo_radius=8)
    return img


# ---- Panels in the menus ------------------------------------------------------
def controls_rows(img, x, y, step, size, cap, width):
    rows = [
        (("W", "A", "S", "D"), "Walk"),
        (("F",), "Switch light: lamp, torch, orb"),
        (("mouse",), "Throw an orb (in orb mode)"),
        (("Esc",), "Pause"),
    ]
    for keys, text in rows:
        kx = x
        for k in keys:
            if k == "mouse":
                img = mouse_icon(img, kx + cap / 2, y, cap / 36.0)
                kx += cap + 6
            else:
                kw = cap if len(k) == 1 else cap * 1.4
                img = keycap(img, kx + kw / 2, y, k, kw, cap * 0.95, int(cap * 0.5))
                kx += kw + 4
        tx = x + (4 * (cap + 4)) + 10
        img, _ = draw_paragraph(img, tx, y - size * 0.7, text, size, width - (tx - x), fill=CREAM)
        y += step
    return img


def control_menu():
    w = h = 300
    img = panel(w, h, title="CONTROLS", title_size=24)
    img = controls_rows(img, 16, 98, 46, 14, 26, 276)
    img = draw_text(img, (w / 2, 272), "Find the key. Reach the trap door.", 13,
                    fill=AMBER_LIGHT)
    return img


def credits_panel():
    w = h = 500
    img = panel(w, h, title="CREDITS", title_size=30)
    img = draw_text(img, (w / 2, 112), "MOTH LANTERN", 28, fill=CREAM, halo=AMBER_DEEP)
    img = draw_text(img, (w / 2, 142), "built on its own Tarn engine", 16, fill=MUTED)
    img = draw_text(img, (w / 2, 190), "MADE WITH", 16, fill=AMBER_LIGHT)
    libs = ["SDL2  \u00b7  GLEW  \u00b7  OpenGL", "FreeType  \u00b7  fontconfig  \u00b7  libpng",
            "GoogleTest  \u00b7  Pillow  \u00b7  DejaVu fonts"]
    for i, line in enumerate(libs):
        img = draw_text(img, (w / 2, 222 + i * 30), line, 18, fill=CREAM)
    img, _ = draw_paragraph(img, w / 2, 326, "Every picture, sound and level of the game is "
                            "made from code by the project's own asset generator.", 15, 400,
                            fill=MUTED, align="center")
    img = draw_text(img, (w / 2, 392), "Thank you for playing.", 17, fill=AMBER_LIGHT)
    return img


def confirmation():
    w, h = 400, 150
    img = panel(w, h)
    img = draw_text(img, (w / 2, 30), "Are you sure?", 26, fill=CREAM, halo=AMBER_DEEP)
    img = draw_text(img, (w / 2, 58), "This level's progress will be lost.", 14, fill=MUTED)
    return img


def pause_instructions():
    w = h = 500
    img = panel(w, h, alpha=245, title="HOW TO PLAY", title_size=28)
    img = controls_rows(img, 36, 118, 54, 18, 34, 430)
    y = 336
    for text in ("Find the key; it opens the trap door.",
                 "Spiders bite when they catch you.",
                 "Batteries refill your light."):
        c = Canvas(w, h, 2)
        c.poly([(40, y + 4), (46, y + 10), (40, y + 16), (34, y + 10)], fill=rgba(AMBER))
        img = Image.alpha_composite(img, c.result())
        img = draw_text(img, (58, y + 10), text, 17, fill=CREAM, anchor="lm")
        y += 26
    return img


def puzzle_instructions():
    w = h = 500
    img = panel(w, h, alpha=245, title="LIGHT PUZZLE", title_size=28)
    items = [
        ("moveblock1.png", "Walk into a block to push it out of the light's path."),
        ("box_lighted.png", "Light flows from the start box to the end box, box by box."),
        ("directionright_lighted.png", "Arrow blocks send light on in their direction."),
        ("dangerblock.png", "Light on a red danger block restarts the puzzle."),
        ("memories.png", "All lit? Take the memory that appears."),
    ]
    y = 100
    for icon, text in items:
        ic = _tex(icon).copy()
        if icon == "dangerblock.png":
            r, g, b, a = ic.split()
            ic = Image.merge("RGBA", (r, g.point(lambda v: 0), b.point(lambda v: 0), a))
        ic = ic.resize((40, 40), Image.BOX)
        img = paste_center(img, ic, 60, y + 12)
        img, _ = draw_paragraph(img, 94, y, text, 16, 370, fill=CREAM, line_gap=1.25)
        y += 58
    img = draw_text(img, (w / 2, 398), "W, A, S, D walk  \u00b7  Esc pause", 15, fill=MUTED)
    return img


# ---- Tips, restart, win, lose -------------------------------------------------
TIPS = [
    "Press F to switch your light: lamp, torch, orb.",
    "The torch drains charge. Batteries refill it.",
    "Orb mode: click to throw. Spiders follow its light.",
    "Find the key first. It opens the trap door.",
]


def tip(i):
    w, h = 200, 80
    img = panel(w, h, alpha=230)
    img = draw_text(img, (14, 16), "TIP %d/4" % (i + 1), 11, fill=AMBER_LIGHT, anchor="lm",
                    shadow=False)
    img, _ = draw_paragraph(img, 14, 28, TIPS[i], 13, 176, fill=CREAM, line_gap=1.25,
                            shadow=False)
    return img


def restart(i):
    w = h = 500
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    c = Canvas(w, h, 2)
    c.ellipse(250, 250, 230, 230, fill=(10, 8, 12, 225))
    c.ellipse(250, 250, 230, 230, outline=rgba((150, 30, 30)), width=4)
    c.ellipse(250, 250, 214, 214, outline=rgba((90, 20, 22)), width=2)
    img = Image.alpha_composite(img, c.result())
    # the countdown ring empties as the number falls
    frac = [1.0, 2 / 3.0, 1 / 3.0][i]
    d = ImageDraw.Draw(img)
    d.arc([60, 60, 440, 440], -90, -90 + 360 * frac, fill=rgba(BLOOD), width=10)
    img = glow(img, 250, 240, 150, (200, 40, 30), 0.35)
    img = draw_text(img, (250, 105), "DANGER", 30, fill=(255, 120, 100))
    img = draw_text(img, (250, 222), str(3 - i), 140, fill=CREAM, halo=BLOOD, halo_radius=14)
    img = draw_text(img, (250, 318), "Light touched a danger block.", 17, fill=CREAM)
    img = draw_text(img, (250, 344), "The puzzle starts over.", 17, fill=MUTED)
    return img


def win_picture(frame):
    img = backdrop(FW, FH, warm=(0.5, 0.45), warm_r=0.75)
    img = glow(img, FW / 2, 330, 360 if frame == 0 else 390, AMBER_LIGHT, 0.45)
    moth = big(art_characters.player_front(frame, win=True), 7)
    img = paste_center(img, moth, FW / 2, 330)
    mem = _tex("memories.png")
    for k in range(5):
        a = math.pi * (1.1 + 0.2 * k) + (0.02 if frame else 0)
        x, y = FW / 2 + math.cos(a) * 300, 380 + math.sin(a) * 230
        img = paste_center(img, mem, x, y)
    for x, y, r in ((190, 160, 14), (840, 200, 12), (250, 520, 10), (790, 540, 16),
                    (120, 380, 9), (900, 390, 11)):
        img = sparkle(img, x + (6 if frame else 0), y - (6 if frame else 0), r if frame == 0 else r * 0.7)
    img = draw_text(img, (FW / 2, 590), "ALL FIVE MEMORIES", 50, fill=CREAM, halo=AMBER,
                    halo_radius=12)
    img = draw_text(img, (FW / 2, 642), "The lantern remembers the way home.", 24,
                    fill=AMBER_LIGHT)
    img = draw_text(img, (FW / 2, 712), "Click to return to the menu", 20,
                    fill=MUTED if frame == 0 else CREAM)
    return img


def lose_picture(frame):
    img = backdrop(FW, FH, warm=(0.5, 0.5), warm_r=0.45, cold=True)
    img = glow(img, FW / 2, 370, 120 if frame == 0 else 90, AMBER_DEEP, 0.5)
    import art_ui
    lantern = art_ui.lamp_icon().rotate(78, resample=Image.BICUBIC)
    if frame == 1:
        lantern = Image.blend(Image.new("RGBA", lantern.size, (0, 0, 0, 0)), lantern, 0.7)
    img = paste_center(img, big(lantern, 3), FW / 2, 360)
    spider = art_characters.spider_front(1 if frame == 0 else 3)
    for x, y, k in ((240, 230, 5), (790, 200, 4), (870, 400, 4), (150, 420, 4)):
        s = big(spider, k)
        img = paste_center(img, s, x + (8 if frame else 0), y)
    shade = Image.new("RGBA", (FW, FH), (0, 0, 0, 70))
    img = Image.alpha_composite(img, shade)
    img = draw_text(img, (FW / 2, 540), "THE DARK TOOK YOU", 54, fill=(220, 206, 196),
                    halo=(120, 20, 20), halo_radius=12)
    img = draw_text(img, (FW / 2, 596), "You fell in the dark. The level waits for you.", 24,
                    fill=MUTED)
    img = draw_text(img, (FW / 2, 690), "Click to try again", 24,
                    fill=CREAM if frame == 0 else AMBER_LIGHT, halo=AMBER_DEEP)
    return img


def level_complete():
    """Shown when the wanderer steps through the door of a level made in the
    editor, on the way back to the menu."""
    img = backdrop(FW, FH, warm=(0.5, 0.42), warm_r=0.6)
    img = glow(img, FW / 2, 300, 240, AMBER_LIGHT, 0.45)
    door = big(_tex("trapdoorOpen.png"), 4)
    img = paste_center(img, door, FW / 2, 330)
    moth = big(art_characters.player_front(0, win=True), 4)
    img = paste_center(img, moth, FW / 2, 250)
    for x, y, r in ((330, 220, 10), (700, 240, 12), (380, 430, 8), (650, 420, 9)):
        img = sparkle(img, x, y, r)
    img = draw_text(img, (FW / 2, 540), "LEVEL COMPLETE", 54, fill=CREAM, halo=AMBER,
                    halo_radius=12)
    img = draw_text(img, (FW / 2, 596), "You walked your own level to its door.", 24,
                    fill=AMBER_LIGHT)
    img = draw_text(img, (FW / 2, 690), "Back to the menu", 20, fill=MUTED)
    return img


def build(world_textures):
    _WORLD.update(world_textures)
    res = {}
    for i in range(5):
        res["level%d_transition.png" % (i + 1)] = level_intro(i)
    res["i_puzzle1.png"] = instruction_picture(False, 0)
    res["i_puzzle1_1.png"] = instruction_picture(False, 1)
    res["i_puzzle2.png"] = instruction_picture(True, 0)
    res["i_puzzle2_1.png"] = instruction_picture(True, 1)
    for i in range(4):
        res["tips%d.png" % (i + 1)] = tip(i)
    for i in range(3):
        res["restart%d.png" % (i + 1)] = restart(i)
    res["win.png"] = win_picture(0)
    res["win_1.png"] = win_picture(1)
    res["lose.png"] = lose_picture(0)
    res["lose_1.png"] = lose_picture(1)
    res["level_complete.png"] = level_complete()
    res["credits.png"] = credits_panel()
    res["confirmation.png"] = confirmation()
    res["pause_instructions.png"] = pause_instructions()
    res["puzzle_instructions.png"] = puzzle_instructions()
    res["control_menu.png"] = control_menu()
    return res
