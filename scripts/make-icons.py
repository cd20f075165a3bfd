#!/usr/bin/env python3
"""Draws the program's icons (a 9-pin serial connector with its cable) and
writes them as .ico files (FSERIAL: one 45x45 image, 256 colours; 101: 32x32
and 16x16, 16 colours) and as PNG files for the desktop's icon theme, one per
size the theme usually holds (16 to 256).

Usage: scripts/make-icons.py OUTPUT_DIR
"""
import struct
import sys
import zlib

SUPERSAMPLE = 6
# The icon theme's usual sizes (hicolor/NxN/apps/comtest.png).
THEME_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def in_polygon(x, y, pts):
    inside = False
    n = len(pts)
    for i in range(n):
        x1, y1 = pts[i]
        x2, y2 = pts[(i + 1) % n]
        if (y1 > y) != (y2 > y):
            xc = x1 + (y - y1) * (x2 - x1) / (y2 - y1)
            if x < xc:
                inside = not inside
    return inside


def rounded_rect(x0, y0, x1, y1, r):
    def test(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return test


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def polygon(pts):
    return lambda x, y: in_polygon(x, y, pts)


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


# Shapes in drawing order, in a unit square; colours as (r, g, b).
SHAPES = [
    (rect(0.41, 0.66, 0.59, 1.00), (32, 88, 176)),          # cable
    (rect(0.44, 0.66, 0.50, 1.00), (72, 132, 220)),         # cable highlight
    (rounded_rect(0.01, 0.26, 0.99, 0.74, 0.06), (96, 104, 116)),   # flange rim
    (rounded_rect(0.03, 0.28, 0.97, 0.72, 0.05), (196, 202, 210)),  # flange
    (circle(0.115, 0.50, 0.075), (80, 86, 96)),             # screws
    (circle(0.885, 0.50, 0.075), (80, 86, 96)),
    (circle(0.115, 0.50, 0.035), (220, 224, 230)),
    (circle(0.885, 0.50, 0.035), (220, 224, 230)),
    (polygon([(0.19, 0.32), (0.81, 0.32), (0.75, 0.68), (0.25, 0.68)]), (60, 66, 76)),
    (polygon([(0.21, 0.34), (0.79, 0.34), (0.74, 0.66), (0.26, 0.66)]), (28, 34, 44)),
]
for i in range(5):
    SHAPES.append((circle(0.30 + 0.10 * i, 0.43, 0.036), (232, 188, 56)))
for i in range(4):
    SHAPES.append((circle(0.35 + 0.10 * i, 0.57, 0.036), (232, 188, 56)))


def render(size):
    """RGBA rows, top row first."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    colour = None
                    for test, c in SHAPES:
                        if test(x, y):
                            colour = c
                    if colour:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            cover = acc[3]
            if cover:
                row.append((acc[0] // cover, acc[1] // cover, acc[2] // cover,
                            255 * cover // (n * n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def palette256():
    levels = [0, 51, 102, 153, 204, 255]
    pal = [(r, g, b) for r in levels for g in levels for b in levels]
    pal += [(v * 255 // 39,) * 3 for v in range(40)]
    return pal


def nearest(pal, c):
    return min(range(len(pal)),
               key=lambda i: (pal[i][0] - c[0]) ** 2 * 3 + (pal[i][1] - c[1]) ** 2 * 4
               + (pal[i][2] - c[2]) ** 2 * 2)


def dib(rows, bpp, pal):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0, 0, 0, 0, len(pal), 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in pal)
    xor = b''
    mask = b''
    for row in reversed(rows):   # bottom-up
        idx = [nearest(pal, p[:3]) if p[3] >= 128 else 0 for p in row]
        if bpp == 8:
            line = bytes(idx)
        else:
            line = bytes((idx[i] << 4) | (idx[i + 1] if i + 1 < size else 0)
                         for i in range(0, size, 2))
        xor += line + b'\0' * (-len(line) % 4)
        bits = 0
        mline = b''
        for i, p in enumerate(row):
            bits = (bits << 1) | (1 if p[3] < 128 else 0)
            if i % 8 == 7:
                mline += bytes([bits])
                bits = 0
        if size % 8:
            mline += bytes([bits << (8 - size % 8)])
        mask += mline + b'\0' * (-len(mline) % 4)
    return header + palette + xor + mask


def ico(images):
    """images: list of (size, bpp, dib bytes)."""
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b''
    for size, bpp, data in images:
        colours = 16 if bpp == 4 else 0
        out += struct.pack('<BBBBHHII', size % 256, size % 256, colours, 0, 1, bpp, len(data),
                           offset)
        offset += len(data)
        body += data
    return out + body


def png(rows):
    size = len(rows)
    raw = b''.join(b'\0' + b''.join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data
                + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff))
    return (b'\x89PNG\r\n\x1a\n'
            + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    pal256 = palette256()
    rendered = {size: render(size) for size in (45,) + THEME_SIZES}
    with open(f'{out}/FSERIAL.ico', 'wb') as f:
        f.write(ico([(45, 8, dib(rendered[45], 8, pal256))]))
    with open(f'{out}/101.ico', 'wb') as f:
        f.write(ico([(32, 4, dib(rendered[32], 4, VGA16)), (16, 4, dib(rendered[16], 4, VGA16))]))
    for size in THEME_SIZES:
        with open(f'{out}/comtest-{size}.png', 'wb') as f:
            f.write(png(rendered[size]))


if __name__ == '__main__':
    main()
