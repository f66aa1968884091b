#!/usr/bin/env python3
# Draws the test pictures of the framed panel: 24-bit bitmaps whose pixel
# (x, y) has the colour (x, y, tag), so that a pixel read back names the
# picture and the place it came from.
import os, struct

out = os.path.dirname(os.path.abspath(__file__))

def bmp24(w, h, pixel):
    row = (w * 3 + 3) & ~3
    data = b''
    for y in range(h - 1, -1, -1):
        line = b''.join(struct.pack('BBB', *pixel(x, y)[::-1]) for x in range(w))
        data += line + b'\0' * (row - w * 3)
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return b'BM' + struct.pack('<IHHI', 14 + 40 + len(data), 0, 0, 54) + header + data

# name, width, height, tag: keep in step with the pictures of framepanel_test.cpp.
for name, w, h, tag in [('large', 41, 31, 0x40), ('small', 9, 7, 0x50), ('wide', 41, 7, 0x60)]:
    with open(os.path.join(out, 'pattern_%s.bmp' % name), 'wb') as f:
        f.write(bmp24(w, h, lambda x, y: (x, y, tag)))
