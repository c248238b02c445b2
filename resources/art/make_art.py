#!/usr/bin/python3
"""Generates the artwork of rtln.exe and uni_rtln.exe into this folder.

    python3 resources/art/make_art.py

Needs Debian's python3 with python3-pil and python3-fontforge. Every output
is computed from the tables and formulas below, so a run gives the same
bytes each time.
"""
import math
import os
import sys

sys.dont_write_bytecode = True  # keep the art folder free of caches
from PIL import Image, ImageDraw, ImageFont

import art_fonts
import art_icons
import art_uninstall
from art_files import write_bmp, write_bmp8, write_ico, write_wav8

HERE = os.path.dirname(os.path.abspath(__file__))

# Colours of the rating picture. Cells where the marks land are CELL, the two
# label columns LABEL; each mark kind carries the background of the column
# it is copied into (older marks: left column, result marks: right column).
LINE = (143, 156, 184)
CELL = (252, 252, 254)
LABEL = (229, 235, 246)
INK = (38, 56, 96)
DAY_BLUE = ((52, 110, 206), (30, 74, 158))  # fill, rim
RESULT_GREEN = ((44, 152, 74), (24, 106, 48))
REPEAT_RED = ((214, 52, 52), (150, 28, 28))
RING = (98, 112, 146)

# A 5 x 7 pixel font for the labels and marks ('#' is ink).
PIXEL_FONT = {
    "G": ".###. #...# #.... #.### #...# #...# .###.",
    "A": ".###. #...# #...# ##### #...# #...# #...#",
    "F": "##### #.... #.... ####. #.... #.... #....",
    "P": "####. #...# #...# ####. #.... #.... #....",
    "1": "..#.. .##.. #.#.. ..#.. ..#.. ..#.. #####",
    "2": ".###. #...# ....# ...#. ..#.. .#... #####",
    "3": ".###. #...# ....# ..##. ....# #...# .###.",
    "4": "...#. ..##. .#.#. #..#. ##### ...#. ...#.",
    "5": "##### #.... ####. ....# ....# #...# .###.",
}
# Bold forms for the marks; the others are the plain glyph doubled sideways.
BOLD_FONT = {"G": ".####. ##..## ##.... ##.### ##..## ##..## .####."}
INITIALS = "PFAGG"  # rating 1 (Poor) .. 5 (Great)


def glyph_pixels(ch, bold=False):
    """Ink pixels (x, y) of a glyph; bold doubles every stroke sideways."""
    art = BOLD_FONT[ch] if bold and ch in BOLD_FONT else PIXEL_FONT[ch]
    cells = {(x, y) for y, row in enumerate(art.split())
             for x, c in enumerate(row) if c == "#"}
    if bold and ch not in BOLD_FONT:
        cells |= {(x + 1, y) for x, y in cells}
    return cells


def put_glyph(image, ch, left, top, colour, bold=False):
    for x, y in glyph_pixels(ch, bold):
        image.putpixel((left + x, top + y), colour)


def blend(a, b, t):
    return tuple(round(p + (q - p) * t) for p, q in zip(a, b))


# --- bitmap 129: the background tile -------------------------------------

def periodic_noise(x, y, cells, seed):
    """Smooth value noise that repeats every 32 pixels in both directions."""
    def lattice(i, j):
        h = ((i % cells) * 73856093 ^ (j % cells) * 19349663 ^ seed) & 0xFFFFFFFF
        h = (h * 2654435761 + 12345) & 0xFFFFFFFF
        return ((h >> 8) & 0xFFFF) / 65535.0
    size = 32 / cells
    fx, fy = x / size, y / size
    i, j = int(fx), int(fy)
    u, v = fx - i, fy - j
    u, v = u * u * (3 - 2 * u), v * v * (3 - 2 * v)
    top = lattice(i, j) * (1 - u) + lattice(i + 1, j) * u
    bottom = lattice(i, j + 1) * (1 - u) + lattice(i + 1, j + 1) * u
    return top * (1 - v) + bottom * v


def make_tile():
    """A soft linen texture in light greys that tiles seamlessly."""
    tile = Image.new("RGB", (32, 32))
    for y in range(32):
        for x in range(32):
            weave = math.sin(2 * math.pi * (x - y) / 8) + math.sin(2 * math.pi * (x + y) / 16)
            grain = periodic_noise(x, y, 8, 7) - 0.5 + 0.5 * (periodic_noise(x, y, 16, 3) - 0.5)
            v = round(222 + 4 * weave + 22 * grain)
            tile.putpixel((x, y), (v, v, min(255, v + 3)))
    return tile


# --- bitmap 130: the rating grid ------------------------------------------

def make_grid():
    """Six columns and five rows at a pitch of 17 pixels; lines at x = 17c and
    y = 2 + 17r, so a 14 x 14 mark at (2 + 17c, 4 + 17r) has a 1-pixel margin
    in its cell."""
    grid = Image.new("RGB", (103, 90), LABEL)
    draw = ImageDraw.Draw(grid)
    draw.rectangle((17, 2, 85, 87), fill=CELL)
    for c in range(7):
        draw.line((17 * c, 2, 17 * c, 87), fill=LINE)
    for r in range(6):
        draw.line((0, 2 + 17 * r, 102, 2 + 17 * r), fill=LINE)
    draw.line((0, 0, 102, 0), fill=LINE)
    draw.line((0, 89, 102, 89), fill=LINE)
    draw.line((0, 0, 0, 89), fill=LINE)
    draw.line((102, 0, 102, 89), fill=LINE)
    for row in range(5):
        rating = 5 - row
        top = 4 + 17 * row + 3
        put_glyph(grid, INITIALS[rating - 1], 6, top, INK)
        put_glyph(grid, str(rating), 85 + 6, top, INK)
    return grid


# --- bitmap 138: the mark sheet -------------------------------------------

def disc_cell(background, fill, rim, ring_only=False):
    """A 14 x 14 cell with an anti-aliased disc (or ring) of radius 6.5."""
    cell = Image.new("RGB", (14, 14), background)
    n = 8  # samples per pixel side
    for y in range(14):
        for x in range(14):
            acc = [0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    d = math.hypot(x + (sx + 0.5) / n - 7, y + (sy + 0.5) / n - 7)
                    if d > 6.5 or (ring_only and d < 5.2):
                        colour = background
                    else:
                        colour = rim if d > 5.4 else fill
                    acc = [a + c for a, c in zip(acc, colour)]
            cell.putpixel((x, y), tuple(round(a / (n * n)) for a in acc))
    return cell


def make_marks():
    sheet = Image.new("RGB", (70, 56), CELL)
    white = (255, 255, 255)
    for rating in range(1, 6):
        left = 14 * (rating - 1)
        digit, initial = str(rating), INITIALS[rating - 1]
        kinds = [(CELL, DAY_BLUE), (LABEL, RESULT_GREEN), (LABEL, None), (CELL, REPEAT_RED)]
        for kind, (background, colours) in enumerate(kinds):
            if colours:
                cell = disc_cell(background, *colours)
                put_glyph(cell, digit, 4, 4, white, bold=True)
            else:
                cell = disc_cell(background, background, RING, ring_only=True)
                put_glyph(cell, initial, 4, 4, INK, bold=True)
            sheet.paste(cell, (left, 14 * kind))
    return sheet


# --- bitmap 144: the banner -----------------------------------------------

BANNER_FRAMES = [
    ("Join Clicks4U", "Free traffic for your web site", "cursor"),
    ("Rate sites", "Poor, Fair, Average, Good, Great", "marks"),
    ("Earn credits", "Tickets, lotto and traffic credits", "coins"),
]


def make_banner(main_font_path):
    k = 4  # drawn at four times the size, then reduced
    big = ImageFont.truetype(main_font_path, 21 * k)
    small = ImageFont.truetype(main_font_path, 11 * k)
    banner = Image.new("RGB", (263 * k, 135 * k))
    draw = ImageDraw.Draw(banner)
    for index, (title, subtitle, emblem) in enumerate(BANNER_FRAMES):
        top = 45 * k * index
        for y in range(45 * k):
            draw.line((0, top + y, 263 * k, top + y),
                      fill=blend((24, 58, 132), (14, 32, 80), y / (45 * k)))
        draw.rectangle((0, top + 41 * k, 263 * k, top + 45 * k), fill=(247, 166, 30))
        art_icons.banner_emblem(banner, emblem, 6 * k, top + 3 * k, 36 * k)
        draw.text((52 * k, top + 2 * k), title, font=big, fill=(255, 255, 255))
        draw.text((53 * k, top + 26 * k), subtitle, font=small, fill=(176, 204, 250))
        for dot in range(3):  # which of the three frames this is
            x, y, r = (240 + 7 * dot) * k, top + 9 * k, (2.5 if dot == index else 1.8) * k
            draw.ellipse((x - r, y - r, x + r, y + r),
                         fill=(247, 166, 30) if dot == index else (74, 104, 170))
    return banner.reduce(k)


# --- sound 112: the About chime -------------------------------------------

# The resource must be exactly 37310 bytes: a 44-byte RIFF header and 37266
# one-byte samples at 22050 per second (about 1.69 s).
CHIME_RATE = 22050
CHIME_SAMPLES = 37266


def make_chime(rate=CHIME_RATE, count=CHIME_SAMPLES):
    """Three bell notes rising (C6, E6, G6), each with a soft inharmonic
    partial and an exponential decay, faded out at the end."""
    notes = [(1046.5, 0.00), (1318.5, 0.12), (1568.0, 0.24)]
    seconds = count / rate
    samples = []
    for i in range(count):
        t = i / rate
        s = 0.0
        for freq, start in notes:
            u = t - start
            if u < 0:
                continue
            attack = 0.5 - 0.5 * math.cos(math.pi * min(1.0, u / 0.006))
            s += attack * math.exp(-u / 0.40) * (
                math.sin(2 * math.pi * freq * u)
                + 0.25 * math.sin(2 * math.pi * freq * 2.76 * u) * math.exp(-u / 0.06))
        fade = min(1.0, (seconds - t) / 0.30)
        samples.append(0.32 * s * fade)
    return samples, rate


def main():
    out = lambda name: os.path.join(HERE, name)  # noqa: E731
    art_fonts.build_main_font(out("qzMain.ttf"))
    art_fonts.build_digits_font(out("qzDigits.ttf"))
    # The rating picture's grid and marks are 24-bit, as the picture code reads them. The tile
    # and the banner are 8-bit palettized, to keep the program small: the tile has fewer than
    # 256 colours and keeps every pixel; the banner's anti-aliased text is reduced to 256
    # colours, and its rows of one colour run-length encoded (the program loads it as a device
    # bitmap, which may be compressed; the tile becomes a DIB section, which may not).
    write_bmp8(out("tile.bmp"), make_tile(), 256)
    write_bmp8(out("grid.bmp"), make_grid(), 4)
    write_bmp(out("marks.bmp"), make_marks())
    write_bmp8(out("banner.bmp"), make_banner(out("qzMain.ttf")), 256, rle=True)
    for name, sizes in art_icons.ICONS.items():
        write_ico(out(name + ".ico"), [art_icons.render(name, s) for s in sizes], art_icons.PNG_SIZES.get(name, ()))
    samples, rate = make_chime()
    write_wav8(out("about.wav"), samples, rate)
    art_uninstall.write_all(out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
