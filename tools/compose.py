"""Turns a tune recipe (key, tempo, chords, instruments, style) into a looping
General MIDI file: melody built from a repeated, re-harmonised motif, chords,
bass and drums, always ending on a whole bar so the loop is seamless."""
import random
import midi

MODES = {
    'major': [0, 2, 4, 5, 7, 9, 11], 'minor': [0, 2, 3, 5, 7, 8, 10], 'dorian': [0, 2, 3, 5, 7, 9, 10],
    'mixolydian': [0, 2, 4, 5, 7, 9, 10], 'harmonic': [0, 2, 3, 5, 7, 8, 11], 'lydian': [0, 2, 4, 6, 7, 9, 11],
}
NOTES = {'C': 0, 'C#': 1, 'Db': 1, 'D': 2, 'Eb': 3, 'E': 4, 'F': 5, 'F#': 6, 'Gb': 6, 'G': 7, 'Ab': 8, 'A': 9, 'Bb': 10, 'B': 11}
ROMAN = {'I': 1, 'II': 2, 'III': 3, 'IV': 4, 'V': 5, 'VI': 6, 'VII': 7}
RHYTHMS = {
    4: [[1, 1, 1, 1], [1.5, 0.5, 1, 1], [0.5, 0.5, 1, 0.5, 0.5, 1], [2, 1, 1], [1, 0.5, 0.5, 2], [0.5, 0.5, 0.5, 0.5, 2], [1, 1, 2]],
    3: [[1, 1, 1], [2, 1], [1.5, 0.5, 1], [0.5, 0.5, 1, 1], [1, 0.5, 0.5, 1]],
}


class RecipeError(Exception):
    pass


def parse_recipes(path):
    tunes, cur = [], None
    with open(path, encoding='utf-8') as f:
        for n, line in enumerate(f, 1):
            line = line.split('#', 1)[0].strip()
            if not line:
                continue
            if ':' not in line:
                raise RecipeError('%s:%d: expected <field>: <value>' % (path, n))
            k, v = [p.strip() for p in line.split(':', 1)]
            if k == 'tune':
                cur = {'name': v, 'line': n}
                tunes.append(cur)
            elif cur is None:
                raise RecipeError('%s:%d: a recipe starts with tune:' % (path, n))
            else:
                cur[k] = v
    return tunes


class Tune:
    def __init__(self, r):
        self.name = r['name']
        self.tempo = float(r.get('tempo', 110))
        self.meter = int(r.get('meter', 4))
        key, mode = r.get('key', 'C major').split()
        self.root = 60 + NOTES[key]
        self.scale = MODES[mode]
        self.sections = [self._chords(p) for p in r['chords'].split('|')]
        self.form = r.get('form', 'AABA')
        self.prog = {k: int(v) for k, v in (p.split('=') for p in r['programs'].split())}
        self.style = r.get('style', 'arp')
        self.drums = r.get('drums', 'light')
        self.rnd = random.Random(int(r.get('seed', 1)))
        self.swing = float(r.get('swing', 0))
        self.octave = int(r.get('octave', 0))

    @staticmethod
    def _chords(text):
        out = []
        for sym in text.split():
            minor_seventh = sym.endswith('7')
            deg = ROMAN[sym.rstrip('7').upper()]
            out.append((deg, minor_seventh))
        return out

    def pitch(self, degree, octave=0):
        """Scale degree (0-based, any integer) -> MIDI key."""
        o, d = divmod(degree, 7)
        return self.root + 12 * (o + octave) + self.scale[d]

    def chord_degrees(self, deg, seventh=False):
        base = deg - 1
        return [base, base + 2, base + 4] + ([base + 6] if seventh else [])


def compose(recipe):
    t = Tune(recipe)
    ppq = midi.PPQ
    beat = ppq
    bar = beat * t.meter
    bars_per_section = len(t.sections[0])
    # repeat the form until the tune lasts about 30 to 60 seconds
    sec_per_bar = t.meter * 60.0 / t.tempo
    plan = []
    while True:
        for s in t.form:
            plan.append(ord(s) - ord('A'))
        if len(plan) * bars_per_section * sec_per_bar >= 34:
            break
    if len(plan) * bars_per_section * sec_per_bar > 60:
        plan = plan[:max(2, int(60 / (bars_per_section * sec_per_bar)))]
    motifs = {}
    mel, harm, bass, drum, counter = [], [], [], [], []
    tick = 0
    for si, sec in enumerate(plan):
        chords = t.sections[sec % len(t.sections)]
        if sec not in motifs:
            motifs[sec] = _motif(t, chords)
        last_section = si == len(plan) - 1
        for bi, (deg, sev) in enumerate(chords):
            start = tick + bi * bar
            cd = t.chord_degrees(deg, sev)
            final_bar = bi == len(chords) - 1
            for off, length, rel in motifs[sec][bi]:
                # re-harmonise: the motif is stored relative to its chord root
                d = rel + cd[0]
                if final_bar and off + length >= t.meter - 0.01:
                    d = _nearest(cd, d)
                if last_section and final_bar and off + length >= t.meter - 0.01:
                    d = _nearest([0, 7], d)
                key = t.pitch(d, 1 + t.octave)
                on = start + int(_swing(off, t.swing) * beat)
                ln = int(length * beat * 0.92)
                mel += midi.note(on, ln, 0, key, 96 if off == int(off) else 84)
            _accompany(t, harm, bass, counter, start, bar, beat, cd, bi)
            _drums(t, drum, start, bar, beat, final_bar and last_section)
        tick += bar * len(chords)
    end = tick
    cond = [midi.tempo_event(0, t.tempo), midi.time_signature(0, t.meter, 2), (end, 0, b'\xff\x06\x04loop')]
    setup = []
    for ch, role, vol, pan in ((0, 'melody', 100, 64), (1, 'chords', 72, 44), (2, 'bass', 92, 64), (3, 'counter', 60, 84)):
        if role in t.prog:
            setup += [midi.program(0, ch, t.prog[role]), midi.control(0, ch, 7, vol), midi.control(0, ch, 10, pan), midi.control(0, ch, 91, 40)]
    tracks = [midi.track(cond, 'Grovekeep: ' + t.name)]
    tracks.append(midi.track([e for e in setup if e[2][0] & 0x0f == 0] + mel, 'Melody'))
    tracks.append(midi.track([e for e in setup if e[2][0] & 0x0f in (1, 3)] + harm + counter, 'Chords'))
    tracks.append(midi.track([e for e in setup if e[2][0] & 0x0f == 2] + bass, 'Bass'))
    if drum:
        tracks.append(midi.track([midi.control(0, 9, 7, 70)] + drum, 'Drums'))
    return midi.encode(tracks), end / ppq * 60.0 / t.tempo


def _swing(off, amount):
    frac = off - int(off)
    return off + (amount if abs(frac - 0.5) < 1e-6 else 0)


def _nearest(cands, d):
    best = None
    for c in cands:
        for o in (-7, 0, 7):
            v = c + o
            if best is None or abs(v - d) < abs(best - d):
                best = v
    return best


def _motif(t, chords):
    """One section's melody: a two-bar idea, echoed with a changed ending."""
    rnd = t.rnd
    pats = RHYTHMS[t.meter]
    bars = []
    first = []
    d = rnd.choice([2, 4, 7])
    for b in range(2):
        r = rnd.choice(pats)
        notes, off = [], 0.0
        for i, ln in enumerate(r):
            if off == int(off) and int(off) % 2 == 0:
                d = _nearest([0, 2, 4], d + rnd.choice([-2, -1, 1, 2]))
            else:
                d += rnd.choice([-1, 1, 1, -1, 2, -2])
            d = max(-1, min(9, d))
            notes.append((off, ln, d))
            off += ln
        first.append(notes)
    for b in range(len(chords)):
        src = first[b % 2]
        if b >= 2 and b % 2 == 1:
            # answer phrase: same rhythm, the tail turned towards the chord
            src = [(o, l, _nearest([0, 2, 4], d2 + rnd.choice([-1, 1]))) if i >= len(src) - 2 else (o, l, d2)
                   for i, (o, l, d2) in enumerate(src)]
        if b == len(chords) - 1:
            # cadence: a long chord tone
            head = [n for n in src if n[0] < t.meter / 2]
            src = head + [(t.meter / 2 if head else 0, t.meter / 2 if head else t.meter, 0)]
        bars.append(src)
    return bars


def _accompany(t, harm, bass, counter, start, bar, beat, cd, bi):
    st = t.style
    root = t.pitch(cd[0], -1)
    if st == 'pad':
        for d in cd[:3]:
            harm += midi.note(start, bar - 10, 1, t.pitch(d, 0), 58)
    elif st == 'waltz':
        for k in range(1, t.meter):
            for d in cd[:3]:
                harm += midi.note(start + k * beat, beat // 2, 1, t.pitch(d, 0), 64)
    elif st == 'strum':
        for k in range(t.meter):
            for j, d in enumerate(cd[:3]):
                harm += midi.note(start + k * beat + j * 20, beat - 40, 1, t.pitch(d, 0), 70 if k % 2 == 0 else 56)
    else:  # arpeggio in eighths
        seq = [cd[0], cd[1], cd[2], cd[1] + 0, cd[0] + 7, cd[2], cd[1], cd[2]]
        for k in range(t.meter * 2):
            harm += midi.note(start + k * beat // 2, beat // 2 - 10, 1, t.pitch(seq[k % len(seq)], 0), 60 if k % 2 else 68)
    # bass: root on one, fifth on the middle beat, a step into the next bar
    bass += midi.note(start, beat * (2 if t.meter == 4 else 1) - 20, 2, root, 96)
    if t.meter == 4:
        bass += midi.note(start + 2 * beat, beat - 20, 2, t.pitch(cd[0] + 4, -1), 84)
        bass += midi.note(start + 3 * beat, beat - 20, 2, t.pitch(cd[0] + (bi % 2) * 2 + 5, -1), 80)
    else:
        bass += midi.note(start + beat, beat - 20, 2, t.pitch(cd[0] + 4, -1), 76)
        bass += midi.note(start + 2 * beat, beat - 20, 2, t.pitch(cd[0] + 2, -1), 72)
    if 'counter' in t.prog:
        counter += midi.note(start, bar - 20, 3, t.pitch(cd[2], 0), 50)


def _drums(t, drum, start, bar, beat, final):
    style = t.drums
    if style == 'none':
        return
    for k in range(t.meter):
        on = start + k * beat
        if k == 0:
            drum += midi.note(on, 60, 9, 36, 90)
        if t.meter == 4 and k == 2 and style != 'light':
            drum += midi.note(on, 60, 9, 36, 80)
        if t.meter == 4 and k in (1, 3):
            drum += midi.note(on, 60, 9, 38 if style in ('rock', 'march') else 37, 70 if style != 'light' else 50)
        if t.meter == 3 and k > 0:
            drum += midi.note(on, 60, 9, 42, 50)
        hat = 42 if style != 'jungle' else 70
        drum += midi.note(on + beat // 2, 40, 9, hat, 45)
        if style in ('rock', 'march', 'jungle'):
            drum += midi.note(on, 40, 9, hat, 55)
        if style == 'jungle' and k % 2 == 1:
            drum += midi.note(on + beat // 4, 60, 9, 63, 60)
    if final:
        drum += midi.note(start, 200, 9, 49, 80)
