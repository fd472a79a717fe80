"""A few sound-making parts for the effect recipes: oscillators, noise,
envelopes, filters and the finishing touches (fades, normalising)."""
import math
import random

RATE = 22050
TAU = 2 * math.pi


def n_samples(seconds):
    return int(seconds * RATE)


def silence(seconds):
    return [0.0] * n_samples(seconds)


def osc(freq, seconds, shape='sine', phase=0.0):
    """freq: a number or a function of time in seconds."""
    out = []
    ph = phase
    f_of = freq if callable(freq) else (lambda t, f=freq: f)
    for i in range(n_samples(seconds)):
        t = i / RATE
        ph += f_of(t) / RATE
        p = ph - math.floor(ph)
        if shape == 'sine':
            v = math.sin(TAU * p)
        elif shape == 'saw':
            v = 2 * p - 1
        elif shape == 'square':
            v = 1.0 if p < 0.5 else -1.0
        else:  # triangle
            v = 4 * abs(p - 0.5) - 1
        out.append(v)
    return out


def noise(seconds, seed=1):
    r = random.Random(seed)
    return [r.uniform(-1, 1) for _ in range(n_samples(seconds))]


def env(samples, points):
    """Piecewise-linear gain: points [(time, gain), ...] in seconds."""
    out = []
    j = 0
    for i, s in enumerate(samples):
        t = i / RATE
        while j + 1 < len(points) - 1 and t > points[j + 1][0]:
            j += 1
        (t0, g0), (t1, g1) = points[j], points[min(j + 1, len(points) - 1)]
        g = g1 if t >= t1 else g0 + (g1 - g0) * ((t - t0) / (t1 - t0) if t1 > t0 else 1)
        out.append(s * g)
    return out


def decay(samples, seconds_to_quiet):
    k = math.exp(math.log(0.001) / (seconds_to_quiet * RATE))
    g = 1.0
    out = []
    for s in samples:
        out.append(s * g)
        g *= k
    return out


def lowpass(samples, cutoff):
    """One-pole low-pass; cutoff a number or a function of time."""
    out, y = [], 0.0
    c_of = cutoff if callable(cutoff) else (lambda t, c=cutoff: c)
    a = 0.0
    for i, s in enumerate(samples):
        if i % 16 == 0:
            a = 1 - math.exp(-TAU * max(10.0, c_of(i / RATE)) / RATE)
        y += a * (s - y)
        out.append(y)
    return out


def highpass(samples, cutoff):
    low = lowpass(samples, cutoff)
    return [s - l for s, l in zip(samples, low)]


def bandpass(samples, centre, q=4.0):
    """Resonant band-pass (biquad, constant peak gain); centre a number or a function of time."""
    c_of = centre if callable(centre) else (lambda t, c=centre: c)
    x1 = x2 = y1 = y2 = 0.0
    b0 = b2 = a1 = a2 = 0.0
    out = []
    for i, x in enumerate(samples):
        if i % 32 == 0:
            w = TAU * min(RATE * 0.45, max(20.0, c_of(i / RATE))) / RATE
            alpha = math.sin(w) / (2 * q)
            a0 = 1 + alpha
            b0, b2 = alpha / a0, -alpha / a0
            a1, a2 = -2 * math.cos(w) / a0, (1 - alpha) / a0
        y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1 = x1, x
        y2, y1 = y1, y
        out.append(y)
    return out


def formants(samples, tracks, q=8.0):
    """Vowel colour: a sum of band-passes whose centres follow tracks [(fn(t), gain), ...]."""
    out = [0.0] * len(samples)
    for fn, gain in tracks:
        for i, v in enumerate(bandpass(samples, fn, q)):
            out[i] += v * gain
    return out


def mixdown(*parts):
    n = max(len(p) for p in parts)
    out = [0.0] * n
    for p in parts:
        for i, v in enumerate(p):
            out[i] += v
    return out


def place(dst, src, at_seconds, gain=1.0):
    o = n_samples(at_seconds)
    for i, v in enumerate(src):
        if o + i < len(dst):
            dst[o + i] += v * gain
    return dst


# Effects are levelled to about the same loudness (RMS of the whole effect):
# a buzzing shock and a short explosion should not differ by 12 dB.
LOUDNESS_FLOOR, LOUDNESS_CEILING = 0.12, 0.22


def level_loudness(out, peak):
    """Quiet effects are driven through a soft saturation that keeps the
    peak; loud ones are turned down."""
    rms = math.sqrt(sum(s * s for s in out) / len(out))
    if rms > LOUDNESS_CEILING:
        return [s * LOUDNESS_CEILING / rms for s in out]
    if 0 < rms < LOUDNESS_FLOOR:
        drive = min(3.0, LOUDNESS_FLOOR / rms)
        k = math.tanh(drive)
        return [peak * math.tanh(drive * s / peak) / k for s in out]
    return out


def finish(samples, fade_in=0.005, fade_out=0.03, peak=0.89):
    """Removes any DC offset, fades both ends (no clicks), normalises the peak
    and levels the loudness."""
    if not samples:
        return samples
    mean = sum(samples) / len(samples)
    out = [s - mean for s in samples]
    fi, fo = max(1, n_samples(fade_in)), max(1, n_samples(fade_out))
    for i in range(min(fi, len(out))):
        out[i] *= i / fi
    for i in range(min(fo, len(out))):
        out[-1 - i] *= i / fo
    m = max(abs(s) for s in out) or 1.0
    return level_loudness([s * peak / m for s in out], peak)


def glide(f0, f1, seconds, curve=1.0):
    return lambda t: f0 + (f1 - f0) * min(1.0, t / seconds) ** curve
