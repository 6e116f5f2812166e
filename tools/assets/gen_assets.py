#!/usr/bin/env python3
"""Moth Lantern asset generator: every texture, sound and level file of Assets/.

Usage:
    python3 tools/assets/gen_assets.py [--out DIR] [--contact-sheet PATH.png]
                                       [--only textures|sounds|levels] [--manifest PATH]

Everything is made from code with fixed seeds: running it twice gives
byte-identical files. The game never runs this; its output is committed
under Assets/. It also writes tools/assets/manifest.txt, the list of every
asset name grouped by kind, which the C++ asset test reads.

Needs Python 3 with Pillow (Debian: python3-pil) and the DejaVu fonts
(fonts-dejavu-core). Sounds use only the standard library.
"""
import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from PIL import Image  # noqa: E402

import art_characters  # noqa: E402
import art_options  # noqa: E402
import art_pictures  # noqa: E402
import art_ui  # noqa: E402
import art_world  # noqa: E402
import audio  # noqa: E402
import levels  # noqa: E402
from common import INK, draw_text, opaque, save_png  # noqa: E402

# ---- Manifest -----------------------------------------------------------------
# Every texture the game names, plus the
# window icon. Kinds: texture, effect (sound under 3 s), music (loop of at
# least 20 s), level.
TEXTURES = (
    ["a_char_%s%d.png" % (d, i) for d in ("top", "down", "left", "right") for i in (1, 2, 3)]
    + ["a_char_win1.png", "a_char_win2.png"]
    + ["ai_spider_%s%d.png" % (d, i) for d in ("front", "left", "right") for i in (1, 2, 3)]
    + ["a1.png", "a2.png", "a3.png"]
    + ["o_floor.png", "o_floor_scaled.png", "o_wall.png", "o_black.png", "rocks.png",
       "trapdoorClose.png", "trapdoorOpen.png", "key.png", "battery3.png", "lightorb.png",
       "memories.png"]
    # each story level's own walls and floor (Level1 uses the named ones)
    + ["o_wall%d.png" % i for i in range(2, 6)] + ["o_floor_scaled%d.png" % i for i in range(2, 6)]
    + ["box_start.png", "box_notlighted.png", "box_lighted.png", "box_end_notlighted.png",
       "box_end.png", "laser1.png", "moveblock1.png", "dangerblock.png"]
    + ["direction%s_%s.png" % (d, s) for d in ("right", "up", "left", "down")
       for s in ("notlighted", "lighted")]
    + ["hpbar.png", "hpbox.png", "batterybar.png", "frame1.png", "frame2.png",
       "a_lamp_lighton.png", "a_torch_lighton.png", "mouse1.png", "mouse2.png"]
    + ["btn_%s.png" % b for b in ("resume", "instructions", "options", "restart", "quitgame",
                                  "close", "yes", "no", "credits", "quit", "editor",
                                  "levels", "options_wide")]
    + ["mute.png", "unmute.png", "sliderbtn.png", "slider_bgm.png", "slider_sfx.png",
       "startbtn_1.png", "startbtn_2.png", "logo.png", "controlbox.png", "control_menu.png",
       "credits.png", "confirmation.png", "pause_instructions.png", "puzzle_instructions.png"]
    + ["Quillmark_WEB_RED.png"]
    + ["level%d_transition.png" % i for i in range(1, 6)]
    + ["i_puzzle1.png", "i_puzzle1_1.png", "i_puzzle2.png", "i_puzzle2_1.png"]
    + ["tips%d.png" % i for i in range(1, 5)]
    + ["restart%d.png" % i for i in range(1, 4)]
    + ["lose.png", "lose_1.png", "win.png", "win_1.png", "icon.png"]
    + ["sign_newgame_1.png", "sign_newgame_2.png"]
    + ["sign_continue%d_%d.png" % (level, frame) for level in range(2, 6) for frame in (1, 2)]
    + ["pad_hint.png", "controls_panel.png", "keycaps.png", "keycap_waiting.png",
       "btn_controls.png", "btn_defaults.png"]
    + [name for name, _ in art_options.DISPLAY_CHOICES]
    + ["level_complete.png"]
    + ["btn_load.png", "btn_edit.png", "btn_delete.png", "btn_cancel.png", "levels_panel.png",
       "levels_confirm.png"]
)
EFFECTS = ["s_battery.wav", "s_lightpuzzle.wav", "s_collide.wav", "s_bell.wav", "s_door.wav",
           "s_throw.wav"]
MUSIC = ["s_menu.wav", "s_bgmusic.wav", "s_lose.wav", "s_win.wav"]
LEVELS = [name for name, _, _, _ in levels.LEVEL_FILES]

# Drawn with blending off (UIBox, background, controls picture): flattened so
# no transparent pixel can show its colour.
OPAQUE = {"credits.png", "control_menu.png", "hpbox.png", "frame2.png", "slider_bgm.png",
          "slider_sfx.png", "o_floor_scaled.png", "o_black.png"} | {
              "o_floor_scaled%d.png" % i for i in range(2, 6)}

# How large the game draws each texture (world units = pixels of the
# 1024 x 768 view), for the contact sheet. Unlisted ones are drawn at their size.
DRAWN = {
    "battery3.png": (30, 30), "lightorb.png": (60, 60), "laser1.png": (160, 5),
    "hpbar.png": (165, 30), "batterybar.png": (165, 30), "frame1.png": (400, 450),
    "frame2.png": (130, 70), "mouse1.png": (15, 15), "mouse2.png": (15, 15),
    "o_floor_scaled.png": (1044, 788), "btn_options_wide.png": (230, 64), "o_black.png": (50, 50), "logo.png": (150, 150),
    "Quillmark_WEB_RED.png": (610, 178),
}


def write_manifest(path):
    lines = ["# Every asset the game names, one a line, grouped by kind.",
             "# Written by tools/assets/gen_assets.py; read by tests/test_assets.cpp.",
             "[texture]"] + TEXTURES + ["[effect]"] + EFFECTS + ["[music]"] + MUSIC + \
        ["[level]"] + LEVELS
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


# ---- Building -----------------------------------------------------------------
def build_textures():
    tex = {}
    tex.update(art_characters.build(None))
    world = art_world.build()
    tex.update(world)
    tex.update(art_ui.build())
    tex.update(art_pictures.build(world))
    tex.update(art_options.build())
    for name in OPAQUE:
        tex[name] = opaque(tex[name], INK if name != "o_black.png" else (0, 0, 0))
    missing = sorted(set(TEXTURES) - set(tex))
    extra = sorted(set(tex) - set(TEXTURES))
    if missing or extra:
        raise SystemExit("texture list mismatch: missing %s, extra %s" % (missing, extra))
    return tex


def ingame_colour(name, img):
    """The colour the game gives a texture that it tints (for the sheet only)."""
    tint = {"hpbar.png": (255, 0, 0), "dangerblock.png": (255, 0, 0)}.get(name)
    if name == "batterybar.png":
        flat = Image.new("RGBA", img.size, (0, 255, 0, 255))
        flat.putalpha(img.getchannel("A"))
        return flat
    if tint:
        r, g, b, a = img.split()
        chans = [c.point(lambda v, k=k: v * k // 255) for c, k in zip((r, g, b), tint)]
        return Image.merge("RGBA", chans + [a])
    return img


def contact_sheet(tex, path):
    """Every texture at the size the game draws it, on a dark background
    (tinted textures in the colour the game tints them)."""
    from PIL import ImageDraw
    width = 2200
    pad = 14
    label_h = 16
    items = []
    for name in TEXTURES:
        img = tex[name]
        if name.startswith("a_char"):
            size = (30, 30)
        elif name.startswith("ai_spider") or name in ("a1.png", "a2.png", "a3.png"):
            size = (32, 32)
        else:
            size = DRAWN.get(name, img.size)
        if size != img.size:
            img = img.resize(size, Image.NEAREST)
        items.append((name, ingame_colour(name, img)))
    # shelf packing, largest last so small sprites sit together at the top
    items.sort(key=lambda t: (t[1].size[1] > 200, t[1].size[1] > 90, t[0]))
    x = y = pad
    shelf = 0
    places = []
    for name, img in items:
        w, h = img.size
        if x + w + pad > width:
            x = pad
            y += shelf + label_h + pad
            shelf = 0
        places.append((name, img, x, y))
        x += max(w, 6 * len(name) - 18) + pad
        shelf = max(shelf, h)
    height = y + shelf + label_h + pad
    sheet = Image.new("RGBA", (width, height), (18, 20, 28, 255))
    d = ImageDraw.Draw(sheet)
    for name, img, x, y in places:
        d.rectangle([x - 1, y - 1, x + img.size[0], y + img.size[1]], outline=(40, 44, 58, 255))
        sheet.alpha_composite(img, (x, y))
        d.text((x, y + img.size[1] + 2), name[:-4], fill=(150, 150, 160, 255))
    sheet.save(path, format="PNG", compress_level=6)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out", default=os.path.join(HERE, "..", "..", "Assets"))
    ap.add_argument("--contact-sheet", metavar="PATH.png")
    ap.add_argument("--only", choices=("textures", "sounds", "levels"))
    ap.add_argument("--manifest", default=os.path.join(HERE, "manifest.txt"),
                    help="where to write the manifest (default tools/assets/manifest.txt)")
    args = ap.parse_args()
    out = os.path.abspath(args.out)
    os.makedirs(out, exist_ok=True)
    if args.only in (None, "textures") or args.contact_sheet:
        tex = build_textures()
        if args.only in (None, "textures"):
            for name, img in tex.items():
                save_png(img, os.path.join(out, name))
        if args.contact_sheet:
            contact_sheet(tex, args.contact_sheet)
    if args.only in (None, "levels"):
        for name, text in levels.build().items():
            with open(os.path.join(out, name), "w", newline="\n") as f:
                f.write(text)
    if args.only in (None, "sounds"):
        for name, samples in audio.build().items():
            audio.write_wav(os.path.join(out, name), samples)
    write_manifest(args.manifest)


if __name__ == "__main__":
    main()
