"""Buttons, HUD pieces, sliders, the cursor, icons, the logo and the studio mark.

Sizes equal the sizes the game draws them at in its 1024 x 768 view, so
text stays crisp. Buttons are drawn translucently and tinted golden on
hover (the tint multiplies), which is why their labels are a pale cream.
"""
import math

from PIL import Image, ImageDraw, ImageFilter

import art_characters
from common import (AMBER, AMBER_DEEP, AMBER_LIGHT, BLOOD, Canvas, CREAM, GLOW, INK, NIGHT,
                    PARCHMENT, STONE, STONE_DARK, STONE_LIGHT, STONE_MID, STONE_PALE, draw_text,
                    font, glow, grain, mix, rgba, tile_blur)


# ---- Panels and buttons -------------------------------------------------------
def plate(w, h, radius=8, fill_top=(40, 44, 58), fill_bottom=(20, 22, 31), border=AMBER_DEEP,
          alpha=255, inner=True):
    """A dark rounded plate with a warm rim (RGBA, transparent corners)."""
    ss = 4
    grad = Image.new("RGBA", (w * ss, h * ss))
    gd = ImageDraw.Draw(grad)
    for y in range(h * ss):
        t = y / max(1, h * ss - 1)
        gd.line([(0, y), (w * ss, y)], fill=rgba(mix(fill_top, fill_bottom, t), alpha))
    mask = Image.new("L", (w * ss, h * ss), 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, w * ss - 1, h * ss - 1], radius=radius * ss,
                                           fill=255)
    out = Image.new("RGBA", (w * ss, h * ss), (0, 0, 0, 0))
    out.paste(grad, (0, 0), mask)
    d = ImageDraw.Draw(out)
    d.rounded_rectangle([0, 0, w * ss - 1, h * ss - 1], radius=radius * ss, outline=rgba(INK),
                        width=2 * ss)
    d.rounded_rectangle([2 * ss, 2 * ss, w * ss - 1 - 2 * ss, h * ss - 1 - 2 * ss],
                        radius=max(1, radius - 2) * ss, outline=rgba(border), width=2 * ss)
    if inner:
        d.rounded_rectangle([5 * ss, 5 * ss, w * ss - 1 - 5 * ss, h * ss - 1 - 5 * ss],
                            radius=max(1, radius - 4) * ss,
                            outline=rgba(mix(border, fill_top, 0.55), 140), width=ss)
        d.line([(6 * ss, 4 * ss), (w * ss - 6 * ss, 4 * ss)], fill=(255, 230, 190, 40), width=ss)
    return out.convert("RGBa").resize((w, h), Image.BOX).convert("RGBA")


def button(w, h, label, size):
    img = plate(w, h, radius=min(10, h // 5))
    img = glow(img, w / 2, h / 2, w * 0.42, AMBER_DEEP, 0.35, ry=h * 0.42)
    while size > 12 and font(size).getlength(label) > w - (52 if w >= 200 else 24):
        size -= 1
    if w >= 200:
        for x in (14, w - 14):
            c = Canvas(w, h, 4)
            c.poly([(x, h / 2 - 4), (x + 4, h / 2), (x, h / 2 + 4), (x - 4, h / 2)],
                   fill=rgba(AMBER))
            img = Image.alpha_composite(img, c.result())
    return draw_text(img, (w / 2, h / 2 + 1), label, size, fill=CREAM, halo=AMBER_DEEP,
                     halo_radius=5)


def frame_box(w, h):
    """HUD frame (drawn opaque): dark panel with a thin warm rim."""
    img = Image.new("RGBA", (w, h), rgba(INK))
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / max(1, h - 1)
        d.line([(0, y), (w, y)], fill=rgba(mix((26, 29, 40), (14, 16, 22), t)))
    d.rectangle([0, 0, w - 1, h - 1], outline=rgba(INK), width=1)
    d.rectangle([1, 1, w - 2, h - 2], outline=rgba(AMBER_DEEP), width=2)
    d.rectangle([3, 3, w - 4, h - 4], outline=rgba((52, 40, 30)), width=1)
    for x, y in ((2, 2), (w - 3, 2), (2, h - 3), (w - 3, h - 3)):
        d.rectangle([x - 1, y - 1, x + 1, y + 1], fill=rgba(AMBER_LIGHT))
    return img


def hp_box():
    w, h = 210, 40
    img = frame_box(w, h)
    d = ImageDraw.Draw(img)
    d.rectangle([34, 5, 202, 34], fill=rgba((8, 8, 12)))
    d.rectangle([34, 5, 202, 34], outline=rgba((40, 30, 26)))
    c = Canvas(w, h, 6)
    hx, hy = 18, 20
    c.ellipse(hx - 4, hy - 3, 5, 5, fill=rgba((150, 28, 28)))
    c.ellipse(hx + 4, hy - 3, 5, 5, fill=rgba((150, 28, 28)))
    c.poly([(hx - 9, hy - 1.5), (hx + 9, hy - 1.5), (hx, hy + 9)], fill=rgba((150, 28, 28)))
    c.ellipse(hx - 4, hy - 3.5, 3.8, 3.8, fill=rgba(BLOOD))
    c.ellipse(hx + 4, hy - 3.5, 3.8, 3.8, fill=rgba(BLOOD))
    c.poly([(hx - 7.5, hy - 2), (hx + 7.5, hy - 2), (hx, hy + 7)], fill=rgba(BLOOD))
    c.ellipse(hx - 5, hy - 5, 1.5, 1.2, fill=rgba((255, 190, 180)))
    return Image.alpha_composite(img, c.result())


def bar(w, h, rotate=False, alpha_only=False):
    """A glossy horizontal bar, uniform along its length (it is stretched)."""
    img = Image.new("RGBA", (w, h))
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / (h - 1)
        if alpha_only:
            a = int(255 * (0.62 + 0.38 * math.sin(math.pi * t) ** 0.5))
            if y in (0, h - 1):
                a = 120
            d.line([(0, y), (w, y)], fill=(255, 255, 255, a))
        else:
            v = 255 - int(120 * t) if t > 0.25 else 200 + int(220 * t)
            v = max(0, min(255, v))
            if y in (0, h - 1):
                v = 90
            d.line([(0, y), (w, y)], fill=(v, v, v, 255))
    if rotate:
        img = img.transpose(Image.ROTATE_180)
    return img


def pause_frame(w, h):
    """The translucent pause and settings panel."""
    img = plate(w, h, radius=16, fill_top=(28, 31, 42), fill_bottom=(12, 13, 19), alpha=236)
    c = Canvas(w, h, 4)
    # corner flourishes: small moth wings
    for x, y, sx, sy in ((22, 22, 1, 1), (w - 22, 22, -1, 1), (22, h - 22, 1, -1),
                         (w - 22, h - 22, -1, -1)):
        c.poly([(x, y), (x + sx * 14, y + sy * 3), (x + sx * 9, y + sy * 9), (x + sx * 3, y + sy * 14)],
               fill=rgba(AMBER_DEEP))
        c.ellipse(x + sx * 6, y + sy * 6, 2, 2, fill=rgba(AMBER_LIGHT))
    img = Image.alpha_composite(img, c.result())
    return glow(img, w / 2, h * 0.18, w * 0.45, AMBER_DEEP, 0.18, ry=h * 0.25)


def lamp_icon():
    s = 60
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    img = glow(img, 30, 33, 30, AMBER, 0.55, power=1.2)
    c = Canvas(s, s, 6)
    c.d.arc([22 * 6, 6 * 6, 38 * 6, 20 * 6], 180, 360, fill=rgba((150, 130, 100)), width=2 * 6)
    c.rect(20, 13, 40, 17, fill=rgba((96, 78, 56)), radius=1)
    c.poly([(21, 17), (39, 17), (37, 42), (23, 42)], fill=rgba((84, 66, 46)))
    c.poly([(23.5, 19), (36.5, 19), (35, 40), (25, 40)], fill=rgba(AMBER_LIGHT))
    c.ellipse(30, 31, 4, 6, fill=rgba(GLOW))
    c.rect(19, 42, 41, 47, fill=rgba((96, 78, 56)), radius=1)
    img = Image.alpha_composite(img, c.result())
    return glow(img, 30, 31, 12, GLOW, 0.6)


def torch_icon():
    s = 60
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    cone = Image.new("L", (s * 4, s * 4), 0)
    ImageDraw.Draw(cone).polygon([(24 * 4, 36 * 4), (44 * 4, -6 * 4), (66 * 4, 16 * 4)], fill=230)
    cone = cone.filter(ImageFilter.GaussianBlur(9)).resize((s, s), Image.BOX)
    beam = Image.new("RGBA", (s, s), rgba(AMBER_LIGHT))
    beam.putalpha(cone)
    img = Image.alpha_composite(img, beam)
    c = Canvas(s, s, 6)
    # a shuttered lantern aimed up and right, its cone of light before it
    c.poly([(6, 46), (20, 30), (34, 42), (20, 58)], fill=rgba((70, 54, 38)))
    c.poly([(9, 46), (20, 33), (31, 42), (20, 55)], fill=rgba((110, 86, 58)))
    c.poly([(20, 30), (27, 23), (40, 35), (34, 42)], fill=rgba((130, 104, 70)))
    c.poly([(24, 29), (28, 25.5), (37, 34), (33, 37.5)], fill=rgba(GLOW))
    c.thick_line([(10, 52), (4, 58)], rgba((150, 130, 100)), 2.0)
    img = Image.alpha_composite(img, c.result())
    return glow(img, 31, 31, 11, GLOW, 0.7)


def cursor(frame):
    """15 x 15, drawn blended: a lantern spark ring on a transparent ground,
    with a dark rim so it reads on light pictures too."""
    s = 15
    c = Canvas(s, s, 8)
    r = 5.6 if frame == 1 else 6.4
    col = AMBER_LIGHT if frame == 1 else AMBER
    dot = 1.6 if frame == 1 else 2.0
    for colour, widen in (((20, 12, 6, 200), 1.3), (rgba(col), 0.0)):
        c.ellipse(7.5, 7.5, r, r, outline=colour, width=1.3 + widen)
        for a in range(4):
            ang = a * math.pi / 2
            x0, y0 = 7.5 + math.cos(ang) * (r - 1.8), 7.5 + math.sin(ang) * (r - 1.8)
            x1, y1 = 7.5 + math.cos(ang) * (r + 1.0), 7.5 + math.sin(ang) * (r + 1.0)
            c.line([(x0, y0), (x1, y1)], colour, 1.1 + widen)
        c.ellipse(7.5, 7.5, dot + widen / 2, dot + widen / 2, fill=colour)
    c.ellipse(7.5, 7.5, dot, dot, fill=rgba(GLOW))
    return c.result()


def speaker(muted):
    s = 64
    img = plate(s, s, radius=12)
    c = Canvas(s, s, 6)
    c.poly([(15, 26), (23, 26), (34, 16), (34, 48), (23, 38), (15, 38)], fill=rgba(CREAM))
    if muted:
        c.thick_line([(39, 25), (51, 39)], rgba(BLOOD), 3.2)
        c.thick_line([(51, 25), (39, 39)], rgba(BLOOD), 3.2)
    else:
        for r, a in ((7, 255), (12, 210), (17, 160)):
            c.d.arc([(34 - r) * 6, (32 - r) * 6, (34 + r) * 6, (32 + r) * 6], -50, 50,
                    fill=rgba(AMBER_LIGHT, a), width=int(2.4 * 6))
    return Image.alpha_composite(img, c.result())


def slider_knob():
    s = 80
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    img = glow(img, 40, 40, 30, AMBER, 0.4, power=1.6)
    c = Canvas(s, s, 6)
    c.ellipse(40, 40, 15, 15, fill=rgba(INK))
    c.ellipse(40, 40, 13.5, 13.5, fill=rgba(AMBER_DEEP))
    c.ellipse(40, 40, 11, 11, fill=rgba(AMBER))
    c.ellipse(40, 40, 6.5, 6.5, fill=rgba(AMBER_LIGHT))
    c.ellipse(37, 37, 3, 3, fill=rgba(GLOW))
    return Image.alpha_composite(img, c.result())


def slider_bar(label):
    """357 x 28, drawn opaque. The knob runs over x 128..329 of the bar."""
    w, h = 357, 28
    img = frame_box(w, h)
    img = draw_text(img, (12, h / 2 + 1), label, 13, fill=PARCHMENT, anchor="lm", shadow=False)
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([122, 10, 335, 17], radius=3, fill=rgba((6, 6, 9)),
                        outline=rgba((70, 54, 38)))
    for i in range(11):
        x = 128 + i * 20
        d.line([(x, 20), (x, 22 if i % 5 else 24)], fill=rgba((110, 90, 64)))
    return img


def start_sign(frame):
    w, h = 100, 50
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    img = glow(img, 50, 16, 48, AMBER_DEEP, 0.55 if frame == 1 else 0.8, ry=18)
    img = draw_text(img, (50, 16), "START", 22, fill=GLOW if frame == 2 else AMBER_LIGHT,
                    halo=AMBER, halo_radius=4)
    c = Canvas(w, h, 6)
    y = 33 if frame == 1 else 37
    c.poly([(41, y), (59, y), (50, y + 9)], fill=rgba(AMBER_LIGHT if frame == 1 else GLOW))
    c.poly([(44, y + 1), (56, y + 1), (50, y + 6.5)], fill=rgba(GLOW))
    return Image.alpha_composite(img, c.result())


# ---- Emblem, logo, icon and the studio mark -----------------------------------
def emblem(size, wings=True):
    """A moth with spread wings around a lantern, on transparency."""
    ss = 4
    S = size * ss
    c = Canvas(size, size, ss)
    k = size / 100.0
    cx, cy = 50 * k, 50 * k
    if wings:
        for sgn in (-1, 1):
            up = [(cx + sgn * 4 * k, cy - 4 * k), (cx + sgn * 20 * k, cy - 34 * k),
                  (cx + sgn * 42 * k, cy - 40 * k), (cx + sgn * 48 * k, cy - 22 * k),
                  (cx + sgn * 38 * k, cy + 2 * k), (cx + sgn * 8 * k, cy + 6 * k)]
            lo = [(cx + sgn * 5 * k, cy + 4 * k), (cx + sgn * 34 * k, cy + 10 * k),
                  (cx + sgn * 36 * k, cy + 28 * k), (cx + sgn * 20 * k, cy + 40 * k),
                  (cx + sgn * 6 * k, cy + 22 * k)]
            for pts, col, edge in ((lo, (170, 150, 118), (96, 80, 60)),
                                   (up, (200, 182, 148), (110, 92, 68))):
                c.poly(pts, fill=rgba(edge))
                mx = sum(p[0] for p in pts) / len(pts)
                my = sum(p[1] for p in pts) / len(pts)
                c.poly([(mx + (x - mx) * 0.86, my + (y - my) * 0.86) for x, y in pts], fill=rgba(col))
            c.ellipse(cx + sgn * 30 * k, cy - 20 * k, 6 * k, 5.5 * k, fill=rgba((140, 84, 44)))
            c.ellipse(cx + sgn * 30 * k, cy - 20 * k, 2.6 * k, 2.6 * k, fill=rgba(CREAM))
            c.ellipse(cx + sgn * 21 * k, cy + 20 * k, 3.5 * k, 3.5 * k, fill=rgba((140, 84, 44)))
            # antennae
            c.line([(cx + sgn * 2 * k, cy - 22 * k), (cx + sgn * 9 * k, cy - 38 * k),
                    (cx + sgn * 16 * k, cy - 44 * k)], rgba((120, 100, 76)), 1.6 * k)
    # lantern body in the middle
    c.d.arc([(cx - 7 * k) * ss, (cy - 30 * k) * ss, (cx + 7 * k) * ss, (cy - 16 * k) * ss], 180, 360,
            fill=rgba((90, 74, 56)), width=int(2.2 * k * ss))
    c.rect(cx - 9 * k, cy - 23 * k, cx + 9 * k, cy - 18 * k, fill=rgba((90, 74, 56)), radius=1.5 * k)
    c.poly([(cx - 8 * k, cy - 18 * k), (cx + 8 * k, cy - 18 * k), (cx + 7 * k, cy + 16 * k),
            (cx - 7 * k, cy + 16 * k)], fill=rgba((76, 60, 44)))
    c.poly([(cx - 5.5 * k, cy - 15 * k), (cx + 5.5 * k, cy - 15 * k), (cx + 4.8 * k, cy + 13 * k),
            (cx - 4.8 * k, cy + 13 * k)], fill=rgba(AMBER_LIGHT))
    c.ellipse(cx, cy, 3.2 * k, 6 * k, fill=rgba(GLOW))
    c.rect(cx - 9.5 * k, cy + 15 * k, cx + 9.5 * k, cy + 20 * k, fill=rgba((90, 74, 56)), radius=1.5 * k)
    img = c.result()
    img = glow(img, cx, cy, 48 * k, AMBER, 0.35)
    img = glow(img, cx, cy, 14 * k, GLOW, 0.55)
    return img


def logo():
    w = h = 150
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    em = emblem(100)
    img.alpha_composite(em, (25, 0))
    img = draw_text(img, (75, 104), "MOTH", 27, fill=CREAM, halo=AMBER_DEEP, halo_radius=5)
    img = draw_text(img, (75, 131), "LANTERN", 20, fill=AMBER_LIGHT, halo=AMBER_DEEP, halo_radius=5)
    return img


def window_icon(s=128):
    """The game's icon, s pixels square (the window's is 128; installs draw 256)."""
    k = s / 128
    img = plate(s, s, radius=round(24 * k), fill_top=(30, 34, 48), fill_bottom=(10, 11, 16),
                inner=False)
    em = emblem(round(116 * k))
    img.alpha_composite(em, (round(6 * k), round(8 * k)))
    return img


def studio_mark():
    """Quillmark: a red wordmark with a quill (1525 x 445 proportions)."""
    w, h = 610, 178
    red = (206, 36, 44)
    deep = (140, 18, 26)
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    c = Canvas(w, h, 4)
    # quill: a long feather leaning right, its nib touching the baseline
    spine = [(38, 150), (62, 112), (92, 70), (122, 34), (146, 14)]
    vane_l = [(60, 118), (70, 84), (92, 52), (118, 26), (146, 14), (124, 44), (100, 76), (76, 108)]
    vane_r = [(66, 120), (98, 96), (124, 66), (142, 36), (146, 14), (132, 50), (108, 84), (82, 114)]
    c.poly(vane_l, fill=rgba(deep))
    c.poly(vane_r, fill=rgba(red))
    for i in range(7):
        t = 0.2 + i * 0.1
        x = 60 + (146 - 60) * t
        y = 118 + (14 - 118) * t
        c.line([(x, y), (x + 12, y + 6)], rgba((0, 0, 0, 0)), 1.6)
    c.thick_line(spine, rgba((240, 200, 200)), 2.0)
    c.poly([(30, 166), (40, 146), (47, 151)], fill=rgba(red))
    # ink stroke under the word
    c.thick_line([(170, 142), (330, 136), (480, 138), (586, 132)], rgba(red), 4.0)
    img = Image.alpha_composite(img, c.result())
    size = 72
    while font(size).getlength("QUILLMARK") > 410:
        size -= 1
    img = draw_text(img, (176, 90), "QUILLMARK", size, fill=red, anchor="lm", shadow=False)
    return img


def build():
    res = {}
    for name, label, w, h, size in (
            ("btn_resume.png", "RESUME", 230, 64, 24),
            ("btn_instructions.png", "INSTRUCTIONS", 230, 64, 22),
            ("btn_restart.png", "RESTART", 230, 64, 24),
            ("btn_quitgame.png", "QUIT TO MENU", 230, 64, 22),
            ("btn_options.png", "OPTIONS", 128, 64, 19),
            ("btn_options_wide.png", "OPTIONS", 230, 64, 24),
            ("btn_credits.png", "CREDITS", 128, 64, 19),
            ("btn_quit.png", "QUIT", 128, 64, 21),
            ("btn_editor.png", "EDITOR", 128, 64, 20),
            ("btn_levels.png", "LEVELS", 128, 64, 20),
            ("btn_close.png", "CLOSE", 128, 64, 20),
            ("btn_yes.png", "YES", 100, 50, 20),
            ("btn_no.png", "NO", 100, 50, 20),
            # the Levels dialog's row of buttons
            ("btn_load.png", "LOAD", 120, 50, 20),
            ("btn_edit.png", "EDIT", 120, 50, 20),
            ("btn_delete.png", "DELETE", 120, 50, 20),
            ("btn_cancel.png", "CANCEL", 120, 50, 20)):
        res[name] = button(w, h, label, size)
    res["hpbar.png"] = bar(165, 30, rotate=True)
    res["hpbox.png"] = hp_box()
    res["batterybar.png"] = bar(165, 30, alpha_only=True)
    res["frame1.png"] = pause_frame(400, 450)
    res["frame2.png"] = frame_box(130, 70)
    # the Levels dialog and its delete question, at their usual sizes (the
    # dialog's height follows its list, so its panel stretches a little)
    res["levels_panel.png"] = pause_frame(720, 470)
    res["levels_confirm.png"] = pause_frame(460, 190)
    res["a_lamp_lighton.png"] = lamp_icon()
    res["a_torch_lighton.png"] = torch_icon()
    res["mouse1.png"] = cursor(1)
    res["mouse2.png"] = cursor(2)
    res["mute.png"] = speaker(True)
    res["unmute.png"] = speaker(False)
    res["sliderbtn.png"] = slider_knob()
    res["slider_bgm.png"] = slider_bar("MUSIC")
    res["slider_sfx.png"] = slider_bar("EFFECTS")
    res["startbtn_1.png"] = start_sign(1)
    res["startbtn_2.png"] = start_sign(2)
    res["logo.png"] = logo()
    res["icon.png"] = window_icon()
    res["Quillmark_WEB_RED.png"] = studio_mark()
    return res
