"""Standard MIDI files (format 1) from note lists."""
import struct

PPQ = 480


def _varlen(n):
    out = [n & 0x7f]
    n >>= 7
    while n:
        out.append((n & 0x7f) | 0x80)
        n >>= 7
    return bytes(reversed(out))


def track(events, name=None):
    """events: list of (tick, order, bytes) -> an MTrk chunk with end-of-track."""
    body = bytearray()
    if name:
        nb = name.encode('ascii')
        body += b'\x00\xff\x03' + _varlen(len(nb)) + nb
    last = 0
    for tick, _order, data in sorted(events, key=lambda e: (e[0], e[1])):
        body += _varlen(tick - last) + data
        last = tick
    body += b'\x00\xff\x2f\x00'
    return b'MTrk' + struct.pack('>I', len(body)) + bytes(body)


def tempo_event(tick, bpm):
    us = int(round(60000000 / bpm))
    return (tick, 0, b'\xff\x51\x03' + us.to_bytes(3, 'big'))


def time_signature(tick, num, den_pow):
    return (tick, 0, bytes([0xff, 0x58, 4, num, den_pow, 24, 8]))


def program(tick, channel, prog):
    return (tick, 1, bytes([0xc0 | channel, prog]))


def control(tick, channel, ctl, value):
    return (tick, 1, bytes([0xb0 | channel, ctl, value]))


def note(start, length, channel, key, velocity):
    """Note-offs sort before note-ons at the same tick so repeated notes retrigger."""
    return [(start, 2, bytes([0x90 | channel, key, velocity])),
            (start + length, 0, bytes([0x80 | channel, key, 0]))]


def encode(tracks):
    header = b'MThd' + struct.pack('>IHHH', 6, 1, len(tracks), PPQ)
    return header + b''.join(tracks)


def parse_header(blob):
    """Returns (format, track count, division) and checks every track chunk ends with end-of-track."""
    if len(blob) < 14 or blob[:4] != b'MThd' or struct.unpack_from('>I', blob, 4)[0] != 6:
        raise ValueError("not a standard MIDI file")
    fmt, ntracks, division = struct.unpack_from('>HHH', blob, 8)
    pos = 14
    for i in range(ntracks):
        if blob[pos:pos + 4] != b'MTrk':
            raise ValueError("track %d missing" % i)
        size = struct.unpack_from('>I', blob, pos + 4)[0]
        chunk = blob[pos + 8:pos + 8 + size]
        if len(chunk) != size or chunk[-3:] != b'\xff\x2f\x00':
            raise ValueError("track %d has no end-of-track event" % i)
        pos += 8 + size
    if pos != len(blob):
        raise ValueError("trailing bytes after the last track")
    return fmt, ntracks, division
