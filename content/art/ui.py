"""Buttons, check boxes, scroll arrows and the window icon."""
import math
from canvas import Canvas, mix, scale, hexc, sphere_paint, MAGENTA
import fruits

OUT = (20, 20, 30)


def button(stage):
    """128 x 32: 0 disabled (dark slate, so the game's grey caption still reads),
    1 enabled (green wood), 2 highlighted (warm gold)."""
    top, bottom = [((78, 86, 96), (44, 50, 58)), (hexc('5fb84a'), hexc('2f7a2a')), (hexc('ffd060'), hexc('e07a10'))][stage]
    cv = Canvas(128, 32)
    cv.rrect(0, 0, 128, 32, 9, scale(bottom, 0.55))
    cv.rrect(2, 2, 126, 30, 7, lambda x, y: mix(top, bottom, (y - 2) / 28))
    cv.rrect(6, 4, 122, 13, 4, lambda x, y: mix(mix(top, (255, 255, 255), 0.45), top, (y - 4) / 9))
    return cv


def check(on):
    cv = Canvas(32, 32)
    cv.rrect(3, 3, 29, 29, 5, (245, 245, 235))
    cv.rrect(3, 3, 29, 6, 3, (200, 200, 190))
    if on:
        cv.polyline([(8, 16), (14, 23), (25, 8)], 4.5, hexc('2aa040'))
    else:
        cv.line(10, 10, 22, 22, 3.5, hexc('c83a2a'))
        cv.line(22, 10, 10, 22, 3.5, hexc('c83a2a'))
    cv.outline(OUT)
    return cv


def arrow(up, enabled):
    cv = Canvas(32, 32)
    col = hexc('5fb84a') if enabled else (140, 140, 140)
    cv.circle(16, 16, 14, sphere_paint(col, 16, 16, 14, shine=0.4))
    pts = [(16, 7), (25, 20), (7, 20)] if up else [(16, 25), (25, 12), (7, 12)]
    cv.polygon(pts, (255, 255, 255) if enabled else (200, 200, 200))
    cv.outline(OUT)
    return cv


def window_icon():
    cv = fruits.draw('apple')
    return cv
