#!/usr/bin/env python3
"""Installs the game the way a distribution does (cmake --install <build>
--prefix /usr into a scratch DESTDIR), checks the tree, and runs on its files
the checks desktops and distributions run.

    test_install.py <cmake> <build dir> <app id> <version> <program's folder>
"""
import configparser
import filecmp
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import xml.etree.ElementTree as ET
import zlib

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(SOURCE, 'tools'))
import bmp  # noqa: E402

CMAKE = BUILD = APP_ID = VERSION = BINDIR = None
ICON_SIZES = (32, 48, 64, 128, 256)
# What a game played in the build tree leaves in its Data folder.
PLAYER_FILES = {'score.dat', 'Levels.dat', 'levels.dat'}


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, timeout=120, **kw)


def read_png(path):
    """(width, height, RGBA rows) of an 8-bit RGBA PNG as our own writer makes them."""
    with open(path, 'rb') as f:
        data = f.read()
    assert data[:8] == b'\x89PNG\r\n\x1a\n', path
    pos, idat, header = 8, b'', None
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    w, h, depth, colour, _c, _f, interlace = header
    assert (depth, colour, interlace) == (8, 6, 0), (path, header)
    raw = zlib.decompress(idat)
    stride = 1 + w * 4
    rows = []
    for y in range(h):
        assert raw[y * stride] == 0, 'filtered row in ' + path
        row = raw[y * stride + 1:(y + 1) * stride]
        rows.append([tuple(row[x * 4:x * 4 + 4]) for x in range(w)])
    return w, h, rows


class InstallTree(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix='grovekeep-install-')
        done = run([CMAKE, '--install', BUILD, '--prefix', '/usr'], env=dict(os.environ, DESTDIR=cls.scratch))
        if done.returncode != 0:
            shutil.rmtree(cls.scratch)
            raise AssertionError('cmake --install failed:\n' + done.stdout + done.stderr)
        cls.usr = os.path.join(cls.scratch, 'usr')

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.scratch)

    def path(self, *parts):
        return os.path.join(self.usr, *parts)

    def test_program_and_the_data_the_build_made(self):
        program = self.path(BINDIR, 'grovekeep')
        self.assertTrue(os.access(program, os.X_OK))
        self.assertTrue(filecmp.cmp(program, os.path.join(BUILD, 'game', 'bin', 'grovekeep'), shallow=False))
        for folder, known in (('Data', 'Level1.dat'), ('Graphics', 'icon.bmp'), ('sound', 'click.wav')):
            built = os.path.join(BUILD, 'game', folder)
            installed = self.path('share', 'grovekeep', folder)
            expected = {n for n in os.listdir(built) if n not in PLAYER_FILES and not n.endswith('.new')
                        and not n.startswith('.')}
            self.assertEqual(set(os.listdir(installed)), expected, folder)
            self.assertTrue(filecmp.cmp(os.path.join(built, known), os.path.join(installed, known), shallow=False))

    def test_icons_are_the_window_icon_drawn_sharp_at_every_size(self):
        icons = {}
        for size in ICON_SIZES:
            w, h, rows = read_png(self.path('share', 'icons', 'hicolor', '%dx%d' % (size, size), 'apps',
                                            APP_ID + '.png'))
            self.assertEqual((w, h), (size, size))
            self.assertEqual({p[3] for row in rows for p in row}, {0, 255}, 'hard edges at %d' % size)
            icons[size] = rows
        # 32 is the game's own window icon, the colour key made transparent.
        w, h, px = bmp.read(os.path.join(BUILD, 'game', 'Graphics', 'icon.bmp'))
        self.assertEqual((w, h), (32, 32))
        for y in range(32):
            for x in range(32):
                rgb = tuple(px[(y * 32 + x) * 3:(y * 32 + x) * 3 + 3])
                self.assertEqual(icons[32][y][x], (0, 0, 0, 0) if rgb == (255, 0, 255) else rgb + (255,))
        # 64, 128, 256: each pixel of the art a whole square, nothing blended.
        for size in (64, 128, 256):
            k = size // 32
            blown_up = [[icons[32][y // k][x // k] for x in range(size)] for y in range(size)]
            self.assertEqual(icons[size], blown_up, size)
        # 48 is drawn again, not scaled: the same apple, one pixel of outline.
        same = sum((icons[48][y][x][3] == 255) == (icons[32][y * 2 // 3][x * 2 // 3][3] == 255)
                   for y in range(48) for x in range(48))
        self.assertGreater(same / 48 ** 2, 0.93)
        self.assertNotEqual(icons[48], [[icons[32][y * 2 // 3][x * 2 // 3] for x in range(48)] for y in range(48)])

    def test_desktop_entry_and_appstream_entry_validate(self):
        desktop = self.path('share', 'applications', APP_ID + '.desktop')
        checked = run(['desktop-file-validate', desktop])
        self.assertEqual((checked.returncode, checked.stdout + checked.stderr), (0, ''))
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(desktop)
        entry = entry['Desktop Entry']
        self.assertEqual((entry['Exec'], entry['Icon']), ('grovekeep', APP_ID))
        self.assertEqual(entry['Categories'], 'Game;ArcadeGame;')
        # Docks match the window to its entry by the class the game gives its window.
        self.assertEqual(entry['StartupWMClass'], APP_ID)

        metainfo = self.path('share', 'metainfo', APP_ID + '.metainfo.xml')
        checked = run(['appstreamcli', 'validate', '--no-net', metainfo])
        self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)
        self.assertFalse([line for line in checked.stdout.splitlines() if line[:2] in ('E:', 'W:')], checked.stdout)
        root = ET.parse(metainfo).getroot()
        self.assertEqual(root.findtext('id'), APP_ID)
        self.assertEqual(root.findtext('launchable'), os.path.basename(desktop))
        self.assertTrue(os.access(self.path(BINDIR, root.findtext('provides/binary')), os.X_OK))
        self.assertEqual(root.find('releases/release').get('version'), VERSION)
        self.assertEqual(root.findtext('project_license'), 'GPL-3.0-or-later')
        self.assertEqual(root.findtext('developer/name'), 'Grovekeep developers')

    def test_man_page_renders_without_warnings(self):
        page = run(['man', '--warnings', '-l', self.path('share', 'man', 'man6', 'grovekeep.6.gz')],
                   env=dict(os.environ, MANWIDTH='80', LC_ALL='C.UTF-8'))
        self.assertEqual((page.returncode, page.stderr), (0, ''))
        headings = [line for line in page.stdout.splitlines() if line[:1].isupper() and line.isupper()]
        self.assertEqual(headings, ['NAME', 'SYNOPSIS', 'DESCRIPTION', 'OPTIONS', 'CONTROLS', 'FILES',
                                    'EXIT STATUS'])
        for option in ('--window', '--help', '--version'):
            self.assertIn(option, page.stdout)

    def test_the_installed_game_runs_from_anywhere_and_keeps_its_files_at_home(self):
        """Started from an unrelated folder, headless, with its data read-only: it
        finds the data, makes the player's folders under XDG_DATA_HOME and
        XDG_STATE_HOME, logs there, leaves the data as it was and ends cleanly."""
        home = tempfile.mkdtemp(prefix='grovekeep-home-')
        data = self.path('share', 'grovekeep')
        shipped = sorted(os.path.relpath(os.path.join(d, f), data) for d, _, fs in os.walk(data) for f in fs)
        for d, _, _ in os.walk(data):
            os.chmod(d, 0o555)
        try:
            env = dict(os.environ, SDL_VIDEODRIVER='dummy', SDL_AUDIODRIVER='dummy', HOME=home,
                       XDG_DATA_HOME=os.path.join(home, 'data'), XDG_STATE_HOME=os.path.join(home, 'state'))
            game = subprocess.Popen([self.path(BINDIR, 'grovekeep')], cwd='/', env=env,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            log_file = os.path.join(home, 'state', 'grovekeep', 'stdout.log')
            log = ''
            for _ in range(200):
                if os.path.exists(log_file):
                    with open(log_file, errors='replace') as f:
                        log = f.read()
                if 'Run---' in log:
                    break
                time.sleep(0.1)
            time.sleep(0.3)
            game.send_signal(signal.SIGTERM)
            self.assertEqual(0, game.wait(timeout=20))
            with open(log_file, errors='replace') as f:
                log = f.read()
            self.assertIn('End of program', log)
            self.assertNotIn('missing', log)
            self.assertTrue(os.path.isdir(os.path.join(home, 'data', 'grovekeep')))
            now = sorted(os.path.relpath(os.path.join(d, f), data) for d, _, fs in os.walk(data) for f in fs)
            self.assertEqual(shipped, now)
        finally:
            for d, _, _ in os.walk(data):
                os.chmod(d, 0o755)
            shutil.rmtree(home)

    def test_package_documents(self):
        doc = self.path('share', 'doc', 'grovekeep')
        self.assertEqual(sorted(os.listdir(doc)), ['changelog.gz', 'copyright'])
        with open(os.path.join(doc, 'copyright')) as f:
            copyright_file = f.read()
        self.assertTrue(copyright_file.startswith('Format: https://www.debian.org/doc/packaging-manuals/'
                                                  'copyright-format/1.0/\n'), copyright_file[:80])
        self.assertIn('\nFiles: *\n', copyright_file)
        self.assertIn('\nLicense: GPL-3+\n', copyright_file)
        unpacked = run(['gzip', '-dc', os.path.join(doc, 'changelog.gz')])
        self.assertTrue(unpacked.stdout.startswith('grovekeep (%s) ' % VERSION), unpacked.stdout)


if __name__ == '__main__':
    CMAKE, BUILD, APP_ID, VERSION, BINDIR = sys.argv[1:6]
    unittest.main(argv=sys.argv[:1], verbosity=2)
