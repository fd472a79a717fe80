"""The static-object tiles: 32 x 32, magenta where the level's ground shows through."""
import math
import random
from canvas import Canvas, mix, scale, hexc, tnoise, hash01, sphere_paint, clamp, MAGENTA
import shore

S = 32
OUTLINE = (34, 30, 28)


def _new():
    return Canvas(S, S)


# --- ground-like tiles (opaque, seamless) ----------------------------------------
def _textured(c0, c1, cell=8, seed=1, speck=None, speck_rate=0.0):
    cv = _new()
    for y in range(S):
        for x in range(S):
            n = 0.6 * tnoise(x, y, cell, S, seed) + 0.4 * tnoise(x, y, cell // 2, S, seed + 7)
            c = mix(c0, c1, n)
            if speck and hash01(x, y, seed + 3) < speck_rate:
                c = speck
            cv.set(x, y, c)
    return cv


def water(kind='plain'):
    cv = Canvas(S, S)
    deep, light = hexc('1e5aa8'), hexc('3f8fd8')
    if kind == 'swamp':
        deep, light = hexc('3d4a22'), hexc('61703a')
    # Every term repeats every 32 pixels, so neighbouring water tiles (and the
    # water under the bridges) join without a seam and a river reads as one body.
    k = 2 * math.pi / S
    for y in range(S):
        for x in range(S):
            n = tnoise(x, (y + 1.5 * math.sin(x * k * 2)) % S, 8, S, 11)
            c = mix(deep, light, n)
            w = math.sin(k * (2 * x + y) + 6.2 * tnoise(x, y, 16, S, 5))
            if w > 0.93:
                c = mix(c, (230, 245, 255) if kind != 'swamp' else (140, 150, 90), 0.55)
            cv.set(x, y, c)
    if kind == 'ripple':
        for cx, cy, r in ((10, 10, 5), (23, 21, 6)):
            for a in range(0, 360, 6):
                if 200 < a < 340:
                    x, y = cx + r * math.cos(math.radians(a)), cy + r * 0.5 * math.sin(math.radians(a))
                    cv.set(int(x), int(y), (225, 240, 255))
    if kind == 'lily':
        cv.circle(15, 17, 9, sphere_paint(hexc('3f9a3a'), 15, 17, 9))
        cv.polygon([(15, 17), (24, 12), (25, 17)], lambda x, y: cv.get(int(x + 6) % S, int(y)) if False else mix(deep, light, 0.4))
        for i in range(5):
            a = math.radians(i * 72 - 90)
            cv.circle(12 + 3 * math.cos(a), 15 + 3 * math.sin(a), 2.3, hexc('f6b6d2'))
        cv.circle(12, 15, 1.5, hexc('ffe35a'))
    if kind in ('reeds', 'swamp'):
        rnd = random.Random(4 if kind == 'reeds' else 8)
        n = 6 if kind == 'reeds' else 3
        for i in range(n):
            x = rnd.randrange(4, 28)
            h = rnd.randrange(10, 20)
            cv.line(x, 30, x + rnd.choice((-2, 2)), 30 - h, 1.6, hexc('5c8a2e'))
            if rnd.random() < 0.7:
                cv.ellipse(x + 0.5, 30 - h + 2, 1.6, 3.5, hexc('7a4a22'))
    return cv


# --- banks -----------------------------------------------------------------------
# The shore lies BANK_IN pixels inside the water cell, a little deeper where the
# bank bulges; ground beyond the sand is left to the level's own background.
BANK_IN, SAND, SHALLOW, ROUND = 6.0, 4.0, 9.0, 12.0
# Bulges of the shoreline along each side: (amplitude, waves per tile). Every bulge
# is zero at the tile's corners, so neighbouring banks meet without a step.
BULGES = {'n': ((2.4, 1), (1.2, 3)), 's': ((1.8, 2), (1.6, 1)), 'w': ((2.0, 1), (1.4, 2)), 'e': ((2.2, 2), (1.0, 3))}
BANK_LOOK = {   # sand dry, sand wet, shallow tint, foam
    'bank': (hexc('c9a86a'), hexc('8a6a3e'), hexc('5fb0d8'), (225, 240, 250)),
    'swampbank': (hexc('6e5a36'), hexc('43371f'), hexc('7a8446'), (150, 158, 104)),
}


def _bulge(side, t):
    return sum(a * math.sin(math.pi * k * t / S) ** 2 for a, k in BULGES[side])


def _shore_depth(px, py, sides, corners):
    """How far (px, py) lies inside the water from the shoreline; negative on the bank."""
    dist = {'n': py, 's': S - py, 'w': px, 'e': S - px}
    along = {'n': px, 's': px, 'w': py, 'e': py}
    depth = min([dist[s] - BANK_IN - _bulge(s, along[s]) for s in sides], default=S)
    for c, dx, dy, a, b in shore.CORNERS:
        vx, vy = (S if dx > 0 else 0), (S if dy > 0 else 0)
        if c in corners:        # ground pokes in at this corner: a rounded bite
            depth = min(depth, math.hypot(px - vx, py - vy) - BANK_IN)
        elif a in sides and b in sides:     # the water turns here: round its corner off
            u, v = dist[b], dist[a]
            reach = BANK_IN + ROUND
            if u < reach and v < reach:
                depth = min(depth, ROUND - math.hypot(reach - u, reach - v))
    return depth


def bank(name):
    family, sides, corners = shore.parse(name)
    cv = water('swamp' if family == 'swampbank' else 'plain')
    dry, wet, shallow, foam = BANK_LOOK[family]
    for y in range(S):
        for x in range(S):
            d = _shore_depth(x + 0.5, y + 0.5, sides, corners)
            if d < -SAND:
                cv.set(x, y, MAGENTA)
            elif d < 0:
                grain = 0.25 * (hash01(x, y, 41) - 0.5)
                cv.set(x, y, mix(wet, dry, clamp(-d / SAND + grain)))
            elif d < 1.2:
                cv.set(x, y, mix(cv.get(x, y), foam, 0.6))
            elif d < SHALLOW:
                cv.set(x, y, mix(cv.get(x, y), shallow, 0.55 * (1 - d / SHALLOW)))
    return cv


def bridge(horizontal):
    cv = water('plain')
    wood, dark, light = hexc('a4713f'), hexc('6b4423'), hexc('c99560')
    # planks run across the walking direction
    if horizontal:      # walked east-west: planks are vertical strips
        cv.rect(0, 4, S, 28, dark)
        for i in range(8):
            x0 = i * 4
            c = mix(wood, light, hash01(i, 1, 3) * 0.6)
            cv.rect(x0, 5, x0 + 3, 27, c)
            cv.rect(x0, 5 + (i % 3), x0 + 3, 6 + (i % 3), mix(c, dark, 0.5))
        cv.rect(0, 2, S, 5, hexc('7a4c26'))
        cv.rect(0, 27, S, 30, hexc('7a4c26'))
        for x in (2, 17):
            cv.rect(x, 0, x + 3, 6, dark)
            cv.rect(x, 26, x + 3, 32, dark)
    else:
        cv.rect(4, 0, 28, S, dark)
        for i in range(8):
            y0 = i * 4
            c = mix(wood, light, hash01(i, 2, 3) * 0.6)
            cv.rect(5, y0, 27, y0 + 3, c)
            cv.rect(5 + (i % 3) * 5, y0, 7 + (i % 3) * 5, y0 + 3, mix(c, dark, 0.5))
        cv.rect(2, 0, 5, S, hexc('7a4c26'))
        cv.rect(27, 0, 30, S, hexc('7a4c26'))
        for y in (2, 17):
            cv.rect(0, y, 6, y + 3, dark)
            cv.rect(26, y, 32, y + 3, dark)
    return cv


def path(kind):
    if kind == 'dirt':
        return _textured(hexc('9a7446'), hexc('b48c58'), 8, 21, hexc('7d5b36'), 0.05)
    if kind == 'sand':
        return _textured(hexc('e2c98a'), hexc('f0dca6'), 8, 22, hexc('c9ab6a'), 0.04)
    if kind == 'gravel':
        cv = _textured(hexc('8c8a84'), hexc('a9a69e'), 4, 23)
        rnd = random.Random(23)
        for i in range(22):
            x, y = rnd.randrange(S), rnd.randrange(S)
            cv.circle(x, y, 1.4, mix(hexc('6e6b64'), hexc('d5d2c8'), rnd.random()))
        return cv
    if kind == 'leaves':
        cv = _textured(hexc('8f6a3e'), hexc('a37a48'), 8, 24)
        rnd = random.Random(24)
        for i in range(14):
            x, y = rnd.randrange(2, 30), rnd.randrange(2, 30)
            cv.ellipse(x, y, 2.6, 1.4, rnd.choice([hexc('d9681c'), hexc('e8a92a'), hexc('b8361f'), hexc('c98a2a')]), angle=rnd.randrange(180))
        return cv
    cv = Canvas(S, S)
    if kind in ('cobble', 'moss'):
        base = hexc('6f6a64') if kind == 'cobble' else hexc('4d5a3a')
        cv.fill(scale(base, 0.7))
        stones = [(5, 5), (15, 4), (26, 6), (9, 14), (21, 14), (4, 23), (15, 24), (27, 24), (31, 15), (0, 15)]
        for i, (x, y) in enumerate(stones):
            col = mix(hexc('a29c92'), hexc('c4beb2'), hash01(i, 0, 5)) if kind == 'cobble' else mix(hexc('7d8a6a'), hexc('9aa784'), hash01(i, 0, 6))
            for ox in (-32, 0, 32):
                for oy in (-32, 0, 32):
                    cv.ellipse(x + ox, y + oy, 5.2, 4.2, sphere_paint(col, x + ox, y + oy, 5.2, shine=0.15))
        if kind == 'moss':
            rnd = random.Random(9)
            for i in range(30):
                cv.set(rnd.randrange(S), rnd.randrange(S), hexc('5f8a2e'))
        return cv
    if kind == 'planks':
        for i in range(4):
            c = mix(hexc('9b6b3a'), hexc('b9864f'), hash01(i, 0, 8))
            cv.rect(0, i * 8, S, i * 8 + 7, c)
            cv.rect(0, i * 8 + 7, S, i * 8 + 8, hexc('5c3b1c'))
            cv.rect((i * 13) % 28, i * 8, (i * 13) % 28 + 1, i * 8 + 7, hexc('5c3b1c'))
            cv.set((i * 13 + 6) % 30, i * 8 + 3, hexc('4a2e14'))
        return cv
    if kind == 'brick':
        cv.fill(hexc('8a8074'))
        for r in range(4):
            off = 0 if r % 2 == 0 else 8
            for b in range(-1, 3):
                x0 = b * 16 + off
                c = mix(hexc('a0523c'), hexc('bf6a4c'), hash01(b, r, 9))
                cv.rect(x0 + 1, r * 8 + 1, x0 + 16, r * 8 + 8, c)
        return cv
    raise KeyError(kind)


# --- trees ---------------------------------------------------------------------------
def _trunk(cv, x0, x1, y0, y1, col=hexc('6b4423')):
    cv.rect(x0, y0, x1, y1, col)
    cv.rect(x0, y0, x0 + 1, y1, scale(col, 0.7))


def _leafy(cv, cx, cy, r, base, seed, dots=None):
    cv.circle(cx, cy, r, sphere_paint(base, cx, cy, r, shine=0.15))
    rnd = random.Random(seed)
    for i in range(int(r * 2.2)):
        a, d = rnd.random() * 6.283, rnd.random() * (r - 2)
        x, y = cx + d * math.cos(a), cy + d * math.sin(a)
        lit = clampf(0.5 - ((x - cx) / r) * 0.5 - ((y - cy) / r) * 0.5)
        cv.circle(x, y, 1.6, mix(scale(base, 0.7), mix(base, (255, 255, 200), 0.35), lit))
    if dots:
        for i in range(dots[1]):
            a, d = rnd.random() * 6.283, rnd.random() * (r - 3)
            x, y = cx + d * math.cos(a), cy + d * math.sin(a)
            cv.circle(x, y, 1.9, dots[0])
            cv.set(int(x) - 1, int(y) - 1, (255, 230, 220))


def clampf(v):
    return 0.0 if v < 0 else 1.0 if v > 1 else v


def tree(kind):
    cv = _new()
    if kind in ('apple', 'oak', 'autumn'):
        _trunk(cv, 13, 19, 18, 31)
        base = {'apple': hexc('3f8f2f'), 'oak': hexc('2f7a2a'), 'autumn': hexc('d0741e')}[kind]
        _leafy(cv, 16, 13, 12, base, 3)
        _leafy(cv, 10, 16, 7, base, 4)
        _leafy(cv, 22, 16, 7, base, 5)
        if kind == 'apple':
            for x, y in ((9, 12), (20, 9), (14, 18), (23, 17), (16, 6)):
                cv.circle(x, y, 2.2, hexc('d8281e'))
                cv.set(x - 1, y - 1, (255, 200, 190))
        if kind == 'autumn':
            rnd = random.Random(2)
            for i in range(14):
                cv.circle(rnd.randrange(6, 27), rnd.randrange(3, 24), 1.5, rnd.choice([hexc('b8261c'), hexc('f0b33a')]))
    elif kind == 'pine':
        _trunk(cv, 14, 18, 25, 31)
        for i, (y0, w) in enumerate(((2, 5), (8, 9), (14, 12), (19, 14))):
            c = mix(hexc('1d5a33'), hexc('2f7d45'), i / 3)
            cv.polygon([(16, y0), (16 - w, y0 + 9), (16 + w, y0 + 9)], lambda x, y, c=c: mix(c, scale(c, 0.65), (x - 10) / 14))
    elif kind == 'birch':
        cv.rect(14, 12, 18, 31, hexc('eeeee6'))
        for y in (15, 20, 25, 29):
            cv.rect(14 + (y % 3), y, 16 + (y % 3), y + 1, hexc('2a2a2a'))
        _leafy(cv, 16, 11, 10, hexc('8cc24a'), 7)
    elif kind == 'palm':
        pts = [(16 + 3 * math.sin(t / 6.0), 31 - t * 1.3) for t in range(17)]
        for i, (x, y) in enumerate(pts):
            cv.rect(int(x) - 2, int(y), int(x) + 2, int(y) + 2, hexc('8a6236') if i % 2 else hexc('a77a48'))
        tx, ty = pts[-1]
        for a in (200, 240, 290, 330, 20, 160):
            r = math.radians(a)
            ex, ey = tx + 14 * math.cos(r), ty + 9 * math.sin(r) + 6
            cv.polyline([(tx, ty), ((tx + ex) / 2, ty + 9 * math.sin(r) - 2), (ex, ey)], 3.2, hexc('3c9a34'))
        cv.circle(tx - 1, ty + 3, 2.2, hexc('6b4a24'))
        cv.circle(tx + 2, ty + 3, 2.2, hexc('6b4a24'))
    elif kind == 'jungle':
        _trunk(cv, 13, 19, 20, 31, hexc('5a3a1e'))
        _leafy(cv, 16, 12, 13, hexc('1f6b34'), 9)
        _leafy(cv, 8, 8, 7, hexc('2a8040'), 10)
        _leafy(cv, 25, 9, 6, hexc('2a8040'), 11)
        for x in (9, 22, 15):
            cv.line(x, 14, x + 1, 26, 1.2, hexc('4d8a2a'))
    elif kind == 'bamboo':
        for x, top in ((8, 2), (16, 0), (24, 4)):
            cv.rect(x - 2, top, x + 2, 32, hexc('7fb347'))
            cv.rect(x - 2, top, x - 1, 32, hexc('a8d46a'))
            for y in range(top + 6, 32, 8):
                cv.rect(x - 2, y, x + 2, y + 1, hexc('4f7d2a'))
            cv.ellipse(x + 4, top + 9, 4, 1.5, hexc('5e9e36'), angle=-25)
            cv.ellipse(x - 4, top + 15, 4, 1.5, hexc('5e9e36'), angle=25)
    cv.outline(OUTLINE)
    return cv


# --- flowers (walkable; the ground shows between them) ---------------------------------
def flowers(kind):
    cv = _new()
    rnd = random.Random(hash(kind) & 0xff if False else len(kind) * 7)
    spots = [(6, 8), (17, 6), (26, 10), (11, 18), (22, 20), (5, 27), (16, 28), (27, 27)]
    if kind == 'tall_grass':
        for i in range(14):
            x = 2 + i * 2 + rnd.randrange(2)
            h = rnd.randrange(12, 26)
            cv.line(x, 31, x + rnd.choice((-3, -1, 1, 3)), 31 - h, 1.5, mix(hexc('5c9a2a'), hexc('a6cf5a'), rnd.random()))
        return cv
    if kind == 'ferns':
        for cx, cy in ((9, 14), (22, 18), (14, 26)):
            for a in (-150, -110, -70, -30, -180, 0):
                r = math.radians(a)
                ex, ey = cx + 10 * math.cos(r), cy + 8 * math.sin(r)
                cv.line(cx, cy + 4, ex, ey, 2.2, hexc('3b8a2e'))
                cv.line(cx, cy + 4, (cx + ex) / 2, (cy + ey) / 2 + 1, 1.0, hexc('6fbf4a'))
        return cv
    for (x, y) in spots:
        x += rnd.randrange(-1, 2)
        y += rnd.randrange(-1, 2)
        cv.line(x, y + 1, x, y + 6, 1.2, hexc('3f8a2a'))
        if kind == 'tulips':
            cv.ellipse(x, y, 2.6, 3.2, hexc('e0302a'))
            cv.rect(x - 1, y - 3, x, y - 1, hexc('ff7a66'))
        elif kind == 'sunflowers':
            for i in range(8):
                a = math.radians(i * 45)
                cv.circle(x + 2.6 * math.cos(a), y + 2.6 * math.sin(a), 1.6, hexc('ffd21e'))
            cv.circle(x, y, 1.8, hexc('6b3f14'))
        elif kind == 'bluebells':
            for dy in (0, 2):
                cv.circle(x + (dy - 1), y + dy, 1.7, hexc('4a64e0'))
            cv.set(x, y - 1, hexc('9fb2ff'))
        elif kind == 'daisies':
            for i in range(6):
                a = math.radians(i * 60)
                cv.circle(x + 2.2 * math.cos(a), y + 2.2 * math.sin(a), 1.3, (255, 255, 255))
            cv.circle(x, y, 1.2, hexc('ffcf1e'))
        elif kind == 'lavender':
            for dy in range(-4, 2, 2):
                cv.circle(x, y + dy, 1.4, mix(hexc('8a5ad0'), hexc('c9a4f2'), (dy + 4) / 6))
        elif kind == 'roses':
            cv.circle(x, y, 2.8, hexc('e04f8a'))
            cv.circle(x, y, 1.4, hexc('a8205a'))
            cv.set(x - 1, y - 2, hexc('ffb0d0'))
    cv.outline(OUTLINE)
    return cv


# --- solid objects ---------------------------------------------------------------------
def solid(kind):
    cv = _new()
    if kind == 'hay_bale':
        cv.rrect(3, 8, 29, 29, 5, lambda x, y: mix(hexc('f0cf5a'), hexc('b88a2a'), (y - 8) / 21))
        for x in (10, 22):
            cv.rect(x, 8, x + 2, 29, hexc('8a5a1e'))
        for i in range(18):
            cv.set(4 + (i * 11) % 24, 10 + (i * 7) % 17, hexc('fff0a0'))
    elif kind in ('fence_h', 'fence_v'):
        wood, dark = hexc('b07a44'), hexc('6b4423')
        if kind == 'fence_h':
            cv.rect(0, 12, 32, 15, wood)
            cv.rect(0, 21, 32, 24, wood)
            for x in (5, 23):
                cv.rect(x, 6, x + 4, 30, dark)
                cv.rect(x + 1, 6, x + 2, 30, wood)
        else:
            cv.rect(12, 0, 15, 32, wood)
            cv.rect(18, 0, 21, 32, wood)
            for y in (4, 20):
                cv.rect(10, y, 23, y + 5, dark)
                cv.rect(10, y + 1, 23, y + 2, wood)
    elif kind == 'berry_bush':
        _leafy(cv, 16, 18, 12, hexc('2f7a2a'), 12, (hexc('8a1e6a'), 9))
    elif kind == 'hut':
        cv.rect(5, 15, 27, 30, hexc('d9b483'))
        cv.rect(5, 15, 27, 17, hexc('a8845a'))
        cv.polygon([(1, 16), (16, 2), (31, 16)], lambda x, y: mix(hexc('c0432a'), hexc('7a2216'), (y - 2) / 14))
        cv.rect(13, 21, 19, 30, hexc('6b4423'))
        cv.rect(7, 19, 11, 23, hexc('7ab8e0'))
        cv.rect(21, 19, 25, 23, hexc('7ab8e0'))
    elif kind == 'well':
        cv.rect(7, 3, 9, 20, hexc('6b4423'))
        cv.rect(23, 3, 25, 20, hexc('6b4423'))
        cv.polygon([(4, 6), (16, 0), (28, 6)], hexc('9c3a24'))
        cv.ellipse(16, 22, 12, 8, hexc('8a8680'))
        cv.ellipse(16, 21, 9, 5, hexc('1e3a5a'))
        cv.line(16, 5, 16, 17, 1.0, hexc('d0c0a0'))
        cv.rect(14, 15, 19, 19, hexc('8a5a2a'))
    elif kind == 'log_pile':
        for (x, y) in ((9, 23), (23, 23), (16, 12), (16, 24)):
            pass
        for (x, y) in ((8, 24), (16, 24), (24, 24), (12, 15), (20, 15), (16, 7)):
            cv.circle(x, y, 4.6, hexc('8a5a2a'))
            cv.circle(x, y, 3.2, hexc('d9b070'))
            cv.circle(x, y, 1.3, hexc('a8804a'))
    elif kind == 'scarecrow':
        cv.rect(15, 8, 17, 32, hexc('6b4423'))
        cv.rect(4, 13, 28, 15, hexc('6b4423'))
        cv.rect(9, 12, 23, 24, hexc('4a6ab0'))
        cv.rect(4, 12, 9, 16, hexc('4a6ab0'))
        cv.rect(23, 12, 28, 16, hexc('4a6ab0'))
        cv.circle(16, 8, 4.5, hexc('e8d098'))
        cv.polygon([(8, 5), (16, -1), (24, 5)], hexc('8a5a1e'))
        cv.set(14, 8, (0, 0, 0))
        cv.set(18, 8, (0, 0, 0))
        for x in (4, 28):
            cv.line(x, 14, x + (2 if x < 16 else -2), 18, 1.0, hexc('f0cf5a'))
    elif kind in ('cow', 'cow_brown'):
        body = (250, 250, 246) if kind == 'cow' else hexc('a0643a')
        spot = (30, 30, 34) if kind == 'cow' else hexc('f4ead8')
        cv.rect(8, 21, 11, 30, scale(body, 0.8))
        cv.rect(21, 21, 24, 30, scale(body, 0.8))
        cv.ellipse(16, 18, 12, 7.5, sphere_paint(body, 16, 18, 12, shine=0.1))
        cv.ellipse(12, 15, 3.5, 2.5, spot)
        cv.ellipse(20, 20, 3, 2.2, spot)
        cv.rect(12, 25, 14, 30, scale(body, 0.7))
        cv.rect(19, 25, 21, 30, scale(body, 0.7))
        cv.ellipse(27, 13, 5, 4.5, body)
        cv.ellipse(29, 16, 3.2, 2.4, hexc('f0a0a8'))
        cv.set(27, 11, (0, 0, 0))
        cv.line(24, 8, 26, 10, 1.2, hexc('e8e0c8'))
        cv.line(30, 8, 28, 10, 1.2, hexc('e8e0c8'))
        cv.line(4, 14, 2, 22, 1.0, scale(body, 0.6))
    elif kind in ('tiger', 'tiger_sleep'):
        orange, stripe = hexc('f08a24'), hexc('2a1a10')
        if kind == 'tiger':
            cv.rect(8, 21, 11, 30, orange)
            cv.rect(21, 21, 24, 30, orange)
            cv.ellipse(15, 18, 11.5, 6.5, sphere_paint(orange, 15, 18, 11.5, shine=0.1))
            for x in (9, 13, 17, 21):
                cv.line(x, 12, x + 1, 17, 1.3, stripe)
            cv.circle(26, 13, 5.5, orange)
            cv.circle(23, 8, 1.8, orange)
            cv.circle(29, 8, 1.8, orange)
            cv.ellipse(27, 16, 2.8, 1.8, (250, 240, 220))
            cv.set(25, 12, (40, 160, 40))
            cv.set(28, 12, (40, 160, 40))
            cv.line(3, 17, 1, 10, 1.6, orange)
            cv.set(1, 10, stripe)
        else:
            cv.ellipse(16, 19, 12, 9, sphere_paint(orange, 16, 19, 12, shine=0.1))
            for a in range(200, 340, 30):
                r = math.radians(a)
                cv.line(16 + 6 * math.cos(r), 19 + 5 * math.sin(r), 16 + 11 * math.cos(r), 19 + 8 * math.sin(r), 1.4, stripe)
            cv.circle(22, 21, 5, orange)
            cv.ellipse(23, 23, 2.4, 1.4, (250, 240, 220))
            cv.line(19, 20, 21, 20, 1.0, stripe)
            cv.line(23, 20, 25, 20, 1.0, stripe)
    elif kind in ('rock', 'boulder'):
        if kind == 'rock':
            cv.polygon([(5, 26), (8, 14), (16, 9), (25, 13), (28, 26)], lambda x, y: mix(hexc('b4b0a8'), hexc('6e6a64'), (x - 5) / 30 + (y - 9) / 40))
        else:
            cv.ellipse(16, 18, 14, 12, sphere_paint(hexc('8e8a82'), 16, 18, 14, shine=0.2))
            cv.line(10, 12, 14, 20, 1.0, hexc('5e5a54'))
            cv.line(14, 20, 12, 26, 1.0, hexc('5e5a54'))
    elif kind in ('stone_wall', 'brick_wall'):
        cv.fill(hexc('4e4a44') if kind == 'stone_wall' else hexc('6a5a50'))
        for r in range(4):
            off = 0 if r % 2 == 0 else 8
            for b in range(-1, 3):
                x0 = b * 16 + off
                if kind == 'stone_wall':
                    c = mix(hexc('8e8a82'), hexc('b0aca2'), hash01(b, r, 19))
                else:
                    c = mix(hexc('a8442c'), hexc('c85a3a'), hash01(b, r, 29))
                cv.rect(x0 + 1, r * 8 + 1, x0 + 16, r * 8 + 8, c)
                cv.rect(x0 + 1, r * 8 + 1, x0 + 16, r * 8 + 2, mix(c, (255, 255, 255), 0.25))
        return cv
    elif kind == 'crates':
        for (x0, y0) in ((2, 14), (16, 14), (9, 1)):
            cv.rect(x0, y0, x0 + 14, y0 + 14, hexc('c08a4a'))
            cv.rect(x0, y0, x0 + 14, y0 + 2, hexc('8a5a2a'))
            cv.rect(x0, y0 + 12, x0 + 14, y0 + 14, hexc('8a5a2a'))
            cv.line(x0 + 1, y0 + 2, x0 + 13, y0 + 12, 1.4, hexc('8a5a2a'))
    elif kind == 'beehive':
        for i, (w, y) in enumerate(((7, 8), (10, 13), (12, 18), (11, 23), (9, 27))):
            cv.ellipse(16, y, w, 3.4, mix(hexc('f0c040'), hexc('c08a1e'), i / 4))
        cv.ellipse(16, 21, 2.6, 2.2, hexc('3a2410'))
        for x, y in ((5, 8), (26, 12), (24, 4)):
            cv.circle(x, y, 1.6, hexc('ffd21e'))
            cv.set(x, y, (0, 0, 0))
    elif kind == 'stump':
        cv.rect(7, 14, 25, 27, hexc('7a4c26'))
        cv.ellipse(16, 27, 9, 3, hexc('7a4c26'))
        cv.ellipse(16, 14, 9, 4, hexc('d9b070'))
        cv.ellipse(16, 14, 5, 2, hexc('b08a50'))
        cv.rect(10, 16, 11, 26, hexc('5a3818'))
        cv.rect(20, 17, 21, 25, hexc('5a3818'))
    elif kind == 'ruin':
        cv.rect(4, 6, 28, 30, hexc('8a8a70'))
        for r in range(3):
            cv.rect(4, 6 + r * 8, 28, 7 + r * 8, hexc('5e5e4a'))
        cv.rect(12, 14, 20, 30, hexc('2a2a20'))
        cv.polygon([(4, 6), (16, 0), (28, 6)], hexc('6e6e58'))
        cv.line(6, 30, 10, 18, 1.4, hexc('3f8a2e'))
        cv.line(26, 28, 24, 12, 1.4, hexc('3f8a2e'))
    elif kind == 'cactus':
        g = hexc('3f9a4a')
        cv.rrect(12, 4, 20, 31, 4, lambda x, y: mix(mix(g, (200, 255, 200), 0.3), g, (x - 12) / 8))
        cv.rrect(4, 10, 10, 20, 3, g)
        cv.rect(8, 17, 13, 20, g)
        cv.rrect(22, 7, 28, 17, 3, g)
        cv.rect(19, 14, 24, 17, g)
        for y in range(7, 30, 5):
            cv.set(14, y, (240, 240, 200))
            cv.set(18, y + 2, (240, 240, 200))
        cv.circle(16, 4, 2, hexc('ff6a9a'))
    elif kind == 'pumpkins':
        for (x, y, r) in ((10, 21, 8), (23, 23, 6.5), (17, 11, 6)):
            cv.ellipse(x, y, r, r * 0.8, sphere_paint(hexc('f07a14'), x, y, r, shine=0.2))
            cv.line(x, y - r * 0.8, x, y + r * 0.8, 1.0, hexc('b8520a'))
            cv.line(x, y - r * 0.8 - 3, x + 1, y - r * 0.8, 1.8, hexc('4d7a2a'))
    elif kind == 'butterfly':
        for sx in (-1, 1):
            cv.ellipse(16 + sx * 7, 12, 7, 6, hexc('ff8a1e'), angle=sx * 20)
            cv.ellipse(16 + sx * 6, 22, 5, 4.5, hexc('ffb84a'), angle=-sx * 20)
            cv.circle(16 + sx * 9, 11, 2, (255, 255, 255))
            cv.circle(16 + sx * 6, 22, 1.5, (40, 20, 10))
        cv.ellipse(16, 17, 1.8, 8, hexc('2a1a10'))
        cv.line(15, 9, 12, 3, 1.0, hexc('2a1a10'))
        cv.line(17, 9, 20, 3, 1.0, hexc('2a1a10'))
    cv.outline(OUTLINE)
    return cv


DRAW = {
    'water': lambda: water(), 'water_ripple': lambda: water('ripple'), 'water_lily': lambda: water('lily'),
    'bridge_h': lambda: bridge(True), 'bridge_v': lambda: bridge(False), 'swamp': lambda: water('swamp'),
    'pond_reeds': lambda: water('reeds'),
    'apple_tree': lambda: tree('apple'), 'oak_tree': lambda: tree('oak'), 'pine_tree': lambda: tree('pine'),
    'palm_tree': lambda: tree('palm'), 'birch_tree': lambda: tree('birch'), 'jungle_tree': lambda: tree('jungle'),
    'bamboo': lambda: tree('bamboo'), 'autumn_tree': lambda: tree('autumn'),
    'path_dirt': lambda: path('dirt'), 'path_cobble': lambda: path('cobble'), 'path_sand': lambda: path('sand'),
    'path_planks': lambda: path('planks'), 'path_gravel': lambda: path('gravel'), 'path_brick': lambda: path('brick'),
    'path_moss': lambda: path('moss'), 'path_leaves': lambda: path('leaves'),
    'tulips': lambda: flowers('tulips'), 'sunflowers': lambda: flowers('sunflowers'), 'bluebells': lambda: flowers('bluebells'),
    'daisies': lambda: flowers('daisies'), 'lavender': lambda: flowers('lavender'), 'roses': lambda: flowers('roses'),
    'tall_grass': lambda: flowers('tall_grass'), 'ferns': lambda: flowers('ferns'),
}
for _k in ('hay_bale', 'fence_h', 'fence_v', 'berry_bush', 'hut', 'well', 'log_pile', 'scarecrow', 'cow', 'cow_brown',
           'tiger', 'tiger_sleep', 'rock', 'boulder', 'stone_wall', 'brick_wall', 'crates', 'beehive', 'stump', 'ruin',
           'cactus', 'pumpkins', 'butterfly'):
    DRAW[_k] = (lambda k: lambda: solid(k))(_k)


def draw(name):
    if shore.parse(name):
        return bank(name)
    return DRAW[name]()
