"""The level compiler: content/levels/levelNN.txt -> Data/LevelN.dat.

A level file is the map part (flag, title, text, background name, one 27 x 23
layer of 8-byte cells) followed by the game section (objective, speed, music,
fruit and trap sample lists). The compiler refuses anything the game would
choke on and names the file and line of the fault.
"""
import os
import re
import struct

import shore

WIDTH, HEIGHT, LAYERS = 27, 23, 1
FRUIT_SAMPLES, TRAP_SAMPLES = 40, 17
MAX_FRUITS_ON_FIELD = 10      # the more-fruits bonus never raises the count past this either
PLAYER_SPEEDS = (2, 4, 8, 16)  # the steering snaps to the grid only for these
LIFE_MARGIN = 3               # objects live life - 3 .. life + 3 seconds

WATER = set(range(1, 4)) | set(range(6, 12))
BRIDGE = {4, 5}
TREE = set(range(12, 18))
PATH = set(range(18, 28))
FLOWER = set(range(28, 34))
SOLID = set(range(34, 44))
# Cells the farmer can stand on without harm, and where fruits and traps may appear.
SAFE = {0} | BRIDGE | PATH | FLOWER
# Neighbours through which a freshly placed farmer can leave his cell.
OPEN = {0} | WATER | BRIDGE | PATH | FLOWER

CLASS_KINDS = {
    'water': WATER, 'bridge': BRIDGE, 'tree': TREE, 'path': PATH, 'flower': FLOWER,
    'solid': {34, 35, 36, 37, 40, 41}, 'cow': {38}, 'tiger': {39}, 'stone': {42, 43},
    'deco': {34, 35, 36, 37, 40, 41},
}

# Which bank tiles a water picture takes where it meets dry ground; other water
# (a level's own special water) keeps its tile everywhere.
BANK_FAMILY = {'water': 'bank', 'water_ripple': 'bank', 'water_lily': 'bank', 'pond_reeds': 'bank',
               'swamp': 'swampbank'}
# Tiles that stand in the water rather than on its bank: the water runs on under them.
IN_WATER = {'path_planks'}

KEYS = ('title', 'text', 'objective', 'speed', 'music', 'background', 'fruit-life',
        'fruits-on-field', 'fruits', 'trap-life', 'traps-on-field', 'traps')


class LevelError(Exception):
    pass


def _fail(path, line, msg):
    raise LevelError('%s:%s: %s' % (path, line, msg))


class Catalogue:
    """Tile names, fruit and trap sample names and the shared legend."""

    def __init__(self, content_dir):
        self.content_dir = content_dir
        self.tiles = {}   # name -> (index, class, default kind)
        path = os.path.join(content_dir, 'tiles.txt')
        with open(path, encoding='utf-8') as f:
            for n, line in enumerate(f, 1):
                line = line.split('#', 1)[0].strip()
                if not line:
                    continue
                parts = line.split()
                idx, name, cls, kind = int(parts[0]), parts[1], parts[2], int(parts[3])
                if cls not in CLASS_KINDS:
                    _fail(path, n, 'unknown tile class %r' % cls)
                self.tiles[name] = (idx, cls, kind)
        self.names = {idx: name for name, (idx, _cls, _kind) in self.tiles.items()}
        self.fruits, self.traps = [], []
        path = os.path.join(content_dir, 'kinds.txt')
        cur = None
        with open(path, encoding='utf-8') as f:
            for line in f:
                line = line.split('#', 1)[0].strip()
                if line in ('fruits:', 'traps:'):
                    cur = self.fruits if line == 'fruits:' else self.traps
                elif line and cur is not None:
                    cur.extend(line.split())
        self.legend = {'.': (0, 0)}
        path = os.path.join(content_dir, 'levels', 'legend.txt')
        if os.path.exists(path):
            with open(path, encoding='utf-8') as f:
                for n, line in enumerate(f, 1):
                    if line.strip() and not line.lstrip().startswith('#'):
                        ch, kind, tile = self.legend_entry(path, n, line.rstrip('\n'))
                        self.legend[ch] = (kind, tile)

    def legend_entry(self, path, n, text):
        """'<char> <tile name> [kind]' -> (char, kind, tile index)."""
        parts = text.split()
        if len(parts) not in (2, 3) or len(parts[0]) != 1:
            _fail(path, n, "legend entry must read '<character> <tile> [kind]'")
        ch, name = parts[0], parts[1]
        if name not in self.tiles:
            _fail(path, n, 'unknown tile %r' % name)
        idx, cls, kind = self.tiles[name]
        if len(parts) == 3:
            kind = _int(path, n, parts[2], 'kind')
        if kind not in CLASS_KINDS[cls]:
            _fail(path, n, 'tile %r (%s) cannot carry static-object kind %d' % (name, cls, kind))
        return ch, kind, idx


def _int(path, n, text, what, lo=0, hi=65535):
    if not re.fullmatch(r'\d+', text.strip()):
        _fail(path, n, '%s must be a whole number, not %r' % (what, text))
    v = int(text)
    if not lo <= v <= hi:
        _fail(path, n, '%s %d is outside %d..%d' % (what, v, lo, hi))
    return v


def _samples(path, n, text, names, what):
    out = []
    for word in text.split():
        if re.fullmatch(r'\d+', word):
            v = int(word)
            if v >= len(names):
                _fail(path, n, '%s sample %d out of range 0..%d' % (what, v, len(names) - 1))
        elif word in names:
            v = names.index(word)
        else:
            _fail(path, n, 'unknown %s sample %r' % (what, word))
        out.append(v)
    return out


def parse(path, cat, musics=None, backgrounds=None):
    """Reads one level source; returns a dict with the fields and the cell grid."""
    with open(path, encoding='utf-8') as f:
        lines = f.read().split('\n')
    fields, lines_of, legend = {}, {}, dict(cat.legend)
    rows, map_line = [], None
    for n, raw in enumerate(lines, 1):
        if map_line is not None:
            if len(rows) < HEIGHT:
                rows.append((n, raw.rstrip('\r')))
            elif raw.strip():
                _fail(path, n, 'the map has more than %d rows' % HEIGHT)
            continue
        line = raw.strip()
        if not line or line.startswith('#'):
            continue
        if line == 'map:':
            map_line = n
            continue
        if ':' not in line:
            _fail(path, n, "expected '<field>: <value>'")
        key, value = line.split(':', 1)
        key, value = key.strip(), value.strip()
        if key == 'legend':
            ch, kind, tile = cat.legend_entry(path, n, value)
            legend[ch] = (kind, tile)
            continue
        if key not in KEYS:
            _fail(path, n, 'unknown field %r' % key)
        if key == 'text' and key in fields:
            fields[key] += ' ' + value          # long texts may run over several lines
            continue
        if key in fields:
            _fail(path, n, 'field %r given twice' % key)
        fields[key], lines_of[key] = value, n
    if map_line is None:
        _fail(path, len(lines), "missing 'map:' section")
    for key in KEYS:
        if key not in fields:
            _fail(path, map_line, 'missing field %r (fields come before the map)' % key)
    if len(rows) != HEIGHT or (rows and not rows[-1][1]):
        got = len([r for r in rows if r[1]])
        _fail(path, rows[got][0] if got < len(rows) else len(lines),
              'the map has %d rows, every level needs %d x %d' % (got, WIDTH, HEIGHT))

    lv = {'path': path}
    n = lines_of['title']
    lv['title'] = _text(path, n, fields['title'], 39, 'title')
    lv['text'] = _text(path, lines_of['text'], fields['text'], 255, 'text')
    lv['objective'] = _int(path, lines_of['objective'], fields['objective'], 'objective', 1, 500)
    n = lines_of['speed']
    lv['speed'] = _int(path, n, fields['speed'], 'speed')
    if lv['speed'] not in PLAYER_SPEEDS:
        _fail(path, n, 'player speed must be one of %s' % ', '.join(map(str, PLAYER_SPEEDS)))
    n = lines_of['music']
    music = fields['music']
    if len(music.encode('ascii', 'replace')) > 39 or not music.endswith('.mid') or not re.fullmatch(r'[\w.-]+', music):
        _fail(path, n, 'music must be a plain file name ending in .mid, at most 39 characters')
    if musics is not None and music[:-4] not in musics:
        _fail(path, n, 'no tune %r in content/music' % music[:-4])
    lv['music'] = music
    n = lines_of['background']
    if backgrounds is not None and fields['background'] not in backgrounds:
        _fail(path, n, 'unknown background %r (known: %s)' % (fields['background'], ', '.join(sorted(backgrounds))))
    lv['background'] = '../Graphics/bg_%s.bmp' % fields['background']
    lv['fruit_life'] = _int(path, lines_of['fruit-life'], fields['fruit-life'], 'fruit life', LIFE_MARGIN + 1, 600)
    lv['fruits_on_field'] = _int(path, lines_of['fruits-on-field'], fields['fruits-on-field'], 'fruits on the field', 1, MAX_FRUITS_ON_FIELD)
    n = lines_of['fruits']
    lv['fruits'] = _samples(path, n, fields['fruits'], cat.fruits, 'fruit')
    if not lv['fruits']:
        _fail(path, n, 'a level needs at least one fruit sample')
    lv['trap_life'] = _int(path, lines_of['trap-life'], fields['trap-life'], 'trap life', LIFE_MARGIN + 1, 600)
    lv['traps_on_field'] = _int(path, lines_of['traps-on-field'], fields['traps-on-field'], 'traps on the field', 0, 20)
    n = lines_of['traps']
    lv['traps'] = _samples(path, n, fields['traps'], cat.traps, 'trap')
    if lv['traps_on_field'] and not lv['traps']:
        _fail(path, n, 'traps on the field need at least one trap sample')

    grid = []
    for n, row in rows:
        if len(row) != WIDTH:
            _fail(path, n, 'map row has %d characters, every level needs %d' % (len(row), WIDTH))
        cells = []
        for col, ch in enumerate(row):
            if ch not in legend:
                _fail(path, n, 'unknown map character %r in column %d' % (ch, col + 1))
            cells.append(legend[ch])
        grid.append(cells)
    lv['grid'] = grid
    lv['map_line'] = map_line
    check_playable(lv)
    lay_banks(grid, cat)
    return lv


def family_of(tile_name):
    parsed = shore.parse(tile_name)
    return parsed[0] if parsed else BANK_FAMILY.get(tile_name)


def lay_banks(grid, cat):
    """Gives every water cell that meets dry ground the bank tile for its neighbours.
    Only tiles change: every cell keeps its kind, so the rules stay as the level says."""
    def wet(x, y):
        if not (0 <= x < WIDTH and 0 <= y < HEIGHT):
            return True             # the water runs on past the edge of the field
        kind, tile = grid[y][x]
        return kind in WATER or kind in BRIDGE or cat.names.get(tile) in IN_WATER
    for y in range(HEIGHT):
        for x in range(WIDTH):
            kind, tile = grid[y][x]
            family = family_of(cat.names.get(tile, '')) if kind in WATER else None
            if not family:
                continue
            sides, corners = shore.dry_around(wet, x, y)
            for name in shore.fallbacks(family, sides, corners):
                if name in cat.tiles:
                    grid[y][x] = (kind, cat.tiles[name][0])
                    break


def _text(path, n, value, limit, what):
    try:
        b = value.encode('cp1252')
    except UnicodeEncodeError:
        _fail(path, n, '%s holds characters the game cannot show' % what)
    if len(b) > limit:
        _fail(path, n, '%s is %d characters long, at most %d fit' % (what, len(b), limit))
    if not b:
        _fail(path, n, '%s is empty' % what)
    return b


def check_playable(lv):
    """The farmer can be placed, there is room to play and every spawn cell is reachable."""
    path, grid = lv['path'], lv['grid']
    kind = [[c[0] for c in row] for row in grid]

    def where(x, y):
        return lv['map_line'] + 1 + y

    def neighbours(x, y):
        for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1)):
            nx, ny = x + dx, y + dy
            if 0 <= nx < WIDTH and 0 <= ny < HEIGHT:
                yield nx, ny
    starts = [(x, y) for y in range(HEIGHT) for x in range(WIDTH)
              if kind[y][x] == 0 and any(kind[ny][nx] in OPEN for nx, ny in neighbours(x, y))]
    if not starts:
        _fail(path, lv['map_line'], 'the farmer cannot be placed: no free cell with an open neighbour')
    spawn = [(x, y) for y in range(HEIGHT) for x in range(WIDTH) if kind[y][x] in SAFE]
    need = 4 * (lv['fruits_on_field'] + lv['traps_on_field']) + 60
    if len(spawn) < need:
        _fail(path, lv['map_line'], 'only %d cells for fruits and traps, this level needs at least %d' % (len(spawn), need))
    # One dry region: every cell where a fruit can appear is reachable without wading.
    seen = {starts[0]}
    todo = [starts[0]]
    while todo:
        x, y = todo.pop()
        for nx, ny in neighbours(x, y):
            if (nx, ny) not in seen and kind[ny][nx] in SAFE:
                seen.add((nx, ny))
                todo.append((nx, ny))
    for x, y in spawn:
        if (x, y) not in seen:
            _fail(path, where(x, y), 'column %d is cut off: fruits there could not be reached without wading' % (x + 1))
    # The farmer cannot turn back: a dead-end corridor is certain death.
    alive = set(spawn)
    changed = True
    while changed:
        changed = False
        for x, y in list(alive):
            if sum((nx, ny) in alive for nx, ny in neighbours(x, y)) <= 1:
                alive.discard((x, y))
                changed = True
    for x, y in spawn:
        if (x, y) not in alive:
            _fail(path, where(x, y), 'column %d is a dead end: the farmer could not turn back' % (x + 1))


def encode(lv):
    def fixed(b, size):
        return b + b'\0' * (size - len(b))
    out = bytearray()
    out += b'\0'
    out += fixed(lv['title'], 40)
    out += fixed(lv['text'], 256)
    out += fixed(lv['background'].encode('ascii'), 80)
    out += struct.pack('<III', LAYERS, WIDTH, HEIGHT)
    for row in lv['grid']:
        for kind, tile in row:
            out += struct.pack('<BBBBI', 0, tile if kind else 0, kind, 0, 0)
    out += struct.pack('<HH', lv['objective'], lv['speed'])
    out += fixed(lv['music'].encode('ascii'), 40)
    out += struct.pack('<HHH', lv['fruit_life'], lv['fruits_on_field'], len(lv['fruits']))
    out += struct.pack('<%dH' % len(lv['fruits']), *lv['fruits'])
    out += struct.pack('<HHH', lv['trap_life'], lv['traps_on_field'], len(lv['traps']))
    out += struct.pack('<%dH' % len(lv['traps']), *lv['traps'])
    return bytes(out)


def level_sources(levels_dir):
    """The level sources in play order; their numbers must run 1, 2, 3... without a gap."""
    found = {}
    for name in os.listdir(levels_dir):
        m = re.fullmatch(r'level(\d+)\.txt', name)
        if m:
            found[int(m.group(1))] = os.path.join(levels_dir, name)
    numbers = sorted(found)
    for i, num in enumerate(numbers, 1):
        if num != i:
            raise LevelError('%s: level %d is missing, the game stops at the first gap' % (levels_dir, i))
    return [found[i] for i in numbers]


def compile_all(content_dir, data_dir, musics=None, backgrounds=None):
    cat = Catalogue(content_dir)
    levels = []
    for i, src in enumerate(level_sources(os.path.join(content_dir, 'levels')), 1):
        lv = parse(src, cat, musics, backgrounds)
        with open(os.path.join(data_dir, 'Level%d.dat' % i), 'wb') as f:
            f.write(encode(lv))
        levels.append(lv)
    return levels
