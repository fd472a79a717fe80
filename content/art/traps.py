"""Traps and bonuses: the frames of every animation strip (32 x 32 each).

Strips whose objects the game updates every frame repeat each picture so the
motion stays calm; the explosion grows and its last frame is the smoke that
lingers; the lightning cloud rests on frame 0 and strikes in the frames after it.
"""
import math
import random
from canvas import Canvas, mix, scale, hexc, sphere_paint, noise, clamp
import fruits

OUT = (30, 22, 20)


def _cv():
    return Canvas(32, 32)


def _slow(frames, repeat):
    return [f for f in frames for _ in range(repeat)]


def cloud(cv, cx, cy, col, dark):
    for (dx, dy, r) in ((-8, 2, 6), (0, -2, 8), (8, 1, 6.5), (-3, 4, 6), (5, 4, 6)):
        cv.circle(cx + dx, cy + dy, r, sphere_paint(col, cx + dx, cy + dy, r, shine=0.0, dark=dark))


def rain(i):
    cv = _cv()
    for k in range(9):
        x = 5 + (k * 7) % 23
        y = 13 + ((k * 11 + i * 5) % 18)
        cv.line(x, y, x - 1, y + 3, 1.4, hexc('6ab0ff'))
    cloud(cv, 16, 9, hexc('a8b0c0'), hexc('56607a'))
    cv.outline(OUT)
    return cv


def tornado(i):
    cv = _cv()
    grey, dark = hexc('c8ccd4'), hexc('7a808c')
    for k in range(12):
        y = 4 + k * 2.2
        w = 13 - k * 0.95
        sway = 2.5 * math.sin(k * 0.5 + i * 0.8)
        cx = 16 + sway
        cv.ellipse(cx, y, w, 2.4, lambda x, yy, cx=cx, w=w, k=k: mix(grey, dark, 0.5 + 0.5 * math.sin((x - cx) / w * 3 + i * 0.785 * 2 + k)))
    for k in range(3):
        a = i * 0.785 + k * 2.1
        cv.rect(int(16 + 11 * math.cos(a)), int(22 + 3 * math.sin(a)), int(16 + 11 * math.cos(a)) + 2, int(22 + 3 * math.sin(a)) + 2, hexc('6b4423'))
    cv.outline(OUT)
    return cv


def flood(i):
    """A breaking wave: the crest curls over, foam rides the lip and spray flies ahead of it."""
    cv = _cv()
    deep, mid, light = hexc('1a4690'), hexc('2f78d0'), hexc('62b0f4')
    inner, foam, foam_d = hexc('12306a'), (244, 250, 255), hexc('b4d6f2')
    bob = (0, -1, -1, 0)[i]
    cx, cy, R = 14, 13 + bob, 10.5          # the crest
    tx, ty, tr = 17.0, 17.0 + bob, 5.6      # the tube under the lip
    lip = math.radians((25, 45, 65, 45)[i])  # how far the lip has curled down
    phase = i * math.pi / 2
    tip_x = cx + (R - 1) * math.cos(lip)

    def surface(x):                          # the water running in under the wave
        return 23.5 + 1.2 * math.sin(x * 0.55 - phase)

    for y in range(32):
        for x in range(32):
            px, py = x + 0.5, y + 0.5
            dx, dy = px - cx, py - cy
            d = math.hypot(dx, dy)
            ang = math.atan2(dy, dx)         # 0 to the right, positive downwards
            in_crest = d <= R and (dy <= 0 or dx <= 0 or ang <= lip)
            in_tube = math.hypot(px - tx, py - ty) <= tr and d <= R + 0.5
            back = dx < 0 and py >= cy and py >= cy + (abs(dx) - R) * 0.9
            base = py >= surface(px)
            face = dx >= 0 and py >= cy and px <= tip_x + 0.5
            if in_tube and not base:
                # the hollow under the lip, shadowed where the lip hangs over it
                shade = clamp((py - ty + tr) / (2 * tr))
                cv.set(x, y, mix(inner, mid, shade * 0.8) if math.hypot(px - tx, py - ty) < tr - 1 else deep)
                continue
            if not (in_crest or back or base or face):
                continue
            # lighter near the crest's skin, darker deep down
            depth = clamp((R - d) / 6.0) if in_crest else 0.6 if face and not base else clamp((py - surface(px)) / 7.0)
            c = mix(light, mid, depth)
            c = mix(c, deep, clamp((py - 24) / 8.0))
            # streaks that follow the curl
            if in_crest and abs(d - (R - 3.5)) < 0.6 and math.sin(ang * 3 + phase) > 0.2:
                c = mix(c, light, 0.7)
            # foam on the crest's rim, from the back over the top to the lip
            if in_crest and d > R - 1.6 and (ang < -0.3 or 0 <= ang <= lip) and ang > -2.6:
                c = foam if d > R - 1.0 else foam_d
            elif base and py < surface(px) + 1.2 and noise(x + i * 4, y, 3, 9) > 0.45:
                c = foam
            cv.set(x, y, c)
    # a cap of foam on the lip's tip, and spray flying ahead of it
    lx, ly = cx + (R - 1) * math.cos(lip), cy + (R - 1) * math.sin(lip)
    cv.circle(lx, ly, 2.0, foam)
    for k in range(4):
        t = ((i + k) % 4) / 4.0
        sx = lx + 3 + k * 1.5 + t * 5
        sy = ly - 4 + k * 2.5 + t * t * 5
        if sx < 31:
            cv.rect(int(sx), int(sy), int(sx) + (2 if k % 2 == 0 else 1), int(sy) + (2 if k % 2 == 0 else 1), foam)
    # foam boiling at the foot of the wave
    for k in range(3):
        fx = 24 + ((k * 3 + i * 2) % 7)
        cv.circle(fx, surface(fx) - 0.5, 1.6, foam)
    cv.outline(OUT)
    return cv


def fire(i):
    cv = _cv()
    for y in range(2, 31):
        for x in range(3, 29):
            h = (31 - y) / 29.0
            spread = 12 * (1 - h) ** 0.7 + 1
            n = noise(x * 1.0, y + i * 5.0, 5, 13)
            d = abs(x - 16 + 2 * math.sin(y * 0.3 + i)) / spread
            v = 1 - d - h * 0.9 + (n - 0.5) * 0.9
            if v > 0.05:
                c = mix(hexc('d0200a'), hexc('ff9a10'), clamp(v * 2.2))
                c = mix(c, hexc('fff07a'), clamp((v - 0.45) * 3))
                cv.set(x, y, c)
    for k in range(2):
        cv.set(8 + (i * 7 + k * 11) % 16, 3 + (i * 5 + k * 3) % 8, hexc('ffd040'))
    cv.outline((90, 20, 10))
    return cv


def bomb(i):
    cv = _cv()
    cv.circle(15, 19, 10, sphere_paint(hexc('3a3a48'), 15, 19, 10, shine=0.8, dark=hexc('101018')))
    cv.rect(12, 7, 18, 10, hexc('5a5a6a'))
    cv.polyline([(15, 7), (18, 4), (22, 4), (24, 2)], 1.6, hexc('b08a5a'))
    spark = [(5, hexc('ffe040')), (3, hexc('ff8a20')), (6, hexc('fff8a0')), (4, hexc('ffb030'))][i]
    r, c = spark
    for a in range(0, 360, 45):
        rr = math.radians(a + i * 20)
        cv.line(25, 3, 25 + r * math.cos(rr), 3 + r * math.sin(rr), 1.0, c)
    cv.circle(25, 3, 1.8, (255, 255, 255))
    cv.outline(OUT)
    return cv


def poison_ivy(i):
    cv = _cv()
    sway = (-1, 0, 1, 0)[i]
    cv.line(16, 31, 16 + sway, 14, 1.6, hexc('6a3a1e'))
    for (ang, l) in ((-90, 0), (-150, 1), (-30, 1)):
        r = math.radians(ang)
        cx, cy = 16 + sway + 8 * math.cos(r), 14 + 8 * math.sin(r) + (4 if l else 0)
        cv.ellipse(cx, cy, 7, 4, lambda x, y, cx=cx: mix(hexc('3f9a2a'), hexc('c8401e'), clamp((abs(x - cx) - 2) / 5)), angle=ang)
        cv.line(16 + sway, 14 + (4 if l else 0), cx + 4 * math.cos(r), cy + 4 * math.sin(r), 0.8, hexc('3a5a10'))
    for (x, y) in ((6, 28), (26, 27)):
        cv.circle(x, y + (i % 2), 1.4, hexc('b0e040'))
    cv.outline(OUT)
    return cv


def mushroom(i):
    cv = _cv()
    b = (0, -1, 0, 1)[i]
    cv.rrect(12, 16 + b, 20, 30, 3, (245, 240, 225))
    cv.ellipse(16, 15 + b, 13, 8, sphere_paint(hexc('e0201a'), 16, 15 + b, 13, shine=0.5))
    cv.rect(3, 15 + b, 29, 18 + b, hexc('e0201a'))
    for (x, y, r) in ((10, 11, 2), (18, 9, 2.3), (23, 14, 1.7), (14, 15, 1.6)):
        cv.circle(x, y + b, r, (255, 255, 255))
    cv.set(14, 23 + b, (0, 0, 0))
    cv.set(17, 23 + b, (0, 0, 0))
    cv.outline(OUT)
    return cv


def star(i):
    cv = _cv()
    rad = 13 + (0, 1, 2, 1, 0, -1)[i]
    pts = []
    for k in range(10):
        r = rad if k % 2 == 0 else rad * 0.45
        a = math.radians(k * 36 - 90 + i * 6)
        pts.append((16 + r * math.cos(a), 17 + r * math.sin(a)))
    cv.polygon(pts, lambda x, y: mix(hexc('fff6a0'), hexc('f0a000'), clamp((x - 5 + y - 5) / 40)))
    cv.set(13, 14, (60, 40, 0))
    cv.set(19, 14, (60, 40, 0))
    for k in range(3):
        a = math.radians(i * 60 + k * 120)
        cv.set(int(16 + 14 * math.cos(a)), int(16 + 14 * math.sin(a)), (255, 255, 255))
    cv.outline(OUT)
    return cv


def basket(i):
    cv = _cv()
    b = (0, -1, -2, -1)[i]
    cv.polyline([(5, 16), (8, 5), (24, 5), (27, 16)], 2.2, hexc('8a5a20'))
    for k, (x, c) in enumerate(((10, 'd8201e'), (16, 'ffc020'), (22, '7cc23a'))):
        bb = b if k == 1 else (0 if b == 0 else b + 1)
        cv.circle(x, 14 + bb, 5, sphere_paint(hexc(c), x, 14 + bb, 5))
    cv.polygon([(3, 16), (29, 16), (25, 30), (7, 30)], hexc('c89040'))
    for y in (19, 23, 27):
        cv.rect(5, y, 28, y + 1, hexc('8a5a20'))
    for x in (9, 13, 17, 21, 25):
        cv.line(x, 16, x - (x - 16) * 0.2, 30, 1.0, hexc('8a5a20'))
    cv.outline(OUT)
    return cv


def more_fruits(i):
    cv = fruits.FRUITS[['apple', 'orange', 'pear', 'cherries'][i]]()
    cv.outline(OUT)
    plus = (40, 200, 60)
    cv.rect(20, 22, 31, 26, (255, 255, 255))
    cv.rect(23, 19, 28, 30, (255, 255, 255))
    cv.rect(21, 23, 30, 25, plus)
    cv.rect(24, 20, 27, 29, plus)
    return cv


def witch_apple():
    cv = _cv()
    col = hexc('8a0a3a')
    cv.ellipse(16, 18, 12, 10.5, sphere_paint(col, 16, 18, 12, shine=0.9, dark=hexc('2a0010')))
    cv.line(16, 9, 15, 3, 2.0, hexc('3a2010'))
    cv.ellipse(21, 5, 4, 1.8, hexc('3a5a1a'), angle=-20)
    # a pale skull glints on the skin
    cv.circle(16, 18, 3.6, hexc('d8d0e8'))
    cv.rect(14, 20, 19, 23, hexc('d8d0e8'))
    cv.set(15, 18, (40, 0, 20))
    cv.set(17, 18, (40, 0, 20))
    cv.circle(8, 26, 1.5, hexc('70e040'))
    cv.outline(OUT)
    return cv


def antidote(i):
    cv = _cv()
    fruits.antidote_bottle(cv, i + 1)
    cv.outline(OUT)
    return cv


def donate(i):
    cv = _cv()
    cv.rect(5, 14, 27, 30, hexc('a8703a'))
    cv.rect(5, 14, 27, 16, hexc('7a4c26'))
    cv.rect(12, 15, 20, 16, (20, 10, 5))
    cv.circle(12, 23, 3, hexc('e8203a'))
    cv.circle(17, 23, 3, hexc('e8203a'))
    cv.polygon([(9, 24), (20, 24), (14.5, 29)], hexc('e8203a'))
    y = (2, 6, 10, 13)[i]
    cv.ellipse(16, y, 4, 3, hexc('ffc820'))
    cv.ellipse(16, y, 2.2, 1.6, hexc('c08a00'))
    cv.outline(OUT)
    return cv


def angel(i):
    cv = _cv()
    flap = (0, 3, 5, 3)[i]
    for sx in (-1, 1):
        cv.ellipse(16 + sx * 9, 14 - flap * 0.6, 6, 8 - flap * 0.5, (250, 250, 255), angle=sx * (30 + flap * 4))
    cv.polygon([(10, 30), (22, 30), (18, 15), (14, 15)], hexc('f0f4ff'))
    cv.circle(16, 11, 5, hexc('ffd8b0'))
    cv.rect(11, 6, 21, 9, hexc('ffd050'))
    cv.ellipse(16, 3, 6, 1.6, hexc('ffe040'))
    cv.ellipse(16, 3, 4, 0.6, hexc('fff8c0'))
    cv.set(14, 11, (40, 30, 30))
    cv.set(18, 11, (40, 30, 30))
    cv.outline(OUT)
    return cv


def gold(i):
    cv = _cv()
    fruits.coin(cv, i)
    if i == 0:
        cv.set(9, 9, (255, 255, 255))
        cv.set(10, 8, (255, 255, 255))
    cv.outline(OUT)
    return cv


def explosion(i, n=12):
    cv = _cv()
    t = i / (n - 1)
    if t < 0.7:
        r = 4 + 12 * (t / 0.7)
        for y in range(32):
            for x in range(32):
                d = math.hypot(x - 16, y - 16) / r
                v = 1 - d + (noise(x, y, 4, i + 3) - 0.5) * 0.6
                if v > 0:
                    c = mix(hexc('c02008'), hexc('ffb020'), clamp(v * 2))
                    c = mix(c, (255, 250, 210), clamp((v - 0.5) * 2.5 * (1 - t)))
                    cv.set(x, y, c)
        for k in range(8):
            a = math.radians(k * 45 + i * 10)
            d = r + 2 + t * 6
            cv.circle(16 + d * math.cos(a), 16 + d * math.sin(a), 1.2, hexc('ffd040'))
    else:
        # the fireball collapses into a rolling cloud of smoke
        s = (t - 0.7) / 0.3
        for (dx, dy, rr) in ((-6, 2, 7), (5, 0, 8), (0, -6, 7), (-2, 7, 6), (7, 7, 5)):
            r = rr * (1 + 0.25 * s)
            cv.circle(16 + dx, 16 + dy - s * 3, r, sphere_paint(mix(hexc('7a6a60'), hexc('4a4440'), s), 16 + dx, 16 + dy, r, shine=0.0))
        if s < 0.6:
            cv.circle(16, 18, 4 * (1 - s), hexc('ff8a20'))
    cv.outline(OUT)
    return cv


def lightning(i):
    cv = _cv()
    if i > 0:
        flick = i % 2 == 1
        col = (255, 255, 200) if flick else hexc('a0c8ff')
        pts = [(12, 12), (17, 17), (14, 19), (22, 24), (19, 26), (31, 31)]
        cv.polyline(pts, 3.2 if flick else 2.2, col)
        cv.polyline(pts, 1.0, (255, 255, 255))
    dark = hexc('2a2e3a') if i == 0 else hexc('4a5064')
    cloud(cv, 13, 9, hexc('6a7080') if i == 0 else hexc('9aa2b8'), dark)
    cv.outline(OUT)
    return cv


# Frames per sample index (Data/traps.txt order); the sheet rows are chosen in content/sheets.py.
def frames():
    return {
        'RAIN': [rain(i) for i in range(4)],
        'TORNADO': [tornado(i) for i in range(8)],
        'FLOOD': [flood(i) for i in range(4)],
        'LIGHTENING': [lightning(i) for i in range(10)],
        'FIRE': [fire(i) for i in range(6)],
        'BOMB': [bomb(i) for i in range(4)],
        'POISONIVY': _slow([poison_ivy(i) for i in range(4)], 4),
        'MUSHROOM': _slow([mushroom(i) for i in range(4)], 4),
        'STAR': [star(i) for i in range(6)],
        'BASKET': _slow([basket(i) for i in range(4)], 4),
        'MOREFRUITS': _slow([more_fruits(i) for i in range(4)], 4),
        'POISON': [witch_apple()],
        'ANTIDOTE': _slow([antidote(i) for i in range(4)], 4),
        'DONATE': _slow([donate(i) for i in range(4)], 4),
        'ANGEL': _slow([angel(i) for i in range(4)], 4),
        'GOLD': _slow([gold(i) for i in range(4)], 4),
        'EXPLOSION': [explosion(i) for i in range(12)],
    }
