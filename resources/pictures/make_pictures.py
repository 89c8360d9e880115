#!/usr/bin/python3
"""Draws the plug-in's bitmaps and its help icon.

Run with Debian's python3 and python3-pil:  /usr/bin/python3 make_pictures.py
The results are committed beside this script, so a build never runs it.

Pillow writes every palette bitmap with 8 bits a pixel and cannot write a
16-colour icon, so the files are put together here by hand: uncompressed
DIBs with a BITMAPINFOHEADER and exactly as many palette entries as the
depth allows.
"""

import os
import re
import struct

from PIL import Image, ImageChops, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

# The dialog face of the classic scheme: pictures sit on it without a frame
# of another colour around them.
FACE = (192, 192, 192)

# The 16 colours of the standard VGA palette; the 16-colour pictures draw
# only with these so that they look the same on a 16-colour display.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREY, LIGHT_GREY, WHITE = 0, 8, 7, 15
NAVY, BLUE = 4, 12


# ------------------------------------------------------------ DIB writing

def dib_rows(indices, width, height, bits):
    """Pixel rows bottom-up, each padded to 4 bytes."""
    per_byte = 8 // bits
    stride = ((width * bits + 31) // 32) * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            value = indices[y * width + x]
            shift = 8 - bits * (x % per_byte + 1)
            row[x // per_byte] |= value << shift
        rows.append(bytes(row))
    return b"".join(rows)


def info_header(width, height, bits, colours, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0,
                       image_size, 2835, 2835, colours, colours)


def palette_bytes(palette, colours):
    padded = list(palette) + [(0, 0, 0)] * (colours - len(palette))
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in padded)


def write_bmp(name, indices, width, height, palette, bits):
    colours = 1 << bits
    pixels = dib_rows(indices, width, height, bits)
    body = info_header(width, height, bits, colours, len(pixels)) + palette_bytes(palette, colours)
    offset = 14 + len(body)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset))
        f.write(body + pixels)


def write_icon(name, indices, mask, size, palette):
    """One 4-bit image; mask holds 1 where the desktop shows through."""
    xor = dib_rows(indices, size, size, 4)
    and_mask = dib_rows(mask, size, size, 1)
    # An icon's header counts the XOR and the AND halves together.
    body = info_header(size, size * 2, 4, 16, len(xor) + len(and_mask)) + palette_bytes(palette, 16)
    image = body + xor + and_mask
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, 1))
        f.write(struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16))
        f.write(image)


def indexed(image):
    return list(image.getdata())


def font(name, size):
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size)


# ---------------------------------------------------------------- emblem

def draw_emblem(size=64, scale=8):
    """Three overlapping inks in a ring: cyan, magenta and yellow."""
    big = size * scale
    image = Image.new("RGB", (big, big), FACE)
    ring = Image.new("RGB", (big, big), (0, 0, 0))
    d = ImageDraw.Draw(ring)
    d.ellipse((2 * scale, 2 * scale, big - 2 * scale, big - 2 * scale), fill=(40, 60, 110))
    d.ellipse((6 * scale, 6 * scale, big - 6 * scale, big - 6 * scale), fill=(255, 255, 255))
    inks = Image.new("RGB", (big, big), (255, 255, 255))
    radius = 15 * scale
    centre = big // 2
    for (dx, dy), colour in (((0, -8), (0, 255, 255)), ((-7, 5), (255, 0, 255)), ((7, 5), (255, 255, 0))):
        layer = Image.new("RGB", (big, big), (255, 255, 255))
        cx, cy = centre + dx * scale, centre + dy * scale
        ImageDraw.Draw(layer).ellipse((cx - radius, cy - radius, cx + radius, cy + radius), fill=colour)
        # Inks on paper subtract: multiplying is how they overlap.
        inks = ImageChops.multiply(inks, layer)
    inner = Image.new("L", (big, big), 0)
    ImageDraw.Draw(inner).ellipse((6 * scale, 6 * scale, big - 6 * scale, big - 6 * scale), fill=255)
    ring.paste(inks, (0, 0), inner)
    disc = Image.new("L", (big, big), 0)
    ImageDraw.Draw(disc).ellipse((2 * scale, 2 * scale, big - 2 * scale, big - 2 * scale), fill=255)
    image.paste(ring, (0, 0), disc)
    return image.resize((size, size), Image.LANCZOS)


def make_emblems():
    colour = draw_emblem().quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    palette = colour.getpalette()[:768]
    palette = [tuple(palette[i:i + 3]) for i in range(0, len(palette), 3)]
    write_bmp("emblem.bmp", indexed(colour), 64, 64, palette, 8)
    # The grey twin is the same picture pixel for pixel, each colour replaced
    # by its luminance, so the two can stand in for each other on the page.
    grey_of = [round(0.299 * r + 0.587 * g + 0.114 * b) for r, g, b in palette]
    greys = [(v, v, v) for v in range(256)]
    write_bmp("emblem_gray.bmp", [grey_of[i] for i in indexed(colour)], 64, 64, greys, 8)


# ------------------------------------------------------- staple pictures

def page_picture(width, height, staples):
    """A sheet with a few lines of text and the given staples."""
    image = Image.new("P", (width, height), LIGHT_GREY)
    image.putpalette([c for rgb in VGA for c in rgb])
    d = ImageDraw.Draw(image)
    d.rectangle((1, 1, width - 2, height - 2), fill=WHITE, outline=BLACK)
    # A shadow along the right and bottom edges lifts the sheet off the face.
    d.line((width - 1, 2, width - 1, height - 1), fill=DARK_GREY)
    d.line((2, height - 1, width - 1, height - 1), fill=DARK_GREY)
    for y in range(8, height - 5, 4):
        right = width - 7 if (y // 4) % 3 else width - 13
        d.line((6, y, right, y), fill=DARK_GREY)
    for line in staples:
        d.line(line, fill=BLACK, width=2)
    return indexed(image)


def make_staples():
    portrait, landscape = (30, 39), (39, 30)
    corner = (3, 9, 9, 3)
    pictures = {
        "staple_portrait_one.bmp": (portrait, [corner]),
        "staple_portrait_two.bmp": (portrait, [(4, 9, 4, 15), (4, 24, 4, 30)]),
        "staple_landscape_one.bmp": (landscape, [corner]),
        "staple_landscape_two.bmp": (landscape, [(9, 4, 15, 4), (24, 4, 30, 4)]),
        "staple_none.bmp": (portrait, []),
    }
    for name, ((w, h), staples) in pictures.items():
        write_bmp(name, page_picture(w, h, staples), w, h, VGA, 4)


# --------------------------------------------------- rendering-style table
# Bitmap 151 speaks the build's language: its words are the PIC_RENDER_*
# macros of each texts file, one picture per language of the table.

RESOURCES = os.path.dirname(HERE)
TABLE_WORDS = ["TITLE", "HEAD_STYLE", "HEAD_ICC", "HEAD_SUITED"] + [
    "ROW%d_%s" % (row, column) for row in range(1, 6) for column in ("STYLE", "ICC", "SUITED")]


def languages():
    """The codes of resources/languages.txt, in table order."""
    with open(os.path.join(RESOURCES, "languages.txt"), encoding="utf-8") as table:
        return [line.split()[0] for line in table if line.strip() and not line.startswith("#")]


def render_words(code):
    """The PIC_RENDER_* texts of texts/<code>.rc by name, or None without one."""
    path = os.path.join(RESOURCES, "texts", code + ".rc")
    if not os.path.exists(path):
        return None
    words = {}
    with open(path, encoding="utf-8") as texts:
        for line in texts:
            match = re.match(r'#define\s+PIC_RENDER_(\w+)\s+"((?:[^"\\]|\\.)*)"\s*$', line)
            if match:
                words[match.group(1)] = re.sub(r"\\(.)", r"\1", match.group(2))
    missing = [name for name in TABLE_WORDS if name not in words]
    assert not missing, "%s lacks PIC_RENDER_%s" % (path, ", PIC_RENDER_".join(missing))
    return words


def make_render_table(code, words, width=470, height=204):
    title = words["TITLE"]
    heads = tuple(words[name] for name in ("HEAD_STYLE", "HEAD_ICC", "HEAD_SUITED"))
    table_rows = tuple(tuple(words["ROW%d_%s" % (row, column)] for column in ("STYLE", "ICC", "SUITED"))
                       for row in range(1, 6))
    image = Image.new("L", (width, height), 255)
    d = ImageDraw.Draw(image)
    regular, bold = font("DejaVuSans.ttf", 12), font("DejaVuSans-Bold.ttf", 12)
    title_face = font("DejaVuSans-Bold.ttf", 14)
    pad = 6

    # Each column as wide as its widest text; what is left over is shared.
    needed = [max(d.textlength(text, font=bold if i == 0 else regular)
                  for i, text in enumerate(column)) + 2 * pad
              for column in zip(heads, *table_rows)]
    spare = (width - 1 - sum(needed)) / len(needed)
    assert spare >= 0, "%s: the table's texts need %d of %d pixels" % (code, sum(needed), width - 1)
    assert d.textlength(title, font=title_face) + 2 * pad <= width, "%s: the title is wider than the table" % code
    columns = [0]
    for w in needed:
        columns.append(round(columns[-1] + w + spare))
    columns[-1] = width - 1
    rows = [0, 32] + [32 + 28 * (i + 1) for i in range(6)]
    rows[-1] = height - 1

    d.rectangle((0, 0, width - 1, height - 1), outline=0)
    for y in rows[1:-1]:
        d.line((0, y, width - 1, y), fill=0, width=2 if y == rows[2] else 1)
    for x in columns[1:-1]:
        d.line((x, rows[1], x, height - 1), fill=0)

    # Anchored on the middle of the font's line, so every text of a row
    # shares one baseline whatever letters it holds.
    def put(text, left, top, bottom, face, anchor="lm"):
        d.text((left, (top + bottom) / 2 + 1), text, font=face, fill=0, anchor=anchor)

    put(title, width / 2, rows[0], rows[1], title_face, anchor="mm")
    for i, head in enumerate(heads):
        put(head, columns[i] + pad, rows[1], rows[2], bold)
    for r, row in enumerate(table_rows):
        for i, text in enumerate(row):
            put(text, columns[i] + pad, rows[r + 2], rows[r + 3], regular)
    # Anti-aliased black on white needs only greys: one palette entry per level.
    write_bmp("render_table-%s.bmp" % code, indexed(image), width, height, [(v, v, v) for v in range(256)], 8)


def make_render_tables():
    for code in languages():
        words = render_words(code)
        if words is None:
            print("no texts/%s.rc: no rendering-style picture for %s" % (code, code))
            continue
        make_render_table(code, words)


# ------------------------------------------------------------- help icon

def make_help_icon(size=32):
    image = Image.new("P", (size, size), BLACK)
    image.putpalette([c for rgb in VGA for c in rgb])
    mask = Image.new("1", (size, size), 1)
    d = ImageDraw.Draw(image)
    d.fontmode = "1"
    d.ellipse((0, 0, size - 1, size - 1), fill=BLUE, outline=NAVY, width=2)
    ImageDraw.Draw(mask).ellipse((0, 0, size - 1, size - 1), fill=0)
    face = font("DejaVuSans-Bold.ttf", 24)
    left, top, right, bottom = d.textbbox((0, 0), "?", font=face)
    d.text(((size - (right - left)) // 2 - left, (size - (bottom - top)) // 2 - top), "?", font=face, fill=WHITE)
    write_icon("help.ico", indexed(image), [int(v != 0) for v in mask.getdata()], size, VGA)


if __name__ == "__main__":
    make_emblems()
    make_staples()
    make_render_tables()
    make_help_icon()
