#!/usr/bin/env python3
"""Re-make Inkwren's small hand-made data files.

Writes into the data folder (default: ../../data next to this script):
  shand.bmp salt.bmp sreplay.bmp spause.bmp sstop.bmp magnify.bmp shrink.bmp
      glyphs of the writing pad's 26 x 26 tool buttons
  pen.bmp       pen cursor; white is transparent, writing tip at the lower-left corner
  flashbar.bmp  flash bar mark; copied as it is, so it is a solid rectangle
  c.cfg         the 48-colour palette (decimal 0x00BBGGRR values, CR LF)
  textlist.txt  the start character, Big5 bytes then GBK bytes, CR LF

Only the Python standard library is used, so the files can be re-made anywhere.
With --preview DIR it also writes 8x enlargements and a contact sheet as PNG.
"""

import argparse
import math
import os
import struct
import zlib

SS = 8  # supersampling per axis: 64 samples per pixel for anti-aliasing

# ---------------------------------------------------------------- colours

def rgb(hexstr):
    hexstr = hexstr.lstrip('#')
    return tuple(int(hexstr[i:i + 2], 16) for i in (0, 2, 4))

FACE = rgb('F0F0F0')      # button face; the glyph background and its lower-left pixel
SLATE = rgb('2B3A4E')     # main glyph colour
ACCENT = rgb('1565D8')    # the one accent colour (the pad writes new strokes in blue)
GHOST = rgb('A3A9B1')     # the grey underlay of grey-first replay, a little darker to read on FACE
WHITE = (255, 255, 255)   # transparent in pen.bmp


# ---------------------------------------------------------------- shapes
# A shape is a predicate inside(x, y) over continuous pixel coordinates:
# pixel (i, j) covers [i, i+1) x [j, j+1), y grows downwards.

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_out, r_in):
    return lambda x, y: r_in * r_in < (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def polygon(pts):
    def inside(x, y):
        res = False
        n = len(pts)
        for i in range(n):
            ax, ay = pts[i]
            bx, by = pts[(i + 1) % n]
            if (ay > y) != (by > y):
                if x < ax + (y - ay) * (bx - ax) / (by - ay):
                    res = not res
        return res
    return inside


def _seg_dist(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
    px, py = ax + t * dx, ay + t * dy
    return math.hypot(x - px, y - py), t


def capsule(ax, ay, bx, by, r):
    return lambda x, y: _seg_dist(x, y, ax, ay, bx, by)[0] <= r


def brush(points):
    """Union of tapered capsules along (x, y, radius) points: a brush stroke."""
    segs = list(zip(points, points[1:]))

    def inside(x, y):
        for (ax, ay, ar), (bx, by, br) in segs:
            d, t = _seg_dist(x, y, ax, ay, bx, by)
            if d <= ar + (br - ar) * t:
                return True
        return False
    return inside


def quad_points(p0, p1, p2, r0, r1, n=24):
    """Points of a quadratic Bezier with the radius going from r0 to r1."""
    out = []
    for i in range(n + 1):
        t = i / n
        a, b, c = (1 - t) ** 2, 2 * (1 - t) * t, t * t
        out.append((a * p0[0] + b * p1[0] + c * p2[0],
                    a * p0[1] + b * p1[1] + c * p2[1],
                    r0 + (r1 - r0) * t))
    return out


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def intersect(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def half_plane(ax, ay, bx, by):
    """Points to the left of the directed line a->b (screen coordinates)."""
    return lambda x, y: (bx - ax) * (y - ay) - (by - ay) * (x - ax) <= 0


def angle_range(cx, cy, a0, a1):
    """Screen angles in degrees, 0 = right, 90 = down; from a0 clockwise to a1."""
    def inside(x, y):
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return (a - a0) % 360 <= (a1 - a0) % 360
    return inside


# ---------------------------------------------------------------- canvas

class Canvas:
    """Straight-alpha RGBA canvas; shapes are painted over with supersampled coverage."""

    def __init__(self, w, h, bg=None):
        self.w, self.h = w, h
        if bg is None:
            self.px = [[[0.0, 0.0, 0.0, 0.0] for _ in range(w)] for _ in range(h)]
        else:
            self.px = [[[float(bg[0]), float(bg[1]), float(bg[2]), 1.0] for _ in range(w)]
                       for _ in range(h)]

    def paint(self, shape, colour, opacity=1.0, box=None):
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        step = 1.0 / SS
        offs = [(k + 0.5) * step for k in range(SS)]
        for j in range(max(0, y0), min(self.h, y1)):
            for i in range(max(0, x0), min(self.w, x1)):
                n = 0
                for oy in offs:
                    for ox in offs:
                        if shape(i + ox, j + oy):
                            n += 1
                if n:
                    self.blend(i, j, colour, opacity * n / (SS * SS))

    def blend(self, i, j, colour, a):
        p = self.px[j][i]
        out_a = a + p[3] * (1 - a)
        if out_a <= 0:
            return
        for c in range(3):
            p[c] = (colour[c] * a + p[c] * p[3] * (1 - a)) / out_a
        p[3] = out_a

    def set(self, i, j, colour):
        self.px[j][i] = [float(colour[0]), float(colour[1]), float(colour[2]), 1.0]

    def flatten(self, bg, cutoff=0.0):
        """RGB rows on background bg. Pixels whose coverage is below cutoff become bg."""
        rows = []
        for row in self.px:
            out = []
            for r, g, b, a in row:
                if a < cutoff:
                    out.append(tuple(bg))
                    continue
                out.append(tuple(int(round(c * a + bc * (1 - a))) for c, bc in zip((r, g, b), bg)))
            rows.append(out)
        return rows


# ---------------------------------------------------------------- file writers

def bmp_bytes(rows):
    """Windows BMP, 24 bits per pixel, bottom-up, uncompressed."""
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        data += line
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def png_bytes(rows):
    h, w = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for px in row:
            raw += bytes(px)

    def chunk(tag, body):
        return (struct.pack('>I', len(body)) + tag + body
                + struct.pack('>I', zlib.crc32(tag + body) & 0xFFFFFFFF))
    return (b'\x89PNG\r\n\x1a\n'
            + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(bytes(raw), 9))
            + chunk(b'IEND', b''))


def enlarge(rows, k):
    out = []
    for row in rows:
        line = [px for px in row for _ in range(k)]
        out.extend([line] * k)
    return out


# ---------------------------------------------------------------- button glyphs
# 20 x 20 glyphs on the button face: a 26 x 26 button keeps its 2-pixel bevel and
# room for the 1-pixel shift of a pressed button. Outlines are 2 pixels wide, solid
# parts are slate, and the accent marks what is new or active.

G = 20


def glyph_canvas():
    return Canvas(G, G, FACE)


def ren_left(n=24):
    """The left-falling stroke of 人: firm at the top, thinning as it sweeps left."""
    return quad_points((11.0, 2.4), (10.5, 12.6), (2.6, 17.7), 1.6, 0.75, n)


def ren_right():
    """The right-falling stroke of 人: from the left stroke's middle, swelling into a foot."""
    return (quad_points((10.2, 8.0), (12.0, 14.2), (16.0, 16.7), 0.95, 1.95)
            + [(18.3, 17.3, 0.9)])


def make_shand():
    """Grey-first replay: the whole character in grey, the pen re-writing it on top."""
    c = glyph_canvas()
    c.paint(brush(ren_left()), GHOST)
    c.paint(brush(ren_right()), GHOST)
    # The left stroke written over the grey up to half way.
    c.paint(brush(ren_left()[:14]), SLATE)
    return c.flatten(FACE)


def make_salt():
    """Two-colour display: the finished stroke dark, the stroke being written in the accent."""
    c = glyph_canvas()
    c.paint(brush(ren_left()), SLATE)
    c.paint(brush(ren_right()), ACCENT)
    return c.flatten(FACE)


def make_sreplay():
    """Replay: an arrow going round anticlockwise, about a play triangle."""
    c = glyph_canvas()
    cx, cy = 10.0, 10.0
    # The arc runs from the top, down the right side and round to the upper left;
    # the arrowhead sits on its top end and points left, back towards the gap.
    c.paint(intersect(ring(cx, cy, 7.6, 5.6), angle_range(cx, cy, 270, 204)), SLATE)
    c.paint(polygon([(10.0, 0.0), (10.0, 6.8), (4.9, 3.4)]), SLATE)
    c.paint(polygon([(8.0, 6.5), (8.0, 13.5), (14.0, 10.0)]), ACCENT)
    return c.flatten(FACE)


def make_spause():
    c = glyph_canvas()
    c.paint(round_rect(5, 4, 9, 16, 0.8), SLATE)
    c.paint(round_rect(11, 4, 15, 16, 0.8), SLATE)
    return c.flatten(FACE)


def make_sstop():
    c = glyph_canvas()
    c.paint(round_rect(4, 4, 16, 16, 1.2), SLATE)
    return c.flatten(FACE)


def make_lens(sign):
    c = glyph_canvas()
    cx, cy = 8.0, 8.0
    c.paint(capsule(12.9, 12.9, 16.9, 16.9, 1.75), SLATE)
    c.paint(ring(cx, cy, 6.9, 4.9), SLATE)
    c.paint(rect(5, 7, 11, 9), ACCENT)          # minus bar, pixel aligned
    if sign == '+':
        c.paint(rect(7, 5, 9, 11), ACCENT)
    return c.flatten(FACE)


# ---------------------------------------------------------------- pen cursor
# A pencil lying from the lower-left to the upper-right. White is transparent,
# so no pixel of the pencil is pure white, and faint edge pixels are dropped
# rather than left as a pale halo over the strokes.

PEN = 24


def make_pen():
    c = Canvas(PEN, PEN)
    tip = (0.2, PEN - 0.2)                   # writing tip in the lower-left corner
    ux, uy = math.sqrt(0.5), -math.sqrt(0.5) # axis towards the upper right
    vx, vy = -uy, ux                         # across the pencil
    half = 3.4                               # half the body width
    length = 29.6                            # the rounded end stays inside the picture

    def at(u, v):
        return (tip[0] + u * ux + v * vx, tip[1] + u * uy + v * vy)

    def band(u0, u1, v0, v1):
        return polygon([at(u0, v0), at(u1, v0), at(u1, v1), at(u0, v1)])

    def end_cap(shrink):
        r = 1.6 - shrink
        return capsule(*at(length - 1.6, -half + 1.6), *at(length - 1.6, half - 1.6), r)

    cone_len = 9.0                           # sharpened wood, from the tip
    lead_len = 4.4                           # bare graphite, from the tip
    ferrule0, eraser0 = length - 7.6, length - 4.8
    e = 0.9                                  # outline width

    # Silhouette in the outline colour, then each part e inside it.
    c.paint(union(band(cone_len, length - 1.6, -half, half), end_cap(0),
                  polygon([at(-0.6, 0), at(cone_len, -half), at(cone_len, half)])),
            rgb('3A2E26'))
    k = half / cone_len
    c.paint(polygon([at(lead_len, -k * lead_len), at(cone_len, -half + e),
                     at(cone_len, half - e), at(lead_len, k * lead_len)]), rgb('EBC795'))
    c.paint(polygon([at(-0.6, 0), at(lead_len + 0.3, -k * (lead_len + 0.3)),
                     at(lead_len + 0.3, k * (lead_len + 0.3))]), rgb('2E3138'))
    # Lacquered body in three facets: light, mid, dark.
    third = (2 * (half - e)) / 3
    v = -half + e
    for col in (rgb('FFCB45'), rgb('F5A623'), rgb('D48210')):
        c.paint(band(cone_len, ferrule0, v, v + third), col)
        v += third
    # Metal ferrule with two grooves, then the eraser.
    c.paint(band(ferrule0, eraser0, -half + e, half - e), rgb('BCC3CB'))
    for g in (0.8, 1.9):
        c.paint(band(ferrule0 + g, ferrule0 + g + 0.6, -half + e, half - e), rgb('7D8690'))
    c.paint(union(band(eraser0, length - 1.6, -half + e, half - e), end_cap(e)), rgb('EE7E8A'))

    rows = c.flatten(WHITE, cutoff=0.4)
    rows[PEN - 1][0] = rgb('2E3138')         # the tip pixel itself is always ink
    return rows


# ---------------------------------------------------------------- flash bar
# Copied as it is with its top-right corner on the stroke's first point, so it is
# a solid rectangle: an amber bar framed in dark brown with a lightning sign,
# drawn pixel by pixel to stay sharp at this size.

FB_W, FB_H = 20, 8
FB_BOLT = [            # rows 1..6 of the bar; '#' is the bolt
    '..........###.......',
    '.........###........',
    '........#####.......',
    '..........##........',
    '.........##.........',
    '.........#..........',
]


def make_flashbar():
    frame = rgb('7A3E00')
    rows = [[frame] * FB_W for _ in range(FB_H)]
    top, bottom = rgb('FFD84D'), rgb('F28C00')
    for j in range(1, FB_H - 1):
        t = (j - 1) / (FB_H - 3)
        col = tuple(int(round(a + (b - a) * t)) for a, b in zip(top, bottom))
        for i in range(1, FB_W - 1):
            rows[j][i] = frame if FB_BOLT[j - 1][i] == '#' else col
    return rows


# ---------------------------------------------------------------- palette
# Sixteen columns of three (dark, medium, light), filled column by column.
# Nothing near white: every colour must show as ink on the white pad.

PALETTE = [
    ('000000', '4D4D4D', '8A8A8A'),   # black and two greys
    ('990000', 'FF0000', 'EF6B6B'),   # red
    ('A8320A', 'EB5A1E', 'F4926A'),   # vermilion
    ('A85400', 'FF8400', 'F8A44A'),   # orange
    ('7A5C00', 'BF9000', 'D8AA2E'),   # gold
    ('4A6300', '7CA300', '9DC040'),   # olive
    ('005C00', '00A000', '5FC85F'),   # green
    ('00654A', '00A67A', '4FC8A5'),   # jade
    ('005C6B', '0096A8', '4FC2D1'),   # teal
    ('00478F', '0078DC', '5CAAF0'),   # azure
    ('000090', '0000FF', '6E6EFF'),   # blue
    ('3B0D8C', '6A2BD9', '9D7EEB'),   # indigo
    ('5E0F7A', '9C27B0', 'C57DD8'),   # purple
    ('8C0057', 'D6007E', 'EE72B5'),   # magenta
    ('5C3310', '8B5A2B', 'BF8C5C'),   # brown
    ('2F4456', '557089', '8FA4B9'),   # slate
]


def palette_values():
    out = []
    for column in PALETTE:
        for hexstr in column:
            r, g, b = rgb(hexstr)
            out.append(b << 16 | g << 8 | r)   # 0x00BBGGRR
    return out


def palette_rows(values):
    """The palette as the pad shows it: 160 x 30, 10 x 10 cells, column by column."""
    rows = [[(255, 255, 255)] * 160 for _ in range(30)]
    for n, v in enumerate(values[:48]):
        col, row = divmod(n, 3)
        px = (v & 0xFF, v >> 8 & 0xFF, v >> 16 & 0xFF)
        for j in range(row * 10, row * 10 + 10):
            for i in range(col * 10, col * 10 + 10):
                rows[j][i] = px
    return rows


# ---------------------------------------------------------------- main

BUTTONS = [
    ('shand.bmp', make_shand),
    ('salt.bmp', make_salt),
    ('sreplay.bmp', make_sreplay),
    ('spause.bmp', make_spause),
    ('sstop.bmp', make_sstop),
    ('magnify.bmp', lambda: make_lens('+')),
    ('shrink.bmp', lambda: make_lens('-')),
]


def build():
    pics = [(name, fn()) for name, fn in BUTTONS]
    pics.append(('pen.bmp', make_pen()))
    pics.append(('flashbar.bmp', make_flashbar()))
    return pics


def contact_sheet(pics, palette):
    """Actual-size pictures on a panel, buttons framed as 26 x 26 buttons, then 8x views."""
    bg = (200, 200, 200)
    blocks = []
    # Row 1: actual size. Buttons inside a 26 x 26 raised button.
    items = []
    for name, rows in pics:
        if name.startswith(('pen', 'flash')):
            items.append(rows)
            continue
        b = [[FACE] * 26 for _ in range(26)]
        for i in range(26):
            b[0][i] = b[i][0] = (255, 255, 255)
            b[25][i] = b[i][25] = (105, 105, 105)
            b[24][i] = b[i][24] = (160, 160, 160)
        for j in range(G):
            for i in range(G):
                b[3 + j][3 + i] = rows[j][i]
        items.append(b)
    items.append(palette)
    blocks.append(items)
    blocks.append([enlarge(rows, 8) for _, rows in pics])
    width = max(sum(len(it[0]) + 8 for it in row) + 8 for row in blocks)
    height = sum(max(len(it) for it in row) + 8 for row in blocks) + 8
    sheet = [[bg] * width for _ in range(height)]
    y = 8
    for row in blocks:
        x = 8
        for it in row:
            for j, line in enumerate(it):
                sheet[y + j][x:x + len(line)] = line
            x += len(it[0]) + 8
        y += max(len(it) for it in row) + 8
    return sheet


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument('--out', default=os.path.normpath(os.path.join(here, '..', '..', 'data')))
    ap.add_argument('--preview', help='folder for PNG previews')
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)

    pics = build()
    for name, rows in pics:
        with open(os.path.join(args.out, name), 'wb') as f:
            f.write(bmp_bytes(rows))

    values = palette_values()
    assert len(values) == 48 and len(set(values)) == 48
    with open(os.path.join(args.out, 'c.cfg'), 'wb') as f:
        f.write(b''.join(b'%d\r\n' % v for v in values))

    zi = '\u6c38'  # 永
    with open(os.path.join(args.out, 'textlist.txt'), 'wb') as f:
        f.write(zi.encode('big5') + zi.encode('gbk') + b'\r\n')

    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        for name, rows in pics:
            with open(os.path.join(args.preview, name[:-4] + '_x8.png'), 'wb') as f:
                f.write(png_bytes(enlarge(rows, 8)))
        pal = palette_rows(values)
        with open(os.path.join(args.preview, 'palette_x4.png'), 'wb') as f:
            f.write(png_bytes(enlarge(pal, 4)))
        with open(os.path.join(args.preview, 'sheet.png'), 'wb') as f:
            f.write(png_bytes(contact_sheet(pics, pal)))
        with open(os.path.join(args.preview, 'sheet_x3.png'), 'wb') as f:
            f.write(png_bytes(enlarge(contact_sheet(pics, pal), 3)))


if __name__ == '__main__':
    main()
