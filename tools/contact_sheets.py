#!/usr/bin/env python3
"""Draws PNG contact sheets of the generated data for people to look at.

    contact_sheets.py <content dir> <game dir> <output dir>

Everything is read back from the generated files (not from the recipes), so
the sheets show exactly what the game will load.
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import bmp            # noqa: E402
import png            # noqa: E402
import canvas         # noqa: E402
import levelc        # noqa: E402
from canvas import Canvas, MAGENTA  # noqa: E402

BACK = (40, 44, 52)
GRASS = (96, 160, 64)


def load(path):
    w, h, px = bmp.read(path)
    cv = Canvas(w, h)
    cv.px[:] = px
    return cv


def frame(sheet, c, r, fw=32, fh=32):
    cv = Canvas(fw, fh)
    for y in range(fh):
        o = ((1 + r * (fh + 1) + y) * sheet.w + 1 + c * (fw + 1)) * 3
        cv.px[y * fw * 3:(y + 1) * fw * 3] = sheet.px[o:o + fw * 3]
    return cv


def put(dst, sprite, x, y, k=1, ground=None):
    if ground is not None:
        dst.rect(x, y, x + sprite.w * k, y + sprite.h * k, ground)
    dst.blit(sprite.scaled(k) if k > 1 else sprite, x, y)


def label(cv, x, y, text, colour=(235, 235, 235), k=1):
    canvas.font().draw(cv, x, y, text, colour, k)


def save(cv, path):
    png.write(path, cv.w, cv.h, cv.px)


def read_records(path):
    """Animation records as [(name, texture, [(subtype, frames, row, column), ...])]."""
    toks = open(path).read().split()
    out, i = [], 0
    while i < len(toks):
        name, tex = toks[i], toks[i + 1]
        count = int(toks[i + 8])
        i += 9
        strips = []
        for _ in range(count):
            n = int(toks[i + 1])
            i += 2
            for _ in range(n):
                strips.append((toks[i], int(toks[i + 1]), int(toks[i + 2]), int(toks[i + 3])))
                i += 4
        out.append((name, tex, strips))
    return out


def distinct_frames(sheet, strip):
    sub, n, row, col = strip
    frames, last = [], None
    for i in range(n):
        f = frame(sheet, col + i, row)
        if last is None or f.px != last.px:
            frames.append(f)
        last = f
    return frames


def main(argv):
    content, game, out = argv[1], argv[2], argv[3]
    os.makedirs(out, exist_ok=True)
    canvas.font(content)
    gfx, data = os.path.join(game, 'Graphics'), os.path.join(game, 'Data')
    cat = levelc.Catalogue(content)

    # tiles
    static = load(os.path.join(gfx, 'static.bmp'))
    names = sorted(cat.tiles.items(), key=lambda kv: kv[1][0])
    cols = 6
    cv = Canvas(cols * 160 + 20, ((len(names) + cols - 1) // cols) * 84 + 20, BACK)
    for i, (name, (idx, cls, _k)) in enumerate(names):
        x, y = 10 + (i % cols) * 160, 10 + (i // cols) * 84
        put(cv, frame(static, idx % 8, idx // 8), x, y, 2, GRASS)
        label(cv, x + 70, y + 10, name)
        label(cv, x + 70, y + 24, cls, (170, 200, 255))
        label(cv, x + 70, y + 38, '#%d' % idx, (160, 160, 160))
    save(cv, os.path.join(out, 'tiles.png'))

    # fruits and icons
    tsheet = load(os.path.join(gfx, 'targets.bmp'))
    recs = read_records(os.path.join(data, 'targets.txt'))
    cols = 8
    cv = Canvas(cols * 130 + 20, 5 * 96 + 140, BACK)
    for i, (name, _tex, strips) in enumerate(recs):
        x, y = 10 + (i % cols) * 130, 10 + (i // cols) * 96
        put(cv, frame(tsheet, strips[0][3], strips[0][2]), x + 33, y, 2, GRASS)
        label(cv, x + 2, y + 70, '%d %s' % (i, name))
    y = 10 + 5 * 96 + 10
    label(cv, 10, y, 'panel icons at texels (32,224) (96,224) (32,256) (64,256) (96,256)')
    for j, (c, r) in enumerate(((1, 7), (3, 7), (1, 8), (2, 8), (3, 8))):
        put(cv, frame(tsheet, c, r), 10 + j * 80, y + 20, 2, (0, 50, 50))
    save(cv, os.path.join(out, 'fruits.png'))

    # traps: every distinct frame of every strip
    trecs = read_records(os.path.join(data, 'traps.txt'))
    sheets = {}
    rows = []
    for name, tex, strips in trecs:
        path = os.path.join(gfx, os.path.basename(tex))
        sheets.setdefault(path, load(path))
        rows.append((name, distinct_frames(sheets[path], strips[1])))
    cv = Canvas(140 + 14 * 72, len(rows) * 72 + 20, BACK)
    for i, (name, frames) in enumerate(rows):
        y = 10 + i * 72
        label(cv, 10, y + 28, name, k=1)
        for j, f in enumerate(frames[:14]):
            put(cv, f, 130 + j * 72, y, 2, GRASS)
    save(cv, os.path.join(out, 'traps.png'))

    # the farmer's four walks
    psheet = load(os.path.join(gfx, 'player.bmp'))
    prec = read_records(os.path.join(data, 'Player.txt'))[0]
    cv = Canvas(140 + 4 * 108, 4 * 108 + 20, BACK)
    for i, (sub, n, row, col) in enumerate(prec[2]):
        label(cv, 10, 10 + i * 108 + 44, sub, k=2)
        for j in range(n):
            put(cv, frame(psheet, col + j, row), 130 + j * 108, 10 + i * 108, 3, GRASS)
    save(cv, os.path.join(out, 'farmer_walk.png'))

    # every picture and widget as it is
    for name in ('titlew', 'farmer', 'fruits', 'help1', 'help2', 'Grovekeep', 'button', 'check', 'upbutton',
                 'downbutton', 'icon'):
        save(load(os.path.join(gfx, name + '.bmp')), os.path.join(out, 'picture_%s.png' % name))

    # menu mock-up: the pictures where the menu puts them
    menu = Canvas(1024, 768, (10, 163, 220))
    button = load(os.path.join(gfx, 'button.bmp'))
    bframe = frame(button, 0, 1, 128, 32).scaled(2)
    for i, text in enumerate(('New', 'Options', 'Top Score', 'Resume', 'Quit', 'Help')):
        bf = frame(button, 0, 0 if text == 'Resume' else (2 if i == 0 else 1), 128, 32)
        stretched = Canvas(256, 32)
        for y in range(32):
            for x in range(256):
                stretched.set(x, y, bf.get(x // 2, y))
        menu.blit(stretched, 384, 229 + 50 * i)
        canvas.font().draw_centered(menu, 512, 229 + 50 * i + 9, text, (255, 255, 255), 2)
    menu.blit_fast(load(os.path.join(gfx, 'farmer.bmp')), 60, 350)
    menu.blit_fast(load(os.path.join(gfx, 'fruits.bmp')), 770, 550)
    menu.blit_fast(load(os.path.join(gfx, 'titlew.bmp')), 512 - 280, 100)
    deco = frame(static, 1, 7)
    for (x, y) in ((150, 200), (800, 500), (900, 300)):
        menu.blit(deco, x - 16, y - 16)
    save(menu, os.path.join(out, 'menu_mockup.png'))

    # every level drawn with its tiles over its background
    for src in levelc.level_sources(os.path.join(content, 'levels')):
        pass
    n = 1
    while os.path.exists(os.path.join(data, 'Level%d.dat' % n)):
        blob = open(os.path.join(data, 'Level%d.dat' % n), 'rb').read()
        title = blob[1:41].split(b'\0')[0].decode('cp1252')
        bg_name = blob[297:377].split(b'\0')[0].decode('ascii')
        layers, w, h = struct.unpack_from('<III', blob, 377)
        field = load(os.path.join(gfx, os.path.basename(bg_name)))
        for y in range(h):
            for x in range(w):
                o = 389 + (y * w + x) * 8
                tile, kind = blob[o + 1], blob[o + 2]
                if kind:
                    field.blit(frame(static, tile % 8, tile // 8), x * 32, y * 32)
        cv = Canvas(field.w + 20, field.h + 50, BACK)
        label(cv, 10, 10, 'Level %d: %s' % (n, title), k=3)
        cv.blit_fast(field, 10, 40)
        save(cv, os.path.join(out, 'level%02d.png' % n))
        n += 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
