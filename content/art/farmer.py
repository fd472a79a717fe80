"""The farmer: four walking directions, four frames each, seen from above at a slant."""
import math
from canvas import Canvas, mix, scale, hexc, sphere_paint

OUT = (30, 20, 16)
SKIN, HAT, HATBAND = hexc('f2c090'), hexc('e8c860'), hexc('b0302a')
SHIRT, OVERALL, BOOT = hexc('d83a2a'), hexc('2f5fb0'), hexc('5a3418')


def frame(direction, i):
    """direction: 'north', 'east', 'south', 'west'; i: 0..3 (contact, pass, contact, pass)."""
    if direction == 'west':
        return frame('east', i).flipped()
    cv = Canvas(32, 32)
    step = (1, 0, -1, 0)[i]          # which leg is ahead
    bob = (0, -1, 0, -1)[i]
    if direction in ('south', 'north'):
        # legs
        for side, ahead in ((-1, step), (1, -step)):
            x = 16 + side * 3.5
            y1 = 29 - max(0, ahead) * 2
            cv.rect(x - 2, 21 + bob, x + 2, y1, OVERALL)
            cv.rect(x - 2.5, y1 - 1, x + 2.5, y1 + 2, BOOT)
        # body
        cv.rrect(8, 12 + bob, 24, 24 + bob, 3, SHIRT)
        cv.rect(10, 15 + bob, 22, 24 + bob, OVERALL)
        cv.rect(11, 12 + bob, 13, 16 + bob, OVERALL)
        cv.rect(19, 12 + bob, 21, 16 + bob, OVERALL)
        # arms swing against the legs
        for side, sw in ((-1, -step), (1, step)):
            x = 16 + side * 9.5
            cv.line(x, 14 + bob, x, 20 + bob + sw * 2, 3.4, SHIRT)
            cv.circle(x, 21 + bob + sw * 2, 1.8, SKIN)
        # head and hat
        cv.circle(16, 9 + bob, 5.5, sphere_paint(SKIN, 16, 9 + bob, 5.5, shine=0.2))
        if direction == 'south':
            cv.set(14, 9 + bob, (30, 20, 20))
            cv.set(18, 9 + bob, (30, 20, 20))
            cv.rect(15, 12 + bob, 18, 13 + bob, hexc('b0503a'))
            cv.ellipse(16, 5 + bob, 9.5, 3, HAT)
            cv.rect(11, 2 + bob, 21, 5 + bob, HAT)
            cv.rect(11, 4 + bob, 21, 5 + bob, HATBAND)
        else:
            cv.ellipse(16, 7 + bob, 9.5, 4.5, HAT)
            cv.ellipse(16, 6 + bob, 5.5, 3.5, scale(HAT, 0.85))
            cv.rect(10, 9 + bob, 22, 10 + bob, HATBAND)
    else:  # east
        for ahead in (step, -step):
            dx = ahead * 3
            cv.line(16, 21 + bob, 16 + dx, 28, 3.6, OVERALL)
            cv.rrect(14 + dx, 27, 20 + dx, 30, 1, BOOT)
        cv.rrect(11, 12 + bob, 21, 24 + bob, 3, SHIRT)
        cv.rect(12, 16 + bob, 21, 24 + bob, OVERALL)
        cv.line(16, 14 + bob, 16 - step * 4, 20 + bob, 3.2, scale(SHIRT, 0.85))
        cv.circle(16 - step * 4, 21 + bob, 1.8, SKIN)
        cv.circle(16, 9 + bob, 5.5, sphere_paint(SKIN, 16, 9 + bob, 5.5, shine=0.2))
        cv.set(19, 8 + bob, (30, 20, 20))
        cv.rect(20, 9 + bob, 22, 11 + bob, SKIN)
        cv.ellipse(15, 5 + bob, 10, 2.6, HAT)
        cv.rect(11, 1 + bob, 20, 5 + bob, HAT)
        cv.rect(11, 4 + bob, 20, 5 + bob, HATBAND)
        cv.line(16, 14 + bob, 16 + step * 4, 20 + bob, 3.2, SHIRT)
        cv.circle(16 + step * 4, 21 + bob, 1.8, SKIN)
    cv.outline(OUT)
    return cv


DIRECTIONS = ('north', 'east', 'south', 'west')


def frames():
    return {d: [frame(d, i) for i in range(4)] for d in DIRECTIONS}
