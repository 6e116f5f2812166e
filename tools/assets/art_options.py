"""The pictures of what a player keeps: the menu room's door signs for
continuing a saved game or starting a new one, the gamepad hint under its
buttons, and the controls panel (its frame, buttons and the key caps).

The key caps come in one atlas, keycaps.png: 8 columns by 16 rows of
104 x 40 cells, the cell of key code K at column K % 8, row K // 8 (the
game's Windows virtual-key codes), so the game finds a key's cap from its
code alone. Cell 0 is the empty slot's cap. Codes the game cannot bind
stay empty.
"""
from PIL import Image

import art_pictures
import art_ui
from common import (AMBER, AMBER_DEEP, AMBER_LIGHT, CREAM, GLOW, INK, PARCHMENT, Canvas,
                    draw_text, glow, rgba)

CAP_W, CAP_H = 104, 40
ATLAS_COLUMNS, ATLAS_ROWS = 8, 16

# The key caps' labels by virtual-key code: every key the game lets a player bind.
KEY_LABELS = {8: "Backspace", 9: "Tab", 13: "Enter", 16: "Shift", 17: "Ctrl", 18: "Alt",
              32: "Space", 37: "\u2190", 38: "\u2191", 39: "\u2192", 40: "\u2193", 46: "Delete"}
KEY_LABELS.update({code: chr(code) for code in range(ord("0"), ord("9") + 1)})
KEY_LABELS.update({code: chr(code) for code in range(ord("A"), ord("Z") + 1)})
KEY_LABELS.update({112 + n: "F%d" % (n + 1) for n in range(12)})

# The display buttons of the settings, by what they show.
DISPLAY_CHOICES = (("opt_full_screen.png", "SCREEN: FULL"), ("opt_window.png", "SCREEN: WINDOW"),
                   ("opt_keep.png", "PICTURE: 4:3"), ("opt_stretch.png", "PICTURE: WIDE"),
                   ("opt_vsync_on.png", "VSYNC: ON"), ("opt_vsync_off.png", "VSYNC: OFF"))

PANEL_W, PANEL_H = 500, 480
ROW_LABELS = ("Walk up", "Walk down", "Walk left", "Walk right", "Switch light")
# Panel rows and columns in pixels from the panel's top-left corner; the game
# places its key buttons at the same spots (Engine/ui/ControlsPanel.cpp).
ROW_TOP, ROW_STEP = 125, 50
KEY_X, SECOND_X = 280, 410


def sign(lines, frame, w):
    """A glowing sign over a trap door: its words and an arrow down at the door."""
    h = 64 if len(lines) > 1 else 50
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    img = glow(img, w / 2, 16, w * 0.48, AMBER_DEEP, 0.55 if frame == 1 else 0.8, ry=18)
    img = draw_text(img, (w / 2, 16), lines[0], 22, fill=GLOW if frame == 2 else AMBER_LIGHT,
                    halo=AMBER, halo_radius=4)
    if len(lines) > 1:
        img = draw_text(img, (w / 2, 36), lines[1], 12, fill=CREAM, halo=INK, halo_radius=3)
    c = Canvas(w, h, 6)
    y = h - 17 if frame == 1 else h - 13
    cx = w / 2
    c.poly([(cx - 9, y), (cx + 9, y), (cx, y + 9)], fill=rgba(AMBER_LIGHT if frame == 1 else GLOW))
    c.poly([(cx - 6, y + 1), (cx + 6, y + 1), (cx, y + 6.5)], fill=rgba(GLOW))
    return Image.alpha_composite(img, c.result())


def pad_button(img, x, y, label, r=9):
    """A round gamepad button with its letter, centred at (x, y)."""
    c = Canvas(img.size[0], img.size[1], 4)
    c.ellipse(x, y + 1, r, r, fill=rgba(INK))
    c.ellipse(x, y, r, r, fill=rgba((70, 62, 54)))
    c.ellipse(x, y - 0.5, r - 2, r - 2, fill=rgba((112, 100, 86)))
    img = Image.alpha_composite(img, c.result())
    return draw_text(img, (x, y), label, 10, fill=CREAM, shadow=False)


def pad_hint():
    """Under the menu room's buttons while a gamepad is plugged in."""
    w, h = 420, 26
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    img = art_pictures.keycap(img, 30, 12, "START", 52, 20, 10)
    img = draw_text(img, (62, 13), "buttons", 13, fill=PARCHMENT, anchor="lm")
    img = pad_button(img, 148, 12, "A")
    img = draw_text(img, (162, 13), "press", 13, fill=PARCHMENT, anchor="lm")
    img = pad_button(img, 228, 12, "B")
    img = draw_text(img, (242, 13), "back", 13, fill=PARCHMENT, anchor="lm")
    img = draw_text(img, (292, 13), "stick: walk", 13, fill=PARCHMENT, anchor="lm")
    return img


def controls_panel():
    """The frame of the controls panel, in the pause menu's look: the title,
    the column heads, the action names and how to rebind."""
    frame = art_ui.pause_frame(PANEL_W, PANEL_H)
    # Twice over, so the pause menu's buttons underneath do not show through.
    img = Image.alpha_composite(frame, frame)
    img = draw_text(img, (PANEL_W / 2, 40), "CONTROLS", 26, fill=AMBER_LIGHT, halo=AMBER_DEEP)
    c = Canvas(PANEL_W, PANEL_H, 2)
    c.line([(150, 62), (350, 62)], rgba(AMBER_DEEP), 2)
    img = Image.alpha_composite(img, c.result())
    for x, head in ((KEY_X, "KEY"), (SECOND_X, "SECOND KEY")):
        img = draw_text(img, (x, 88), head, 12, fill=PARCHMENT)
    for i, label in enumerate(ROW_LABELS):
        img = draw_text(img, (40, ROW_TOP + i * ROW_STEP), label, 18, fill=CREAM, anchor="lm")
    img = draw_text(img, (PANEL_W / 2, 368), "Click a key, then press the new one.", 13,
                    fill=PARCHMENT)
    img = draw_text(img, (PANEL_W / 2, 388), "Esc cancels. A key in use moves over.", 13,
                    fill=PARCHMENT)
    return img


def cap(label, waiting=False):
    """One key cap of the atlas's size; the waiting cap glows, asking for a key."""
    img = Image.new("RGBA", (CAP_W, CAP_H), (0, 0, 0, 0))
    if waiting:
        img = glow(img, CAP_W / 2, CAP_H / 2, CAP_W * 0.5, AMBER, 0.6, ry=CAP_H * 0.6)
    size = 18 if len(label) <= 2 else 14 if len(label) <= 6 else 12
    img = art_pictures.keycap(img, CAP_W / 2, CAP_H / 2 - 2, "", CAP_W - 8, CAP_H - 10, size)
    fill = GLOW if waiting else CREAM if label != "\u2013" else PARCHMENT
    return draw_text(img, (CAP_W / 2, CAP_H / 2 - 3), label, size, fill=fill, shadow=False)


def keycaps():
    atlas = Image.new("RGBA", (CAP_W * ATLAS_COLUMNS, CAP_H * ATLAS_ROWS), (0, 0, 0, 0))
    for code, label in [(0, "\u2013")] + sorted(KEY_LABELS.items()):
        atlas.alpha_composite(cap(label), ((code % ATLAS_COLUMNS) * CAP_W,
                                           (code // ATLAS_COLUMNS) * CAP_H))
    return atlas


def build():
    res = {}
    res["sign_newgame_1.png"] = sign(("NEW GAME",), 1, 140)
    res["sign_newgame_2.png"] = sign(("NEW GAME",), 2, 140)
    for level in range(2, 6):
        memories = level - 1
        words = ("CONTINUE", "LEVEL %d  \u00b7  %d %s" % (level, memories,
                                                         "MEMORY" if memories == 1 else "MEMORIES"))
        for frame in (1, 2):
            res["sign_continue%d_%d.png" % (level, frame)] = sign(words, frame, 180)
    res["pad_hint.png"] = pad_hint()
    res["controls_panel.png"] = controls_panel()
    res["keycaps.png"] = keycaps()
    res["keycap_waiting.png"] = cap("press a key", waiting=True)
    res["btn_controls.png"] = art_ui.button(150, 44, "CONTROLS", 17)
    res["btn_defaults.png"] = art_ui.button(150, 50, "DEFAULTS", 17)
    # The display choices: each button shows the choice in force.
    for name, label in DISPLAY_CHOICES:
        res[name] = art_ui.button(150, 40, label, 14)
    return res
