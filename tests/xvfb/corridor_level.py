#!/usr/bin/env python3
"""Writes the level the real-window play test walks: trees everywhere but a
corridor of free ground two rows high and the whole field wide.

    corridor_level.py <content folder of the sources> <level file to write>

Every cell a fruit may take lies in the corridor, so the fruits are where
the farmer walks whatever the random draw; he starts in it too, on a cell
the test finds on the screen. The whole corridor is free ground because the
farmer's cell is drawn at random from the whole field, 300 times at most:
its 54 cells of 621 are missed by all of them about once in 10^12 starts.
No music and no traps: the only sounds of play are the fruits being
collected. The level compiler would refuse the layout (too few cells for
fruits and traps), so the level is encoded directly.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools'))
import levelc  # noqa: E402

ROW = 4           # the corridor's upper row
SPEED = 4         # pixels a frame
FRUITS = 10       # the most a field holds


def corridor_grid(cat):
    index, _cls, kind = cat.tiles['oak_tree']
    grid = [[(kind, index)] * levelc.WIDTH for _ in range(levelc.HEIGHT)]
    for y in (ROW, ROW + 1):
        grid[y] = [(0, 0)] * levelc.WIDTH    # free ground: kind 0, the background shows
    return grid


def main():
    content, out = sys.argv[1], sys.argv[2]
    cat = levelc.Catalogue(content)
    level = {
        'title': b'Corridor',
        'text': b'Two rows of open ground between the trees.',
        'background': '../Graphics/bg_grass.bmp',
        'grid': corridor_grid(cat),
        'objective': 500,          # never won while the test walks
        'speed': SPEED,
        'music': '',
        'fruit_life': 600,         # no fruit expires during the test
        'fruits_on_field': FRUITS,
        'fruits': [cat.fruits.index('apple')],
        'trap_life': 600,
        'traps_on_field': 0,
        'traps': [],
    }
    with open(out, 'wb') as f:
        f.write(levelc.encode(level))


if __name__ == '__main__':
    main()
