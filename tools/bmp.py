"""Windows bitmap files: a 24-bit writer and a reader for 24/32-bit files.

The game reads every picture through a GDI-like loader, so plain bottom-up
24-bit BI_RGB files are all we ever write.
"""
import struct


def encode(width, height, rgb):
    """rgb: bytes-like, width*height*3, rows from the top, R G B order."""
    if len(rgb) != width * height * 3:
        raise ValueError("pixel buffer has %d bytes, expected %d" % (len(rgb), width * height * 3))
    row_bytes = width * 3
    pad = (4 - row_bytes % 4) % 4
    stride = row_bytes + pad
    data = bytearray(stride * height)
    for y in range(height):
        src = rgb[(height - 1 - y) * row_bytes:(height - y) * row_bytes]
        row = bytearray(src)
        # RGB -> BGR by swapping the first and third byte of every pixel.
        row[0::3], row[2::3] = src[2::3], src[0::3]
        data[y * stride:y * stride + row_bytes] = row
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def write(path, width, height, rgb):
    with open(path, 'wb') as f:
        f.write(encode(width, height, rgb))


def decode(blob):
    """Returns (width, height, rgb rows from the top). Raises ValueError on anything odd."""
    if len(blob) < 54 or blob[:2] != b'BM':
        raise ValueError("not a bitmap")
    offset = struct.unpack_from('<I', blob, 10)[0]
    size, width, height, planes, bpp, compression = struct.unpack_from('<IiiHHI', blob, 14)
    if size < 40 or planes != 1 or bpp not in (24, 32) or compression != 0:
        raise ValueError("unsupported bitmap (bpp %d, compression %d)" % (bpp, compression))
    if width <= 0 or height == 0:
        raise ValueError("bad bitmap size")
    top_down = height < 0
    height = abs(height)
    bpp_bytes = bpp // 8
    stride = (width * bpp_bytes + 3) & ~3
    if offset + stride * height > len(blob):
        raise ValueError("bitmap pixel data truncated")
    out = bytearray(width * height * 3)
    for y in range(height):
        sy = y if top_down else height - 1 - y
        row = blob[offset + sy * stride: offset + sy * stride + width * bpp_bytes]
        o = y * width * 3
        out[o:o + width * 3:3] = row[2::bpp_bytes]
        out[o + 1:o + width * 3:3] = row[1::bpp_bytes]
        out[o + 2:o + width * 3:3] = row[0::bpp_bytes]
    return width, height, out


def read(path):
    with open(path, 'rb') as f:
        return decode(f.read())
