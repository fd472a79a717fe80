"""Frame sheets and animation descriptions.

A sheet is a grid of equal frames on the colour key, each frame framed by a
one-pixel line: frame (c, r) starts at (1 + c * (w + 1), 1 + r * (h + 1)).
The game repacks the frames without the lines into a power-of-two texture,
so frame (c, r) ends up at (c * w, r * h) there.
"""
from canvas import Canvas, MAGENTA

GRID = (64, 64, 64)
KEY = MAGENTA


def build(cells, cols, rows, fw=32, fh=32):
    """cells: {(col, row): Canvas of fw x fh}."""
    w, h = cols * (fw + 1) + 1, rows * (fh + 1) + 1
    # The texture code takes width div frame width columns: a sheet of 31 or more
    # columns would claim one column too many, so keep sheets narrower than that.
    assert w // fw == cols and h // fh == rows, 'sheet too large for the one-pixel grid'
    sheet = Canvas(w, h, GRID)
    empty = Canvas(fw, fh, KEY)
    for r in range(rows):
        for c in range(cols):
            frame = cells.get((c, r), empty)
            assert (frame.w, frame.h) == (fw, fh)
            sheet.blit_fast(frame, 1 + c * (fw + 1), 1 + r * (fh + 1))
    return sheet


def texture_size(sheet_w, sheet_h, fw, fh):
    """The repacked texture's size in texels, as the game computes it."""
    def pow2(v):
        p = 1
        while p < v:
            p *= 2
        return p
    return pow2((sheet_w // fw) * fw), pow2((sheet_h // fh) * fh)


def record(name, texture, flag, fw, fh, animations, key=KEY):
    """One animation set as text: animations = [(type name, [(subtype, frames, row, column), ...]), ...]."""
    lines = ['%s %s %d %d %d %d %d %d %d' % (name, texture, flag, key[0], key[1], key[2], fw, fh, len(animations))]
    for typ, strips in animations:
        lines.append('%s %d' % (typ, len(strips)))
        for sub, frames, row, col in strips:
            lines.append('%s %d %d %d' % (sub, frames, row, col))
    return '\n'.join(lines) + '\n'


def walk(row, col, frames, directions=('North', 'East', 'South', 'West')):
    """A walk animation whose strips all show the same frames (things that look alike from every side)."""
    return [('Walk', [(d, frames, row, col) for d in directions])]
