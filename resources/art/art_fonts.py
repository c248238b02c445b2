"""The program's two TrueType fonts, built with the fontforge Python module.

qztuMain: a monoline geometric sans. Every glyph is a skeleton of lines and
elliptic arcs that fontforge strokes with a round pen, so the whole alphabet
fits in a table below.

qztuDigits: bold digits drawn on the pixel grid of a 16-pixel em (64 units a
pixel), so that at the 16-pixel height the program asks for every edge falls
on a pixel edge and the digits come out crisp without hinting.
"""
import math
import os

os.environ.setdefault("SOURCE_DATE_EPOCH", "0")  # fixed head-table dates
import fontforge  # noqa: E402

# Skeleton heights of the main font (em 1000): skeletons sit about half a
# stroke inside the outline (baseline 45, x-height 455, cap 655); the little
# that the stroke reaches beyond 500 and 700 is the overshoot. A stroke of
# 105 units keeps the 10-pixel size of the About box readable.
STROKE = 105
NAMED = {"b": 45, "x": 455, "c": 655, "a": 695, "d": -155, "m": 250, "h": 350}

# char: (advance, skeleton). Strokes are separated by ';'. Commands:
# M x y (move), L x y (line), A cx cy rx ry from to (elliptic arc, degrees,
# counter-clockwise when to > from), O cx cy rx ry (closed ellipse), Z (close).
# Some strokes run in an unnatural direction or are split in two: fontforge's
# overlap removal trips over the natural order of those few.
MAIN_GLYPHS = {
    "a": (560, "O 270 m 180 205; M 450 x L 450 b"),
    "b": (560, "M 90 a L 90 b; O 280 m 190 205"),
    "c": (520, "A 280 m 190 205 40 320"),
    "d": (560, "O 270 m 190 205; M 460 a L 460 b"),
    "e": (560, "M 90 m L 470 m A 280 m 190 205 0 320"),
    "f": (340, "M 180 b L 180 560 A 300 560 120 135 180 50; M 60 x L 320 x"),
    "g": (560, "O 270 m 190 205; M 460 x L 460 -40 A 270 -40 190 115 0 -160"),
    "h": (540, "M 90 a L 90 b; M 90 270 A 270 270 180 185 180 0 L 450 b"),
    "i": (180, "M 90 x L 90 b; M 90 640 L 90 645"),
    "j": (240, "M 150 x L 150 -50 A 40 -50 110 105 0 -110; M 150 640 L 150 645"),
    "k": (480, "M 90 a L 90 b; M 420 x L 90 190; M 210 270 L 430 b"),
    "l": (180, "M 90 a L 90 b"),
    "m": (680, "M 90 x L 90 b; M 90 300 A 215 300 125 155 180 0 L 340 b;"
               " M 340 300 A 465 300 125 155 180 0 L 590 b"),
    "n": (540, "M 90 x L 90 b; M 90 270 A 270 270 180 185 180 0 L 450 b"),
    "o": (560, "O 280 m 190 205"),
    "p": (560, "M 90 x L 90 d; O 280 m 190 205"),
    "q": (560, "O 270 m 190 205; M 460 x L 460 d"),
    "r": (360, "M 90 x L 90 b; M 90 270 A 265 270 175 185 180 55"),
    "s": (520, "A 260 352 160 103 25 270 A 265 148 170 103 90 -155"),
    "t": (380, "M 180 640 L 180 150 A 300 150 120 105 180 300; M 60 x L 330 x"),
    "u": (540, "M 90 x L 90 230 A 270 230 180 185 180 360; M 450 x L 450 b"),
    "v": (500, "M 60 x L 250 b L 440 x"),
    "w": (700, "M 50 x L 200 b L 350 390 L 500 b L 650 x"),
    "x": (500, "M 70 x L 430 b; M 430 x L 70 b"),
    "y": (500, "M 60 x L 250 b; M 440 x L 170 d"),
    "z": (500, "M 80 x L 420 x L 80 b L 430 b"),
    "A": (620, "M 570 b L 310 c L 50 b; M 150 230 L 470 230"),
    "B": (590, "M 90 b L 90 c L 320 c A 320 517 150 138 90 -90 L 90 379;"
               " M 90 379 L 340 379 A 340 212 170 167 90 -90 L 90 b"),
    "C": (640, "A 350 h 260 305 40 320"),
    "D": (650, "M 90 b L 90 c L 270 c A 270 h 290 305 90 -90 Z"),
    "E": (560, "M 500 c L 90 c L 90 b L 500 b; M 90 h L 440 h"),
    "F": (540, "M 500 c L 90 c L 90 b; M 90 h L 440 h"),
    "G": (680, "A 350 h 260 305 40 360; M 610 h L 390 h"),
    "H": (620, "M 90 b L 90 c; M 530 b L 530 c; M 90 h L 530 h"),
    "I": (180, "M 90 b L 90 c"),
    "J": (490, "M 400 c L 400 220 A 240 220 160 175 0 -180"),
    "K": (570, "M 90 b L 90 c; M 510 c L 90 240; M 240 380 L 530 b"),
    "L": (500, "M 90 c L 90 b L 470 b"),
    "M": (700, "M 90 b L 90 c L 350 200 L 610 c L 610 b"),
    "N": (620, "M 90 b L 90 c L 530 b L 530 c"),
    "O": (720, "O 360 h 270 305"),
    "P": (570, "M 90 b L 90 c L 320 c A 320 500 170 155 90 -90 L 90 345"),
    "Q": (720, "O 360 h 270 305; M 430 190 L 620 b"),
    "R": (590, "M 90 b L 90 c L 320 c A 320 500 170 155 90 -90 L 90 345;"
               " M 300 345 L 520 b"),
    "S": (600, "A 300 502 195 153 25 270 A 305 197 210 152 90 -155"),
    "T": (580, "M 40 c L 540 c; M 290 c L 290 b"),
    "U": (620, "M 90 c L 90 260 A 310 260 220 215 180 360 L 530 c"),
    "V": (600, "M 40 c L 300 b L 560 c"),
    "W": (820, "M 780 c L 600 b L 410 560 L 220 b L 40 c"),
    "X": (580, "M 60 c L 520 b; M 520 c L 60 b"),
    "Y": (580, "M 50 c L 290 320 L 530 c; M 290 320 L 290 b"),
    "Z": (590, "M 70 c L 510 c L 70 b L 520 b"),
    "0": (560, "O 280 h 200 305"),
    "1": (560, "M 150 540 L 310 c L 310 b"),
    "2": (560, "M 490 b L 80 b A 275 465 195 190 -35 160"),
    "3": (560, "A 270 505 180 150 150 -90; A 270 200 200 155 90 -150"),
    "4": (560, "M 400 b L 400 c L 60 200 L 520 200"),
    "5": (560, "M 460 c L 130 c L 105 375 A 285 225 195 180 140 -145"),
    "6": (560, "O 280 210 195 165; M 85 210 L 85 400 A 300 400 215 255 180 60"),
    "7": (560, "M 70 c L 490 c L 200 b"),
    "8": (560, "O 280 503 170 152; O 280 197 200 152"),
    "9": (560, "O 280 490 195 165; M 475 490 L 475 300 A 260 300 215 255 0 -120"),
    " ": (280, ""),
    ".": (200, "M 100 b L 100 50"),
    ",": (200, "M 110 60 L 70 -90"),
    ":": (200, "M 100 b L 100 50; M 100 410 L 100 415"),
    ";": (200, "M 110 60 L 70 -90; M 110 410 L 110 415"),
    "!": (220, "M 110 c L 110 220; M 110 b L 110 50"),
    "?": (480, "M 240 230 L 240 300 A 240 500 170 155 -60 160; M 240 b L 240 50"),
    "'": (180, "M 90 c L 90 480"),
    '"': (300, "M 90 c L 90 480; M 210 c L 210 480"),
    "-": (400, "M 70 280 L 330 280"),
    "_": (500, "M 30 -110 L 470 -110"),
    "+": (520, "M 60 300 L 460 300; M 260 100 L 260 500"),
    "=": (520, "M 60 200 L 460 200; M 60 400 L 460 400"),
    "*": (440, "M 220 c L 220 420; M 110 600 L 330 475; M 110 475 L 330 600"),
    "/": (400, "M 40 -60 L 360 c"),
    "\\": (400, "M 40 c L 360 -60"),
    "|": (180, "M 90 a L 90 d"),
    "(": (300, "A 360 300 200 440 120 240"),
    ")": (300, "A 40 300 200 440 60 -60"),
    "[": (300, "M 250 a L 90 a L 90 d L 250 d"),
    "]": (300, "M 50 a L 210 a L 210 d L 50 d"),
    "<": (520, "M 450 520 L 70 300 L 450 80"),
    ">": (520, "M 70 80 L 450 300 L 70 520"),
    "#": (600, "M 220 b L 260 c; M 380 b L 420 c; M 70 230 L 550 230;"
               " M 70 470 L 550 470"),
    "%": (720, "O 170 540 110 115; O 550 160 110 115; M 120 b L 600 c"),
    "&": (640, "M 580 b L 180 480 A 300 540 120 115 200 -30 L 160 330"
               " A 280 200 200 155 160 300 L 570 330"),
    "@": (860, "O 430 250 120 140; M 550 390 L 550 180 A 640 180 90 110 180 360"
               " A 430 250 300 360 0 300"),
    "$": (600, "A 300 502 195 153 25 270 A 305 197 210 152 90 -155;"
               " M 300 740 L 300 -40"),
}


# Glyphs whose sides are points or diagonals get narrower side bearings.
TIGHT = "AVWXYTvwxy/\\<>*"


def _num(token):
    return NAMED[token] if token in NAMED else float(token)


def _arc(pen, cx, cy, rx, ry, a0, a1, pendown):
    """Draws an elliptic arc as cubic pieces of at most 90 degrees."""
    pieces = max(1, math.ceil(abs(a1 - a0) / 90.0))
    step = math.radians(a1 - a0) / pieces
    k = 4.0 / 3.0 * math.tan(step / 4.0)
    t = math.radians(a0)
    start = (cx + rx * math.cos(t), cy + ry * math.sin(t))
    (pen.lineTo if pendown else pen.moveTo)(start)
    for _ in range(pieces):
        u = t + step
        c1 = (cx + rx * (math.cos(t) - k * math.sin(t)),
              cy + ry * (math.sin(t) + k * math.cos(t)))
        c2 = (cx + rx * (math.cos(u) + k * math.sin(u)),
              cy + ry * (math.sin(u) - k * math.cos(u)))
        pen.curveTo(c1, c2, (cx + rx * math.cos(u), cy + ry * math.sin(u)))
        t = u


def _draw_skeleton(pen, skeleton):
    for stroke in filter(None, (s.split() for s in skeleton.split(";"))):
        down, closed, i = False, False, 0
        while i < len(stroke):
            op = stroke[i]
            if op in ("M", "L"):
                p = (_num(stroke[i + 1]), _num(stroke[i + 2]))
                (pen.lineTo if down and op == "L" else pen.moveTo)(p)
                down, i = True, i + 3
            elif op == "A":
                _arc(pen, *map(_num, stroke[i + 1:i + 7]), down)
                down, i = True, i + 7
            elif op == "O":
                cx, cy, rx, ry = map(_num, stroke[i + 1:i + 5])
                _arc(pen, cx, cy, rx, ry, 0, 360, False)
                down, closed, i = True, True, i + 5
            elif op == "Z":
                closed, i = True, i + 1
            else:
                raise ValueError("bad skeleton command " + op)
        pen.closePath() if closed else pen.endPath()


def _new_font(name, em, ascent, descent):
    font = fontforge.font()
    font.encoding = "UnicodeFull"
    font.em = em
    font.ascent, font.descent = ascent, descent
    font.fontname = font.familyname = font.fullname = name
    font.weight = "Regular"
    font.version = "1.0"
    font.copyright = "Tavrik Rateline artwork"
    font.os2_vendor = "TVRK"
    font.os2_weight = 400
    font.os2_stylemap = 0x40  # fsSelection: REGULAR
    for attr in ("os2_winascent_add", "os2_windescent_add", "os2_typoascent_add",
                 "os2_typodescent_add", "hhea_ascent_add", "hhea_descent_add"):
        setattr(font, attr, False)
    font.appendSFNTName("English (US)", "SubFamily", "Regular")
    font.appendSFNTName("English (US)", "UniqueID", name + " 1.0")
    font.appendSFNTName("English (US)", "Version", "Version 1.0")
    return font


def _set_metrics(font, win_ascent, win_descent, typo_ascent, typo_descent):
    font.os2_winascent, font.os2_windescent = win_ascent, win_descent
    font.hhea_ascent, font.hhea_descent = win_ascent, -win_descent
    font.hhea_linegap = font.os2_typolinegap = 0
    font.os2_typoascent, font.os2_typodescent = typo_ascent, typo_descent


def _notdef(font, width, x0, y0, x1, y1, wall):
    """The missing-glyph box: an outer contour clockwise, a hole inside."""
    glyph = font.createChar(-1, ".notdef")
    pen = glyph.glyphPen()
    for inset in (0, wall):
        a, b, c, d = x0 + inset, y0 + inset, x1 - inset, y1 - inset
        corners = [(a, b), (a, d), (c, d), (c, b)]
        if inset:
            corners.reverse()
        pen.moveTo(corners[0])
        for p in corners[1:]:
            pen.lineTo(p)
        pen.closePath()
    pen = None
    glyph.width = width


def _finish(font, path):
    for glyph in font.glyphs():
        glyph.removeOverlap()
        glyph.correctDirection()
        glyph.addExtrema()
        glyph.round()
    font.generate(path, flags=("no-FFTM-table", "omit-instructions", "short-post"))


def build_main_font(path):
    font = _new_font("qztuMain", 1000, 800, 200)
    _set_metrics(font, 900, 260, 800, -200)
    font.os2_xheight, font.os2_capheight = 500, 700
    _notdef(font, 500, 60, 0, 440, 700, 60)
    for ch, (advance, skeleton) in MAIN_GLYPHS.items():
        glyph = font.createChar(ord(ch))
        if skeleton:
            _draw_skeleton(glyph.glyphPen(), skeleton)
            glyph.stroke("circular", STROKE, cap="round", join="round")
        glyph.width = advance  # after the pen, which resets the glyph
        if ch.isdigit():  # tabular digits: centred in the common advance
            x0, _, x1, _ = glyph.boundingBox()
            glyph.transform((1, 0, 0, 1, round((advance - x0 - x1) / 2), 0))
        elif skeleton:
            bearing = 25 if ch in TIGHT else 55
            glyph.left_side_bearing = glyph.right_side_bearing = bearing
    _finish(font, path)


# Digits on an 8 x 11 pixel grid, baseline under the last row; '#' is ink.
# Other characters may use fewer rows (counted up from the baseline).
DIGIT_PIXELS = {
    "0": "..####.. .######. ###..### ##....## ##....## ##....## ##....##"
         " ##....## ###..### .######. ..####..",
    "1": "...##... ..###... .####... ##.##... ...##... ...##... ...##..."
         " ...##... ...##... .######. .######.",
    "2": "..####.. .######. ##....## ......## .....### ....###. ...###.."
         " ..###... .###.... ######## ########",
    "3": ".######. ######## ......## ......## ..#####. ..#####. ......##"
         " ......## ##....## ######## .######.",
    "4": ".....##. ....###. ...####. ..##.##. .##..##. ##...##. ########"
         " ######## .....##. .....##. .....##.",
    "5": "######## ######## ##...... ##...... #######. ######## ......##"
         " ......## ##....## ######## .######.",
    "6": "..#####. .######. ###..... ##...... #######. ######## ##....##"
         " ##....## ###..### .######. ..####..",
    "7": "######## ######## ......## .....##. .....##. ....##.. ....##.."
         " ...##... ...##... ..##.... ..##....",
    "8": "..####.. .######. ##....## ##....## .######. .######. ##....##"
         " ##....## ##....## ######## .######.",
    "9": "..####.. .######. ###..### ##....## ##....## ######## .#######"
         " ......## .....### .######. .#####..",
    "-": "###### ######",
    "+": "..##.. ..##.. ###### ###### ..##.. ..##..",
    ".": "## ##",
    ",": ".## .## ##.",
    ":": "## ## .. .. .. .. ## ##",
    "/": ".....## .....## ....##. ....##. ...##.. ...##.. ..##... ..##..."
         " .##.... .##.... ##.....",
}
PX = 64  # font units per pixel at the 16-pixel em
DIGIT_LIFT = {"-": 4, "+": 2, ",": -1}  # pixels above the baseline
DIGIT_ADVANCE = {"-": 8, "+": 8, ".": 4, ",": 4, ":": 4, "/": 9, " ": 5}


def build_digits_font(path):
    font = _new_font("qztuDigits", 16 * PX, 13 * PX, 3 * PX)
    _set_metrics(font, 13 * PX, 3 * PX, 13 * PX, -3 * PX)
    font.os2_xheight, font.os2_capheight = 11 * PX, 11 * PX
    _notdef(font, 10 * PX, PX, 0, 9 * PX, 11 * PX, PX)
    font.createChar(32).width = DIGIT_ADVANCE[" "] * PX
    for ch, art in DIGIT_PIXELS.items():
        glyph = font.createChar(ord(ch))
        pen = glyph.glyphPen()
        rows = art.split()
        for r, row in enumerate(rows):
            y = (len(rows) - 1 - r + DIGIT_LIFT.get(ch, 0)) * PX
            for c, cell in enumerate(row):
                if cell == "#":  # one pixel square, clockwise
                    x = (c + 1) * PX
                    pen.moveTo((x, y))
                    pen.lineTo((x, y + PX))
                    pen.lineTo((x + PX, y + PX))
                    pen.lineTo((x + PX, y))
                    pen.closePath()
        pen = None
        glyph.width = DIGIT_ADVANCE.get(ch, 10) * PX
    _finish(font, path)
