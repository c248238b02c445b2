"""Byte-exact writers for the artwork files: 24- and 8-bit BMP (8-bit also RLE8), 32-bit ICO, PCM WAV.

Written by hand rather than through Pillow so that the layout is the one the
Windows loaders expect (bottom-up rows, BMP-encoded icon entries with an AND
mask) and so that nothing varies from run to run.
"""
import io
import struct
import wave

from PIL import Image


def _rows_bottom_up(image):
    width, height = image.size
    pixels = image.load()
    for y in range(height - 1, -1, -1):
        yield [pixels[x, y] for x in range(width)]


def write_bmp(path, image):
    """Writes an RGB image as an uncompressed 24-bit bottom-up BMP."""
    image = image.convert("RGB")
    width, height = image.size
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in _rows_bottom_up(image):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data),
                       2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0,
                         14 + len(info))
    with open(path, "wb") as out:
        out.write(header + info + data)


def _rle8_line(line):
    """One row in BI_RLE8: runs of two or more equal pixels as (count, index), other
    stretches of three or more pixels in absolute mode (0, count, pixels, word padding),
    shorter ones as runs of one; then the end-of-line code."""
    out = bytearray()
    i, width = 0, len(line)
    while i < width:
        run = 1
        while i + run < width and run < 255 and line[i + run] == line[i]:
            run += 1
        if run >= 2:
            out += bytes((run, line[i]))
            i += run
            continue
        end = i
        while end < width and end - i < 255 and not (
                end + 2 < width and line[end] == line[end + 1] == line[end + 2]):
            end += 1
        literal = line[i:end]
        if len(literal) < 3:
            for pixel in literal:
                out += bytes((1, pixel))
        else:
            out += bytes((0, len(literal))) + literal + bytes(len(literal) & 1)
        i = end
    return out + bytes((0, 0))


def write_bmp8(path, image, colours, rle=False):
    """Writes an RGB image as an 8-bit palettized bottom-up BMP, its palette reduced to at
    most `colours` entries without dithering; uncompressed, or run-length encoded (BI_RLE8)
    when `rle` is set."""
    indexed = image.convert("RGB").quantize(colours, method=Image.Quantize.MEDIANCUT,
                                            dither=Image.Dither.NONE)
    width, height = indexed.size
    palette = indexed.getpalette()[:3 * colours]
    used = max(indexed.getdata()) + 1
    stride = (width + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytes(indexed.getpixel((x, y)) for x in range(width))
        data += _rle8_line(line) if rle else line + bytes(stride - width)
    if rle:
        data[-2:] = bytes((0, 1))  # the last end-of-line becomes the end of the bitmap
    table = bytearray()
    for i in range(used):
        r, g, b = palette[3 * i:3 * i + 3]
        table += bytes((b, g, r, 0))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1 if rle else 0, len(data),
                       2835, 2835, used, 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    with open(path, "wb") as out:
        out.write(header + info + table + data)


def _icon_entry(image):
    """One icon image: BITMAPINFOHEADER, BGRA rows, then the AND mask."""
    image = image.convert("RGBA")
    width, height = image.size
    xor, mask = bytearray(), bytearray()
    mask_stride = ((width + 31) // 32) * 4
    for row in _rows_bottom_up(image):
        bits = bytearray(mask_stride)
        for x, (r, g, b, a) in enumerate(row):
            if a == 0:  # fully transparent: black colour, mask bit set
                xor += bytes(4)
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                xor += bytes((b, g, r, a))
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                       len(xor) + len(mask), 0, 0, 0, 0)
    return info + xor + mask


def _png_entry(image):
    """One icon image as a PNG file (Windows Vista and later read these)."""
    data = io.BytesIO()
    image.convert("RGBA").save(data, "PNG", optimize=True)
    return data.getvalue()


def write_ico(path, images, png_sizes=()):
    """Writes an icon file with one 32-bit entry per image, smallest first: BMP-encoded, or PNG
    for the sizes in png_sizes."""
    images = sorted(images, key=lambda im: im.size[0])
    entries = [_png_entry(im) if im.size[0] in png_sizes else _icon_entry(im) for im in images]
    offset = 6 + 16 * len(entries)
    directory = struct.pack("<HHH", 0, 1, len(entries))
    for image, entry in zip(images, entries):
        width, height = image.size
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0,
                                 1, 32, len(entry), offset)
        offset += len(entry)
    with open(path, "wb") as out:
        out.write(directory + b"".join(entries))


def write_wav8(path, samples, rate):
    """Writes 8-bit mono PCM (unsigned, silence at 128) behind a 44-byte
    header; samples are floats in -1..1."""
    frames = bytes(max(1, min(255, 128 + round(s * 127))) for s in samples)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(1)
        out.setframerate(rate)
        out.writeframes(frames)
