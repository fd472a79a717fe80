"""Full pictures: the title, the menu's farmer and fruit basket, help pages,
the end-of-game picture and the level backgrounds."""
import math
import random
from canvas import Canvas, mix, scale, hexc, tnoise, hash01, sphere_paint, font, clamp
import fruits
import farmer
import tiles
import traps

SKY = (10, 163, 220)           # the menu's clear colour: menu pictures sit on it seamlessly
INK = hexc('2a1a0a')


def _on(bg, sprite, x, y, k=1):
    bg.blit(sprite.scaled(k) if k > 1 else sprite, int(x), int(y))


def title():
    cv = Canvas(560, 120, SKY)
    f = font()
    k = 10
    w = (sum(len(f.glyph(c)[0]) for c in 'Grovekeep') + 1.6 * 8) * k
    x0 = (560 - w) / 2

    def paint(x, y):
        t = (y - 12) / 72.0
        c = mix(hexc('fff27a'), hexc('f29a1a'), t)
        return mix(c, hexc('d8501a'), clamp((t - 0.7) * 2))
    f.smooth_text(cv, x0, 12, 'Grovekeep', k, paint, outline=hexc('2f5a1a'), outline_w=3.2,
                  shadow=hexc('06506e'), shadow_off=(5, 6), stroke=0.72)
    # leaves sprouting from the G and a tiny apple on the last p
    for (x, y, a) in ((x0 + 20, 20, -40), (x0 + 34, 14, -10)):
        cv.ellipse(x, y, 11, 5, lambda px, py: mix(hexc('8ad04a'), hexc('2f8a2a'), (py - y + 5) / 10), aa=True, angle=a)
        cv.line(x - 8 * math.cos(math.radians(a)), y - 8 * math.sin(math.radians(a)), x + 8 * math.cos(math.radians(a)), y + 8 * math.sin(math.radians(a)), 1.2, hexc('2f6a1a'), aa=True)
    cv.circle(x0 + w - 20, 18, 9, sphere_paint(hexc('d8201e'), x0 + w - 20, 18, 9), aa=True)
    cv.line(x0 + w - 20, 9, x0 + w - 17, 3, 2.0, hexc('6b4423'), aa=True)
    return cv


def menu_farmer():
    cv = Canvas(280, 330, SKY)
    cv.ellipse(140, 350, 190, 70, hexc('5aa83a'), aa=True)
    cv.ellipse(140, 352, 170, 58, hexc('6fbf4a'), aa=True)
    _on(cv, farmer.portrait(), 12, 24, 4)
    _on(cv, fruits.draw('apple'), 190, 240, 2)
    return cv


def menu_fruits():
    cv = Canvas(240, 150, SKY)
    bask = Canvas(120, 60)
    bask.polygon([(4, 0), (116, 0), (100, 58), (20, 58)], hexc('c89040'))
    for y in range(8, 58, 10):
        bask.rect(8, y, 112, y + 3, hexc('8a5a20'))
    for x in range(16, 110, 14):
        bask.line(x, 0, 60 + (x - 60) * 0.75, 58, 2.0, hexc('8a5a20'))
    pile = [('watermelon', 30, 40), ('pineapple', 150, 20), ('banana', 60, 30), ('grapes', 110, 32), ('orange', 85, 50),
            ('apple', 40, 62), ('pear', 130, 58), ('strawberry', 100, 66), ('cherries', 160, 62), ('lemon', 70, 70)]
    for name, x, y in pile:
        _on(cv, fruits.draw(name), x, y - 10, 2)
    _on(cv, bask, 60, 88)
    cv.polyline([(64, 88), (80, 40), (160, 40), (176, 88)], 5, hexc('8a5a20'), aa=True)
    return cv


# --- help pages ----------------------------------------------------------------
PAPER, PAPER_EDGE, HEAD = hexc('f6ecd0'), hexc('b08a50'), hexc('2f6a1a')
# Page rows from here on belong to the credit ribbon: on the 768-line screen
# the 640-row page starts at row 64 and the credit line sits at rows 662-672.
FOOTER_TOP = 590


def _page(heading):
    cv = Canvas(960, 640, hexc('3a2a18'))
    cv.rect(6, 6, 954, 634, PAPER_EDGE)
    T = 64
    paper = Canvas(T, T)
    for y in range(T):
        for x in range(T):
            paper.set(x, y, mix(PAPER, hexc('eadcb4'), tnoise(x, y, 16, T, 3) * 0.7))
    for ty in range(12, 628, T):
        for tx in range(12, 948, T):
            part = paper if tx + T <= 948 and ty + T <= 628 else None
            if part:
                cv.blit_fast(paper, tx, ty)
            else:
                for y in range(ty, min(628, ty + T)):
                    for x in range(tx, min(948, tx + T)):
                        cv.set(x, y, paper.get(x - tx, y - ty))
    f = font()
    f.draw_centered(cv, 480, 24, heading, HEAD, 4, shadow=hexc('c8b890'))
    # The game writes its credit line across the foot of the page (60 pixels
    # above its bottom band): a ribbon keeps the light text readable.
    cv.rrect(180, FOOTER_TOP, 780, FOOTER_TOP + 26, 10, HEAD)
    return cv


def _entry(cv, x, y, sprite, title, text, width=400):
    f = font()
    cv.blit(sprite, x, y)
    f.draw(cv, x + 44, y, title, hexc('8a2a10'), 2)
    tw = f.width(title + '  ', 2)
    lines = f.wrap(text, width - tw, 2)
    f.draw(cv, x + 44 + tw, y, lines[0], INK, 2)
    for i, line in enumerate(f.wrap(' '.join(lines[1:]), width, 2) if len(lines) > 1 else []):
        f.draw(cv, x + 44, y + 18 * (i + 1), line, INK, 2)


def help1(texts):
    cv = _page('How to play Grovekeep')
    f = font()
    y = 84
    for line in f.wrap(texts['goal'], 900, 2):
        f.draw(cv, 40, y, line, INK, 2)
        y += 20
    y += 10
    f.draw(cv, 40, y, 'Controls', HEAD, 3)
    y += 30
    keys = [('Arrow keys or W A S D', 'steer the farmer'), ('P', 'pause and continue'),
            ('Esc or F1', 'back to the menu'), ('F11 / F12', 'five fruits less / more to carry')]
    for key, what in keys:
        f.draw(cv, 60, y, key, hexc('8a2a10'), 2)
        f.draw(cv, 380, y, what, INK, 2)
        y += 22
    y += 12
    f.draw(cv, 40, y, 'The side panel', HEAD, 3)
    y += 34
    icons = [('heart', 'Lives'), ('target', 'Fruits to carry'), ('basket', 'Fruits carried'), ('antidote', 'Antidotes'), ('coin', 'Gold')]
    x = 40
    for name, label in icons:
        cv.blit(fruits.icon(name), x, y)
        f.draw(cv, x + 38, y + 9, label, INK, 2)
        x += 60 + f.width(label, 2)
    y += 50
    f.draw(cv, 40, y, 'Fruits: every one you carry is worth 10 gold', HEAD, 3)
    y += 34
    for i, name in enumerate(fruits.FRUITS):
        cv.blit(fruits.draw(name), 40 + (i % 20) * 44, y + (i // 20) * 40)
    return cv


def help2(texts):
    cv = _page('Traps, bonuses and scenery')
    f = font()
    fr = traps.frames()
    y0 = 74
    names = [n for n in texts['traps']]
    for i, name in enumerate(names):
        col, row = i % 2, i // 2
        pic = fr[name][min(len(fr[name]) - 1, 3 if name != 'EXPLOSION' else 5)]
        if name == 'LIGHTENING':
            pic = fr[name][1]
        title_, text = texts['traps'][name]
        _entry(cv, 28 + col * 462, y0 + row * 35, pic, title_, text, 410)
    y = y0 + 9 * 35 + 4
    f.draw(cv, 40, y, 'Scenery', HEAD, 3)
    y += 28
    for i, (tile, title_, text) in enumerate(texts['scenery']):
        col, row = i % 2, i // 2
        _entry(cv, 28 + col * 462, y + row * 32, tiles.draw(tile), title_, text, 410)
    return cv


# --- end of the game ----------------------------------------------------------------
def finale():
    w, h = 800, 560
    cv = Canvas(w, h, hexc('ffe0a0'))
    cv.vgradient(0, 0, w, 330, hexc('ff9a50'), hexc('ffe0a0'))
    cv.circle(600, 300, 70, hexc('fff4c0'), aa=True)
    for i, (c, base, amp) in enumerate(((hexc('7ab84a'), 330, 30), (hexc('5aa03a'), 380, 24), (hexc('3f8a2e'), 440, 18))):
        for x in range(w):
            top = int(base + amp * math.sin(x / (90 + i * 40) + i * 2))
            cv.rect(x, top, x + 1, h, c)
    for (x, y, name, k) in ((60, 210, 'apple_tree', 4), (180, 250, 'oak_tree', 3), (560, 240, 'apple_tree', 3), (680, 190, 'apple_tree', 4),
                            (40, 420, 'sunflowers', 2), (700, 430, 'tulips', 2), (300, 440, 'daisies', 2), (480, 450, 'roses', 2)):
        _on(cv, tiles.draw(name), x, y, k)
    _on(cv, tiles.draw('hut'), 420, 215, 3)
    _on(cv, farmer.portrait(), 262, 205, 3)
    for i, name in enumerate(('apple', 'pear', 'cherries', 'grapes', 'orange', 'strawberry', 'banana')):
        _on(cv, fruits.draw(name), 150 + i * 74, 470, 2)
    f = font()
    f.smooth_text(cv, (w - (f.width('Well done!', 1) + 10) * 9) / 2, 30, 'Well done!', 9,
                  lambda x, y: mix(hexc('fff27a'), hexc('f29a1a'), (y - 30) / 70), outline=hexc('7a2a10'), outline_w=3,
                  shadow=hexc('a04a20'), stroke=0.7)
    f.draw_centered(cv, w / 2, 130, 'Every garden of Grovekeep is yours!', hexc('5a2a0a'), 3, shadow=hexc('ffe8b0'))
    return cv


# --- level backgrounds (the play field is 864 x 736) -------------------------------------
# Each ground: two colours blended by noise, a colour for short grass blades, a
# rare speck, and for most of the later levels a pattern laid over it (its
# name and colour), so that no two levels' grounds look alike.
BACKGROUNDS = {
    'grass': (hexc('5aa83a'), hexc('7cc24e'), hexc('4a9030'), hexc('9ad060')),
    'meadow': (hexc('6cb844'), hexc('8ed25a'), hexc('58a034'), hexc('f4f0a0')),
    'forest': (hexc('3a7a2c'), hexc('4f9038'), hexc('2a5e20'), hexc('8a6a3a')),
    'jungle': (hexc('2a6a2a'), hexc('3f8a36'), hexc('1e5020'), hexc('5aa040')),
    'hills': (hexc('7a9a4a'), hexc('9ab460'), hexc('6a8040'), hexc('a8a490')),
    'village': (hexc('6a9a46'), hexc('86b25a'), hexc('5a8a3a'), hexc('b0a888')),
    'swamp': (hexc('4a6030'), hexc('60783c'), hexc('3a4c26'), hexc('7a8a4a')),
    'autumn': (hexc('8a9a3a'), hexc('b0a648'), hexc('7a7a30'), hexc('d07a2a')),
    'sand': (hexc('e0c48a'), hexc('eed6a0'), hexc('caa870'), hexc('b89a60')),
    'witch': (hexc('3a4a3a'), hexc('4e5e44'), hexc('2a362a'), hexc('7a5a8a')),
    'sunflower': (hexc('8aa83c'), hexc('a8c04e'), hexc('6e8c2e'), hexc('fff0a0'), ('petals', hexc('f4c828'))),
    'blossom': (hexc('64b050'), hexc('84c86a'), hexc('4c943c'), hexc('ffffff'), ('petals', hexc('f8b4d0'))),
    'riverside': (hexc('3e9460'), hexc('58ac74'), hexc('2e7a4c'), hexc('d0e8f0'), ('clover', hexc('86d08a'))),
    'pasture': (hexc('6e9c5e'), hexc('86b272'), hexc('58844a'), hexc('f0f0e0'), ('tufts', hexc('f4f4ec'))),
    'beach': (hexc('f0dcaa'), hexc('faecd2'), hexc('e2c894'), hexc('ffffff'), ('ripples', hexc('d4b680'))),
    'vineyard': (hexc('a4845a'), hexc('b89a70'), hexc('86903c'), hexc('6a4a2a'), ('rows', hexc('7e5c36'))),
    'bamboo': (hexc('94ae6a'), hexc('aac482'), hexc('76904e'), hexc('e0dc98'), ('leaves', hexc('d4cc78'))),
    'heather': (hexc('7e6e58'), hexc('968268'), hexc('5e6a3a'), hexc('c8b8a8'), ('tufts', hexc('a45aa8'))),
    'isle': (hexc('6cc040'), hexc('90d858'), hexc('4ea232'), hexc('fff4c8'), ('patches', hexc('ecd8a0'))),
    'quarry': (hexc('6a6864'), hexc('7e7b74'), hexc('585650'), hexc('b0aaa0'), ('pebbles', hexc('a29c92'))),
    'lawn': (hexc('4a9838'), hexc('5cac46'), hexc('3c8030'), hexc('eef4e8'), ('stripes', hexc('78c45c'))),
    'harbour': (hexc('74866a'), hexc('8a9c7c'), hexc('5e7056'), hexc('c0bcb0'), ('pebbles', hexc('a8a69a'))),
    'maple': (hexc('7c6c3e'), hexc('96844c'), hexc('62562e'), hexc('f0b040'), ('leaves', hexc('dc5c24'))),
    'lakeland': (hexc('3a7862'), hexc('4e8e74'), hexc('2c604e'), hexc('a8d8c8'), ('moss', hexc('76a84e'))),
    'temple': (hexc('2c5628'), hexc('3c6a30'), hexc('1e421e'), hexc('8e8e70'), ('moss', hexc('6a8a3e'))),
    'snow': (hexc('dce6f0'), hexc('f2f6fb'), hexc('c8d6e2'), hexc('ffffff'), ('snow', hexc('a4b8cc'))),
    'night': (hexc('1c2e3e'), hexc('28404e'), hexc('14222c'), hexc('5a7a9a'), ('fireflies', hexc('e8f070'))),
    'bog': (hexc('4c4030'), hexc('5c4e3a'), hexc('383a24'), hexc('7a6a8a'), ('moss', hexc('4e6a2e'))),
}

TILE = 96   # the ground repeats every three cells; every pattern wraps at the tile's edges


def _dot(tile, x, y, c, a=1.0):
    tile.blend(x % TILE, y % TILE, c, a)


def _petals(tile, rnd, col):
    """Fallen petals: little two-tone flakes."""
    dark = scale(col, 0.8)
    for _ in range(70):
        x, y = rnd.randrange(TILE), rnd.randrange(TILE)
        _dot(tile, x, y, col)
        _dot(tile, x + 1, y, col)
        _dot(tile, x, y + 1, dark)


def _clover(tile, rnd, col):
    """Clover leaves: three round lobes round a dark heart."""
    for _ in range(26):
        x, y = rnd.randrange(TILE), rnd.randrange(TILE)
        for dx, dy in ((0, -2), (-2, 1), (2, 1)):
            for ox, oy in ((0, 0), (1, 0), (0, 1), (1, 1)):
                _dot(tile, x + dx + ox, y + dy + oy, col, 0.85)
        _dot(tile, x + 1, y + 1, scale(col, 0.6))


def _tufts(tile, rnd, col):
    """Tiny flowers in clusters (heather sprigs, daisies)."""
    for _ in range(48):
        x, y = rnd.randrange(TILE), rnd.randrange(TILE)
        for _ in range(rnd.randrange(3, 7)):
            _dot(tile, x + rnd.randrange(-2, 3), y + rnd.randrange(-2, 3), mix(col, (255, 255, 255), rnd.random() * 0.3))


def _leaves(tile, rnd, col):
    """Fallen leaves: short slanted strokes in shades of the colour."""
    for _ in range(36):
        x, y = rnd.randrange(TILE), rnd.randrange(TILE)
        c = mix(col, scale(col, 0.7) if rnd.random() < 0.5 else mix(col, (255, 230, 120), 0.5), rnd.random())
        a = rnd.random() * math.pi
        dx, dy = math.cos(a), math.sin(a)
        for k in range(-2, 3):
            _dot(tile, int(round(x + k * dx)), int(round(y + k * dy)), c)
            if abs(k) < 2:
                _dot(tile, int(round(x + k * dx - dy)), int(round(y + k * dy + dx)), c, 0.7)


def _pebbles(tile, rnd, col):
    """Pebbles: small stones, lit from the top left."""
    for _ in range(40):
        x, y = rnd.randrange(TILE), rnd.randrange(TILE)
        rx, ry = rnd.uniform(1.2, 3.0), rnd.uniform(1.0, 2.2)
        c = mix(col, (255, 255, 255), rnd.random() * 0.35)
        for py in range(-3, 4):
            for px in range(-3, 4):
                d = (px / rx) ** 2 + (py / ry) ** 2
                if d <= 1.0:
                    shade = 1.15 if px + py < -1 else 0.8 if px + py > 1 else 1.0
                    _dot(tile, x + px, y + py, scale(c, shade))


def _field_pattern(tile, fn):
    for y in range(TILE):
        for x in range(TILE):
            c = fn(x, y, tile.get(x, y))
            if c:
                tile.set(x, y, c)


def _ripples(tile, col):
    """Sand ripples left by the wind: wavy crests, each with a lit side."""
    def fn(x, y, c):
        w = math.sin(2 * math.pi * (y + 7 * tnoise(x, y, 32, TILE, 9)) * 8 / TILE)
        if w > 0.8:
            return mix(c, col, (w - 0.8) * 3)
        if w < -0.85:
            return mix(c, (255, 250, 236), (-w - 0.85) * 3)
        return None
    _field_pattern(tile, fn)


def _rows(tile, col):
    """Ploughed rows of bare earth."""
    def fn(x, y, c):
        r = (y + int(2 * tnoise(x, y, 16, TILE, 4))) % 16
        return mix(c, col, 0.55) if r < 2 else mix(c, (220, 200, 160), 0.15) if r == 3 else None
    _field_pattern(tile, fn)


def _stripes(tile, col):
    """A mown lawn: broad light and dark bands."""
    def fn(x, y, c):
        t = 0.5 + 0.5 * math.cos(2 * math.pi * x / TILE)
        return mix(c, col, 0.4 * clamp((t - 0.3) * 3))
    _field_pattern(tile, fn)


def _moss(tile, col):
    """Soft cushions of moss."""
    def fn(x, y, c):
        n = tnoise(x, y, 24, TILE, 13) * 0.8 + tnoise(x, y, 12, TILE, 14) * 0.2
        return mix(c, col, (n - 0.5) * 2) if n > 0.5 else None
    _field_pattern(tile, fn)


def _patches(tile, col):
    """Bare patches where the ground shows through the grass."""
    def fn(x, y, c):
        n = tnoise(x, y, 32, TILE, 21) * 0.8 + tnoise(x, y, 16, TILE, 22) * 0.2
        return mix(c, col, (n - 0.55) * 2) if n > 0.55 else None
    _field_pattern(tile, fn)


def _snow(tile, rnd, col):
    """Snow drifts with blue shadows and a few sparkles."""
    def fn(x, y, c):
        n = tnoise(x, y, 16, TILE, 17) * 0.6 + tnoise(x, y, 48, TILE, 18) * 0.4
        return mix(c, col, (0.45 - n) * 1.2) if n < 0.45 else None
    _field_pattern(tile, fn)
    for _ in range(30):
        _dot(tile, rnd.randrange(TILE), rnd.randrange(TILE), (255, 255, 255))


def _fireflies(tile, rnd, col):
    """Fireflies over dark grass: a bright point in a faint glow."""
    for _ in range(8):
        x, y = rnd.randrange(TILE), rnd.randrange(TILE)
        for py in range(-3, 4):
            for px in range(-3, 4):
                d = math.hypot(px, py)
                if d <= 3.2:
                    _dot(tile, x + px, y + py, col, 0.9 if d < 0.5 else 0.3 * (1 - d / 3.2))


PATTERNS = {'petals': _petals, 'clover': _clover, 'tufts': _tufts, 'leaves': _leaves, 'pebbles': _pebbles,
            'snow': _snow, 'fireflies': _fireflies}
FIELD_PATTERNS = {'ripples': _ripples, 'rows': _rows, 'stripes': _stripes, 'moss': _moss, 'patches': _patches}


def background(name, w=864, h=736):
    c0, c1, blade, speck, *pattern = BACKGROUNDS[name]
    T = TILE
    tile = Canvas(T, T)
    for y in range(T):
        for x in range(T):
            n = 0.65 * tnoise(x, y, 24, T, 1) + 0.35 * tnoise(x, y, 8, T, 2)
            c = mix(c0, c1, n)
            hv = hash01(x, y, 7)
            if hv < 0.06:
                c = mix(c, blade, 0.7)
            elif hv > 0.995:
                c = speck
            tile.set(x, y, c)
    if pattern:
        kind, colour = pattern[0]
        if kind in FIELD_PATTERNS:
            FIELD_PATTERNS[kind](tile, colour)
    rnd = random.Random(5)
    for i in range(40):
        x, y = rnd.randrange(T), rnd.randrange(T)
        for k in range(3):
            tile.set((x + k - 1) % T, (y - abs(k - 1) - 1) % T, mix(blade, c1, 0.2))
    if pattern and pattern[0][0] in PATTERNS:
        # seeded by the name, so every ground scatters its own way
        PATTERNS[pattern[0][0]](tile, random.Random(name), pattern[0][1])
    cv = Canvas(w, h)
    for ty in range(0, h, T):
        for tx in range(0, w, T):
            cv.blit_fast(tile, tx, ty)
    return cv
