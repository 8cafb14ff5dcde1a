#!/usr/bin/env python3
# Writes the small pictures of the dialog-engine tests: plain 4-bit
# pictures whose sizes tell the two libraries apart (the resource library's
# are 2 pixels wide, the bitmap library's 3), each filled with one colour of
# its own. Run it in this folder; the outputs are committed.
import struct


def picture(name, width, height, colour):
    stride = (width * 4 + 31) // 32 * 4
    palette = bytearray(64)
    palette[4:8] = bytes((colour[2], colour[1], colour[0], 0))
    pixels = bytes([0x11] * stride * height)
    offset = 14 + 40 + len(palette)
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    with open(name, 'wb') as f:
        f.write(head + info + palette + pixels)


picture('res_red.bmp', 2, 2, (255, 0, 0))
picture('res_green.bmp', 2, 4, (0, 255, 0))
picture('bmp_blue.bmp', 3, 3, (0, 0, 255))
picture('bmp_grey.bmp', 3, 5, (128, 128, 128))
