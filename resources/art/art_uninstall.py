"""The uninstaller's artwork: its window icon, the three step icons, the picture
along the left edge of its dialog and the small mark in its footer."""
import math

from PIL import Image, ImageDraw

from art_files import write_bmp8, write_ico
from art_icons import BLUE_BOTTOM, BLUE_TOP, GOLD, GOLD_DARK, render_drawing, star

GREEN, GREEN_DARK = (60, 170, 80), (24, 110, 48)
GREY, GREY_DARK = (176, 182, 194), (128, 134, 148)
RED = (212, 52, 52)


def draw_window(pen, size):
    """The product's star on its blue tile, with a red removal sign."""
    pen.rect(0.5, 0.5, 15.5, 15.5, pen.gradient(BLUE_TOP, BLUE_BOTTOM), radius=3)
    pen.polygon(star(7, 7, 5.6, 2.4), GOLD_DARK)
    pen.polygon(star(7, 6.7, 5.4, 2.3), GOLD)
    pen.ellipse(8.5, 8.5, 16, 16, (255, 255, 255))
    pen.ellipse(9.2, 9.2, 15.3, 15.3, RED)
    pen.rect(10.6, 11.7, 13.9, 12.8, (255, 255, 255))


def draw_done(pen, size):
    """A finished step: a white check on a green disc."""
    pen.ellipse(1, 1, 15, 15, GREEN_DARK)
    pen.ellipse(1.7, 1.7, 14.3, 14.3, pen.gradient((104, 204, 112), (40, 146, 64)))
    pen.polygon([(4, 8.2), (5.6, 6.7), (7.2, 8.4), (10.8, 4.6), (12.3, 6.1), (7.2, 11.4)],
                (255, 255, 255))


def draw_busy(pen, size):
    """The step under way: a blue arrow pointing at its label."""
    pen.polygon([(1.5, 6), (8, 6), (8, 2.5), (14.5, 8), (8, 13.5), (8, 10), (1.5, 10)],
                (26, 64, 156))
    pen.polygon([(2.5, 7), (9, 7), (9, 4.7), (13, 8), (9, 11.3), (9, 9), (2.5, 9)],
                (78, 140, 236))


def draw_todo(pen, size):
    """A step still to come: a small grey dot."""
    pen.ellipse(5, 5, 11, 11, GREY_DARK)
    pen.ellipse(5.6, 5.6, 10.4, 10.4, GREY)


ICONS = {  # file name: (draw, sizes); resources 120 to 123; 24 and 48 PNG-encoded, for display scaling
    "uni_window": (draw_window, (16, 24, 32, 48)),
    "uni_done": (draw_done, (16, 24, 32, 48)),
    "uni_busy": (draw_busy, (16, 24, 32, 48)),
    "uni_todo": (draw_todo, (16, 24, 32, 48)),
}
PNG_SIZES = (24, 48)


def make_side_picture():
    """Bitmap 108, 98 x 242: a blue band that darkens downwards, faint rising
    arcs and the gold star near the top."""
    k = 4
    width, height = 98, 242
    big = Image.new("RGB", (width * k, height * k))
    draw = ImageDraw.Draw(big)
    for y in range(height * k):
        t = y / (height * k)
        draw.line((0, y, width * k, y), fill=tuple(round(a + (b - a) * t)
                                                  for a, b in zip((64, 120, 214), (14, 32, 86))))
    for i in range(6):  # arcs centred below the picture
        r = (70 + 34 * i) * k
        cx, cy = 20 * k, (height + 30) * k
        draw.arc((cx - r, cy - r, cx + r, cy + r), 180, 360,
                 fill=(96, 150, 228) if i % 2 else (44, 88, 170), width=2 * k)
    emblem = render_drawing(lambda pen, size: pen.polygon(star(8, 8, 7.6, 3.2), GOLD), 56 * k // 4)
    small = Image.new("RGB", (width, height))
    small.paste(big.reduce(k))
    small.paste(emblem, (21, 22), emblem)
    draw = ImageDraw.Draw(small)
    draw.line((width - 1, 0, width - 1, height - 1), fill=(10, 24, 64))
    return small


def make_small_mark():
    """Bitmap 113, 32 x 32: the gold star on the footer's light grey."""
    mark = Image.new("RGB", (32, 32), (240, 240, 240))
    emblem = render_drawing(lambda pen, size: (pen.polygon(star(8, 8.4, 7.4, 3.1), GOLD_DARK),
                                               pen.polygon(star(8, 8, 7.2, 3.0), GOLD)), 28)
    mark.paste(emblem, (2, 2), emblem)
    return mark


def write_all(out):
    """Writes the uninstaller's files; out(name) gives a file's path."""
    for name, (draw, sizes) in ICONS.items():
        write_ico(out(name + ".ico"), [render_drawing(draw, s) for s in sizes], PNG_SIZES)
    write_bmp8(out("uni_side.bmp"), make_side_picture(), 64)
    write_bmp8(out("uni_mark.bmp"), make_small_mark(), 32)
