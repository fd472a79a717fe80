"""A small raster canvas for drawing the game's art in code.

Pixels are RGB bytes, rows from the top. Shapes are drawn through signed
distance functions: with aa=False a pixel is either painted or not (sprites,
whose edges must stay hard against the magenta colour key), with aa=True the
edge is blended (pictures drawn on opaque backgrounds).
"""
import math
import os

MAGENTA = (255, 0, 255)


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    t = clamp(t)
    return (int(a[0] + (b[0] - a[0]) * t + 0.5), int(a[1] + (b[1] - a[1]) * t + 0.5),
            int(a[2] + (b[2] - a[2]) * t + 0.5))


def scale(c, f):
    return (min(255, max(0, int(c[0] * f))), min(255, max(0, int(c[1] * f))), min(255, max(0, int(c[2] * f))))


def hexc(s):
    s = s.lstrip('#')
    return (int(s[0:2], 16), int(s[2:4], 16), int(s[4:6], 16))


def not_key(c):
    """Nudges a colour that happens to equal the colour key so that it stays visible."""
    return (254, 0, 255) if tuple(c) == MAGENTA else c


def hash01(x, y, seed=0):
    h = (x * 374761393 + y * 668265263 + seed * 2246822519) & 0xffffffff
    h = ((h ^ (h >> 13)) * 1274126177) & 0xffffffff
    return ((h ^ (h >> 16)) & 0xffff) / 65535.0


def noise(x, y, cell, seed=0):
    """Smooth value noise in 0..1, tileable when the period is a multiple of cell (wraps by `period` if given)."""
    gx, gy = x / cell, y / cell
    ix, iy = int(math.floor(gx)), int(math.floor(gy))
    fx, fy = gx - ix, gy - iy
    fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
    a, b = hash01(ix, iy, seed), hash01(ix + 1, iy, seed)
    c, d = hash01(ix, iy + 1, seed), hash01(ix + 1, iy + 1, seed)
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy


def tnoise(x, y, cell, period, seed=0):
    """Value noise that repeats every `period` pixels (period a multiple of cell)."""
    n = period // cell
    gx, gy = x / cell, y / cell
    ix, iy = int(math.floor(gx)), int(math.floor(gy))
    fx, fy = gx - ix, gy - iy
    fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
    x0, x1, y0, y1 = ix % n, (ix + 1) % n, iy % n, (iy + 1) % n
    a, b = hash01(x0, y0, seed), hash01(x1, y0, seed)
    c, d = hash01(x0, y1, seed), hash01(x1, y1, seed)
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    l2 = dx * dx + dy * dy
    t = 0.0 if l2 == 0 else clamp(((px - ax) * dx + (py - ay) * dy) / l2)
    ex, ey = px - (ax + dx * t), py - (ay + dy * t)
    return math.sqrt(ex * ex + ey * ey)


def sphere_paint(base, cx, cy, r, light=(-0.55, -0.65), shine=0.55, dark=None):
    """Paint function giving a lit ball: lambert shading plus a soft highlight."""
    lx, ly = light
    lz = math.sqrt(max(0.0, 1 - lx * lx - ly * ly))
    dark = dark if dark is not None else scale(base, 0.45)

    def paint(x, y):
        nx, ny = (x - cx) / r, (y - cy) / r
        d2 = nx * nx + ny * ny
        nz = math.sqrt(max(0.0, 1 - d2))
        lam = clamp(nx * lx + ny * ly + nz * lz)
        c = mix(dark, base, clamp(0.25 + 0.95 * lam))
        hl = clamp((lam - 0.86) / 0.14) * shine
        return mix(c, (255, 255, 255), hl)
    return paint


class Canvas:
    def __init__(self, w, h, bg=MAGENTA):
        self.w, self.h = w, h
        self.px = bytearray(bytes(bg) * (w * h))

    # --- plain pixels -------------------------------------------------------
    def get(self, x, y):
        o = (y * self.w + x) * 3
        return (self.px[o], self.px[o + 1], self.px[o + 2])

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            o = (y * self.w + x) * 3
            self.px[o], self.px[o + 1], self.px[o + 2] = c[0], c[1], c[2]

    def blend(self, x, y, c, a):
        if a <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        o = (y * self.w + x) * 3
        if a >= 1:
            self.px[o], self.px[o + 1], self.px[o + 2] = c[0], c[1], c[2]
            return
        p = self.px
        p[o] = int(p[o] + (c[0] - p[o]) * a + 0.5)
        p[o + 1] = int(p[o + 1] + (c[1] - p[o + 1]) * a + 0.5)
        p[o + 2] = int(p[o + 2] + (c[2] - p[o + 2]) * a + 0.5)

    def is_key(self, x, y):
        o = (y * self.w + x) * 3
        return self.px[o] == 255 and self.px[o + 1] == 0 and self.px[o + 2] == 255

    def fill(self, c):
        self.px[:] = bytes(c) * (self.w * self.h)

    def rect(self, x0, y0, x1, y1, c):
        """Fills [x0, x1) x [y0, y1)."""
        x0, y0, x1, y1 = max(0, int(x0)), max(0, int(y0)), min(self.w, int(x1)), min(self.h, int(y1))
        if x1 <= x0:
            return
        row = bytes(c) * (x1 - x0)
        for y in range(y0, y1):
            o = (y * self.w + x0) * 3
            self.px[o:o + len(row)] = row

    def vgradient(self, x0, y0, x1, y1, c0, c1):
        for y in range(int(y0), int(y1)):
            t = (y - y0) / max(1, (y1 - y0 - 1))
            self.rect(x0, y, x1, y + 1, mix(c0, c1, t))

    def paint_area(self, x0, y0, x1, y1, fn):
        """fn(x, y) -> colour or None for every pixel of the rectangle."""
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                c = fn(x, y)
                if c is not None:
                    self.set(x, y, c)

    def pixels(self, rows, x0, y0, palette, flip=False):
        """Draws a text pixel grid: each character a palette key, '.' left untouched.

        Hand-placed pixels read better than shapes where every pixel counts
        (faces, hats); flip mirrors the grid left to right.
        """
        for gy, row in enumerate(rows):
            n = len(row)
            for gx, ch in enumerate(row):
                if ch != '.':
                    self.set(x0 + (n - 1 - gx if flip else gx), y0 + gy, palette[ch])

    # --- shapes -------------------------------------------------------------
    def shape(self, sdf, bbox, paint, aa=False, alpha=1.0):
        x0, y0, x1, y1 = bbox
        x0, y0 = max(0, int(math.floor(x0)) - 1), max(0, int(math.floor(y0)) - 1)
        x1, y1 = min(self.w, int(math.ceil(x1)) + 2), min(self.h, int(math.ceil(y1)) + 2)
        fn = paint if callable(paint) else None
        for y in range(y0, y1):
            py = y + 0.5
            for x in range(x0, x1):
                d = sdf(x + 0.5, py)
                if aa:
                    cov = 0.5 - d
                    if cov <= 0:
                        continue
                    cov = min(1.0, cov) * alpha
                else:
                    if d > 0:
                        continue
                    cov = alpha
                self.blend(x, y, fn(x + 0.5, py) if fn else paint, cov)

    def circle(self, cx, cy, r, paint, aa=False, alpha=1.0):
        self.shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r), paint, aa, alpha)

    def ellipse(self, cx, cy, rx, ry, paint, aa=False, angle=0.0, alpha=1.0):
        ca, sa = math.cos(math.radians(angle)), math.sin(math.radians(angle))
        m = min(rx, ry)

        def sdf(x, y):
            dx, dy = x - cx, y - cy
            u, v = dx * ca + dy * sa, -dx * sa + dy * ca
            k = math.sqrt((u / rx) ** 2 + (v / ry) ** 2)
            return (k - 1) * m
        r = max(rx, ry)
        self.shape(sdf, (cx - r, cy - r, cx + r, cy + r), paint, aa, alpha)

    def line(self, x0, y0, x1, y1, width, paint, aa=False, alpha=1.0):
        r = width / 2.0
        self.shape(lambda x, y: seg_dist(x, y, x0, y0, x1, y1) - r,
                   (min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r, max(y0, y1) + r), paint, aa, alpha)

    def polyline(self, pts, width, paint, aa=False, alpha=1.0):
        r = width / 2.0
        segs = list(zip(pts, pts[1:]))

        def sdf(x, y):
            return min(seg_dist(x, y, a[0], a[1], b[0], b[1]) for a, b in segs) - r
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        self.shape(sdf, (min(xs) - r, min(ys) - r, max(xs) + r, max(ys) + r), paint, aa, alpha)

    def polygon(self, pts, paint, aa=False, alpha=1.0):
        n = len(pts)
        edges = [(pts[i], pts[(i + 1) % n]) for i in range(n)]

        def sdf(x, y):
            inside = False
            d = 1e9
            for (ax, ay), (bx, by) in edges:
                if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                    inside = not inside
                d = min(d, seg_dist(x, y, ax, ay, bx, by))
            return -d if inside else d
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        self.shape(sdf, (min(xs), min(ys), max(xs), max(ys)), paint, aa, alpha)

    def rrect(self, x0, y0, x1, y1, rad, paint, aa=False, alpha=1.0):
        cx, cy, hx, hy = (x0 + x1) / 2.0, (y0 + y1) / 2.0, (x1 - x0) / 2.0, (y1 - y0) / 2.0

        def sdf(x, y):
            qx, qy = abs(x - cx) - hx + rad, abs(y - cy) - hy + rad
            return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - rad
        self.shape(sdf, (x0, y0, x1, y1), paint, aa, alpha)

    # --- sprite helpers -----------------------------------------------------
    def outline(self, colour, diagonal=False):
        """Paints every key pixel that touches a drawn pixel: the crisp dark rim of pixel art."""
        w, h = self.w, self.h
        solid = [[not self.is_key(x, y) for x in range(w)] for y in range(h)]
        nb = [(-1, 0), (1, 0), (0, -1), (0, 1)]
        if diagonal:
            nb += [(-1, -1), (1, -1), (-1, 1), (1, 1)]
        for y in range(h):
            for x in range(w):
                if solid[y][x]:
                    continue
                for dx, dy in nb:
                    nx, ny = x + dx, y + dy
                    if 0 <= nx < w and 0 <= ny < h and solid[ny][nx]:
                        self.set(x, y, colour)
                        break

    def blit(self, src, dx, dy, key=MAGENTA, alpha=1.0):
        for y in range(src.h):
            ty = y + dy
            if not (0 <= ty < self.h):
                continue
            for x in range(src.w):
                tx = x + dx
                if not (0 <= tx < self.w):
                    continue
                c = src.get(x, y)
                if key is not None and c == key:
                    continue
                if alpha >= 1:
                    self.set(tx, ty, c)
                else:
                    self.blend(tx, ty, c, alpha)

    def blit_fast(self, src, dx, dy):
        """Opaque copy of a whole canvas (no colour key)."""
        for y in range(src.h):
            ty = y + dy
            if not (0 <= ty < self.h):
                continue
            x0, x1 = max(0, dx), min(self.w, dx + src.w)
            if x1 <= x0:
                continue
            so = (y * src.w + (x0 - dx)) * 3
            to = (ty * self.w + x0) * 3
            self.px[to:to + (x1 - x0) * 3] = src.px[so:so + (x1 - x0) * 3]

    def scaled(self, k):
        out = Canvas(self.w * k, self.h * k)
        for y in range(self.h):
            row = bytearray()
            for x in range(self.w):
                o = (y * self.w + x) * 3
                row += self.px[o:o + 3] * k
            for j in range(k):
                o = ((y * k + j) * out.w) * 3
                out.px[o:o + len(row)] = row
        return out

    def scaled_smooth(self, w, h):
        """Bilinear resample to w x h (for pictures without a colour key)."""
        out = Canvas(w, h)
        sx, sy = self.w / w, self.h / h
        for y in range(h):
            fy = clamp((y + 0.5) * sy - 0.5, 0, self.h - 1)
            y0 = int(fy)
            y1 = min(self.h - 1, y0 + 1)
            ty = fy - y0
            for x in range(w):
                fx = clamp((x + 0.5) * sx - 0.5, 0, self.w - 1)
                x0 = int(fx)
                x1 = min(self.w - 1, x0 + 1)
                tx = fx - x0
                a = mix(self.get(x0, y0), self.get(x1, y0), tx)
                b = mix(self.get(x0, y1), self.get(x1, y1), tx)
                out.set(x, y, mix(a, b, ty))
        return out

    def copy(self):
        c = Canvas(self.w, self.h)
        c.px[:] = self.px
        return c

    def flipped(self):
        c = Canvas(self.w, self.h)
        for y in range(self.h):
            for x in range(self.w):
                c.set(self.w - 1 - x, y, self.get(x, y))
        return c

    def rotated(self, deg, key=MAGENTA):
        """Nearest-pixel rotation about the centre (for sprite frames)."""
        c = Canvas(self.w, self.h, key)
        ca, sa = math.cos(math.radians(deg)), math.sin(math.radians(deg))
        cx, cy = self.w / 2.0, self.h / 2.0
        for y in range(self.h):
            for x in range(self.w):
                dx, dy = x + 0.5 - cx, y + 0.5 - cy
                sx, sy = int(math.floor(cx + dx * ca + dy * sa)), int(math.floor(cy - dx * sa + dy * ca))
                if 0 <= sx < self.w and 0 <= sy < self.h:
                    c.set(x, y, self.get(sx, sy))
        return c


# --- the pixel font -----------------------------------------------------------
class Font:
    def __init__(self, path):
        self.glyphs = {}
        name, rows = None, []
        with open(path, encoding='utf-8') as f:
            for line in f:
                line = line.rstrip('\n')
                if line.startswith('#') and name is None:
                    continue
                if line.startswith(': '):
                    if name is not None:
                        self.glyphs[name] = rows
                    name = line[2:]
                    name = ' ' if name == 'space' else name
                    rows = []
                elif name is not None and line:
                    rows.append(line)
        if name is not None:
            self.glyphs[name] = rows
        self.glyphs.setdefault(' ', ['...'])

    def glyph(self, ch):
        return self.glyphs.get(ch) or self.glyphs['?']

    def width(self, s, k=1):
        if not s:
            return 0
        return sum((len(self.glyph(ch)[0]) + 1) * k for ch in s) - k

    def wrap(self, text, max_w, k=1):
        lines = []
        for para in text.split('\n'):
            cur = ''
            for word in para.split(' '):
                trial = word if not cur else cur + ' ' + word
                if self.width(trial, k) <= max_w or not cur:
                    cur = trial
                else:
                    lines.append(cur)
                    cur = word
            lines.append(cur)
        return lines

    def draw(self, cv, x, y, s, colour, k=1, shadow=None, bold=False):
        """Draws s with its top-left at (x, y); each font pixel becomes a k x k block."""
        if shadow is not None:
            self.draw(cv, x + max(1, k // 2), y + max(1, k // 2), s, shadow, k, None, bold)
        cx = x
        for ch in s:
            g = self.glyph(ch)
            for gy, row in enumerate(g):
                for gx, p in enumerate(row):
                    if p == '#':
                        cv.rect(cx + gx * k, y + gy * k, cx + gx * k + k + (1 if bold else 0), y + gy * k + k, colour)
            cx += (len(g[0]) + 1) * k
        return cx

    def draw_centered(self, cv, cx, y, s, colour, k=1, shadow=None, bold=False):
        return self.draw(cv, int(cx - self.width(s, k) / 2), y, s, colour, k, shadow, bold)

    def smooth_text(self, cv, x, y, s, k, paint, outline=None, outline_w=0.0, shadow=None,
                    shadow_off=(3, 4), stroke=0.62, spacing=1.6):
        """Large rounded lettering: the glyph pixels become a joined, brush-like stroke.

        Each ink pixel is a disc, neighbouring ink pixels are joined by capsules; the
        result is filled with `paint` (a colour or fn(x, y)), rimmed with `outline`
        and laid on a soft `shadow`. Returns the right edge of the text.
        """
        segs = []
        cx = 0.0
        for ch in s:
            g = self.glyph(ch)
            ink = {(gx, gy) for gy, row in enumerate(g) for gx, p in enumerate(row) if p == '#'}
            for (gx, gy) in ink:
                ax, ay = x + (cx + gx + 0.5) * k, y + (gy + 0.5) * k
                segs.append((ax, ay, ax, ay))
                for dx, dy in ((1, 0), (0, 1)):
                    if (gx + dx, gy + dy) in ink:
                        segs.append((ax, ay, ax + dx * k, ay + dy * k))
                for dx in (1, -1):
                    if (gx + dx, gy + 1) in ink and (gx + dx, gy) not in ink and (gx, gy + 1) not in ink:
                        segs.append((ax, ay, ax + dx * k, ay + k))
            cx += len(g[0]) + spacing
        r = stroke * k
        bucket = {}
        cell = k * 2
        for sg in segs:
            for bx in range(int(min(sg[0], sg[2]) - r - outline_w) // cell, int(max(sg[0], sg[2]) + r + outline_w) // cell + 1):
                for by in range(int(min(sg[1], sg[3]) - r - outline_w) // cell, int(max(sg[1], sg[3]) + r + outline_w) // cell + 1):
                    bucket.setdefault((bx, by), []).append(sg)

        def dist(px, py):
            lst = bucket.get((int(px) // cell, int(py) // cell))
            if not lst:
                return 1e9
            return min(seg_dist(px, py, a, b, c, d) for a, b, c, d in lst) - r
        x1 = x + cx * k
        y1 = y + 10 * k
        if shadow is not None:
            ox, oy = shadow_off
            cv.shape(lambda px, py: dist(px - ox, py - oy) - outline_w, (x - k, y - k, x1 + k + ox, y1 + oy), shadow, True, 0.55)
        if outline is not None:
            cv.shape(lambda px, py: dist(px, py) - outline_w, (x - k, y - k, x1 + k, y1), outline, True)
        cv.shape(dist, (x - k, y - k, x1 + k, y1), paint, True)
        return x1


_FONT = None


def font(content_dir=None):
    global _FONT
    if _FONT is None:
        base = content_dir or os.path.join(os.path.dirname(__file__), '..', 'content')
        _FONT = Font(os.path.join(base, 'art', 'font.txt'))
    return _FONT
