#!/usr/bin/env python3
"""The level compiler refuses what the game would choke on, naming file and line.

    test_level_compiler.py <content dir>
"""
import os
import shutil
import struct
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import levelc  # noqa: E402
import shore   # noqa: E402

CONTENT = os.path.join(HERE, '..', 'content')

HEADER = """title: Test Field
text: A small field for the compiler's tests.
objective: 5
speed: 4
music: test.mid
background: grass
fruit-life: 30
fruits-on-field: 3
fruits: apple pear 2
trap-life: 30
traps-on-field: 2
traps: GOLD RAIN
"""
# header lines above: the map rows start at line 14 (line 13 is 'map:')
FIRST_ROW = 14


def open_field():
    return [['.'] * 27 for _ in range(23)]


class Compiler(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp()
        self.cat = levelc.Catalogue(CONTENT)

    def tearDown(self):
        shutil.rmtree(self.dir)

    def write(self, header=HEADER, rows=None, name='level01.txt'):
        rows = rows if rows is not None else open_field()
        p = os.path.join(self.dir, name)
        with open(p, 'w') as f:
            f.write(header + 'map:\n' + '\n'.join(''.join(r) for r in rows) + '\n')
        return p

    def refused(self, path, line, words):
        with self.assertRaises(levelc.LevelError) as cm:
            levelc.parse(path, self.cat, {'test'}, {'grass'})
        msg = str(cm.exception)
        self.assertTrue(msg.startswith('%s:%d:' % (path, line)), msg)
        self.assertIn(words, msg)
        return msg

    def test_good_level_encodes_map_then_game_section(self):
        rows = open_field()
        rows[5][7] = 'A'            # apple tree: kind 12, tile 8
        rows[9][3] = '='            # bridge: kind 4, tile 4
        lv = levelc.parse(self.write(rows=rows), self.cat, {'test'}, {'grass'})
        blob = levelc.encode(lv)
        self.assertEqual(len(blob), 389 + 27 * 23 * 8 + 56 + 2 * 3 + 2 * 2)
        self.assertEqual(blob[0], 0)
        self.assertEqual(blob[1:41].split(b'\0')[0], b'Test Field')
        self.assertEqual(blob[297:377].split(b'\0')[0], b'../Graphics/bg_grass.bmp')
        self.assertEqual(struct.unpack_from('<III', blob, 377), (1, 27, 23))
        cell = 389 + (5 * 27 + 7) * 8
        self.assertEqual(blob[cell:cell + 8], bytes([0, 8, 12, 0, 0, 0, 0, 0]))
        cell = 389 + (9 * 27 + 3) * 8
        self.assertEqual(blob[cell:cell + 3], bytes([0, 4, 4]))
        g = 389 + 27 * 23 * 8
        self.assertEqual(struct.unpack_from('<HH', blob, g), (5, 4))
        self.assertEqual(blob[g + 4:g + 44].split(b'\0')[0], b'test.mid')
        self.assertEqual(struct.unpack_from('<6H', blob, g + 44), (30, 3, 3, 0, 2, 2))
        self.assertEqual(struct.unpack_from('<5H', blob, g + 56), (30, 2, 2, 15, 0))

    def test_unknown_map_character(self):
        rows = open_field()
        rows[4][10] = '?'
        self.refused(self.write(rows=rows), FIRST_ROW + 4, "unknown map character '?' in column 11")

    def test_wrong_row_length_and_row_count(self):
        rows = open_field()
        rows[2] = rows[2][:26]
        self.refused(self.write(rows=rows), FIRST_ROW + 2, 'has 26 characters')
        self.refused(self.write(rows=open_field()[:22]), FIRST_ROW + 22, 'the map has 22 rows')
        self.refused(self.write(rows=open_field() + [['.'] * 27]), FIRST_ROW + 23, 'more than 23 rows')

    def test_sample_indices_out_of_range(self):
        self.refused(self.write(HEADER.replace('fruits: apple pear 2', 'fruits: apple 40')), 9, 'fruit sample 40 out of range 0..39')
        self.refused(self.write(HEADER.replace('traps: GOLD RAIN', 'traps: GOLD 17')), 12, 'trap sample 17 out of range 0..16')
        self.refused(self.write(HEADER.replace('traps: GOLD RAIN', 'traps: GOLDEN')), 12, "unknown trap sample 'GOLDEN'")
        self.refused(self.write(HEADER.replace('fruits: apple pear 2', 'fruits:')), 9, 'at least one fruit sample')

    def test_farmer_cannot_be_placed(self):
        # every free cell is walled in by trees on all four sides
        rows = [['A'] * 27 for _ in range(23)]
        for y in range(1, 23, 2):
            for x in range(1, 27, 2):
                rows[y][x] = '.'
        self.refused(self.write(rows=rows), FIRST_ROW - 1, 'the farmer cannot be placed')

    def test_title_and_text_limits(self):
        self.refused(self.write(HEADER.replace('Test Field', 'T' * 40)), 1, 'title is 40 characters long, at most 39')
        long_text = 'text: ' + 'x' * 200 + '\ntext: ' + 'y' * 60 + '\n'
        self.refused(self.write(HEADER.replace("text: A small field for the compiler's tests.\n", long_text)), 2, 'at most 255')

    def test_cut_off_region_and_dead_end(self):
        rows = open_field()
        for y in range(23):
            rows[y][13] = '~'        # a river without a bridge
        self.refused(self.write(rows=rows), FIRST_ROW, 'cut off')
        rows = open_field()
        for x in range(27):
            rows[1][x] = 'A'
        rows[1][5] = '.'             # a pocket one cell deep in the top row
        for x in range(27):
            rows[0][x] = 'A'
        rows[0][5] = '.'
        self.refused(self.write(rows=rows), FIRST_ROW, 'dead end')

    def test_tile_must_match_its_kind(self):
        self.refused(self.write('legend: ! water 12\n' + HEADER), 1, "tile 'water' (water) cannot carry static-object kind 12")
        self.refused(self.write('legend: ! no_such_tile\n' + HEADER), 1, "unknown tile 'no_such_tile'")

    def test_bad_header_values(self):
        self.refused(self.write(HEADER.replace('speed: 4', 'speed: 5')), 4, 'player speed must be one of')
        self.refused(self.write(HEADER.replace('music: test.mid', 'music: nothere.mid')), 5, "no tune 'nothere'")
        self.refused(self.write(HEADER.replace('music: test.mid', 'music: test.wav')), 5, 'ending in .mid')
        self.refused(self.write(HEADER.replace('fruit-life: 30', 'fruit-life: 3')), 7, 'outside 4..600')
        self.refused(self.write(HEADER.replace('fruits-on-field: 3', 'fruits-on-field: 11')), 8, 'outside 1..10')
        self.refused(self.write(HEADER.replace('objective: 5\n', '')), FIRST_ROW - 2, "missing field 'objective'")
        self.refused(self.write(HEADER + 'colour: blue\n'), 13, "unknown field 'colour'")

    def test_missing_level_number_is_refused(self):
        self.write(name='level01.txt')
        self.write(name='level03.txt')
        with self.assertRaises(levelc.LevelError) as cm:
            levelc.level_sources(self.dir)
        self.assertIn('level 2 is missing', str(cm.exception))

    def tile(self, name):
        return self.cat.tiles[name][0]

    def test_banks_follow_the_neighbours_and_leave_every_kind_alone(self):
        rows = open_field()
        for y in range(23):               # a river two cells wide that steps east at row 15
            x = 10 if y < 15 else 11
            rows[y][x] = rows[y][x + 1] = '~'
        rows[8][10] = rows[8][11] = '='   # a bridge across it
        rows[3][10] = 'o'                 # a lily on the west bank
        lv = levelc.parse(self.write(rows=rows), self.cat, {'test'}, {'grass'})
        want = {(10, 0): 'bank_w',        # the river runs on past the top of the field
                (10, 7): 'bank_w', (10, 9): 'bank_w',   # the bridge joins the water
                (11, 8): 'bridge_h',
                (10, 14): 'bank_sw', (11, 14): 'bank_e_in_sw',
                (11, 15): 'bank_w_in_ne', (12, 15): 'bank_ne', (12, 22): 'bank_e'}
        for (x, y), name in want.items():
            self.assertEqual(lv['grid'][y][x][1], self.tile(name), (x, y, name))
        self.assertEqual(lv['grid'][3][10], (3, self.tile('bank_w')), 'the lily cell keeps its kind')
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                self.assertEqual(lv['grid'][y][x][0], self.cat.legend[ch][0], (x, y))

    def test_open_water_keeps_its_tile_and_rare_corners_fall_back(self):
        water, lily, swamp = (1, self.tile('water')), (3, self.tile('water_lily')), (6, self.tile('swamp'))
        grid = [[water] * 27 for _ in range(23)]
        grid[10][20] = lily
        grid[5][5] = grid[7][7] = (0, 0)          # ground north-west and south-east of (6, 6)
        grid[15][3] = grid[16][3] = swamp
        grid[17][3] = (21, self.tile('path_planks'))   # a board walk stands in the water
        grid[15][2] = (12, self.tile('apple_tree'))
        levelc.lay_banks(grid, self.cat)
        self.assertEqual(grid[10][20], lily)
        self.assertEqual(grid[6][6], (1, self.tile('bank_in_nw')))
        self.assertEqual(grid[4][4], (1, self.tile('bank_in_se')))
        self.assertEqual(grid[5][6], (1, self.tile('bank_w')))
        self.assertEqual(grid[15][3], (6, self.tile('swampbank_w')))
        self.assertEqual(grid[16][3], (6, self.tile('swampbank_in_nw')), 'the tree pokes in; the board walk does not')
        self.assertEqual(grid[17][3][1], self.tile('path_planks'))

    def test_every_bank_tile_is_water_in_a_sheet_eight_tiles_wide(self):
        used = [idx for idx, _c, _k in self.cat.tiles.values()]
        self.assertEqual(len(used), len(set(used)), 'two tiles in one slot')
        self.assertLess(max(used), 8 * 30, 'the one-pixel grid holds at most 30 rows')
        self.assertEqual(self.cat.tiles['butterfly'][0], 57, 'the menu decoration sits at texel (32, 224)')
        for family, kind in (('bank', 1), ('swampbank', 6)):
            names = shore.drawn_set(family)
            self.assertEqual(len(names), 35)
            for name in names:
                self.assertEqual(shore.name(*shore.parse(name)), name)
                self.assertEqual(self.cat.tiles[name][1:], ('water', kind), name)

    def test_shipped_levels_compile(self):
        srcs = levelc.level_sources(os.path.join(CONTENT, 'levels'))
        self.assertEqual(len(srcs), 30)
        for src in srcs:
            levelc.parse(src, self.cat)  # how the objectives run is checked with the built data


if __name__ == '__main__':
    if len(sys.argv) > 1:
        CONTENT = sys.argv.pop(1)
    unittest.main(verbosity=1)
