#!/usr/bin/env python3
"""Reads screenshots for the real-window tests: the X display's (xwd -root)
and the Wayland compositor's (grim -t ppm).

    screen.py look            for every screenshot named on a line of its input,
                              a line "SCREEN X Y W": which screen is shown (menu,
                              list, play or other), where the farmer stands (the
                              centre of his overalls in pixels from the
                              corridor's top left corner, "- -" when he is not
                              drawn) and how wide the gold value is drawn
    screen.py png SHOT OUT    the screenshot as a PNG file

The game draws a 1024 x 768 screen: the side panels take the left eighth and
the field of 27 x 23 cells of 32 pixels sits centred in the rest.
"""
import os
import re
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools'))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import png  # noqa: E402
from corridor_level import ROW  # noqa: E402

FIELD_LEFT, FIELD_TOP, CELL, COLUMNS = 144, 16, 32, 27
# The gold value, the last of the five statistics, drawn in yellow.
GOLD_BOX = (50, 638, 124, 659)
# A pixel in the top left corner tells the screens apart: the menu's sky, the
# level list's black surround, the play screen's side panel.
SCREENS = {(10, 163, 220): 'menu', (0, 0, 0): 'list', (0, 50, 50): 'play'}
# The lightning border strays a few pixels into the field's outer cells.
BORDER_MARGIN = 4


class Shot:
    def __init__(self, path):
        with open(path, 'rb') as f:
            data = f.read()
        if data[:2] == b'P6':
            self.read_ppm(path, data)
            return
        if len(data) < 100:
            raise SystemExit('%s: not a screenshot' % path)
        header = struct.unpack('>25I', data[:100])
        header_size, width, height = header[0], header[4], header[5]
        byte_order, bits_per_pixel, self.stride = header[7], header[11], header[12]
        self.rgb_pixels = b''
        masks, colours = header[14:17], header[19]
        if bits_per_pixel != 32 or masks != (0xff0000, 0xff00, 0xff) or byte_order != 0:
            raise SystemExit('%s: expected 32-bit pixels, least significant byte first, in RGB order' % path)
        self.width, self.height = width, height
        self.pixels = data[header_size + colours * 12:]
        if len(self.pixels) < height * self.stride:
            raise SystemExit('%s: cut short' % path)

    def read_ppm(self, path, data):
        # "P6 <width> <height> 255" and one white-space character, then RGB.
        header = re.match(rb'P6\s+(\d+)\s+(\d+)\s+255\s', data)
        if not header:
            raise SystemExit('%s: expected an 8-bit binary PPM' % path)
        self.width, self.height = int(header.group(1)), int(header.group(2))
        self.stride = self.width * 3
        self.pixels = b''
        self.rgb_pixels = data[header.end():header.end() + self.height * self.stride]
        if len(self.rgb_pixels) < self.height * self.stride:
            raise SystemExit('%s: cut short' % path)

    def rgb(self, x, y):
        if self.rgb_pixels:
            i = y * self.stride + x * 3
            return tuple(self.rgb_pixels[i:i + 3])
        i = y * self.stride + x * 4
        b, g, r = self.pixels[i:i + 3]
        return r, g, b

    def rgb_bytes(self):
        if self.rgb_pixels:
            return self.rgb_pixels
        out = bytearray(self.width * self.height * 3)
        for y in range(self.height):
            row = self.pixels[y * self.stride:y * self.stride + self.width * 4]
            line = y * self.width * 3
            out[line:line + self.width * 3:3] = row[2::4]
            out[line + 1:line + self.width * 3:3] = row[1::4]
            out[line + 2:line + self.width * 3:3] = row[0::4]
        return bytes(out)


def is_overalls(r, g, b):
    # Nothing else in the corridor is blue: grass, trees and apples are not.
    return b > 120 and b > r + 60 and b > g + 40


def is_yellow(r, g, b):
    # The panel is dark cyan; the text is blended into it at its edges.
    return r > 128 and g > 128 and b < 64


def farmer(shot):
    """Centre of the farmer's blue overalls from the corridor's top left corner,
    or None. Only the corridor is searched, every other pixel of every other line."""
    top = FIELD_TOP + ROW * CELL
    xs, ys = [], []
    for y in range(top, top + 2 * CELL, 2):
        for x in range(FIELD_LEFT + BORDER_MARGIN, FIELD_LEFT + COLUMNS * CELL - BORDER_MARGIN, 2):
            if is_overalls(*shot.rgb(x, y)):
                xs.append(x)
                ys.append(y)
    if len(xs) < 8:
        return None
    return sum(xs) // len(xs) - FIELD_LEFT, sum(ys) // len(ys) - top


def gold_width(shot):
    left, top, right, bottom = GOLD_BOX
    drawn = [x for y in range(top, bottom) for x in range(left, right) if is_yellow(*shot.rgb(x, y))]
    return max(drawn) - min(drawn) + 1 if drawn else 0


def look(path):
    shot = Shot(path)
    x, y = farmer(shot) or ('-', '-')
    return '%s %s %s %d' % (SCREENS.get(shot.rgb(10, 10), 'other'), x, y, gold_width(shot))


def main():
    command = sys.argv[1]
    if command == 'look':
        # One process for all the screenshots of a test: a poll costs no start-up.
        for line in sys.stdin:
            print(look(line.strip()), flush=True)
    elif command == 'png':
        shot = Shot(sys.argv[2])
        png.write(sys.argv[3], shot.width, shot.height, shot.rgb_bytes())
    else:
        raise SystemExit('unknown command %r' % command)


if __name__ == '__main__':
    main()
