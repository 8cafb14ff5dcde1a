#!/usr/bin/env python3
# Draws the pictures of the bitmap library (among them the sample
# printer's picture 6401, the preset button faces 6402-6403 and the
# orientation pictures 6404-6405) and the
# pictures of the resource
# library (the page pictures 6001-6064 and 7414-7415, the quality-set
# pictures 6137-6145 and their disabled forms 6152-6160, the brightness and
# contrast scales 6162-6163, the sheet orientations 6193-6194,
# the stretched pictures 6205-6208 and the button corners 6220-6222)
# (4 bits a pixel, one palette)
# and writes them beside this script; the outputs are committed, so the
# build needs no Python. Run it here after changing a drawing.
import struct

PALETTE = [
    (255, 255, 255),  # 0 white
    (0, 0, 0),        # 1 black
    (128, 128, 128),  # 2 grey
    (192, 192, 192),  # 3 light grey
    (0, 0, 160),      # 4 blue
    (0, 128, 0),      # 5 green
    (200, 0, 0),      # 6 red
    (240, 200, 0),    # 7 yellow
    (96, 160, 224),   # 8 sky
] + [(0, 0, 0)] * 7
FACE = 9
# The palette of the button corners: the button face, as the display shows
# it, in the first free slot.
FACE_PALETTE = PALETTE[:FACE] + [(212, 208, 200)] + PALETTE[FACE + 1:]


class Picture:
    def __init__(self, width, height, fill=0, palette=PALETTE):
        self.w, self.h = width, height
        self.palette = palette
        self.px = [[fill] * width for _ in range(height)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def disc(self, cx, cy, r2, c):
        for y in range(self.h):
            for x in range(self.w):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r2:
                    self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def save(self, name):
        stride = (self.w * 4 + 31) // 32 * 4
        rows = b''
        for y in range(self.h - 1, -1, -1):  # bottom-up
            line = bytearray(stride)
            for x in range(self.w):
                line[x // 2] |= self.px[y][x] << (0 if x % 2 else 4)
            rows += bytes(line)
        palette = b''.join(bytes((b, g, r, 0)) for r, g, b in self.palette)
        offset = 14 + 40 + len(palette)
        head = struct.pack('<2sIHHI', b'BM', offset + len(rows), 0, 0, offset)
        info = struct.pack('<IiiHHIIiiII', 40, self.w, self.h, 1, 4, 0, len(rows), 3780, 3780, 16, 0)
        with open(name, 'wb') as f:
            f.write(head + info + palette + rows)


def check_box(checked, greyed):
    p = Picture(13, 13, 3 if greyed else 0)
    ink = 2 if greyed else 1
    p.frame(0, 0, 12, 12, ink)
    if checked:
        for i, (x, y) in enumerate([(3, 6), (4, 7), (5, 8), (6, 7), (7, 6), (8, 5), (9, 4)]):
            p.set(x, y, ink)
            p.set(x, y + 1, ink)
    return p


def level_bar(level):
    # A bar of nine steps; the steps up to the level are filled.
    p = Picture(24, 11)
    p.frame(0, 0, 23, 10, 2)
    for step in range(level + 1):
        x = 2 + step * 2 + step // 3
        p.rect(x, 9 - step, x + 1, 9, 4)
    return p


def marker(colour):
    p = Picture(13, 13)
    for y in range(13):
        for x in range(13):
            if (x - 6) ** 2 + (y - 6) ** 2 <= 30:
                p.set(x, y, colour)
    p.frame(6, 3, 6, 9, 0)
    return p


def hint_mark():
    p = Picture(16, 16)
    for y in range(16):
        for x in range(16):
            if (x - 7.5) ** 2 + (y - 7.5) ** 2 <= 56:
                p.set(x, y, 8)
    p.rect(7, 3, 8, 4, 0)
    p.rect(7, 6, 8, 12, 0)
    return p


def disabled_mark():
    # A red disc crossed by a white bar: the option cannot be chosen now.
    p = Picture(12, 12)
    p.disc(5.5, 5.5, 30, 6)
    p.rect(2, 5, 9, 6, 0)
    return p


def tray(kind, disabled):
    # A paper tray seen from the front; the kind sets the paper's colour.
    p = Picture(32, 24)
    body = 3 if disabled else 2
    paper = 3 if disabled else [0, 7, 8, 5][kind]
    p.rect(2, 12, 29, 21, body)
    p.frame(2, 12, 29, 21, 1 if not disabled else 2)
    p.rect(6, 4 + kind, 25, 11, paper)
    p.frame(6, 4 + kind, 25, 11, 1 if not disabled else 2)
    p.rect(12, 16, 19, 17, 1 if not disabled else 2)
    return p


# The page pictures the preview lists as portrait and as landscape sheets
# (the engine draws the watermark preview into a 50 x 69 or 68 x 50 box at
# their middle); the pictures of neither list are drawn upright.
PORTRAIT = [6001, 6004, 6005, 6008, 6009, 6011, 6013, 6016, 6017, 6019, 6021, 6023,
            6025, 6027, 6029, 6031, 6033, 6037, 6040, 6043, 6046, 7414]
LANDSCAPE = [6002, 6003, 6006, 6007, 6010, 6012, 6014, 6015, 6018, 6020, 6022, 6024, 6026,
             6028, 6030, 6032, 6034, 6035, 6036, 6038, 6039, 6041, 6042, 6044, 6045, 7415]
# Pages per sheet, in turn, and the grid of each on an upright sheet.
LAYOUTS = [1, 2, 4, 6, 9, 16]
GRID = {1: (1, 1), 2: (1, 2), 4: (2, 2), 6: (2, 3), 9: (3, 3), 16: (4, 4)}


def page(ident):
    # A sheet with its shadow on the preview's white, the size of the
    # preview box, holding 1 to 16 pages of text lines; landscape sheets lie
    # on their side. The ink of the lines changes every six pictures.
    if ident in LANDSCAPE:
        turned, position = True, LANDSCAPE.index(ident)
    else:
        turned = False
        position = PORTRAIT.index(ident) if ident in PORTRAIT else ident - 6001
    w, h = (68, 50) if turned else (50, 69)
    p = Picture(108, 91, 0)
    x0, y0 = (108 - w) // 2, (91 - h) // 2
    x1, y1 = x0 + w - 1, y0 + h - 1
    p.rect(x0 + 2, y0 + 2, x1 + 2, y1 + 2, 2)
    p.rect(x0, y0, x1, y1, 0)
    p.frame(x0, y0, x1, y1, 1)
    if ident in (7414, 7415):
        position = 0  # the plain sheets: one page
    pages = LAYOUTS[position % len(LAYOUTS)]
    ink = [1, 4, 5, 6][(position // len(LAYOUTS)) % 4]
    cols, rows = GRID[pages]
    if turned:
        cols, rows = rows, cols
    cw, ch = (w - 4) // cols, (h - 4) // rows
    for r in range(rows):
        for c in range(cols):
            cx0, cy0 = x0 + 2 + c * cw, y0 + 2 + r * ch
            cx1, cy1 = cx0 + cw - 2, cy0 + ch - 2
            if pages > 1:
                p.frame(cx0, cy0, cx1, cy1, 3)
            step = 3 if ch >= 12 else 2
            for y in range(cy0 + 2, cy1 - 1, step):
                right = cx1 - 2 - (cw // 4 if (y - cy0) % (4 * step) == 2 else 0)
                p.rect(cx0 + 2, y, max(cx0 + 2, right), y, ink)
    return p


def brightness_bar():
    # From black at the left to white at the right, in dithered steps.
    p = Picture(160, 16)
    for x in range(160):
        level = x * 7 // 160  # 0 black, 2 grey, 4 light grey, 6 white
        shades = [1, 1, 2, 2, 3, 3, 0]
        for y in range(16):
            c = shades[level]
            if level % 2 == 1 and (x + y) % 2 == 0:
                c = shades[level + 1]
            p.set(x, y, c)
    return p


def contrast_bar():
    # Stripes that grow from grey on light grey at the left to black on
    # white at the right.
    p = Picture(160, 16)
    for x in range(160):
        strong = x >= 80
        light, dark = (0, 1) if strong else (3, 2)
        for y in range(16):
            p.set(x, y, dark if (x // 4) % 2 == 0 else light)
    return p


def quality_set(index, disabled):
    # A stored quality set: a sheet printed with a band of dots, denser the
    # later the set; grey when the list is disabled.
    p = Picture(24, 24, 3 if disabled else 0)
    ink = 2 if disabled else 1
    p.frame(4, 1, 19, 22, ink)
    step = max(1, 4 - index // 3)
    for y in range(5, 19, step):
        for x in range(7, 17, step):
            p.set(x, y, ink if disabled else [4, 5, 6][index % 3])
    return p


def swatch(index):
    # A square of four quarters for the stretched pictures.
    p = Picture(32, 32)
    colours = [4, 5, 6, 7]
    for q in range(4):
        x, y = (q % 2) * 16, (q // 2) * 16
        p.rect(x, y, x + 15, y + 15, colours[(q + index) % 4])
    return p


def orientation(turned):
    # A sheet with lines of text, upright or turned on its side, in blue on
    # white (painted with AND, so the white leaves what lies beneath).
    p = Picture(12, 12)
    if turned:
        p.frame(0, 2, 11, 9, 4)
        for y in (4, 6):
            p.rect(2, y, 8, y, 4)
    else:
        p.frame(2, 0, 9, 11, 4)
        for y in (2, 4, 6, 8):
            p.rect(4, y, 7, y, 4)
    return p


def corners(shape):
    # A button of 64 x 28 whose corners are painted into the corners of a
    # face of any size: 0 rounded, 1 square, 2 cut. Outside the outline the
    # picture has the button face's colour; the outline is black, with a
    # white line inside its top and left.
    w, h = 64, 28
    p = Picture(w, h, FACE, FACE_PALETTE)
    cut = [5, 0, 5][shape]

    def inside(x, y):
        if not (0 <= x < w and 0 <= y < h):
            return False
        cx = min(max(x, cut), w - 1 - cut)
        cy = min(max(y, cut), h - 1 - cut)
        dx, dy = abs(x - cx), abs(y - cy)
        if shape == 0:
            return dx * dx + dy * dy <= cut * cut
        return dx + dy <= cut

    for y in range(h):
        for x in range(w):
            if not inside(x, y):
                continue
            if not all(inside(x + i, y + j) for i, j in ((-1, 0), (1, 0), (0, -1), (0, 1))):
                p.set(x, y, 1)
            elif not (inside(x - 2, y) and inside(x, y - 2)):
                p.set(x, y, 0)
    return p


def printer():
    # The sample printer seen from the front, at the size of the printer
    # picture, so that the areas a person points at lie where the hit
    # regions put them: the finisher at the left (its body 3-40 x 20-60,
    # its upper tray 3-30 x 8-19), the printer's three paper trays
    # stacked at 89-117 x 73-102 under the scanner and the bypass tray on
    # the right. The bottom-left pixel is the background: painted through.
    p = Picture(129, 104, FACE, FACE_PALETTE)
    # The finisher: its body, the output tray on top of it and a stack of
    # sheets in the tray.
    p.rect(3, 20, 40, 60, 3)
    p.frame(3, 20, 40, 60, 1)
    p.rect(7, 26, 36, 29, 2)
    p.rect(3, 8, 30, 19, 0)
    p.frame(3, 8, 30, 19, 1)
    for y in (12, 14, 16):
        p.rect(6, y, 27, y, 3)
    p.rect(41, 44, 45, 56, 2)
    # The printer's body with the scanner lid and the control panel.
    p.rect(46, 18, 124, 103, 3)
    p.frame(46, 18, 124, 103, 1)
    p.rect(48, 10, 122, 17, 0)
    p.frame(48, 10, 122, 17, 1)
    p.rect(100, 20, 121, 27, 1)
    p.rect(102, 22, 108, 25, 5)
    p.rect(111, 22, 113, 23, 7)
    p.rect(116, 22, 118, 23, 6)
    # The output opening with a printed sheet in it.
    p.rect(50, 32, 96, 40, 2)
    p.rect(54, 36, 92, 40, 0)
    p.rect(58, 37, 80, 37, 4)
    # The front door and the three paper trays, each with its handle and
    # the edge of its paper.
    p.frame(50, 46, 86, 101, 2)
    p.rect(82, 70, 83, 78, 1)
    for i, y in enumerate((73, 83, 93)):
        p.rect(89, y, 117, y + 8, 0 if i == 0 else 3)
        p.frame(89, y, 117, y + 8, 1)
        p.rect(99, y + 4, 107, y + 5, 1)
        p.rect(90, y + 1, 116, y + 1, [8, 7, 5][i])
    # The bypass tray folded out at the right.
    p.rect(118, 50, 128, 53, 2)
    p.rect(120, 48, 128, 49, 0)
    return p


def preset_button(save):
    # A button face, drawn with OR over the face of the button: black lets
    # the face show, white stays white. A stack of settings sheets with
    # lines of text; the save button adds an arrow going into the stack.
    p = Picture(16, 16, 1)
    for x, y in ((5, 1), (3, 3), (1, 5)):
        p.rect(x, y, x + 8, y + 9, 0)
        p.frame(x, y, x + 8, y + 9, 1)
    for y in (8, 10, 12):
        p.rect(3, y, 7, y, 1)
    if save:
        p.rect(12, 2, 13, 9, 0)
        p.rect(10, 8, 15, 8, 0)
        p.rect(11, 9, 14, 9, 0)
        p.rect(12, 10, 13, 10, 0)
    return p


def sheet(turned):
    # The orientation picture beside the orientation choice: a sheet with
    # a heading and lines of text, upright or on its side.
    p = Picture(32, 32, FACE, FACE_PALETTE)
    x0, y0, x1, y1 = (2, 6, 29, 25) if turned else (6, 2, 25, 29)
    p.rect(x0 + 1, y0 + 1, x1 + 1, y1 + 1, 2)
    p.rect(x0, y0, x1, y1, 0)
    p.frame(x0, y0, x1, y1, 1)
    p.rect(x0 + 3, y0 + 3, x0 + 10, y0 + 4, 4)
    for y in range(y0 + 7, y1 - 2, 3):
        p.rect(x0 + 3, y, x1 - 3 - (4 if (y - y0) % 6 == 1 else 0), y, 1)
    return p


pictures = {}
for ident in list(range(6001, 6065)) + [7414, 7415]:
    pictures[ident] = page(ident)
pictures[6162] = brightness_bar()
pictures[6163] = contrast_bar()
for i in range(9):
    pictures[6137 + i] = quality_set(i, False)
    pictures[6152 + i] = quality_set(i, True)
pictures[6193] = orientation(False)
pictures[6194] = orientation(True)
for i in range(4):
    pictures[6205 + i] = swatch(i)
for i in range(3):
    pictures[6220 + i] = corners(i)
for i in range(9):
    pictures[6495 + i] = level_bar(i)
for i in range(11):
    pictures[6801 + i] = marker([4, 5, 6, 7, 8, 2, 4, 5, 6, 7, 8][i])
pictures[7001] = check_box(False, False)
pictures[7002] = check_box(False, True)
pictures[7003] = check_box(True, False)
pictures[7004] = check_box(True, True)
pictures[7005] = disabled_mark()
pictures[7006] = hint_mark()
for i, (on, off) in enumerate([(7447, 7451), (7446, 7450), (7445, 7449), (7448, 7452)]):
    pictures[on] = tray(i, False)
    pictures[off] = tray(i, True)

pictures[6401] = printer()
pictures[6402] = preset_button(False)
pictures[6403] = preset_button(True)
pictures[6404] = sheet(False)
pictures[6405] = sheet(True)

for ident, picture in sorted(pictures.items()):
    picture.save('%d.bmp' % ident)
