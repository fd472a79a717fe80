#!/usr/bin/env python3
"""Compares the pictures one renderer left with another's, file by file.

    compare_pictures.py REFERENCE_FOLDER OTHER_FOLDER

For every PNG in both: how many pixels differ and by how much at most
(the largest difference of one colour channel), one line each.
"""
import os
import struct
import sys
import zlib


def read_png(path):
    """(width, height, bytes per pixel, pixel rows) of an 8-bit RGB or RGBA PNG."""
    with open(path, 'rb') as f:
        data = f.read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise SystemExit('%s: not a PNG' % path)
    pos, idat, header = 8, b'', None
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise SystemExit('%s: expected 8-bit RGB or RGBA, not interlaced' % path)
    bpp = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - bpp] if i >= bpp else 0
            up, corner = previous[i], previous[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append(bytes(line))
        previous = line
    return width, height, bpp, rows


def compare(a, b):
    """(pixels differing, largest channel difference, their bounding box) of two pictures."""
    wa, ha, bpp, rows_a = read_png(a)
    wb, hb, bpp_b, rows_b = read_png(b)
    if (wa, ha) != (wb, hb):
        return None
    differing, largest, box = 0, 0, None
    for y in range(ha):
        if rows_a[y] == rows_b[y]:
            continue
        for x in range(wa):
            pa = rows_a[y][x * bpp:x * bpp + 3]
            pb = rows_b[y][x * bpp_b:x * bpp_b + 3]
            if pa != pb:
                differing += 1
                largest = max(largest, max(abs(c - d) for c, d in zip(pa, pb)))
                box = (min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y)) if box else (x, y, x, y)
    return differing, largest, box


def main():
    reference, other = sys.argv[1], sys.argv[2]
    for name in sorted(n for n in os.listdir(other) if n.endswith('.png')):
        if not os.path.exists(os.path.join(reference, name)):
            continue
        result = compare(os.path.join(reference, name), os.path.join(other, name))
        if result is None:
            print('%s: sizes differ' % name)
        else:
            print('%s: %d pixels differ, by %d at most, within %s' % ((name,) + result))


if __name__ == '__main__':
    main()
