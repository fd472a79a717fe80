#!/usr/bin/env python3
"""Builds every data file of the game from the sources in content/.

    build_content.py <content dir> <game dir>

writes <game dir>/Data, <game dir>/Graphics and <game dir>/sound. The output
depends only on the sources: no time stamps, fixed random seeds.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import bmp          # noqa: E402
import wav          # noqa: E402
import compose      # noqa: E402
import levelc       # noqa: E402
import sheets       # noqa: E402
import canvas       # noqa: E402

# Sheet layouts: which frames sit where. The validation reads these too.
PLAYER_SHEET = 'player.bmp'
TARGET_SHEET = 'targets.bmp'
TRAP_SHEET = 'traps.bmp'
BOLT_SHEET = 'traps2.bmp'
FRUIT_COLS = 8
TARGET_ICONS = {(1, 7): 'basket', (3, 7): 'antidote', (1, 8): 'heart', (2, 8): 'coin', (3, 8): 'target'}
# Trap sheet rows by sample index; the lightning bolt has a sheet of its own,
# so the explosion takes the row the bolt leaves free.
TRAP_ROW = {name: i for i, name in enumerate(
    ['RAIN', 'TORNADO', 'FLOOD', 'EXPLOSION', 'FIRE', 'BOMB', 'POISONIVY', 'MUSHROOM', 'STAR', 'BASKET',
     'MOREFRUITS', 'POISON', 'ANTIDOTE', 'DONATE', 'ANGEL', 'GOLD'])}
# Records read with sharing off load their own sheet into their texture object.
TRAP_SHARED = {'TORNADO', 'BOMB', 'POISONIVY', 'MUSHROOM', 'STAR', 'BASKET', 'MOREFRUITS', 'POISON',
               'ANTIDOTE', 'DONATE', 'ANGEL', 'GOLD'}
TRAP_TITLES = {'RAIN': 'Rain', 'TORNADO': 'Tornado', 'FLOOD': 'Flood', 'LIGHTENING': 'Lightning', 'FIRE': 'Fire',
               'BOMB': 'Bomb', 'POISONIVY': 'PoisonIvy', 'MUSHROOM': 'Toadstool', 'STAR': 'Star', 'BASKET': 'Basket',
               'MOREFRUITS': 'MoreFruit', 'POISON': 'WitchApple', 'ANTIDOTE': 'Antidote', 'DONATE': 'DonationBox',
               'ANGEL': 'Angel', 'GOLD': 'Gold', 'EXPLOSION': 'Explosion'}


def g(name):
    return '../Graphics/' + name


def art_modules(content):
    for sub in ('art', 'sound'):
        p = os.path.join(content, sub)
        if p not in sys.path:
            sys.path.insert(0, p)


def save(cv, path):
    bmp.write(path, cv.w, cv.h, cv.px)


def build_graphics(content, gfx, data):
    import tiles, fruits, traps, farmer, ui, pictures, help as helptext
    cat = levelc.Catalogue(content)
    canvas.font(content)

    # static objects: 8 tiles a row (the tile index counts along the rows), at least 8 rows
    cells = {(idx % 8, idx // 8): tiles.draw(name) for name, (idx, _cls, _k) in cat.tiles.items()}
    rows = max(8, max(r for _c, r in cells) + 1)
    save(sheets.build(cells, 8, rows), os.path.join(gfx, 'static.bmp'))

    # the farmer: one row per direction
    fr = farmer.frames()
    cells = {}
    for row, d in enumerate(farmer.DIRECTIONS):
        for i, f in enumerate(fr[d]):
            cells[(i, row)] = f
    save(sheets.build(cells, 4, 4), os.path.join(gfx, PLAYER_SHEET))
    strips = [(d.capitalize(), 4, row, 0) for row, d in enumerate(farmer.DIRECTIONS)]
    with open(os.path.join(data, 'Player.txt'), 'w', newline='\n') as f:
        f.write(sheets.record('Farmer', g(PLAYER_SHEET), 1, 32, 32, [('Walk', strips)]))

    # fruits and the panel icons
    cells = {}
    recs = []
    for i, name in enumerate(cat.fruits):
        c, r = i % FRUIT_COLS, i // FRUIT_COLS
        cells[(c, r)] = fruits.draw(name)
        recs.append(sheets.record(name, g(TARGET_SHEET), 1, 32, 32, sheets.walk(r, c, 1)))
    for pos, name in TARGET_ICONS.items():
        cells[pos] = fruits.icon(name)
    save(sheets.build(cells, FRUIT_COLS, 9), os.path.join(gfx, TARGET_SHEET))
    with open(os.path.join(data, 'targets.txt'), 'w', newline='\n') as f:
        f.write(''.join(recs))

    # traps and bonuses
    tf = traps.frames()
    cells = {}
    for name, row in TRAP_ROW.items():
        for i, fr_ in enumerate(tf[name]):
            cells[(i, row)] = fr_
    save(sheets.build(cells, 16, 16), os.path.join(gfx, TRAP_SHEET))
    save(sheets.build({(i, 0): f for i, f in enumerate(tf['LIGHTENING'])}, len(tf['LIGHTENING']), 1), os.path.join(gfx, BOLT_SHEET))
    recs = []
    for name in cat.traps:
        if name == 'LIGHTENING':
            recs.append(sheets.record(TRAP_TITLES[name], g(BOLT_SHEET), 1, 32, 32, sheets.walk(0, 0, len(tf[name]))))
        else:
            recs.append(sheets.record(TRAP_TITLES[name], g(TRAP_SHEET), 1, 32, 32, sheets.walk(TRAP_ROW[name], 0, len(tf[name]))))
    with open(os.path.join(data, 'traps.txt'), 'w', newline='\n') as f:
        f.write(''.join(recs))

    # widgets
    save(sheets.build({(0, 0): ui.check(True), (1, 0): ui.check(False)}, 2, 1), os.path.join(gfx, 'check.bmp'))
    save(sheets.build({(0, s): ui.button(s) for s in range(3)}, 1, 3, 128, 32), os.path.join(gfx, 'button.bmp'))
    for up, fname in ((True, 'upbutton.bmp'), (False, 'downbutton.bmp')):
        save(sheets.build({(0, 0): ui.arrow(up, False), (1, 0): ui.arrow(up, True)}, 2, 1), os.path.join(gfx, fname))
    save(ui.window_icon(), os.path.join(gfx, 'icon.bmp'))

    # pictures
    save(pictures.title(), os.path.join(gfx, 'titlew.bmp'))
    save(pictures.menu_farmer(), os.path.join(gfx, 'farmer.bmp'))
    save(pictures.menu_fruits(), os.path.join(gfx, 'fruits.bmp'))
    save(pictures.help1(helptext.TEXTS), os.path.join(gfx, 'help1.bmp'))
    save(pictures.help2(helptext.TEXTS), os.path.join(gfx, 'help2.bmp'))
    save(pictures.finale(), os.path.join(gfx, 'Grovekeep.bmp'))
    for name in pictures.BACKGROUNDS:
        save(pictures.background(name), os.path.join(gfx, 'bg_%s.bmp' % name))
    return set(pictures.BACKGROUNDS)


def build_sound(content, snd):
    import effects
    for fname, fn in effects.EFFECTS:
        wav.write(os.path.join(snd, fname), fn())
    names = set()
    for r in compose.parse_recipes(os.path.join(content, 'music', 'tunes.txt')):
        blob, _secs = compose.compose(r)
        with open(os.path.join(snd, r['name'] + '.mid'), 'wb') as f:
            f.write(blob)
        names.add(r['name'])
    return names


def main(argv):
    if len(argv) != 3:
        print(__doc__)
        return 2
    content, game = argv[1], argv[2]
    art_modules(content)
    dirs = {k: os.path.join(game, k) for k in ('Data', 'Graphics', 'sound')}
    for d in dirs.values():
        os.makedirs(d, exist_ok=True)
    try:
        backgrounds = build_graphics(content, dirs['Graphics'], dirs['Data'])
        tunes = build_sound(content, dirs['sound'])
        levelc.compile_all(content, dirs['Data'], tunes, backgrounds)
    except (levelc.LevelError, compose.RecipeError) as e:
        print('error: %s' % e, file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
