#!/usr/bin/env python3
# Draws the pictures of the resource library: the panel bitmap (140) and
# the seven drive icons (101-107): 16x16 drawings at 4 bits per pixel.
# DrawIcon draws an icon at the system size (32x32) and the drive list
# leaves room for 16 pixels, so each drawing sits in the top-left corner of
# a 32x32 image whose other pixels are transparent.
import struct, sys, os

out = os.path.dirname(os.path.abspath(__file__))

def bmp24(w, h, pixel):
    row = (w * 3 + 3) & ~3
    data = b''
    for y in range(h - 1, -1, -1):
        line = b''.join(struct.pack('BBB', *pixel(x, y)[::-1]) for x in range(w))
        data += line + b'\0' * (row - w * 3)
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return b'BM' + struct.pack('<IHHI', 14 + 40 + len(data), 0, 0, 54) + header + data

def panel(x, y):
    # A sky-to-sea gradient with a disk shape in the middle.
    cx, cy = 60, 80
    if (x - cx) ** 2 + (y - cy) ** 2 < 30 ** 2:
        return (200, 200, 40)
    return (0, 40 + y, 160 - y // 2)

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]

def icon(colour, shape):
    w = h = 32
    pixels = [[shape(x, y, colour) if x < 16 and y < 16 else None for x in range(w)]
              for y in range(h)]
    xor = b''
    for y in range(h - 1, -1, -1):
        row = pixels[y]
        for x in range(0, w, 2):
            a = row[x] if row[x] is not None else 0
            b = row[x + 1] if row[x + 1] is not None else 0
            xor += bytes([(a << 4) | b])
    andmask = b''
    for y in range(h - 1, -1, -1):
        bits = 0
        for x in range(w):
            if pixels[y][x] is None:
                bits |= 1 << (w - 1 - x)
        andmask += struct.pack('>I', bits)
    pal = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 4, 0, len(xor) + len(andmask), 0, 0, 16, 0)
    image = header + pal + xor + andmask
    return struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', w, h, 16, 0, 1, 4, len(image), 22) + image

def drive_shape(x, y, colour):
    if 4 <= y <= 11 and 1 <= x <= 14:
        if y == 9 and 10 <= x <= 12:
            return 10  # light
        return colour if (y > 4 and x > 1) else 15
    return None

def globe_shape(x, y, colour):
    if (x - 7.5) ** 2 + (y - 7.5) ** 2 <= 49:
        return 10 if (x + y) % 5 == 0 else colour
    return None

def disc_shape(x, y, colour):
    d = (x - 7.5) ** 2 + (y - 7.5) ** 2
    if d <= 4:
        return None
    if d <= 49:
        return colour if d > 20 else 7
    return None

with open(os.path.join(out, 'panel.bmp'), 'wb') as f:
    f.write(bmp24(120, 160, panel))
shapes = [(4, drive_shape), (6, globe_shape), (8, disc_shape), (2, drive_shape), (1, drive_shape),
          (5, disc_shape), (3, globe_shape)]
for i, (colour, shape) in enumerate(shapes):
    with open(os.path.join(out, 'drive%d.ico' % (101 + i)), 'wb') as f:
        f.write(icon(colour, shape))
