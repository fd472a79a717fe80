#!/usr/bin/env python3
"""Reads every generated data file back and checks it against the rules the
game's loaders live by.

    validate_content.py <content dir> <game dir>

Exits 0 when everything holds, 1 with one line per fault otherwise.
"""
import os
import struct
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import bmp      # noqa: E402
import wav      # noqa: E402
import midi     # noqa: E402
import sheets   # noqa: E402

CONTENT = GAME = None
MAP_HEADER = 389
WIDTH, HEIGHT = 27, 23
LEVELS = 30
# The plain grass of the first levels is the only ground that levels share.
SHARED_GROUND = '../Graphics/bg_grass.bmp'
SOUNDS = ['rain.wav', 'thunder.wav', 'witch.wav', 'thankyou.wav', 'fire.wav', 'magic.wav', 'tornado.wav',
          'explode.wav', 'dong.wav', 'sho.wav', 'electricshock.wav', 'thump.wav', 'cow.wav', 'gold.wav',
          'flood.wav', 'click.wav', 'dropinwater.wav', 'tiger.wav', 'final.wav']
PICTURES = ['static.bmp', 'check.bmp', 'button.bmp', 'upbutton.bmp', 'downbutton.bmp', 'farmer.bmp', 'fruits.bmp',
            'titlew.bmp', 'help1.bmp', 'help2.bmp', 'Grovekeep.bmp', 'icon.bmp']
# Animation type and direction names the loader knows (single-word ones only can appear in files).
TYPES = {'walk', 'run', 'jump', 'swim', 'climb', 'eat', 'graze', 'browse', 'smash', 'uppercut', 'ambient',
         'stand', 'react', 'block', 'die', 'show'}
SUBTYPES = {'north', 'northeast', 'east', 'southeast', 'south', 'southwest', 'west', 'northwest', 'showsub'}
# Texture object each trap record draws from, and whether it is read with sharing on.
TRAP_TEXTURE = ['t1', 't1', 't1', 't2', 't1'] + ['t1'] * 11 + ['t1']
TRAP_SHARED = [False, True, False, False, False] + [True] * 11 + [False]


def path(*parts):
    return os.path.join(GAME, *parts)


class Sheet:
    """A bitmap as the game turns it into a frame-sheet texture."""

    def __init__(self, filename, fw, fh):
        self.w, self.h, self.px = bmp.read(filename)
        self.fw, self.fh = fw, fh
        self.cols, self.rows = self.w // fw, self.h // fh
        self.tex_w, self.tex_h = sheets.texture_size(self.w, self.h, fw, fh)

    def frame_is_empty(self, c, r):
        """True when the frame holds nothing but the magenta colour key."""
        x0, y0 = 1 + c * (self.fw + 1), 1 + r * (self.fh + 1)
        for y in range(y0, y0 + self.fh):
            o = (y * self.w + x0) * 3
            row = self.px[o:o + self.fw * 3]
            if row != b'\xff\x00\xff' * self.fw:
                return False
        return True

    def texel_cell(self, tx, ty):
        return tx // self.fw, ty // self.fh


def read_records(filename):
    """Tokenises an animation description exactly as the loader reads it."""
    with open(filename, 'rb') as f:
        toks = f.read().decode('cp1252').split()
    recs, i = [], 0
    while i < len(toks):
        head = toks[i:i + 9]
        if len(head) < 9:
            raise ValueError('%s: record %d is cut short' % (filename, len(recs)))
        name, tex = head[0], head[1]
        flag, r, g, b, fw, fh, count = (int(v) for v in head[2:9])
        i += 9
        anims = []
        for _ in range(count):
            typ, n = toks[i], toks[i + 1]
            if len(n) > 3 or not n.isdigit():
                raise ValueError('%s: bad strip count %r' % (filename, n))
            i += 2
            strips = []
            for _ in range(int(n)):
                sub, frames, row, col = toks[i], toks[i + 1], int(toks[i + 2]), int(toks[i + 3])
                if len(frames) > 3 or not frames.isdigit():
                    raise ValueError('%s: bad frame count %r' % (filename, frames))
                strips.append((sub, int(frames), row, col))
                i += 4
            anims.append((typ, strips))
        recs.append(dict(name=name, texture=tex, flag=flag, key=(r, g, b), fw=fw, fh=fh, anims=anims))
    return recs


def sheet_path(texture_name):
    if not texture_name.startswith('../Graphics/'):
        raise ValueError('texture %r is not in ../Graphics/' % texture_name)
    return path('Graphics', texture_name[len('../Graphics/'):])


class AnimationFiles(unittest.TestCase):
    def check_record(self, rec, held):
        """rec draws from the sheet `held` (what its texture object holds after loading)."""
        self.assertEqual(rec['key'], (255, 0, 255), rec['name'])
        self.assertEqual((rec['fw'], rec['fh']), (32, 32), rec['name'])
        self.assertGreater(len(rec['anims']), 0, rec['name'])
        for typ, strips in rec['anims']:
            self.assertIn(typ.lower(), TYPES, rec['name'])
            subs = [s[0].lower() for s in strips]
            for sub, frames, row, col in strips:
                self.assertIn(sub.lower(), SUBTYPES, rec['name'])
                self.assertGreaterEqual(frames, 1, rec['name'])
                for f in range(frames):
                    sx, sy = (f + col) * held.fw, row * held.fh
                    # the strip must neither wrap into the next row nor reach into the padding
                    self.assertLessEqual(sx + held.fw, held.cols * held.fw, '%s %s frame %d' % (rec['name'], sub, f))
                    self.assertLessEqual(sy + held.fh, held.rows * held.fh, '%s %s frame %d' % (rec['name'], sub, f))
                    self.assertLessEqual(sx, held.tex_w - 1)
                    self.assertFalse(held.frame_is_empty(col + f, row), '%s %s frame %d is empty' % (rec['name'], sub, f))
            # the game steers things by direction: a walk must face every way
            if typ.lower() == 'walk':
                for d in ('north', 'east', 'south', 'west'):
                    self.assertIn(d, subs, rec['name'])

    def load(self, rec, shared, held):
        if not shared and rec['flag'] == 1:
            return Sheet(sheet_path(rec['texture']), rec['fw'], rec['fh'])
        self.assertIsNotNone(held, '%s uses a texture nothing has loaded' % rec['name'])
        return held

    def test_player(self):
        recs = read_records(path('Data', 'Player.txt'))
        self.assertEqual(len(recs), 1)
        held = self.load(recs[0], False, None)
        self.check_record(recs[0], held)
        self.assertEqual(recs[0]['anims'][0][0].lower(), 'walk')
        # four directions that really differ from one another
        strips = recs[0]['anims'][0][1]
        self.assertEqual(len({(s[2], s[3]) for s in strips}), 4)
        self.assertTrue(all(s[1] >= 2 for s in strips))

    def test_targets(self):
        recs = read_records(path('Data', 'targets.txt'))
        self.assertEqual(len(recs), 40)
        held = None
        for i, rec in enumerate(recs):
            held = self.load(rec, i > 0, held)
            self.check_record(rec, held)
        self.assertEqual(len({(r['anims'][0][1][0][2], r['anims'][0][1][0][3]) for r in recs}), 40, 'every fruit its own picture')
        # the side panel's icons sit at fixed texels of the fruit texture
        for tx, ty in ((32, 256), (96, 256), (32, 224), (96, 224), (64, 256)):
            self.assertLessEqual(ty + 32, held.tex_h)
            self.assertFalse(held.frame_is_empty(*held.texel_cell(tx, ty)), 'panel icon at %d,%d' % (tx, ty))

    def test_traps(self):
        recs = read_records(path('Data', 'traps.txt'))
        self.assertEqual(len(recs), 17)
        held = {'t1': None, 't2': None}
        for i, rec in enumerate(recs):
            t = TRAP_TEXTURE[i]
            held[t] = self.load(rec, TRAP_SHARED[i], held[t])
            self.check_record(rec, held[t])
        explosion = recs[16]['anims'][0][1][1]
        self.assertGreaterEqual(explosion[1], 6, 'the explosion needs frames to grow')
        bolt = recs[3]['anims'][0][1][1]
        self.assertGreaterEqual(bolt[1], 2, 'the bolt rests on frame 0 and strikes after it')


class LevelFiles(unittest.TestCase):
    def levels(self):
        n, out = 1, []
        while os.path.exists(path('Data', 'Level%d.dat' % n)):
            with open(path('Data', 'Level%d.dat' % n), 'rb') as f:
                out.append(f.read())
            n += 1
        return out

    def test_thirty_levels_of_one_size(self):
        lv = self.levels()
        self.assertEqual(len(lv), LEVELS)
        for i, blob in enumerate(lv, 1):
            self.assertEqual(struct.unpack_from('<III', blob, 377), (1, WIDTH, HEIGHT), 'level %d' % i)

    def test_every_level_its_own_map_and_ground(self):
        maps, grounds = {}, {}
        for i, blob in enumerate(self.levels(), 1):
            cells = blob[MAP_HEADER:MAP_HEADER + WIDTH * HEIGHT * 8]
            self.assertFalse(cells in maps, 'level %d has the map of level %s' % (i, maps.get(cells)))
            maps[cells] = i
            grounds.setdefault(blob[297:377].split(b'\0')[0].decode('ascii'), []).append(i)
        for ground, users in grounds.items():
            if ground != SHARED_GROUND:
                self.assertEqual(len(users), 1, '%s is the ground of levels %s' % (ground, users))
        # and every ground the build draws is walked on
        drawn = {'../Graphics/' + f for f in os.listdir(path('Graphics')) if f.startswith('bg_')}
        self.assertEqual(drawn, set(grounds))

    def test_map_and_game_section(self):
        static = Sheet(path('Graphics', 'static.bmp'), 32, 32)
        self.assertGreaterEqual(static.tex_w, 256)
        self.assertGreaterEqual(static.tex_h, 256)
        self.assertFalse(static.frame_is_empty(1, 7), 'the menu decoration at texel (32, 224)')
        tiles_per_row = static.tex_w // 32
        for i, blob in enumerate(self.levels(), 1):
            msg = 'level %d' % i
            title, text, bg = blob[1:41], blob[41:297], blob[297:377]
            for field, size in ((title, 40), (text, 256), (bg, 80)):
                self.assertIn(b'\0', field, msg)
                self.assertGreater(field.index(b'\0'), 0, msg)
            self.assertLessEqual(title.index(b'\0'), 39)
            bgname = bg.split(b'\0')[0].decode('ascii')
            self.assertTrue(os.path.exists(sheet_path(bgname)), msg + ' background ' + bgname)
            w, h, _ = bmp.read(sheet_path(bgname))
            self.assertEqual((w, h), (WIDTH * 32, HEIGHT * 32), msg)
            cells_end = MAP_HEADER + WIDTH * HEIGHT * 8
            kinds = []
            for c in range(WIDTH * HEIGHT):
                tset, tile, kind, pad, obj = struct.unpack_from('<BBBBI', blob, MAP_HEADER + c * 8)
                self.assertEqual((tset, pad, obj), (0, 0, 0), msg)
                self.assertLessEqual(kind, 43, msg)
                if kind:
                    col, row = tile % tiles_per_row, tile // tiles_per_row
                    self.assertFalse(static.frame_is_empty(col, row), '%s cell %d draws an empty tile' % (msg, c))
                kinds.append(kind)
            g = blob[cells_end:]
            objective, speed = struct.unpack_from('<HH', g, 0)
            music = g[4:44]
            self.assertIn(b'\0', music)
            name = music.split(b'\0')[0].decode('ascii')
            self.assertIn('.mid', name)
            self.assertTrue(os.path.exists(path('sound', name)), msg + ' music ' + name)
            self.assertGreater(objective, 0)
            self.assertIn(speed, (2, 4, 8, 16), msg)
            tlife, fruits_on, n = struct.unpack_from('<HHH', g, 44)
            fl = struct.unpack_from('<%dH' % n, g, 50)
            trlife, traps_on, m = struct.unpack_from('<HHH', g, 50 + 2 * n)
            tl = struct.unpack_from('<%dH' % m, g, 56 + 2 * n)
            self.assertEqual(len(g), 56 + 2 * n + 2 * m, msg + ': nothing may follow the game section')
            self.assertTrue(n > 0 and all(v < 40 for v in fl), msg)
            self.assertTrue(all(v < 17 for v in tl), msg)
            self.assertTrue(m > 0 or traps_on == 0, msg)
            self.assertTrue(1 <= fruits_on <= 10 and tlife > 3 and trlife > 3, msg)
            # the farmer can be placed: a free cell with an open neighbour
            open_kinds = set(range(0, 12)) | set(range(18, 34))
            ok = False
            for c, k in enumerate(kinds):
                if k:
                    continue
                x, y = c % WIDTH, c // WIDTH
                for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                    if 0 <= nx < WIDTH and 0 <= ny < HEIGHT and kinds[ny * WIDTH + nx] in open_kinds:
                        ok = True
            self.assertTrue(ok, msg)

    def test_the_first_level_asks_the_fewest_fruits_and_the_last_the_most(self):
        # A level's layout and hazards make it hard as much as its objective
        # does (a lake with forty fruits is harder than a lawn with sixty), so
        # objectives need not rise level by level: the difficulty report
        # measures the curve (docs/difficulty.md).
        objectives = [struct.unpack_from('<H', b, MAP_HEADER + WIDTH * HEIGHT * 8)[0] for b in self.levels()]
        self.assertEqual(min(objectives), objectives[0])
        self.assertEqual(max(objectives), objectives[-1])
        self.assertLess(objectives[0], objectives[-1])


class Pictures(unittest.TestCase):
    def test_every_picture_loads(self):
        for name in PICTURES:
            w, h, px = bmp.read(path('Graphics', name))
            self.assertGreater(w * h, 0, name)

    def test_menu_pictures_fit_where_the_menu_puts_them(self):
        w, _h, _ = bmp.read(path('Graphics', 'titlew.bmp'))
        self.assertTrue(520 <= w <= 600, 'title %d wide' % w)
        for name, x, y in (('farmer.bmp', 60, 350), ('fruits.bmp', 770, 550)):
            w, h, _ = bmp.read(path('Graphics', name))
            self.assertLessEqual(x + w, 1024, name)
            self.assertLessEqual(y + h, 768, name)
        for name in ('help1.bmp', 'help2.bmp', 'Grovekeep.bmp'):
            w, h, _ = bmp.read(path('Graphics', name))
            self.assertLessEqual(w, 1024)
            self.assertLessEqual(h, 768 - 46, name + ' leaves room for the bottom line')

    def test_opaque_pictures_hold_no_colour_key(self):
        # these are drawn without transparency: a magenta pixel would show as magenta
        for name in ('farmer.bmp', 'fruits.bmp', 'titlew.bmp', 'help1.bmp', 'help2.bmp', 'Grovekeep.bmp'):
            w, h, px = bmp.read(path('Graphics', name))
            for o in range(0, len(px), 3):
                if px[o] == 255 and px[o + 1] == 0 and px[o + 2] == 255:
                    self.fail('%s has a magenta pixel at %d,%d' % (name, (o // 3) % w, (o // 3) // w))

    def test_widget_cells(self):
        # cells the widgets pick by stage: columns = texture width / cell width
        for name, cw, ch, stages in (('button.bmp', 128, 32, 3), ('upbutton.bmp', 32, 32, 2), ('downbutton.bmp', 32, 32, 2),
                                     ('check.bmp', 32, 32, 2)):
            s = Sheet(path('Graphics', name), cw, ch)
            cols = s.tex_w // cw
            for stage in range(stages):
                c, r = stage % cols, stage // cols
                self.assertTrue(c < s.cols and r < s.rows, '%s stage %d' % (name, stage))
                self.assertFalse(s.frame_is_empty(c, r), '%s stage %d' % (name, stage))

    def test_window_icon(self):
        w, h, px = bmp.read(path('Graphics', 'icon.bmp'))
        self.assertEqual((w, h), (32, 32))
        self.assertIn(b'\xff\x00\xff', bytes(px[0:3]))


class Sounds(unittest.TestCase):
    def test_effects(self):
        for name in SOUNDS:
            with open(path('sound', name), 'rb') as f:
                fmt, data = wav.decode(f.read())
            self.assertEqual((fmt['tag'], fmt['channels'], fmt['bits']), (1, 1, 16), name)
            self.assertEqual(fmt['align'], 2, name)
            self.assertEqual(fmt['avg'], fmt['rate'] * 2, name)
            self.assertTrue(0 < len(data) and len(data) % 2 == 0, name)
            samples = struct.unpack('<%dh' % (len(data) // 2), data)
            self.assertLess(abs(samples[0]), 600, name + ' starts with a click')
            self.assertLess(abs(samples[-1]), 600, name + ' ends with a click')
            peak = max(abs(s) for s in samples)
            self.assertTrue(0.4 * 32767 <= peak <= 32767, '%s peak %d is out of range' % (name, peak))
            rms = (sum(s * s for s in samples) / len(samples)) ** 0.5 / 32767
            self.assertTrue(0.09 <= rms <= 0.23, '%s loudness %.3f is not levelled' % (name, rms))
            self.assertLessEqual(len(samples) / fmt['rate'], 4.0, name + ' is too long')

    def test_level_music(self):
        names = set()
        n = 1
        while os.path.exists(path('Data', 'Level%d.dat' % n)):
            with open(path('Data', 'Level%d.dat' % n), 'rb') as f:
                blob = f.read()
            names.add(blob[MAP_HEADER + WIDTH * HEIGHT * 8 + 4:][:40].split(b'\0')[0].decode())
            n += 1
        self.assertEqual(len(names), n - 1, 'every level its own tune')
        for name in names:
            with open(path('sound', name), 'rb') as f:
                blob = f.read()
            fmt, ntracks, division = midi.parse_header(blob)
            self.assertEqual(fmt, 1)
            self.assertGreaterEqual(ntracks, 2)
            self.assertGreater(division, 0)
            self.assertIn(b'\xff\x51\x03', blob, name + ' has no tempo')
            self.assertTrue(any((blob[i] & 0xf0) == 0xc0 for i in range(len(blob))), name)


def main(argv):
    global CONTENT, GAME
    if len(argv) < 3:
        print(__doc__)
        return 2
    CONTENT, GAME = argv[1], argv[2]
    suite = unittest.defaultTestLoader.loadTestsFromModule(sys.modules[__name__])
    result = unittest.TextTestRunner(verbosity=1).run(suite)
    return 0 if result.wasSuccessful() else 1


if __name__ == '__main__':
    sys.exit(main(sys.argv))
