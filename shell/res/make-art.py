#!/usr/bin/env python3
"""Draws the stored artwork of Vistrel Selector and writes it next to this script.

Outputs:
  logo.bmp      195 x 75, 8 bits per pixel: the splash-screen logo
  QZSelect.ico  32 x 32 and 16 x 16, 16 colours: the program icon
  preview.bmp   160 x 100, 8 bits per pixel: the initial (empty) preview picture

Standard library only; the output is byte-for-byte deterministic.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

WHITE = (255, 255, 255)

# The standard 16-colour VGA palette, in Windows order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# ---------------------------------------------------------------------------
# Small built-in pixel font (7 rows high, proportional widths).
# ---------------------------------------------------------------------------

GLYPHS = {
    "V": ["X...X", "X...X", "X...X", "X...X", ".X.X.", ".X.X.", "..X.."],
    "i": ["X", ".", "X", "X", "X", "X", "X"],
    "s": ["....", "....", ".XXX", "X...", ".XX.", "...X", "XXX."],
    "t": [".X.", ".X.", "XXX", ".X.", ".X.", ".X.", "..X"],
    "r": ["....", "....", "X.XX", "XX..", "X...", "X...", "X..."],
    "e": ["....", "....", ".XX.", "X..X", "XXXX", "X...", ".XXX"],
    "l": ["X.", "X.", "X.", "X.", "X.", "X.", ".X"],
    "S": [".XXXX", "X....", "X....", ".XXX.", "....X", "....X", "XXXX."],
    "E": ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"],
    "L": ["X....", "X....", "X....", "X....", "X....", "X....", "XXXXX"],
    "C": [".XXXX", "X....", "X....", "X....", "X....", "X....", ".XXXX"],
    "T": ["XXXXX", "..X..", "..X..", "..X..", "..X..", "..X..", "..X.."],
    "O": [".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    "R": ["XXXX.", "X...X", "X...X", "XXXX.", "X.X..", "X..X.", "X...X"],
}


def text_cells(text, gap):
    """Returns (width in font cells, list of lit (column, row) cells)."""
    cells = []
    x = 0
    for n, ch in enumerate(text):
        rows = GLYPHS[ch]
        width = len(rows[0])
        for ry, row in enumerate(rows):
            for rx, c in enumerate(row):
                if c == "X":
                    cells.append((x + rx, ry))
        x += width
        if n + 1 < len(text):
            x += gap
    return x, cells


def text_mask(text, gap, scale, x0, y0):
    """Set of output pixels (x, y) covered by the text, drawn scaled."""
    _, cells = text_cells(text, gap)
    lit = set()
    for cx, cy in cells:
        for dy in range(scale):
            for dx in range(scale):
                lit.add((x0 + cx * scale + dx, y0 + cy * scale + dy))
    return lit


# ---------------------------------------------------------------------------
# Geometry helpers (continuous coordinates, pixel (x, y) spans [x, x+1)).
# ---------------------------------------------------------------------------


def sd_round_rect(px, py, x0, y0, x1, y1, r):
    """Signed distance to a rounded rectangle (negative inside)."""
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r
    qx, qy = abs(px - cx) - hx, abs(py - cy) - hy
    ox, oy = max(qx, 0.0), max(qy, 0.0)
    return math.hypot(ox, oy) + min(max(qx, qy), 0.0) - r


def in_round_rect(px, py, x0, y0, x1, y1, r):
    return sd_round_rect(px, py, x0, y0, x1, y1, r) <= 0.0


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c0, c1, t):
    t = min(max(t, 0.0), 1.0)
    return (lerp(c0[0], c1[0], t), lerp(c0[1], c1[1], t), lerp(c0[2], c1[2], t))


def over(dst, src, alpha):
    return mix(dst, src, alpha)


# ---------------------------------------------------------------------------
# The logo
# ---------------------------------------------------------------------------

LOGO_W, LOGO_H = 195, 75

# Panel
PANEL = (3.0, 4.0, 192.0, 71.0)
PANEL_R = 11.0
NAVY_TOP = (52, 98, 176)
NAVY_BOTTOM = (14, 32, 86)
PANEL_EDGE = (10, 22, 64)

# Monitor motif
BEZEL = (12.0, 16.0, 60.0, 51.0)
SCREEN = (16.0, 20.0, 56.0, 47.0)
NECK = (31.0, 51.0, 41.0, 55.0)
BASE = (23.0, 55.0, 49.0, 59.5)

# Photo card tucked behind the monitor
CARD_CENTRE = (49.0, 18.0)
CARD_HALF = (12.0, 9.0)
CARD_ANGLE = math.radians(-12.0)

# Text
TITLE = "Vistrel"
TITLE_SCALE = 4
TITLE_GAP = 1
SUB = "SELECTOR"
SUB_SCALE = 2
SUB_GAP = 2
TEXT_LEFT = 70
TEXT_RIGHT = 186


def logo_layout():
    tw, _ = text_cells(TITLE, TITLE_GAP)
    sw, _ = text_cells(SUB, SUB_GAP)
    title_w, sub_w = tw * TITLE_SCALE, sw * SUB_SCALE
    title_h, sub_h = 7 * TITLE_SCALE, 7 * SUB_SCALE
    spacing = 9
    block_h = title_h + spacing + sub_h
    mid_y = (PANEL[1] + PANEL[3]) / 2.0
    top = int(round(mid_y - block_h / 2.0))
    centre_x = (TEXT_LEFT + TEXT_RIGHT) / 2.0
    tx = int(round(centre_x - title_w / 2.0))
    sx = int(round(centre_x - sub_w / 2.0))
    sy = top + title_h + spacing
    rule_y = top + title_h + spacing // 2
    return (tx, top, title_w), (sx, sy, sub_w), rule_y


def landscape(u, v):
    """Colour of the little landscape at (u, v) in [0,1]^2 of a screen."""
    sky = mix((70, 130, 215), (190, 222, 250), v / 0.65)
    col = sky
    # Sun
    d = math.hypot((u - 0.74) * 1.5, v - 0.30)
    if d < 0.15:
        col = (255, 214, 64)
    elif d < 0.24:
        col = over(col, (255, 236, 150), (0.24 - d) / 0.09 * 0.6)
    # Far hill
    far = 0.58 - 0.16 * math.exp(-((u - 0.28) / 0.22) ** 2)
    if v > far:
        col = mix((92, 168, 96), (70, 140, 78), (v - far) / 0.3)
    # Near hill
    near = 0.74 - 0.14 * math.exp(-((u - 0.80) / 0.30) ** 2)
    if v > near:
        col = mix((50, 132, 60), (28, 94, 42), (v - near) / 0.25)
    return col


def sunset(u, v):
    col = mix((250, 170, 80), (230, 90, 90), v)
    if v > 0.68:
        col = (90, 60, 110)
    return col


def logo_scene(px, py, title_lit, sub_lit, rule_y, rule_x0, rule_x1):
    col = WHITE
    x0, y0, x1, y1 = PANEL

    # Soft shadow under the panel
    sd = sd_round_rect(px - 1.2, py - 1.6, x0, y0, x1, y1, PANEL_R)
    if sd > 0.0 and sd < 2.5:
        col = over(col, (150, 160, 180), 0.45 * (1.0 - sd / 2.5))

    inside = sd_round_rect(px, py, x0, y0, x1, y1, PANEL_R)
    if inside > 0.0:
        return col

    # Panel body: vertical gradient with a gentle gloss on the upper part
    t = (py - y0) / (y1 - y0)
    col = mix(NAVY_TOP, NAVY_BOTTOM, t)
    gloss_edge = y0 + (y1 - y0) * 0.42 + 5.0 * math.sin(px / 60.0)
    if py < gloss_edge:
        col = over(col, WHITE, 0.10 + 0.06 * (1.0 - (py - y0) / (gloss_edge - y0)))
    # Thin inner highlight line and dark outer edge
    if inside > -1.0:
        col = PANEL_EDGE
    elif inside > -2.0 and py < (y0 + y1) / 2.0:
        col = over(col, WHITE, 0.35)

    # Photo card behind the monitor (rotated)
    ca, sa = math.cos(CARD_ANGLE), math.sin(CARD_ANGLE)
    dx, dy = px - CARD_CENTRE[0], py - CARD_CENTRE[1]
    cu = dx * ca + dy * sa
    cv = -dx * sa + dy * ca
    hw, hh = CARD_HALF
    # card shadow
    su, sv = cu - 1.0, cv - 1.5
    if abs(su) <= hw and abs(sv) <= hh:
        col = over(col, (0, 0, 0), 0.30)
    if abs(cu) <= hw and abs(cv) <= hh:
        if abs(cu) <= hw - 2.0 and abs(cv) <= hh - 2.0:
            col = sunset((cu + hw - 2.0) / (2 * hw - 4.0), (cv + hh - 2.0) / (2 * hh - 4.0))
        else:
            col = (246, 246, 240)

    # Monitor shadow
    bx0, by0, bx1, by1 = BEZEL
    if in_round_rect(px - 1.5, py - 2.0, bx0, by0, bx1, by1, 3.0):
        col = over(col, (0, 0, 0), 0.30)
    # Stand
    if in_round_rect(px, py, *BASE, 2.0):
        col = mix((214, 220, 230), (140, 148, 162), (py - BASE[1]) / (BASE[3] - BASE[1]))
        if sd_round_rect(px, py, *BASE, 2.0) > -0.8:
            col = (60, 66, 80)
    nx0, ny0, nx1, ny1 = NECK
    if nx0 <= px < nx1 and ny0 <= py < ny1 + 0.5:
        col = mix((120, 128, 142), (170, 176, 188), (px - nx0) / (nx1 - nx0))
    # Bezel
    bsd = sd_round_rect(px, py, bx0, by0, bx1, by1, 3.0)
    if bsd <= 0.0:
        col = mix((236, 240, 246), (168, 176, 190), (py - by0) / (by1 - by0))
        if bsd > -0.8:
            col = (44, 50, 66)
        # Screen
        sx0, sy0, sx1, sy1 = SCREEN
        if sx0 - 1.0 <= px < sx1 + 1.0 and sy0 - 1.0 <= py < sy1 + 1.0:
            col = (70, 78, 96)
        if sx0 <= px < sx1 and sy0 <= py < sy1:
            u = (px - sx0) / (sx1 - sx0)
            v = (py - sy0) / (sy1 - sy0)
            col = landscape(u, v)
            # glass reflection
            if u + v * 0.55 < 0.42:
                col = over(col, WHITE, 0.16)
        # power light
        if math.hypot(px - (bx1 - 5.0), py - (by1 - 2.0)) < 0.9:
            col = (90, 220, 110)

    # Text: title with drop shadow, subtitle, and a thin rule between them
    ix, iy = int(math.floor(px)), int(math.floor(py))
    if (ix - 1, iy - 1) in title_lit and (ix, iy) not in title_lit:
        col = over(col, (0, 8, 30), 0.55)
    if (ix, iy) in title_lit:
        col = mix((255, 255, 255), (206, 224, 250), (py - 10.0) / 30.0)
    if iy == rule_y and rule_x0 <= ix < rule_x1:
        fade = min(ix - rule_x0, rule_x1 - 1 - ix) / 14.0
        col = over(col, (150, 190, 245), 0.75 * min(fade, 1.0))
    if (ix, iy) in sub_lit:
        col = (168, 204, 250)
    return col


def render_logo():
    (tx, ty, tw), (sx, sy, sw), rule_y = logo_layout()
    title_lit = text_mask(TITLE, TITLE_GAP, TITLE_SCALE, tx, ty)
    sub_lit = text_mask(SUB, SUB_GAP, SUB_SCALE, sx, sy)
    rule_x0, rule_x1 = min(tx, sx) - 2, max(tx + tw, sx + sw) + 2
    n = 4
    pixels = []
    for y in range(LOGO_H):
        row = []
        for x in range(LOGO_W):
            r = g = b = 0.0
            for j in range(n):
                for i in range(n):
                    c = logo_scene(x + (i + 0.5) / n, y + (j + 0.5) / n,
                                   title_lit, sub_lit, rule_y, rule_x0, rule_x1)
                    r += c[0]
                    g += c[1]
                    b += c[2]
            k = float(n * n)
            row.append((int(round(r / k)), int(round(g / k)), int(round(b / k))))
        pixels.append(row)
    # Keep the outer frame pure white so the logo blends with a white panel.
    for y in range(LOGO_H):
        for x in range(LOGO_W):
            if x in (0, LOGO_W - 1) or y in (0, LOGO_H - 1):
                pixels[y][x] = WHITE
    return pixels


# ---------------------------------------------------------------------------
# Palette reduction (median cut, deterministic)
# ---------------------------------------------------------------------------


def quantize(pixels, max_colours=256):
    """Returns (palette, index rows). Pure white is always kept exact."""
    counts = {}
    for row in pixels:
        for c in row:
            counts[c] = counts.get(c, 0) + 1
    colours = sorted(counts)
    if len(colours) <= max_colours:
        palette = colours
        lookup = {c: i for i, c in enumerate(palette)}
    else:
        others = [c for c in colours if c != WHITE]
        boxes = [others]
        budget = max_colours - 1
        while len(boxes) < budget:
            best, best_key = None, None
            for bi, box in enumerate(boxes):
                if len(box) < 2:
                    continue
                spans = [max(c[k] for c in box) - min(c[k] for c in box) for k in range(3)]
                weight = sum(counts[c] for c in box)
                key = (max(spans) * math.sqrt(weight), -bi)
                if best_key is None or key > best_key:
                    best, best_key = bi, key
            if best is None:
                break
            box = boxes[best]
            spans = [max(c[k] for c in box) - min(c[k] for c in box) for k in range(3)]
            axis = spans.index(max(spans))
            box = sorted(box, key=lambda c: (c[axis], c))
            total = sum(counts[c] for c in box)
            acc, cut = 0, 1
            for idx, c in enumerate(box):
                acc += counts[c]
                if acc * 2 >= total:
                    cut = min(max(idx + 1, 1), len(box) - 1)
                    break
            boxes[best:best + 1] = [box[:cut], box[cut:]]
        palette = []
        lookup = {}
        for box in boxes:
            w = sum(counts[c] for c in box)
            avg = tuple(int(round(sum(c[k] * counts[c] for c in box) / w)) for k in range(3))
            for c in box:
                lookup[c] = len(palette)
            palette.append(avg)
        if WHITE in counts:
            lookup[WHITE] = len(palette)
            palette.append(WHITE)
    rows = [[lookup[c] for c in row] for row in pixels]
    return palette, rows


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------


def bmp8_bytes(width, height, palette, rows):
    """8-bit BI_RGB bottom-up BMP with a BITMAPINFOHEADER."""
    assert 1 <= len(palette) <= 256
    stride = (width + 3) & ~3
    image = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytes(rows[y])
        assert len(line) == width
        image += line + b"\0" * (stride - width)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    used = len(palette) if len(palette) < 256 else 0
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(image),
                       2835, 2835, used, 0)
    offset = 14 + len(info) + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    return header + info + pal + bytes(image)


def icon_image_bytes(size, rows, mask):
    """One 4-bit icon image: BITMAPINFOHEADER, VGA palette, XOR and AND maps."""
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        line = bytearray(xor_stride)
        for x in range(size):
            v = 0 if mask[y][x] else rows[y][x]
            if x % 2 == 0:
                line[x // 2] |= v << 4
            else:
                line[x // 2] |= v
        xor += line
    andmap = bytearray()
    for y in range(size - 1, -1, -1):
        line = bytearray(and_stride)
        for x in range(size):
            if mask[y][x]:
                line[x // 8] |= 0x80 >> (x % 8)
        andmap += line
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                       len(xor) + len(andmap), 0, 0, 0, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in VGA16)
    return info + pal + bytes(xor) + bytes(andmap)


def ico_bytes(images):
    """images: list of (size, image bytes)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, 1, 4,
                           len(data), offset + len(body))
        body += data
    return out + body


# ---------------------------------------------------------------------------
# The icon (hand-placed pixels on the VGA palette)
# ---------------------------------------------------------------------------

BLACK, DRED, DGREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE_I = range(8, 16)


def draw_icon(size):
    """Returns (colour rows, transparency mask rows) for a monitor icon."""
    rows = [[BLACK] * size for _ in range(size)]
    mask = [[True] * size for _ in range(size)]

    def put(x, y, c):
        rows[y][x] = c
        mask[y][x] = False

    def rect(x0, y0, x1, y1, c):  # inclusive bounds
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                put(x, y, c)

    def bevel_box(x0, y0, x1, y1):
        """Silver box, black outline, clipped corners, light top-left edge."""
        rect(x0, y0, x1, y1, SILVER)
        rect(x0, y0, x1, y0, BLACK)
        rect(x0, y1, x1, y1, BLACK)
        rect(x0, y0, x0, y1, BLACK)
        rect(x1, y0, x1, y1, BLACK)
        if y1 - y0 >= 4:
            rect(x0 + 1, y0 + 1, x1 - 1, y0 + 1, WHITE_I)
            rect(x0 + 1, y0 + 1, x0 + 1, y1 - 1, WHITE_I)
            rect(x0 + 2, y1 - 1, x1 - 1, y1 - 1, GREY)
            rect(x1 - 1, y0 + 2, x1 - 1, y1 - 1, GREY)
        elif y1 - y0 >= 3:
            rect(x0 + 1, y0 + 1, x1 - 1, y0 + 1, WHITE_I)
            rect(x0 + 1, y1 - 1, x1 - 1, y1 - 1, GREY)
        for cx, cy in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
            mask[cy][cx] = True
            rows[cy][cx] = BLACK

    if size == 32:
        bez, scr, rim = (1, 2, 30, 23), (4, 5, 27, 19), True
        neck, base = (12, 24, 19, 26), (6, 27, 25, 30)
    else:
        bez, scr, rim = (0, 0, 15, 11), (2, 2, 13, 9), False
        neck, base = (6, 12, 9, 12), (3, 13, 12, 15)

    # Stand: a neck and a foot
    bevel_box(*base)
    nx0, ny0, nx1, ny1 = neck
    rect(nx0, ny0, nx1, ny1, GREY)
    rect(nx0, ny0, nx0, ny1, BLACK)
    rect(nx1, ny0, nx1, ny1, BLACK)
    if nx1 - nx0 >= 4:
        rect(nx0 + 1, ny0, nx0 + 1, ny1, SILVER)

    # Bezel
    bevel_box(*bez)

    # Screen, optionally inset with a shaded rim, showing a small landscape
    sx0, sy0, sx1, sy1 = scr
    if rim:
        rect(sx0 - 1, sy0 - 1, sx1 + 1, sy1 + 1, WHITE_I)
        rect(sx0 - 1, sy0 - 1, sx1, sy0 - 1, GREY)
        rect(sx0 - 1, sy0 - 1, sx0 - 1, sy1, GREY)
    w = sx1 - sx0 + 1
    h = sy1 - sy0 + 1
    sun_r = 2.3 if size == 32 else 1.1
    for y in range(sy0, sy1 + 1):
        for x in range(sx0, sx1 + 1):
            u = (x - sx0 + 0.5) / w
            v = (y - sy0 + 0.5) / h
            c = BLUE if v < 0.32 else CYAN
            if math.hypot((u - 0.74) * w, (v - 0.30) * h) <= sun_r:
                c = YELLOW
            far = 0.62 - 0.22 * math.exp(-((u - 0.28) / 0.22) ** 2)
            if v > far:
                c = GREEN
            near = 0.80 - 0.18 * math.exp(-((u - 0.80) / 0.30) ** 2)
            if v > near:
                c = DGREEN
            put(x, y, c)
    if size == 32:
        # a small cloud and the power light
        for x, y in ((9, 8), (10, 8), (11, 8), (8, 9), (9, 9), (10, 9), (11, 9), (12, 9), (13, 9)):
            put(x, y, WHITE_I)
        put(bez[2] - 5, bez[3] - 2, GREEN)
        put(bez[2] - 4, bez[3] - 2, GREEN)
    return rows, mask


# ---------------------------------------------------------------------------
# The preview picture
# ---------------------------------------------------------------------------


def general_palette():
    """A general 256-colour palette: VGA colours, a 6x6x6 cube, then greys."""
    pal = list(VGA16)
    for r in range(6):
        for g in range(6):
            for b in range(6):
                pal.append((r * 51, g * 51, b * 51))
    step = 0
    while len(pal) < 256:
        step += 1
        v = int(round(step * 255 / 25.0))
        pal.append((v, v, v))
    return pal[:256]


def main():
    logo_pal, logo_rows = quantize(render_logo())
    with open(os.path.join(HERE, "logo.bmp"), "wb") as f:
        f.write(bmp8_bytes(LOGO_W, LOGO_H, logo_pal, logo_rows))

    images = []
    for size in (32, 16):
        rows, mask = draw_icon(size)
        images.append((size, icon_image_bytes(size, rows, mask)))
    with open(os.path.join(HERE, "QZSelect.ico"), "wb") as f:
        f.write(ico_bytes(images))

    pal = general_palette()
    grey = pal.index((192, 192, 192))
    rows = [[grey] * 160 for _ in range(100)]
    with open(os.path.join(HERE, "preview.bmp"), "wb") as f:
        f.write(bmp8_bytes(160, 100, pal, rows))


if __name__ == "__main__":
    main()
