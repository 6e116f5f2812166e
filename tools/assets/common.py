"""Shared palette, font and drawing helpers for the Moth Lantern asset generator.

Everything here is deterministic: no clock, no unseeded randomness, no
Pillow effect that draws its own random numbers. Shapes are drawn on a
supersampled canvas and reduced with a box filter on premultiplied alpha,
which gives clean soft edges at the small sizes the game draws.
"""
import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

# ---- Palette ------------------------------------------------------------------
# Cold stone for the world, warm lantern light for everything alive or lit.
INK = (9, 10, 15)
NIGHT = (15, 17, 25)
STONE_DARK = (26, 30, 42)
STONE = (46, 54, 70)
STONE_MID = (66, 77, 96)
STONE_LIGHT = (92, 105, 128)
STONE_PALE = (138, 150, 172)
AMBER_DEEP = (120, 58, 18)
AMBER = (226, 140, 48)
AMBER_LIGHT = (255, 196, 104)
GLOW = (255, 234, 178)
CREAM = (242, 228, 198)
PARCHMENT = (214, 198, 166)
DUST = (190, 172, 140)
DUST_DARK = (128, 110, 86)
WOOD = (104, 66, 38)
WOOD_DARK = (62, 38, 22)
IRON = (58, 60, 68)
BLOOD = (196, 48, 40)
SPIDER = (104, 92, 132)
SPIDER_RIM = (172, 156, 206)
EYE_RED = (255, 70, 50)

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
_FONTS = {}


def font(size, bold=True):
    """DejaVu Sans (the game's one typeface), bold or book weight."""
    key = (size, bold)
    if key not in _FONTS:
        name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
        _FONTS[key] = ImageFont.truetype(FONT_DIR + name, size)
    return _FONTS[key]


def mix(a, b, t):
    """Linear mix of two colours (3 or 4 channels)."""
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def rgba(c, a=255):
    return (c[0], c[1], c[2], a)


# ---- Canvas -------------------------------------------------------------------
class Canvas:
    """An RGBA image drawn at `ss` times its size in logical coordinates."""

    def __init__(self, w, h, ss=4, bg=(0, 0, 0, 0)):
        self.w, self.h, self.ss = w, h, ss
        self.img = Image.new("RGBA", (w * ss, h * ss), bg)
        self.d = ImageDraw.Draw(self.img)

    def _p(self, pts):
        s = self.ss
        return [(x * s, y * s) for x, y in pts]

    def _box(self, x0, y0, x1, y1):
        s = self.ss
        return [x0 * s, y0 * s, x1 * s - 1, y1 * s - 1]

    def ellipse(self, cx, cy, rx, ry, fill=None, outline=None, width=1.0):
        s = self.ss
        self.d.ellipse([(cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s],
                       fill=fill, outline=outline, width=max(1, int(round(width * s))))

    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=1.0, radius=0):
        s = self.ss
        if radius > 0:
            self.d.rounded_rectangle(self._box(x0, y0, x1, y1), radius=radius * s, fill=fill,
                                     outline=outline, width=max(1, int(round(width * s))))
        else:
            self.d.rectangle(self._box(x0, y0, x1, y1), fill=fill, outline=outline,
                             width=max(1, int(round(width * s))) if outline else 0)

    def poly(self, pts, fill=None, outline=None):
        self.d.polygon(self._p(pts), fill=fill, outline=outline)

    def line(self, pts, fill, width=1.0):
        self.d.line(self._p(pts), fill=fill, width=max(1, int(round(width * self.ss))),
                    joint="curve")

    def thick_line(self, pts, fill, width):
        """A polyline with round caps and joints."""
        self.line(pts, fill, width)
        r = width / 2
        for x, y in pts:
            self.ellipse(x, y, r, r, fill=fill)

    def paste(self, layer):
        """Alpha-composites another full-resolution RGBA layer on top."""
        self.img = Image.alpha_composite(self.img, layer)
        self.d = ImageDraw.Draw(self.img)

    def layer(self):
        """A new empty layer of the same size, with its draw handle."""
        return Image.new("RGBA", self.img.size, (0, 0, 0, 0))

    def result(self):
        return downsample(self.img, self.w, self.h)


def downsample(img, w, h):
    """Premultiplied box reduction (no dark fringes around soft edges)."""
    if img.size == (w, h):
        return img
    pm = img.convert("RGBa").resize((w, h), Image.BOX)
    return pm.convert("RGBA")


def clean(img):
    """Black colour under fully transparent pixels.

    Boxes and the cursor are drawn with blending off, so the colour of a
    transparent pixel can show; black is what the dark game expects there.
    """
    img = img.convert("RGBA")
    alpha = img.getchannel("A")
    mask = alpha.point(lambda a: 255 if a > 0 else 0)
    black = Image.new("RGBA", img.size, (0, 0, 0, 0))
    return Image.composite(img, black, mask)


def opaque(img, bg=(0, 0, 0)):
    """Flattens onto a colour, alpha 255 everywhere."""
    base = Image.new("RGBA", img.size, rgba(bg))
    return Image.alpha_composite(base, img.convert("RGBA"))


# ---- Light and noise ----------------------------------------------------------
_RADIAL = Image.radial_gradient("L")  # 256 x 256: 0 at the centre, 181 at radius 128


def radial(size, power=1.6, inner=0.0):
    """An L image of `size` (w, h): 255 at the centre falling to 0 at the edge."""
    def curve(v):
        d = min(1.0, v / 181.0)
        if d <= inner:
            return 255
        t = (d - inner) / max(1e-6, 1.0 - inner)
        return int(round(255 * max(0.0, 1.0 - t) ** power))
    g = _RADIAL.point(curve)
    return g.resize(size, Image.BICUBIC)


def glow(img, cx, cy, rx, color, strength=1.0, power=1.6, ry=None, inner=0.0):
    """Adds a soft elliptic light (alpha-composited) centred at (cx, cy)."""
    ry = rx if ry is None else ry
    w, h = max(2, int(rx * 2)), max(2, int(ry * 2))
    mask = radial((w, h), power, inner)
    if strength != 1.0:
        mask = mask.point(lambda v: min(255, int(v * strength)))
    spot = Image.new("RGBA", (w, h), rgba(color))
    spot.putalpha(mask)
    layer = Image.new("RGBA", img.size, (0, 0, 0, 0))
    layer.paste(spot, (int(round(cx - w / 2)), int(round(cy - h / 2))))
    return Image.alpha_composite(img, layer)


def add_light(img, cx, cy, rx, color, strength=1.0, power=1.8, ry=None):
    """Additive light (brightens without covering), keeps alpha."""
    ry = rx if ry is None else ry
    w, h = max(2, int(rx * 2)), max(2, int(ry * 2))
    mask = radial((w, h), power)
    spot = Image.new("RGB", (w, h), color)
    black = Image.new("RGB", (w, h), (0, 0, 0))
    if strength != 1.0:
        mask = mask.point(lambda v: min(255, int(v * strength)))
    spot = Image.composite(spot, black, mask)
    layer = Image.new("RGB", img.size, (0, 0, 0))
    layer.paste(spot, (int(round(cx - w / 2)), int(round(cy - h / 2))))
    alpha = img.getchannel("A")
    out = ImageChops.add(img.convert("RGB"), layer)
    out.putalpha(alpha)
    return out


def value_noise(w, h, cell, seed, tile=True):
    """Smooth value noise as an L image; periodic over (w, h) when `tile`."""
    rng = random.Random(seed)
    gw, gh = max(1, w // cell), max(1, h // cell)
    data = bytes(rng.randrange(256) for _ in range(gw * gh))
    small = Image.frombytes("L", (gw, gh), data)
    if not tile:
        return small.resize((w, h), Image.BICUBIC)
    big = Image.new("L", (gw * 3, gh * 3))
    for i in range(3):
        for j in range(3):
            big.paste(small, (i * gw, j * gh))
    big = big.resize((w * 3, h * 3), Image.BICUBIC)
    return big.crop((w, h, 2 * w, 2 * h))


def fractal_noise(w, h, seed, cells=(32, 16, 8, 4), weights=(0.45, 0.28, 0.17, 0.1)):
    """Sum of periodic value noise octaves (L image, roughly centred on 128)."""
    acc = None
    total = 0.0
    for i, (c, wt) in enumerate(zip(cells, weights)):
        n = value_noise(w, h, c, seed * 31 + i)
        if acc is None:
            acc = n.point(lambda v, wt=wt: int(v * wt))
        else:
            acc = ImageChops.add(acc, n.point(lambda v, wt=wt: int(v * wt)))
        total += wt
    return acc.point(lambda v: min(255, int(v / total)))


def grain(w, h, seed, amount):
    """Per-pixel white noise L image centred on 128 with +-amount."""
    rng = random.Random(seed)
    data = bytes(128 + rng.randint(-amount, amount) for _ in range(w * h))
    return Image.frombytes("L", (w, h), data)


def tint_map(gray, dark, light):
    """Maps an L image onto a two-colour ramp (RGBA, opaque)."""
    lut = []
    for ch in range(3):
        lut += [int(dark[ch] + (light[ch] - dark[ch]) * v / 255.0) for v in range(256)]
    rgb = Image.merge("RGB", (gray, gray, gray)).point(lut)
    rgb.putalpha(255)
    return rgb


def tile_blur(img, radius):
    """Gaussian blur that keeps a texture seamless (blurs a 3 x 3 tiling)."""
    w, h = img.size
    big = Image.new(img.mode, (w * 3, h * 3))
    for i in range(3):
        for j in range(3):
            big.paste(img, (i * w, j * h))
    big = big.filter(ImageFilter.GaussianBlur(radius))
    return big.crop((w, h, 2 * w, 2 * h))


# ---- Text ---------------------------------------------------------------------
def text_size(txt, f):
    box = f.getbbox(txt)
    return box[2] - box[0], box[3] - box[1]


def wrap(txt, f, width):
    """Greedy word wrap to a pixel width."""
    lines = []
    for para in txt.split("\n"):
        words = para.split(" ")
        cur = ""
        for word in words:
            test = word if not cur else cur + " " + word
            if f.getlength(test) <= width or not cur:
                cur = test
            else:
                lines.append(cur)
                cur = word
        lines.append(cur)
    return lines


def draw_text(img, xy, txt, size, fill=CREAM, bold=True, anchor="mm", shadow=True,
              halo=None, halo_radius=6, spacing=0):
    """Text with an optional soft drop shadow and a warm halo behind it."""
    f = font(size, bold)
    x, y = xy
    if halo is not None:
        layer = Image.new("RGBA", img.size, (0, 0, 0, 0))
        ImageDraw.Draw(layer).text((x, y), txt, font=f, fill=rgba(halo, 200), anchor=anchor)
        layer = layer.filter(ImageFilter.GaussianBlur(halo_radius))
        img = Image.alpha_composite(img, layer)
    if shadow:
        layer = Image.new("RGBA", img.size, (0, 0, 0, 0))
        off = max(1, size // 14)
        ImageDraw.Draw(layer).text((x + off, y + off), txt, font=f, fill=(0, 0, 0, 210),
                                   anchor=anchor)
        if size >= 14:
            layer = layer.filter(ImageFilter.GaussianBlur(max(1, size // 16)))
        img = Image.alpha_composite(img, layer)
    d = ImageDraw.Draw(img)
    fill4 = fill if len(fill) == 4 else rgba(fill)
    d.text((x, y), txt, font=f, fill=fill4, anchor=anchor)
    return img


def draw_paragraph(img, x, y, txt, size, width, fill=CREAM, bold=False, line_gap=1.35,
                   align="left", shadow=True):
    """Wrapped text block starting at top (x, y); returns (img, bottom y)."""
    f = font(size, bold)
    lines = wrap(txt, f, width)
    step = int(round(size * line_gap))
    for i, line in enumerate(lines):
        if align == "center":
            img = draw_text(img, (x, y + i * step), line, size, fill, bold, anchor="mt",
                            shadow=shadow)
        else:
            img = draw_text(img, (x, y + i * step), line, size, fill, bold, anchor="lt",
                            shadow=shadow)
    return img, y + len(lines) * step


# ---- Saving -------------------------------------------------------------------
def save_png(img, path):
    """PNG with no metadata and fixed compression, so bytes repeat run to run."""
    img = clean(img)
    img.save(path, format="PNG", compress_level=9)


def rng(seed):
    return random.Random(seed)


def angle_pt(cx, cy, r, a):
    return (cx + math.cos(a) * r, cy + math.sin(a) * r)
