"""A tiny PNG writer (8-bit RGB or RGBA, no interlace) for contact sheets and icons."""
import struct
import zlib


def _chunk(kind, data):
    body = kind + data
    return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)


def encode(width, height, pixels, channels=3):
    """pixels: rows from the top, 3 bytes a pixel (RGB) or 4 (RGBA) as channels says."""
    raw = bytearray()
    row = width * channels
    for y in range(height):
        raw.append(0)
        raw += pixels[y * row:(y + 1) * row]
    colour_type = {3: 2, 4: 6}[channels]
    ihdr = struct.pack('>IIBBBBB', width, height, 8, colour_type, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + _chunk(b'IHDR', ihdr)
            + _chunk(b'IDAT', zlib.compress(bytes(raw), 6)) + _chunk(b'IEND', b''))


def write(path, width, height, pixels, channels=3):
    with open(path, 'wb') as f:
        f.write(encode(width, height, pixels, channels))
