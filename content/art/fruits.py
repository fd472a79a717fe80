"""The forty fruits and the side panel's icons, 32 x 32 each on the colour key."""
import math
import random
from canvas import Canvas, mix, scale, hexc, sphere_paint, MAGENTA

OUT = (40, 24, 16)
LEAF = hexc('3f9a2e')
STEM = hexc('6b4423')


def _cv():
    return Canvas(32, 32)


def _ball(cv, x, y, r, col, ry=None, shine=0.6):
    if ry is None:
        cv.circle(x, y, r, sphere_paint(col, x, y, r, shine=shine))
    else:
        cv.ellipse(x, y, r, ry, sphere_paint(col, x, y, max(r, ry), shine=shine))


def _leaf(cv, x, y, ang=-30, size=5, col=LEAF):
    cv.ellipse(x, y, size, size * 0.45, col, angle=ang)
    r = math.radians(ang)
    cv.line(x - size * 0.8 * math.cos(r), y - size * 0.8 * math.sin(r), x + size * 0.6 * math.cos(r), y + size * 0.6 * math.sin(r), 0.8, scale(col, 0.7))


def _stem(cv, x0, y0, x1, y1, w=2.0):
    cv.line(x0, y0, x1, y1, w, STEM)


def apple(col, leaf=True):
    cv = _cv()
    _ball(cv, 12, 18, 10, col)
    _ball(cv, 20, 18, 10, col)
    cv.ellipse(16, 18, 12, 10.5, sphere_paint(col, 16, 18, 12))
    cv.ellipse(16, 9, 3, 1.5, scale(col, 0.55))
    _stem(cv, 16, 9, 18, 3)
    if leaf:
        _leaf(cv, 22, 5, -20)
    return cv


def pear(col):
    cv = _cv()
    cv.circle(16, 21, 9.5, sphere_paint(col, 16, 21, 9.5))
    cv.circle(16, 11, 5.5, sphere_paint(col, 16, 11, 7))
    cv.polygon([(11, 12), (21, 12), (25, 19), (7, 19)], sphere_paint(col, 16, 17, 11))
    _stem(cv, 16, 6, 17, 1)
    _leaf(cv, 21, 4, -25, 4)
    return cv


def citrus(col, rx=11, ry=11, pointy=False, dots=True):
    cv = _cv()
    _ball(cv, 16, 17, rx, col, ry, shine=0.4)
    if pointy:
        cv.circle(16 + rx, 17, 2.5, scale(col, 0.9))
        cv.circle(16 - rx, 17, 2.5, scale(col, 0.9))
    if dots:
        rnd = random.Random(rx * 7 + ry)
        for i in range(14):
            a, d = rnd.random() * 6.28, rnd.random() * (min(rx, ry) - 2)
            cv.set(int(16 + d * math.cos(a)), int(17 + d * math.sin(a)), scale(col, 0.85))
    _leaf(cv, 20, 6, -25, 5)
    cv.circle(16, 7, 1.5, STEM)
    return cv


def banana():
    cv = _cv()
    y0 = hexc('ffe135')
    for i in range(3):
        pts = [(5 + t * 0.8, 8 + i * 3 + 14 * math.sin(t / 30 * math.pi) * 0.9) for t in range(0, 31, 3)]
        cv.polyline(pts, 6.5, lambda x, y, i=i: mix(y0, hexc('d9a800'), (i / 3.0) + 0.1 * ((y - 8) / 20)))
    cv.rect(3, 6, 7, 11, hexc('6b5a24'))
    cv.set(30, 8, (60, 40, 20))
    return cv


def cherries(col=hexc('c8102e'), twin=True):
    cv = _cv()
    cv.line(16, 3, 9, 19, 1.4, hexc('4d7a2a'))
    cv.line(16, 3, 22, 21, 1.4, hexc('4d7a2a'))
    _leaf(cv, 21, 4, -15, 5)
    _ball(cv, 9, 22, 6.5, col)
    _ball(cv, 22, 23, 6.5, col)
    return cv


def strawberry():
    cv = _cv()
    red = hexc('e02030')
    cv.polygon([(5, 11), (27, 11), (24, 20), (16, 30), (8, 20)], sphere_paint(red, 15, 15, 15, shine=0.3))
    cv.circle(10, 13, 5, sphere_paint(red, 13, 15, 12, shine=0.3))
    cv.circle(22, 13, 5, sphere_paint(red, 13, 15, 12, shine=0.3))
    for (x, y) in ((10, 15), (16, 14), (22, 15), (13, 20), (19, 20), (16, 25), (9, 11), (23, 11)):
        cv.set(x, y, hexc('ffe680'))
    for a in (-150, -110, -70, -30):
        r = math.radians(a)
        cv.ellipse(16 + 5 * math.cos(r), 9 + 3 * math.sin(r), 4, 1.6, LEAF, angle=a)
    _stem(cv, 16, 8, 16, 3, 1.6)
    return cv


def grapes(col, light):
    cv = _cv()
    _stem(cv, 16, 7, 17, 2, 1.8)
    _leaf(cv, 22, 5, -10, 5)
    for (x, y) in ((10, 10), (16, 9), (22, 10), (8, 15), (14, 15), (20, 15), (25, 15), (11, 20), (17, 20), (22, 20), (14, 25), (19, 25), (16, 29)):
        cv.circle(x, y, 3.6, sphere_paint(col, x, y, 3.6, shine=0.7, dark=scale(col, 0.5)))
    return cv


def watermelon():
    cv = _cv()
    # a slice: rind arc, pink flesh, seeds
    cv.polygon([(3, 9), (29, 9), (16, 29)], hexc('2f8a2a'))
    cv.polygon([(5, 9), (27, 9), (16, 26)], hexc('f0f0c0'))
    cv.polygon([(6, 9), (26, 9), (16, 24)], hexc('f0405a'))
    for (x, y) in ((11, 12), (16, 13), (21, 12), (14, 17), (18, 17), (16, 21)):
        cv.ellipse(x, y, 1, 1.5, (30, 20, 20))
    cv.rect(3, 7, 29, 9, hexc('f86a7a'))
    return cv


def pineapple():
    cv = _cv()
    body = hexc('e8a020')
    shade = sphere_paint(body, 16, 21, 10, shine=0.2)

    def skin(x, y):
        # criss-cross scales: a diamond pattern on the shaded body
        u, v = (x + y) % 6, (x - y) % 6
        return hexc('9a5a10') if u < 1 or v < 1 else shade(x, y)
    cv.ellipse(16, 21, 8, 10, skin)
    for a in (-130, -105, -90, -75, -50):
        r = math.radians(a)
        cv.line(16, 12, 16 + 10 * math.cos(r), 12 + 10 * math.sin(r), 2.4, hexc('3f8a2e'))
    return cv


def peach(col, blush):
    cv = _cv()
    cv.circle(16, 18, 11, sphere_paint(col, 16, 18, 11, shine=0.3))
    cv.circle(11, 16, 6, blush, alpha=0.5)
    cv.line(16, 8, 13, 27, 1.0, scale(col, 0.75))
    _leaf(cv, 21, 6, -30, 5)
    return cv


def plum(col):
    cv = _cv()
    _ball(cv, 16, 18, 10, col, 11.5)
    cv.line(16, 7, 14, 28, 1.0, scale(col, 0.7))
    _stem(cv, 16, 7, 17, 3, 1.5)
    return cv


def mango():
    cv = _cv()
    cv.ellipse(16, 18, 12, 9, lambda x, y: mix(hexc('f8c020'), hexc('e04a1e'), (x - 4) / 24 + (y - 14) / 30), angle=-30)
    cv.ellipse(12, 14, 4, 2, (255, 240, 180), angle=-30, alpha=0.6)
    _leaf(cv, 24, 8, -50, 6)
    return cv


def kiwi():
    cv = _cv()
    cv.circle(16, 16, 12, hexc('7a5a30'))
    cv.circle(16, 16, 10.5, hexc('8cc43a'))
    cv.circle(16, 16, 4, hexc('f0f0d0'))
    for i in range(12):
        a = math.radians(i * 30)
        cv.ellipse(16 + 6.5 * math.cos(a), 16 + 6.5 * math.sin(a), 1.4, 0.7, (20, 20, 10), angle=i * 30)
    return cv


def coconut():
    cv = _cv()
    cv.circle(16, 17, 12, sphere_paint(hexc('7a4a24'), 16, 17, 12, shine=0.2))
    rnd = random.Random(3)
    for i in range(30):
        x, y = rnd.randrange(6, 27), rnd.randrange(7, 28)
        if (x - 16) ** 2 + (y - 17) ** 2 < 120:
            cv.set(x, y, hexc('4a2a10'))
    for (x, y) in ((12, 11), (18, 10), (15, 15)):
        cv.circle(x, y, 1.6, hexc('2a1808'))
    return cv


def pomegranate():
    cv = _cv()
    cv.circle(16, 18, 11, sphere_paint(hexc('b0182a'), 16, 18, 11, shine=0.4))
    cv.polygon([(12, 8), (14, 2), (16, 6), (18, 2), (20, 8)], hexc('8a1020'))
    return cv


def berries(col, light, n=7, seeds=False, bumpy=False):
    cv = _cv()
    pos = [(10, 13), (20, 12), (15, 20), (24, 21), (8, 23), (16, 28), (22, 28)][:n]
    for (x, y) in pos:
        if bumpy:
            for dx, dy in ((-2, -2), (2, -2), (-2, 2), (2, 2), (0, 0), (0, -3), (0, 3), (-3, 0), (3, 0)):
                cv.circle(x + dx, y + dy, 2.1, sphere_paint(col, x + dx, y + dy, 2.1, shine=0.8))
        else:
            cv.circle(x, y, 4.6, sphere_paint(col, x, y, 4.6, shine=0.6))
            if seeds:
                cv.set(x, y - 3, light)
                cv.set(x - 1, y - 4, light)
                cv.set(x + 1, y - 4, light)
    if n < 4:
        _leaf(cv, 23, 6, -30, 6)
    return cv


def fig():
    cv = _cv()
    col = hexc('6a2a5a')
    cv.circle(16, 20, 10, sphere_paint(col, 16, 20, 10, shine=0.3))
    cv.polygon([(12, 13), (20, 13), (17, 5), (15, 5)], sphere_paint(col, 16, 16, 10, shine=0.3))
    _stem(cv, 16, 5, 17, 2, 1.6)
    for x in (11, 16, 21):
        cv.line(x, 13, x, 28, 1.0, scale(col, 0.8))
    return cv


def papaya():
    cv = _cv()
    cv.ellipse(16, 16, 8, 13, hexc('f08a2a'), angle=35)
    cv.ellipse(16, 16, 6, 11, hexc('ff9a4a'), angle=35)
    cv.ellipse(16, 16, 2.5, 6, (30, 20, 20), angle=35)
    for i in range(6):
        cv.circle(16 + (i - 2.5) * 1.2, 16 + (2.5 - i) * 1.7, 1.2, (15, 10, 10))
    return cv


def dragon_fruit():
    cv = _cv()
    pink = hexc('e8307a')
    cv.ellipse(16, 17, 10, 12, sphere_paint(pink, 16, 17, 12, shine=0.3))
    for (x, y, a) in ((8, 10, -60), (24, 10, 60), (6, 20, -90), (26, 20, 90), (11, 27, -140), (21, 27, 140), (16, 6, 0)):
        cv.ellipse(x, y, 2, 4.5, hexc('8ad04a'), angle=a)
    return cv


def star_fruit():
    cv = _cv()
    pts = []
    for i in range(10):
        r = 13 if i % 2 == 0 else 6
        a = math.radians(i * 36 - 90)
        pts.append((16 + r * math.cos(a), 16 + r * math.sin(a)))
    cv.polygon(pts, lambda x, y: mix(hexc('fff06a'), hexc('d8c010'), (x + y - 10) / 40))
    cv.circle(16, 16, 2, hexc('a89a20'))
    return cv


def passion_fruit():
    cv = _cv()
    cv.circle(16, 17, 11, sphere_paint(hexc('5a1a4a'), 16, 17, 11, shine=0.5))
    for (x, y) in ((10, 12), (20, 13), (13, 20), (22, 21), (17, 25)):
        cv.set(x, y, hexc('c080b0'))
    _stem(cv, 16, 6, 18, 2, 1.6)
    return cv


def lychee():
    cv = _cv()
    for (x, y) in ((11, 13), (21, 14), (16, 23)):
        cv.circle(x, y, 7, sphere_paint(hexc('d83a4a'), x, y, 7, shine=0.3))
        for i in range(10):
            a = math.radians(i * 36)
            cv.set(int(x + 4 * math.cos(a)), int(y + 4 * math.sin(a)), hexc('8a1a2a'))
    cv.circle(21, 24, 5, (250, 250, 240))
    return cv


def avocado():
    cv = _cv()
    cv.ellipse(16, 17, 10, 13, hexc('3a5a1a'))
    cv.ellipse(16, 18, 8.5, 11, hexc('d8e88a'))
    cv.ellipse(16, 18, 6, 8, hexc('b8d86a'))
    cv.circle(16, 21, 5, sphere_paint(hexc('8a5a2a'), 16, 21, 5))
    return cv


def cantaloupe():
    cv = _cv()
    shade = sphere_paint(hexc('d8b87a'), 16, 17, 12, shine=0.2)

    def net(x, y):
        u, v = (x + 2 * y) % 7, (x - 2 * y) % 7
        return hexc('f0e0b0') if u < 1 or v < 1 else shade(x, y)
    cv.circle(16, 17, 12, net)
    cv.polygon([(16, 17), (30, 10), (30, 24)], hexc('f0a050'))
    cv.polygon([(16, 17), (30, 10), (30, 12), (18, 17)], hexc('8aa05a'))
    return cv


def grapefruit():
    cv = _cv()
    cv.circle(16, 16, 13, hexc('f0b040'))
    cv.circle(16, 16, 11.5, hexc('fff0d0'))
    cv.circle(16, 16, 10.5, hexc('f86a5a'))
    for i in range(10):
        a = math.radians(i * 36)
        cv.line(16, 16, 16 + 10.5 * math.cos(a), 16 + 10.5 * math.sin(a), 1.0, hexc('ffc0b0'))
    cv.circle(16, 16, 1.5, (255, 240, 220))
    return cv


def persimmon():
    cv = _cv()
    cv.ellipse(16, 19, 12, 9.5, sphere_paint(hexc('f06a10'), 16, 19, 12, shine=0.5))
    for a in (0, 90, 180, 270):
        r = math.radians(a + 45)
        cv.ellipse(16 + 3.5 * math.cos(r), 10 + 2 * math.sin(r), 4, 2, hexc('4d7a2a'), angle=a + 45)
    cv.circle(16, 10, 1.6, STEM)
    return cv


def quince():
    cv = _cv()
    col = hexc('e8d040')
    cv.circle(16, 19, 10, sphere_paint(col, 16, 19, 10, shine=0.3))
    cv.circle(12, 12, 6, sphere_paint(col, 16, 19, 12, shine=0.3))
    cv.circle(20, 12, 6, sphere_paint(col, 16, 19, 12, shine=0.3))
    cv.circle(16, 27, 2, hexc('7a5a20'))
    _leaf(cv, 20, 5, -30, 6, hexc('6a8a2a'))
    _stem(cv, 16, 8, 16, 4, 1.6)
    return cv


def tomato():
    cv = _cv()
    cv.ellipse(16, 18, 12, 10, sphere_paint(hexc('e8281e'), 16, 18, 12, shine=0.7))
    for a in range(0, 360, 60):
        r = math.radians(a)
        cv.line(16, 9, 16 + 6 * math.cos(r), 9 + 3 * math.sin(r), 2.0, hexc('2f8a2a'))
    _stem(cv, 16, 9, 16, 5, 1.6)
    return cv


def pumpkin():
    cv = _cv()
    o = hexc('f07a14')
    for dx, r in ((-6, 7), (6, 7), (0, 8)):
        cv.ellipse(16 + dx, 19, r, 10, sphere_paint(o, 16 + dx, 19, 10, shine=0.3))
    cv.line(10, 10, 10, 28, 1.0, hexc('b8520a'))
    cv.line(22, 10, 22, 28, 1.0, hexc('b8520a'))
    cv.line(16, 9, 18, 3, 3, hexc('4d7a2a'))
    return cv


def rambutan():
    cv = _cv()
    cv.circle(16, 17, 9, sphere_paint(hexc('d8202a'), 16, 17, 9, shine=0.3))
    for i in range(20):
        a = math.radians(i * 18)
        cv.line(16 + 8 * math.cos(a), 17 + 8 * math.sin(a), 16 + 13 * math.cos(a + 0.25), 17 + 13 * math.sin(a + 0.25), 1.2,
                hexc('6aa030') if i % 3 == 0 else hexc('e8403a'))
    return cv


def gooseberry():
    cv = _cv()
    g = hexc('a8d05a')
    for (x, y) in ((11, 14), (21, 19)):
        cv.ellipse(x, y, 8, 9, sphere_paint(g, x, y, 9, shine=0.6))
        for k in (-4, 0, 4):
            cv.line(x + k, y - 8, x + k * 0.8, y + 8, 0.8, scale(g, 0.75))
        cv.line(x, y - 9, x + 1, y - 12, 1.2, STEM)
    return cv


FRUITS = {
    'apple': lambda: apple(hexc('d8201e')), 'green_apple': lambda: apple(hexc('7cc23a')),
    'pear': lambda: pear(hexc('c8d040')), 'orange': lambda: citrus(hexc('ff8c10')),
    'lemon': lambda: citrus(hexc('ffe030'), 12, 9, pointy=True), 'lime': lambda: citrus(hexc('5cbf2a'), 10, 9),
    'banana': banana, 'cherries': cherries, 'strawberry': strawberry,
    'grapes': lambda: grapes(hexc('6a2a8a'), None), 'green_grapes': lambda: grapes(hexc('a8d85a'), None),
    'watermelon': watermelon, 'pineapple': pineapple, 'peach': lambda: peach(hexc('ffb070'), hexc('ff5a4a')),
    'plum': lambda: plum(hexc('6a3a9a')), 'apricot': lambda: peach(hexc('ffa030'), hexc('ff7a2a')),
    'mango': mango, 'kiwi': kiwi, 'coconut': coconut, 'pomegranate': pomegranate,
    'blueberries': lambda: berries(hexc('3a4ab0'), hexc('a0b0ff'), 7, seeds=True),
    'raspberry': lambda: berries(hexc('e0306a'), None, 2, bumpy=True),
    'blackberry': lambda: berries(hexc('3a1a4a'), None, 2, bumpy=True), 'fig': fig, 'papaya': papaya,
    'dragon_fruit': dragon_fruit, 'star_fruit': star_fruit, 'passion_fruit': passion_fruit, 'lychee': lychee,
    'avocado': avocado, 'cantaloupe': cantaloupe, 'grapefruit': grapefruit, 'persimmon': persimmon, 'quince': quince,
    'cranberries': lambda: berries(hexc('b0102a'), hexc('ff8080'), 6, seeds=False),
    'red_currants': lambda: cherries(hexc('f02a2a')), 'tomato': tomato, 'pumpkin': pumpkin, 'rambutan': rambutan,
    'gooseberry': gooseberry,
}


def draw(name):
    cv = FRUITS[name]()
    cv.outline(OUT)
    return cv


# --- side panel icons (live in the fruit sheet, below the fruits) ------------------------------
def icon(name):
    cv = _cv()
    if name == 'heart':
        red = hexc('e8203a')
        cv.circle(11, 12, 7, sphere_paint(red, 13, 13, 13))
        cv.circle(21, 12, 7, sphere_paint(red, 13, 13, 13))
        cv.polygon([(4.5, 14), (27.5, 14), (16, 28)], sphere_paint(red, 13, 13, 13))
    elif name == 'target':
        for r, c in ((13, (230, 40, 40)), (10, (255, 255, 255)), (7, (230, 40, 40)), (4, (255, 255, 255)), (2, (230, 40, 40))):
            cv.circle(16, 16, r, c)
    elif name == 'basket':
        cv.circle(10, 12, 5, sphere_paint(hexc('d8201e'), 10, 12, 5))
        cv.circle(18, 10, 5, sphere_paint(hexc('ff8c10'), 18, 10, 5))
        cv.circle(23, 14, 4.5, sphere_paint(hexc('7cc23a'), 23, 14, 4.5))
        cv.polygon([(3, 15), (29, 15), (25, 29), (7, 29)], hexc('b8843a'))
        for y in (18, 22, 26):
            cv.rect(5, y, 28, y + 1, hexc('7a5220'))
        for x in (10, 16, 22):
            cv.line(x, 15, x - (x - 16) * 0.2, 29, 1.0, hexc('7a5220'))
    elif name == 'antidote':
        antidote_bottle(cv, 0)
    elif name == 'coin':
        coin(cv, 0)
    cv.outline(OUT)
    return cv


def antidote_bottle(cv, glint):
    cv.rect(13, 3, 19, 8, hexc('a87a4a'))
    cv.rect(14, 8, 18, 12, hexc('c0e8d0'))
    cv.circle(16, 20, 9, sphere_paint(hexc('30c060'), 16, 20, 9, shine=0.9))
    cv.rect(11, 18, 21, 23, (250, 250, 240))
    cv.rect(15, 19, 17, 22, (220, 30, 30))
    cv.rect(14, 20, 18, 21, (220, 30, 30))
    if glint:
        cv.circle(11 + glint * 2, 15, 1.5, (255, 255, 255))


def coin(cv, phase):
    """phase 0..3: the coin turning (full, narrower, edge, narrower)."""
    w = (12, 9, 4, 9)[phase]
    gold = hexc('ffc820')
    cv.ellipse(16, 16, w, 12, lambda x, y: mix(hexc('fff0a0'), hexc('c08a00'), (x - 16 + w) / (2 * w) * 0.6 + (y - 4) / 48))
    if w > 5:
        cv.ellipse(16, 16, w - 3, 9, gold)
        cv.rect(15, 10, 17, 22, hexc('c08a00'))
        cv.rect(13, 11, 19, 13, hexc('c08a00'))
        cv.rect(13, 19, 19, 21, hexc('c08a00'))
