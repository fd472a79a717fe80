"""A tiny PNG writer (8-bit RGB, no interlace) for contact sheets."""
import struct
import zlib


def _chunk(kind, data):
    body = kind + data
    return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)


def encode(width, height, rgb):
    raw = bytearray()
    row = width * 3
    for y in range(height):
        raw.append(0)
        raw += rgb[y * row:(y + 1) * row]
    ihdr = struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + _chunk(b'IHDR', ihdr)
            + _chunk(b'IDAT', zlib.compress(bytes(raw), 6)) + _chunk(b'IEND', b''))


def write(path, width, height, rgb):
    with open(path, 'wb') as f:
        f.write(encode(width, height, rgb))
