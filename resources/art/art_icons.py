"""The program's icons and the emblems of the banner.

Shapes are given on a 16-unit grid (one unit is one pixel of the 16 x 16
icon) and drawn eight times over-sampled with hard edges; the reduction to
the final size, done on premultiplied colour, gives the anti-aliased edges.
"""
import math

from PIL import Image, ImageDraw

# Only the sizes the program loads, to keep it small: a small icon at 100 %, 150 % and 200 %
# (16, 24, 32), a large one at 100 % and 150 % (32, 48). Icon 175, the first, also carries 48
# for the shell's views of the program file and its shortcuts. The frames added for display
# scaling are PNG-encoded (PNG_SIZES), a fifth of a 32-bit BMP's bytes.
ICONS = {  # file name: sizes in the icon file
    "app": (16, 24, 32, 48),  # icon 175 (the small icon); the installer's icon
    "app_large": (32, 48),    # icon 176 (the large icon): the same picture
    "about": (48,),           # icon 179, the About box header
    "date": (16, 24, 32),     # icon 180, status bar: the date
    "start": (16, 24, 32),    # icon 181, status bar: session start time
    "clock": (16, 24, 32),    # icon 182, status bar: session clock
    "sites": (16, 24, 32),    # icon 183, status bar: new sites
}
PNG_SIZES = {  # file name: the sizes stored as PNG
    "app": (24,), "app_large": (48,), "date": (24, 32), "start": (24, 32), "clock": (24, 32), "sites": (24, 32),
}
OVER = 8

BLUE_TOP, BLUE_BOTTOM = (78, 140, 236), (26, 64, 156)
GOLD, GOLD_DARK = (255, 200, 40), (214, 140, 10)
MARK_COLOURS = [(214, 52, 52), (236, 150, 40), (240, 206, 50), (44, 152, 74), (52, 110, 206)]


class Pen:
    """Draws shapes given in 16-unit coordinates onto an RGBA canvas."""

    def __init__(self, canvas, scale, dx=0.0, dy=0.0):
        self.canvas, self.scale, self.dx, self.dy = canvas, scale, dx, dy

    def pt(self, x, y):
        return (self.dx + x * self.scale, self.dy + y * self.scale)

    def box(self, x0, y0, x1, y1):  # Pillow boxes include the far edge
        (a, b), (c, d) = self.pt(x0, y0), self.pt(x1, y1)
        return (round(a), round(b), round(c) - 1, round(d) - 1)

    def _fill(self, shape, colour):
        mask = Image.new("L", self.canvas.size, 0)
        shape(ImageDraw.Draw(mask))
        if isinstance(colour, Image.Image):
            self.canvas.paste(colour, (0, 0), mask)
        else:
            self.canvas.paste(tuple(colour) + (255,), (0, 0), mask)

    def rect(self, x0, y0, x1, y1, colour, radius=0.0):
        r = round(radius * self.scale)
        self._fill(lambda d: d.rounded_rectangle(self.box(x0, y0, x1, y1), r, fill=255)
                   if r else d.rectangle(self.box(x0, y0, x1, y1), fill=255), colour)

    def ellipse(self, x0, y0, x1, y1, colour):
        self._fill(lambda d: d.ellipse(self.box(x0, y0, x1, y1), fill=255), colour)

    def polygon(self, points, colour):
        self._fill(lambda d: d.polygon([self.pt(x, y) for x, y in points], fill=255), colour)

    def gradient(self, top, bottom):
        """A canvas-sized picture running from colour top to colour bottom."""
        width, height = self.canvas.size
        picture = Image.new("RGBA", (width, height))
        draw = ImageDraw.Draw(picture)
        for y in range(height):
            t = min(1.0, max(0.0, (y - self.dy) / (16 * self.scale)))
            draw.line((0, y, width, y), fill=tuple(round(a + (b - a) * t)
                                                   for a, b in zip(top, bottom)) + (255,))
        return picture


def star(cx, cy, outer, inner, turn=-90):
    points = []
    for i in range(10):
        r = outer if i % 2 == 0 else inner
        a = math.radians(turn + 36 * i)
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return points


def draw_app(pen, size):
    pen.rect(0.5, 0.5, 15.5, 15.5, pen.gradient(BLUE_TOP, BLUE_BOTTOM), radius=3)
    if size < 32:
        pen.polygon(star(8, 8.4, 6.4, 2.7), GOLD_DARK)
        pen.polygon(star(8, 8.0, 6.2, 2.6), GOLD)
        return
    pen.polygon(star(8, 6.9, 5.4, 2.3), GOLD_DARK)
    pen.polygon(star(8, 6.6, 5.2, 2.2), GOLD)
    for i, colour in enumerate(MARK_COLOURS):  # the rating line
        pen.ellipse(2.4 + 2.4 * i, 11.7, 4.0 + 2.4 * i, 13.3, colour)


def draw_about(pen, size):
    pen.polygon(star(8, 6.6, 6.0, 2.55), GOLD_DARK)
    pen.polygon(star(8, 6.3, 5.9, 2.5), GOLD)
    pen.rect(1.0, 12.4, 15.0, 15.6, (226, 232, 244), radius=1.6)
    for i, colour in enumerate(MARK_COLOURS):
        pen.ellipse(1.7 + 2.6 * i, 12.7, 4.3 + 2.6 * i, 15.3, colour)


def draw_date(pen, size):
    pen.rect(1, 2, 15, 15, (96, 104, 122), radius=1.5)
    pen.rect(2, 3, 14, 14, (255, 255, 255), radius=0.8)
    pen.rect(2, 3, 14, 6, (212, 52, 52))
    for x in (4, 11):  # binder rings
        pen.rect(x, 1, x + 1, 4, (70, 76, 90))
    for row, y in enumerate((8, 11)):
        for col, x in enumerate((3, 6, 9, 12)):
            last = (row, col) == (1, 2)
            if x < 12 or row == 0:
                pen.rect(x, y, x + 2, y + 2, (212, 52, 52) if last else (130, 146, 178))


def draw_start(pen, size):
    pen.ellipse(1, 1, 15, 15, (24, 110, 48))
    pen.ellipse(1.6, 1.6, 14.4, 14.4, pen.gradient((92, 196, 104), (36, 138, 62)))
    pen.polygon([(6, 4.5), (6, 11.5), (11.8, 8)], (255, 255, 255))


def draw_clock(pen, size):
    pen.ellipse(1, 1, 15, 15, (58, 68, 92))
    pen.ellipse(2.2, 2.2, 13.8, 13.8, (255, 255, 255))
    for x0, y0, x1, y1 in ((7.5, 2.8, 8.5, 4.2), (7.5, 11.8, 8.5, 13.2),
                           (2.8, 7.5, 4.2, 8.5), (11.8, 7.5, 13.2, 8.5)):
        pen.rect(x0, y0, x1, y1, (120, 130, 150))
    half = 1.0 if size < 32 else 0.5  # two pixels wide at either size
    pen.rect(8 - half, 4, 8 + half, 8 + half, (40, 48, 70))       # minute hand
    pen.rect(8 - half, 8 - half, 11.5, 8 + half, (40, 48, 70))    # hour hand
    pen.ellipse(7.2, 7.2, 8.8, 8.8, (212, 52, 52))


def draw_sites(pen, size):
    pen.rect(0, 1, 13, 13, (86, 98, 124), radius=1)
    pen.rect(1, 2, 12, 12, (255, 255, 255))
    pen.rect(1, 2, 12, 4, pen.gradient(BLUE_TOP, BLUE_BOTTOM))
    for y, width in ((6, 8), (8, 6), (10, 4)):
        pen.rect(3, y, 3 + width, y + 1, (150, 160, 182))
    pen.ellipse(8, 8, 16, 16, (24, 110, 48))
    pen.ellipse(8.7, 8.7, 15.3, 15.3, (60, 170, 80))
    pen.rect(11, 9, 13, 15, (255, 255, 255))
    pen.rect(9, 11, 15, 13, (255, 255, 255))


DRAW = {"app": draw_app, "app_large": draw_app, "about": draw_about, "date": draw_date,
        "start": draw_start, "clock": draw_clock, "sites": draw_sites}


def _reduce_premultiplied(canvas, factor):
    """Box-filters an RGBA canvas without dark fringes at soft edges."""
    r, g, b, a = canvas.split()
    premultiplied = [Image.composite(c, Image.new("L", c.size, 0), a) for c in (r, g, b)]
    r, g, b, a = (c.reduce(factor) for c in premultiplied + [a])
    out = Image.new("RGBA", a.size)
    for y in range(a.size[1]):
        for x in range(a.size[0]):
            alpha = a.getpixel((x, y))
            if alpha:
                out.putpixel((x, y), tuple(min(255, (c.getpixel((x, y)) * 255 + alpha // 2) // alpha)
                                           for c in (r, g, b)) + (alpha,))
    return out


def render(name, size):
    return render_drawing(DRAW[name], size)


def render_drawing(draw, size):
    """An icon image of size x size pixels from a draw(pen, size) function."""
    canvas = Image.new("RGBA", (size * OVER, size * OVER), (0, 0, 0, 0))
    draw(Pen(canvas, size * OVER / 16), size)
    return _reduce_premultiplied(canvas, OVER)


def banner_emblem(banner, kind, left, top, size):
    """Draws one banner emblem onto the (over-sampled) RGB banner picture."""
    canvas = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    pen = Pen(canvas, size / 16)
    if kind == "cursor":
        pen.ellipse(0.5, 0.5, 15.5, 15.5, pen.gradient(GOLD, GOLD_DARK))
        arrow = [(5.6, 2.8), (5.6, 13.0), (8.0, 10.8), (9.7, 14.4), (11.3, 13.7),
                 (9.7, 10.2), (12.8, 10.2)]
        pen.polygon([(x + 0.4, y + 0.4) for x, y in arrow], (150, 90, 0))
        pen.polygon(arrow, (255, 255, 255))
    elif kind == "marks":
        pen.polygon(star(8, 7.9, 7.8, 3.3), GOLD_DARK)
        pen.polygon(star(8, 7.5, 7.6, 3.2), GOLD)
    else:
        for i, y in enumerate((10.5, 7.5, 4.5)):
            pen.ellipse(2.5 + i * 0.6, y, 13.5 + i * 0.6, y + 5, GOLD_DARK)
            pen.ellipse(2.5 + i * 0.6, y - 1.2, 13.5 + i * 0.6, y + 3.8, GOLD)
    banner.paste(canvas, (left, top), canvas)
