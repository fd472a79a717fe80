#!/usr/bin/env python3
"""Draws the game's icon for the desktop's hicolor theme from the window icon.

    icons.py <content dir> <out dir> <icon name>

writes <out dir>/<N>x<N>/apps/<icon name>.png for every size in SIZES, the
colour key made transparent. The window icon is 32-pixel art: 64, 128 and
256 repeat each of its pixels as a 2, 4 or 8 pixel square, so they stay as
sharp as the art. 48 is not a whole multiple, and repeating pixels one and a
half times would make some twice as wide as their neighbours, so the apple is
drawn again at that size from the same shapes.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import canvas   # noqa: E402
import png      # noqa: E402

ART = 32
SIZES = (32, 48, 64, 128, 256)


class ScaledCanvas(canvas.Canvas):
    """A canvas k times the size of the cell the art's coordinates are written for.

    Every shape is sampled at each of its own pixels' centres, mapped back into
    the art's coordinates: edges stay hard, shading stays where it was, and the
    outline drawn afterwards is one pixel wide like the original's. Only shapes
    go through the mapping; art that set single pixels would not be scaled.
    """

    def __init__(self, w, h, k):
        super().__init__(round(w * k), round(h * k))
        self.k = k

    def shape(self, sdf, bbox, paint, aa=False, alpha=1.0):
        k = self.k
        fn = paint if callable(paint) else (lambda x, y: paint)
        super().shape(lambda x, y: sdf(x / k, y / k) * k, tuple(v * k for v in bbox),
                      lambda x, y: fn(x / k, y / k), aa, alpha)


def window_icon(size):
    """The window icon drawn at size pixels (a size the art's shapes can be drawn at)."""
    import fruits
    import ui
    if size == ART:
        return ui.window_icon()
    # The fruit art makes its 32-pixel canvas in one place; lending it the
    # bigger canvas for one drawing leaves the art's code as the game uses it.
    small = fruits._cv
    fruits._cv = lambda: ScaledCanvas(ART, ART, size / ART)
    try:
        return ui.window_icon()
    finally:
        fruits._cv = small


def rgba(cv):
    """The canvas's pixels with the colour key as transparent black."""
    out = bytearray()
    for o in range(0, len(cv.px), 3):
        c = bytes(cv.px[o:o + 3])
        out += b'\0\0\0\0' if c == bytes(canvas.MAGENTA) else c + b'\xff'
    return out


def icon(size):
    if size % ART == 0:
        cv = window_icon(ART).scaled(size // ART)
    else:
        cv = window_icon(size)
    if (cv.w, cv.h) != (size, size):
        raise SystemExit('icons: the window icon came out %dx%d, not %dx%d' % (cv.w, cv.h, size, size))
    return cv


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__)
    content, out, name = argv[1:]
    sys.path.insert(0, os.path.join(content, 'art'))
    for size in SIZES:
        folder = os.path.join(out, '%dx%d' % (size, size), 'apps')
        os.makedirs(folder, exist_ok=True)
        cv = icon(size)
        png.write(os.path.join(folder, name + '.png'), cv.w, cv.h, rgba(cv), 4)


if __name__ == '__main__':
    main(sys.argv)
