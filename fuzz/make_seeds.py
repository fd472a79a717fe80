#!/usr/bin/env python3
"""Writes the fuzz harnesses' seed inputs into fuzz/corpus/<reader>/.

Small, valid examples of every file the readers take, in each variant the
reader knows (bit depths, header kinds, chunk orders), so the fuzzer starts
from inputs that get past the first checks. Deterministic: run it again and
the files are the same.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(reader, name, data):
    folder = os.path.join(HERE, "corpus", reader)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# --- Bitmaps ---------------------------------------------------------------
def bitmap(width, height, bpp, rows, palette=b"", header="info", masks=None, top_down=False):
    row_bytes = ((width * bpp + 31) // 32) * 4
    pixels = b"".join(r.ljust(row_bytes, b"\0") for r in rows)
    if header == "core":
        info = struct.pack("<IHHHH", 12, width, height, 1, bpp)
    else:
        compression = 3 if masks else 0
        info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bpp, compression,
                           len(pixels), 2835, 2835, len(palette) // (3 if header == "core" else 4), 0)
        if masks:
            info += struct.pack("<III", *masks)
    offset = 14 + len(info) + len(palette)
    head = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    return head + info + palette + pixels


def bitmaps():
    magenta, green = b"\xff\x00\xff\x00", b"\x00\xc0\x00\x00"
    write("bitmap", "bgr24.bmp", bitmap(3, 2, 24, [b"\xff\x00\xff" * 3, b"\x00\x80\x00\x10\x20\x30\xff\xff\xff"]))
    write("bitmap", "argb32.bmp", bitmap(2, 2, 32, [b"\x01\x02\x03\xff" * 2, b"\xff\x00\xff\x00" * 2]))
    write("bitmap", "bitfields565.bmp",
          bitmap(2, 2, 16, [b"\x1f\xf8\xe0\x07", b"\x00\x00\xff\xff"], masks=(0xF800, 0x07E0, 0x001F)))
    write("bitmap", "rgb555.bmp", bitmap(3, 1, 16, [b"\x1f\x7c\xe0\x03\x1f\x00"]))
    write("bitmap", "palette8.bmp", bitmap(4, 2, 8, [b"\x00\x01\x01\x00", b"\x01\x00\x00\x01"], magenta + green))
    write("bitmap", "palette4_topdown.bmp", bitmap(5, 2, 4, [b"\x01\x10\x00", b"\x11\x01\x10"], magenta + green,
                                                   top_down=True))
    write("bitmap", "mono.bmp", bitmap(9, 2, 1, [b"\xaa\x80", b"\x55\x00"], magenta + green))
    write("bitmap", "core24.bmp", bitmap(2, 2, 24, [b"\xff\x00\xff" * 2, b"\x00\xff\x00" * 2], header="core"))


# --- Waves -----------------------------------------------------------------
def chunk(tag, body):
    return tag + struct.pack("<I", len(body)) + body + (b"\0" if len(body) % 2 else b"")


def riff(*chunks):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def pcm(channels, rate, bits, extra=None):
    align = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * align, align, bits)
    return fmt if extra is None else fmt + struct.pack("<H", extra)


def waves():
    samples = bytes(range(0, 256, 16))
    write("wave", "mono8.wav", riff(chunk(b"fmt ", pcm(1, 11025, 8)), chunk(b"data", samples)))
    write("wave", "stereo16_extra.wav", riff(chunk(b"fmt ", pcm(2, 22050, 16, 0)), chunk(b"data", samples)))
    write("wave", "list_first_odd.wav", riff(chunk(b"LIST", b"INFOx"), chunk(b"fmt ", pcm(1, 8000, 8)),
                                              chunk(b"data", b"\x80\x90\xa0")))
    write("wave", "data_before_fmt.wav", riff(chunk(b"data", samples[:4]), chunk(b"fmt ", pcm(1, 8000, 16))))


# --- Maps and levels ---------------------------------------------------------
def text_field(text, size):
    return text.encode("ascii").ljust(size, b"\0")[:size]


def map_part(layers, width, height, title="Meadow", text="Pick the apples.", background=""):
    head = b"\x01" + text_field(title, 40) + text_field(text, 256) + text_field(background, 80)
    head += struct.pack("<III", layers, width, height)
    cells = b""
    for i in range(layers * width * height):
        kind = (0, 1, 12, 18, 28, 38)[i % 6]
        cells += struct.pack("<BBBB", 0, i % 7, kind, 0) + b"\0\0\0\0"
    return head + cells


def game_section(objective=30, speed=2, music="meadow.mid", fruits=(0, 3, 39), traps=(0, 16), on_field=(5, 5)):
    out = struct.pack("<HH", objective, speed) + text_field(music, 40)
    out += struct.pack("<HH", 30, on_field[0]) + struct.pack("<H", len(fruits))
    out += struct.pack("<%dH" % len(fruits), *fruits)
    out += struct.pack("<HH", 30, on_field[1]) + struct.pack("<H", len(traps)) + struct.pack("<%dH" % len(traps), *traps)
    return out


def maps():
    write("map", "one_layer_3x2.map", map_part(1, 3, 2))
    write("map", "two_layers_2x2.map", map_part(2, 2, 2, title="Two", text=""))
    write("map", "empty.map", map_part(0, 0, 0, title="", text=""))
    write("map", "with_section.map", map_part(1, 2, 1) + game_section())
    # Counts whose product wraps around 2^64 to the 10 cells the file holds.
    wrapping = map_part(1, 10, 1)
    write("map", "wrapping_counts.map", wrapping[:377] + struct.pack("<III", 2977518503, 21398, 289529) + wrapping[389:])
    write("level", "level_27x23.dat", map_part(1, 27, 23) + game_section())
    write("level", "level_no_samples.dat", map_part(1, 27, 23, title="Bare") + game_section(music="", fruits=(),
                                                                                                traps=()))


def spawn_levels():
    # Short lives, every trap kind, a full field: the spawner and the traps get to work at once.
    write("spawn", "every_trap.dat", map_part(1, 27, 23) + game_section(speed=8, traps=tuple(range(17)),
                                                                      on_field=(10, 10)))
    write("spawn", "crowded.dat", map_part(1, 27, 23) + game_section(speed=16, fruits=tuple(range(40)),
                                                                   traps=(1, 4, 5, 16), on_field=(10, 100)))


# --- Tunes ------------------------------------------------------------------------
def midi(tracks, fmt=1):
    out = b"MThd" + struct.pack(">IHHH", 6, fmt, len(tracks), 96)
    for events in tracks:
        body = events + b"\x00\xff\x2f\x00"
        out += b"MTrk" + struct.pack(">I", len(body)) + body
    return out


def tunes():
    tempo = b"\x00\xff\x51\x03\x07\xa1\x20"
    # A note on, then running status for two more, then note offs.
    notes = b"\x00\xc0\x00\x00\x90\x3c\x60\x00\x40\x60\x00\x43\x60\x83\x60\x80\x3c\x00\x00\x40\x00"
    sysex = b"\x00\xf0\x05\x7e\x7f\x09\x01\xf7"
    write("tune", "format0.mid", midi([tempo + notes], fmt=0))
    write("tune", "format1.mid", midi([tempo, sysex + notes]))
    smf = midi([notes])
    write("tune", "wrapped.rmi", b"RIFF" + struct.pack("<I", 4 + 8 + len(smf)) + b"RMID" + b"data" +
          struct.pack("<I", len(smf)) + smf)


# --- Animation descriptions ---------------------------------------------------
def animations():
    walk = "Walk 4\nNorth 4 0 0\nEast 4 1 0\nSouth 4 2 0\nWest 4 3 0\n"
    write("animation", "player.txt",
          ("Farmer ../Graphics/player.bmp 1 255 0 255 32 32 1\n" + walk).encode())
    write("animation", "two_records.txt",
          ("Rain ../Graphics/traps.bmp 1 255 0 255 32 32 1\n" + walk +
           "Bomb ../Graphics/traps.bmp 0 255 0 255 32 32 2\nWalk 1\nSouth 4 5 0\nDie 1\nSouth 9 0 1\n").encode())
    write("animation", "show_many_frames.txt",
          b"Star ../Graphics/star.bmp 1 255 0 255 64 48 1\nShow 2\nNorth 255 7 3\nSouth 0 0 0\n")
    # A strip whose frames would lie past any sheet: refused.
    write("animation", "strip_past_any_sheet.txt", b"X f 0 0 0 0 65535 65535 1\nWalk 1\nNorth 255 65535 65535\n")


# --- Saved files ---------------------------------------------------------------
def saved_files():
    write("savedfiles", "score.dat", struct.pack("<I", 1234))
    write("savedfiles", "levels_two.dat", text_field("Meadow", 40) + text_field("Orchard", 40))
    write("savedfiles", "level_title.dat", b"\x01" + text_field("Meadow", 40) + b"\x03")


if __name__ == "__main__":
    bitmaps()
    waves()
    maps()
    spawn_levels()
    tunes()
    animations()
    saved_files()
