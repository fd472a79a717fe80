"""Recipes for the 19 sound effects, in the order of the game's sound index."""
import math
import random
from synth import (osc, noise, env, decay, lowpass, highpass, bandpass, formants, mixdown, place,
                   silence, finish, glide, RATE, TAU, n_samples)


def rain():
    hiss = bandpass(noise(1.6, 1), 3500, 0.8)
    hiss = env(hiss, [(0, 0), (0.2, 0.5), (1.3, 0.5), (1.6, 0)])
    out = list(hiss)
    r = random.Random(2)
    for i in range(70):
        drop = decay(bandpass(noise(0.03, 100 + i), r.uniform(2000, 6000), 6), 0.03)
        place(out, drop, r.uniform(0.05, 1.5), r.uniform(0.8, 2.2))
    return finish(out)


def thunder():
    crack = decay(highpass(noise(0.35, 3), 1200), 0.3)
    rumble = lowpass(lowpass(noise(2.4, 4), 180), 120)
    rumble = env(rumble, [(0, 0), (0.08, 1), (0.5, 0.8), (0.9, 1.0), (2.4, 0)])
    roll = [v * (0.6 + 0.4 * math.sin(i / RATE * 9)) for i, v in enumerate(rumble)]
    return finish(mixdown([v * 0.6 for v in crack], [v * 14 for v in roll]), fade_out=0.3)


def witch():
    out = silence(1.5)
    for k in range(6):
        t0 = 0.05 + k * 0.2
        f0 = 900 - k * 55
        voice = osc(lambda t, f0=f0: f0 * (1.25 - 0.25 * min(1, t / 0.14)) * (1 + 0.03 * math.sin(t * 40)), 0.17, 'saw')
        voice = formants(voice, [(lambda t: 850, 1.0), (lambda t: 1300, 0.7), (lambda t: 2800, 0.3)], 6)
        voice = env(voice, [(0, 0), (0.02, 1), (0.1, 0.7), (0.17, 0)])
        place(out, voice, t0, 1.0)
    return finish(out, fade_out=0.05)


def thank_you():
    # "thank": aspirated start, open vowel, nasal close; "you": glide from ee to oo.
    t1, t2 = 0.34, 0.42
    f = lambda t: 190 - 40 * t + 6 * math.sin(t * 30)
    src = osc(f, t1 + t2 + 0.05, 'saw')

    def f1(t):
        if t < t1:
            return 700 if t > 0.06 else 400
        u = (t - t1) / t2
        return 280 + 60 * u

    def f2(t):
        if t < t1:
            return 1700 - 300 * min(1, t / t1)
        u = min(1.0, (t - t1) / (t2 * 0.6))
        return 2200 - 1400 * u

    def f3(t):
        return 2600 if t < t1 else 2400
    voice = formants(src, [(f1, 1.0), (f2, 0.6), (f3, 0.25)], 7)
    voice = env(voice, [(0, 0), (0.05, 0.3), (0.08, 1), (0.28, 0.9), (0.33, 0.15), (t1 + 0.04, 0.9), (t1 + t2 - 0.12, 1), (t1 + t2, 0)])
    th = env(bandpass(noise(0.08, 5), 4500, 1.5), [(0, 0), (0.02, 1), (0.08, 0)])
    out = mixdown(voice, [v * 0.1 for v in th])
    # a gentle chime underneath says "thanks" even to those who cannot hear words in it
    for k, fr in enumerate((784, 1047)):
        place(out, decay(osc(fr, 0.4), 0.4), 0.02 + k * 0.34, 0.06)
    return finish(out, fade_out=0.06)


def fire():
    base = lowpass(noise(1.6, 6), 900)
    base = [v * 3 for v in base]
    out = env(base, [(0, 0), (0.15, 1), (1.4, 1), (1.6, 0)])
    r = random.Random(7)
    for i in range(45):
        pop = decay(highpass(noise(0.02, 200 + i), 2500), 0.015)
        place(out, pop, r.uniform(0.02, 1.55), r.uniform(0.3, 1.0))
    return finish(out)


def magic():
    out = silence(1.3)
    notes = [1047, 1319, 1568, 2093, 2637, 3136]
    for k, fr in enumerate(notes):
        tone = mixdown(osc(fr, 0.6), [v * 0.3 for v in osc(fr * 2.01, 0.6)])
        place(out, decay(tone, 0.5), k * 0.08, 0.5)
    sh = env(bandpass(noise(1.3, 9), lambda t: 5000 + 3000 * math.sin(t * 20), 5), [(0, 0), (0.3, 0.4), (1.3, 0)])
    return finish(mixdown(out, sh))


def tornado():
    wind = bandpass(noise(2.2, 10), lambda t: 500 + 350 * math.sin(t * 3.1) + 150 * math.sin(t * 7.3), 5)
    howl = bandpass(noise(2.2, 11), lambda t: 900 + 400 * math.sin(t * 2.3 + 1), 9)
    out = mixdown(wind, [v * 0.6 for v in howl])
    return finish(env(out, [(0, 0), (0.4, 1), (1.7, 1), (2.2, 0)]))


def explode():
    burst = lowpass(noise(1.6, 12), lambda t: 3000 * math.exp(-t * 3) + 150)
    burst = decay(burst, 1.5)
    boom = decay(osc(glide(90, 35, 0.6), 1.0), 0.9)
    return finish(mixdown([v * 2 for v in burst], [v * 0.8 for v in boom]), fade_out=0.15)


def bong():
    out = silence(1.4)
    for ratio, g in ((1.0, 1.0), (2.0, 0.5), (2.76, 0.35), (5.4, 0.2), (0.5, 0.4)):
        place(out, decay(osc(330 * ratio, 1.4), 1.3 / (ratio ** 0.5)), 0, g)
    return finish(out, fade_out=0.1)


def whoosh():
    w = bandpass(noise(0.45, 13), glide(400, 3000, 0.45, 1.5), 2)
    return finish(env(w, [(0, 0), (0.25, 1), (0.45, 0)]))


def electric_shock():
    buzz = osc(lambda t: 110 + 8 * math.sin(t * 60), 0.8, 'square')
    buzz = lowpass(buzz, 3000)
    crack = highpass(noise(0.8, 14), 3000)
    am = [(0.5 + 0.5 * (1 if math.sin(i / RATE * TAU * 17) > 0 else 0)) for i in range(n_samples(0.8))]
    out = [(b * 0.6 + c * 0.5) * a for b, c, a in zip(buzz, crack, am)]
    return finish(env(out, [(0, 0), (0.01, 1), (0.6, 0.8), (0.8, 0)]))


def thump():
    body = decay(osc(glide(140, 45, 0.15), 0.35), 0.3)
    tap = decay(lowpass(noise(0.05, 15), 1500), 0.04)
    return finish(mixdown(body, [v * 0.8 for v in tap]))


def cow():
    f = lambda t: (118 if t < 0.25 else 118 - 25 * min(1, (t - 0.25) / 0.9)) * (1 + 0.015 * math.sin(t * 32))
    src = osc(f, 1.35, 'saw')
    voice = formants(src, [(lambda t: 300 + 250 * min(1, t / 0.5), 1.0), (lambda t: 700 + 300 * min(1, t / 0.5), 0.5), (lambda t: 2300, 0.1)], 6)
    voice = env(voice, [(0, 0), (0.15, 0.6), (0.5, 1), (1.0, 0.8), (1.35, 0)])
    return finish(lowpass(voice, 2500), fade_out=0.1)


def gold():
    out = silence(0.5)
    for k, fr in enumerate((1568, 2093)):
        tone = mixdown(osc(fr, 0.3), [v * 0.4 for v in osc(fr * 2.76, 0.3)])
        place(out, decay(tone, 0.25), k * 0.09, 1.0)
    return finish(out, fade_out=0.05)


def flood():
    rush = lowpass(noise(2.0, 16), 700)
    rush = [v * 3 for v in rush]
    gurgle = bandpass(noise(2.0, 17), lambda t: 300 + 200 * math.sin(t * 23) + 150 * math.sin(t * 7), 10)
    out = mixdown(rush, gurgle)
    return finish(env(out, [(0, 0), (0.3, 1), (1.6, 0.9), (2.0, 0)]))


def click():
    c = decay(mixdown(osc(2200, 0.05), [v * 0.5 for v in highpass(noise(0.05, 18), 2000)]), 0.03)
    return finish(c, fade_in=0.0005, fade_out=0.005)


def drop_in_water():
    bloop = decay(osc(glide(350, 1100, 0.12, 0.6), 0.35), 0.3)
    splash = decay(bandpass(noise(0.4, 19), 2500, 1.2), 0.25)
    out = mixdown(bloop, [v * 0.7 for v in splash])
    out = place(out, decay(osc(glide(500, 1400, 0.08), 0.15), 0.12), 0.18, 0.4)
    return finish(out)


def tiger():
    f = lambda t: 95 + 25 * math.sin(min(1, t / 1.2) * math.pi)
    src = osc(f, 1.3, 'saw')
    rough = noise(1.3, 20)
    growl = [(s + 0.35 * n) * (0.75 + 0.25 * math.sin(i / RATE * TAU * 28)) for i, (s, n) in enumerate(zip(src, rough))]
    voice = formants(growl, [(lambda t: 600 + 150 * math.sin(t * 2), 1.0), (lambda t: 1100, 0.6), (lambda t: 2500, 0.2)], 4)
    voice = env(voice, [(0, 0), (0.25, 0.7), (0.6, 1), (1.0, 0.7), (1.3, 0)])
    return finish(lowpass(voice, 3000), fade_out=0.15)


def final():
    out = silence(3.2)
    def brass(fr, length):
        s = osc(lambda t: fr * (1 + 0.004 * math.sin(t * 30)), length, 'saw')
        s = lowpass(s, lambda t: 600 + 2500 * min(1, t / 0.08))
        return env(s, [(0, 0), (0.03, 1), (length - 0.1, 0.8), (length, 0)])
    seq = [(523, 0.0, 0.18), (523, 0.2, 0.18), (523, 0.4, 0.18), (659, 0.6, 0.4), (587, 1.0, 0.2), (659, 1.2, 0.2), (784, 1.4, 1.6)]
    for fr, t0, ln in seq:
        place(out, brass(fr, ln), t0, 0.5)
    for fr in (262, 330, 392):
        place(out, brass(fr, 1.6), 1.4, 0.3)
    place(out, decay(lowpass(noise(1.5, 21), 6000), 1.2), 1.4, 0.08)
    return finish(out, fade_out=0.4)


# The sound index: file names in the order the game loads them.
EFFECTS = [
    ('rain.wav', rain), ('thunder.wav', thunder), ('witch.wav', witch), ('thankyou.wav', thank_you),
    ('fire.wav', fire), ('magic.wav', magic), ('tornado.wav', tornado), ('explode.wav', explode),
    ('dong.wav', bong), ('sho.wav', whoosh), ('electricshock.wav', electric_shock), ('thump.wav', thump),
    ('cow.wav', cow), ('gold.wav', gold), ('flood.wav', flood), ('click.wav', click),
    ('dropinwater.wav', drop_in_water), ('tiger.wav', tiger), ('final.wav', final),
]
