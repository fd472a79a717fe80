#!/usr/bin/env python3
"""The file writers and the sheet layout agree with the readers the game uses."""
import math
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
import synth    # noqa: E402
from canvas import Canvas, MAGENTA  # noqa: E402


class Bitmaps(unittest.TestCase):
    def test_round_trip_with_row_padding(self):
        w, h = 5, 3            # 15 bytes a row: one padding byte per row in the file
        px = bytes(range(w * h * 3))
        blob = bmp.encode(w, h, px)
        self.assertEqual(len(blob), 54 + 16 * h)
        self.assertEqual(struct.unpack_from('<ii', blob, 18), (5, 3))
        self.assertEqual(bmp.decode(blob), (w, h, bytearray(px)))

    def test_bottom_up_order_and_bgr(self):
        blob = bmp.encode(1, 2, bytes([1, 2, 3, 4, 5, 6]))
        # the file's first row is the picture's bottom row, blue first
        self.assertEqual(blob[54:57], bytes([6, 5, 4]))

    def test_reader_refuses_truncated_or_compressed_files(self):
        blob = bmp.encode(4, 4, bytes(48))
        with self.assertRaises(ValueError):
            bmp.decode(blob[:70])
        bad = bytearray(blob)
        struct.pack_into('<I', bad, 30, 1)
        with self.assertRaises(ValueError):
            bmp.decode(bytes(bad))


class Waves(unittest.TestCase):
    def test_header_and_clipping(self):
        blob = wav.encode([0.0, 0.5, -1.5, 2.0])
        fmt, data = wav.decode(blob)
        self.assertEqual(fmt, dict(tag=1, channels=1, rate=22050, avg=44100, align=2, bits=16))
        self.assertEqual(struct.unpack('<4h', data), (0, 16384, -32768, 32767))
        self.assertEqual(struct.unpack_from('<I', blob, 4)[0], len(blob) - 8)

    def test_reader_walks_chunks_in_any_order_with_padding(self):
        fmt = struct.pack('<HHIIHH', 1, 1, 8000, 16000, 2, 16)
        body = b'WAVE' + b'LIST' + struct.pack('<I', 3) + b'abc\0' + b'data' + struct.pack('<I', 2) + b'\x01\x02' \
            + b'fmt ' + struct.pack('<I', 16) + fmt
        f, data = wav.decode(b'RIFF' + struct.pack('<I', len(body)) + body)
        self.assertEqual((f['rate'], data), (8000, b'\x01\x02'))
        with self.assertRaises(ValueError):
            wav.decode(b'RIFF' + struct.pack('<I', 4) + b'WAVE')

    def test_finish_fades_and_levels_the_loudness(self):
        def rms(samples):
            return math.sqrt(sum(s * s for s in samples) / len(samples))
        loud = synth.finish([0.3 + 0.5 * math.sin(i * 0.05) for i in range(4000)])
        self.assertEqual(loud[0], 0.0)
        self.assertAlmostEqual(loud[-1], 0.0)
        self.assertAlmostEqual(rms(loud), synth.LOUDNESS_CEILING, places=6)
        # A short burst in silence is driven up, its peak kept.
        quiet = synth.finish([math.sin(i * 0.3) if 1000 <= i < 1200 else 0.0 for i in range(4000)])
        self.assertAlmostEqual(max(abs(s) for s in quiet), 0.89, places=6)
        self.assertGreater(rms(quiet), 0.89 * rms([math.sin(i * 0.3) for i in range(200)]) * math.sqrt(200 / 4000))


class Midi(unittest.TestCase):
    def test_variable_length_numbers(self):
        self.assertEqual(midi._varlen(0), b'\x00')
        self.assertEqual(midi._varlen(0x7f), b'\x7f')
        self.assertEqual(midi._varlen(0x80), b'\x81\x00')
        self.assertEqual(midi._varlen(0x0fffffff), b'\xff\xff\xff\x7f')

    def test_note_off_before_note_on_at_the_same_tick(self):
        t = midi.track(midi.note(0, 10, 0, 60, 90) + midi.note(10, 10, 0, 60, 90))
        body = t[8:]
        # delta 0 on, delta 10 off, delta 0 on, delta 10 off, end of track
        self.assertEqual(body, bytes([0, 0x90, 60, 90, 10, 0x80, 60, 0, 0, 0x90, 60, 90, 10, 0x80, 60, 0, 0, 0xff, 0x2f, 0]))

    def test_header_parse(self):
        blob = midi.encode([midi.track([midi.tempo_event(0, 120)])])
        self.assertEqual(midi.parse_header(blob), (1, 1, midi.PPQ))
        with self.assertRaises(ValueError):
            midi.parse_header(blob[:-1])


class Sheets(unittest.TestCase):
    def test_texture_size_rounds_up_to_powers_of_two(self):
        self.assertEqual(sheets.texture_size(97, 65, 32, 32), (128, 64))
        self.assertEqual(sheets.texture_size(8 * 33 + 1, 9 * 33 + 1, 32, 32), (256, 512))

    def test_frames_sit_inside_a_one_pixel_grid(self):
        red = Canvas(32, 32, (255, 0, 0))
        s = sheets.build({(1, 1): red}, 3, 2)
        self.assertEqual((s.w, s.h), (100, 67))
        self.assertEqual(s.get(1 + 33, 1 + 33), (255, 0, 0))
        self.assertEqual(s.get(33, 34), sheets.GRID)
        self.assertEqual(s.get(1, 1), MAGENTA)

    def test_too_many_columns_are_refused(self):
        with self.assertRaises(AssertionError):
            sheets.build({}, 31, 1)

    def test_record_text_puts_row_before_column(self):
        text = sheets.record('x', '../Graphics/a.bmp', 1, 32, 32, [('Walk', [('East', 4, 2, 5)])])
        self.assertEqual(text.split(), ['x', '../Graphics/a.bmp', '1', '255', '0', '255', '32', '32', '1',
                                        'Walk', '1', 'East', '4', '2', '5'])


if __name__ == '__main__':
    unittest.main(verbosity=1)
