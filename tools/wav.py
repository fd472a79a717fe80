"""RIFF WAV files: 16-bit mono PCM writer and a chunk-walking reader."""
import struct

RATE = 22050


def encode(samples, rate=RATE):
    """samples: sequence of floats in -1..1."""
    pcm = bytearray(len(samples) * 2)
    for i, s in enumerate(samples):
        v = int(round(s * 32767.0))
        if v > 32767:
            v = 32767
        elif v < -32768:
            v = -32768
        struct.pack_into('<h', pcm, i * 2, v)
    fmt = struct.pack('<HHIIHH', 1, 1, rate, rate * 2, 2, 16)
    body = b'WAVE' + b'fmt ' + struct.pack('<I', len(fmt)) + fmt + b'data' + struct.pack('<I', len(pcm)) + bytes(pcm)
    if len(pcm) % 2:
        body += b'\0'
    return b'RIFF' + struct.pack('<I', len(body)) + body


def write(path, samples, rate=RATE):
    with open(path, 'wb') as f:
        f.write(encode(samples, rate))


def decode(blob):
    """Returns (format dict, data bytes); raises ValueError when the file is not a usable WAV."""
    if len(blob) < 12 or blob[:4] != b'RIFF' or blob[8:12] != b'WAVE':
        raise ValueError("not a RIFF WAVE file")
    riff_size = struct.unpack_from('<I', blob, 4)[0]
    if 8 + riff_size > len(blob):
        raise ValueError("RIFF size %d runs past the end of the file" % riff_size)
    pos, fmt, data = 12, None, None
    while pos + 8 <= 8 + riff_size:
        cid, size = blob[pos:pos + 4], struct.unpack_from('<I', blob, pos + 4)[0]
        body = blob[pos + 8:pos + 8 + size]
        if len(body) != size:
            raise ValueError("chunk %r truncated" % cid)
        if cid == b'fmt ' and fmt is None:
            if size < 16:
                raise ValueError("format chunk too short")
            tag, ch, rate, avg, align, bits = struct.unpack_from('<HHIIHH', body, 0)
            fmt = dict(tag=tag, channels=ch, rate=rate, avg=avg, align=align, bits=bits)
        elif cid == b'data' and data is None:
            data = body
        pos += 8 + ((size + 1) & ~1)
    if fmt is None or data is None:
        raise ValueError("missing fmt or data chunk")
    return fmt, data
