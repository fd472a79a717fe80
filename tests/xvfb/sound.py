#!/usr/bin/env python3
"""Listens to what SDL's disk audio driver wrote for the real-window tests.

    sound.py RAW FROM WAVE    is the first sound written at or after byte FROM
                              of RAW the sound of WAVE? Prints "yes" or "no",
                              then how alike they are (1 = the same), or
                              "wait" while too little of it is written yet

The game mixes at 44100 Hz, 16 bits, in stereo; its effects are mono waves
of 16 bits at a rate that divides 44100, and play at full volume, so the
left channel, taken every so many samples, follows the wave.
"""
import math
import struct
import sys
import wave

MIXER_RATE = 44100
FRAME = 4                # bytes of a stereo frame
COMPARED_SECONDS = 0.1   # shorter than the time between two fruits, so nothing else is mixed in
ALIKE = 0.95


def likeness(a, b):
    """Pearson correlation of two equally long sample lists."""
    mean_a, mean_b = sum(a) / len(a), sum(b) / len(b)
    da = [v - mean_a for v in a]
    db = [v - mean_b for v in b]
    spread = math.sqrt(sum(v * v for v in da) * sum(v * v for v in db))
    return sum(x * y for x, y in zip(da, db)) / spread if spread else 0.0


def main():
    raw, start, wave_path = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    with wave.open(wave_path) as w:
        if w.getnchannels() != 1 or w.getsampwidth() != 2 or MIXER_RATE % w.getframerate():
            raise SystemExit('%s: expected a mono 16-bit wave at a rate dividing %d' % (wave_path, MIXER_RATE))
        step = MIXER_RATE // w.getframerate()
        samples = struct.unpack('<%dh' % w.getnframes(), w.readframes(w.getnframes()))
    first = next(i for i, v in enumerate(samples) if v)
    wanted = samples[first:first + int(COMPARED_SECONDS * MIXER_RATE / step)]

    with open(raw, 'rb') as f:
        f.seek(start - start % FRAME)
        written = f.read()
    onset = (len(written) - len(written.lstrip(b'\0'))) // FRAME
    frames = len(written) // FRAME
    # Room for the compared stretch and for the search around its start.
    if onset + (len(wanted) + 2) * step >= frames:
        print('wait')
        return
    count = (len(wanted) + 2) * step
    left = struct.unpack('<%dh' % (2 * count), written[onset * FRAME:(onset + count) * FRAME])[0::2]
    best = max(likeness([left[lag + k * step] for k in range(len(wanted))], wanted) for lag in range(2 * step))
    print('%s %.4f' % ('yes' if best >= ALIKE else 'no', best))


if __name__ == '__main__':
    main()
