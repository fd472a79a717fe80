"""The farmer: four walking directions, four frames each, seen from above at a slant.

The head (straw hat and face) is a hand-placed pixel grid, because at 32 px
every pixel of a face counts; the body is drawn in code so that arms and legs
can swing. Frames run contact, passing, contact, passing: in the contact
frames the legs are apart and the arms swing against them, in the passing
frames the body rises by a pixel.
"""
from canvas import Canvas, hexc, scale

OUT = (30, 20, 16)
SKIN, SKIN_D, CHEEK = hexc('f2c090'), hexc('d0925e'), hexc('ec9478')
HAT, HAT_L, HAT_D, HATBAND = hexc('e8c860'), hexc('fae89a'), hexc('b8943a'), hexc('b0302a')
HAIR, HAIR_D = hexc('8a5428'), hexc('5e3618')
SHIRT, SHIRT_D = hexc('d83a2a'), hexc('9e2418')
OVERALL, OVERALL_D = hexc('2f5fb0'), hexc('1f4080')
BOOT, BOOT_L = hexc('5a3418'), hexc('7e4c26')
BUTTON, EYE, MOUTH = hexc('ffd040'), hexc('2a1a14'), hexc('8a2418')

PALETTE = {'H': HAT_L, 'h': HAT, 'd': HAT_D, 'r': HATBAND, 'k': SKIN, 'K': SKIN_D, 'p': CHEEK,
           'e': EYE, 'm': MOUTH, 'b': HAIR, 'B': HAIR_D}

# Each head grid is 20 columns wide and sits with its left column at x = 6
# (5 for the profile), so the crown is centred on the body.
# The hat seen from the front or the back: the same crown and brim.
HAT_CROWN = [
    '.......HHHHHH.......',
    '......HhhhhhhH......',
    '......hhhhhhhh......',
    '......hhhhhhhd......',
    '......rrrrrrrr......',
    '.Hhhhhrrrrrrrrhhhhd.',
    'Hhhhhhhhhhhhhhhhhhhd',
]
HEAD_SOUTH = HAT_CROWN + [
    '.ddddddddddddddddd..',
    '....bKKKKKKKKKKb....',
    '....bkekkkkkkekb....',
    '....kkekkKKkkekk....',
    '....kpkmkkkkmkpk....',
    '....kkkkmmmmkkkk....',
    '.....kkkkkkkkkk.....',
    '......kkkkkkkk......',
]
HEAD_NORTH = HAT_CROWN + [
    '.hhhhhhhhhhhhhhhhhd.',
    '....BbbbbbbbbbbB....',
    '...KbBbbBbbBbbBbK...',
    '...KbBbbBbbBbbBbK...',
    '....BbbBbbBbbBbB....',
    '.....BbbbbbbbbB.....',
    '......KkkkkkkK......',
    '.......kkkkkk.......',
]
HEAD_EAST = [
    '......HHHHHH........',
    '.....HhhhhhhH.......',
    '.....hhhhhhhh.......',
    '.....hhhhhhhd.......',
    '.....rrrrrrrr.......',
    '..hhhrrrrrrrrhhhhh..',
    '.Hhhhhhhhhhhhhhhhhhd',
    '...dddddddddddddddd.',
    '....bbbbKKKKKKK.....',
    '....bbbbkkkkkek.....',
    '....bbbKkkkkkekkk...',
    '....bbbKkkkkkkkk....',
    '.....bbkkkkkkmk.....',
    '.....bbkkkkkkk......',
    '.......kkkkk........',
]

STEP = (1, 0, -1, 0)     # which leg is ahead: +1 the near/right one, -1 the other
BOB = (0, -1, 0, -1)


def _front_body(cv, i, b, facing_south):
    """The body seen from the front or the back (the two differ in the bib and buttons)."""
    step = STEP[i]
    # legs: the leg ahead reaches a pixel lower, the one behind lifts its boot
    for side, ahead in ((-1, step), (1, -step)):
        x0 = 10 if side < 0 else 17
        foot = 28 + (1 if ahead > 0 else -1 if ahead < 0 else 0)
        cv.rect(x0, 22 + b, x0 + 5, foot, OVERALL if side < 0 else OVERALL_D)
        cv.rect(x0 - (1 if side < 0 else 0), foot - 1, x0 + 5 + (1 if side > 0 else 0), foot + 2, BOOT)
        cv.rect(x0 + 1, foot - 1, x0 + 3, foot, BOOT_L)
    # arms swing against the legs: the hand of the arm ahead comes lower
    for side, sw in ((-1, -step), (1, step)):
        x0 = 7 if side < 0 else 22
        cv.rect(x0, 16 + b, x0 + 3, 21 + b + sw, SHIRT if side < 0 else SHIRT_D)
        cv.rect(x0, 21 + b + sw, x0 + 3, 23 + b + sw, SKIN)
    # shirt, then the overalls over it
    cv.rrect(9, 15 + b, 23, 23 + b, 2, SHIRT)
    cv.rect(19, 16 + b, 23, 22 + b, SHIRT_D)
    cv.rect(10, 21 + b, 22, 24 + b, OVERALL)
    if facing_south:
        cv.rect(12, 18 + b, 20, 22 + b, OVERALL)
        cv.rect(11, 15 + b, 13, 18 + b, OVERALL)
        cv.rect(19, 15 + b, 21, 18 + b, OVERALL)
        cv.set(12, 18 + b, BUTTON)
        cv.set(19, 18 + b, BUTTON)
        cv.rect(14, 19 + b, 18, 21 + b, OVERALL_D)      # the bib pocket
    else:
        # the straps cross on the back
        for y in range(15, 21):
            cv.set(11 + (y - 15), y + b, OVERALL)
            cv.set(12 + (y - 15), y + b, OVERALL)
            cv.set(20 - (y - 15), y + b, OVERALL)
            cv.set(19 - (y - 15), y + b, OVERALL)


def _side_body_back(cv, i, b):
    """The far arm and leg of the profile: drawn first and darker, so they sit behind."""
    step = STEP[i]
    _leg(cv, i, -step, b, OVERALL_D, BOOT)
    hx = 15 + step * 4
    cv.line(15, 17 + b, hx, 21 + b, 3.0, SHIRT_D)
    cv.rect(hx - 1, 21 + b, hx + 1, 23 + b, SKIN_D)


def _leg(cv, i, ahead, b, colour, boot):
    """One leg of the profile from the hip; ahead is +1 (forward), -1 (back) or 0 (passing)."""
    hip_x, hip_y = 15.5, 23 + b
    if ahead == 0:
        # passing: the far leg is the one lifted, tucked under the body
        fx, fy = (14.5, 27 + b) if colour == OVERALL_D else (16, 28)
    else:
        fx, fy = 15.5 + ahead * 4, 28
    cv.line(hip_x, hip_y, fx, fy, 4.0, colour)
    x = int(fx + 0.5)
    cv.rect(x - 2, int(fy), x + 4, int(fy) + 3, boot)
    cv.rect(x + 2, int(fy) + 1, x + 4, int(fy) + 3, boot)
    cv.rect(x - 1, int(fy), x + 2, int(fy) + 1, BOOT_L)


def _side_body_front(cv, i, b):
    step = STEP[i]
    _leg(cv, i, step, b, OVERALL, BOOT)
    cv.rrect(11, 15 + b, 21, 23 + b, 2, SHIRT)
    cv.rect(11, 16 + b, 13, 22 + b, SHIRT_D)
    cv.rect(12, 21 + b, 21, 25 + b, OVERALL)
    cv.rect(16, 18 + b, 21, 22 + b, OVERALL)             # the bib, on the chest side
    cv.rect(16, 15 + b, 18, 18 + b, OVERALL)             # its strap over the shoulder
    cv.set(17, 18 + b, BUTTON)
    # the near arm swings against the near leg
    hx = 16 - step * 4
    cv.line(16, 17 + b, hx, 21 + b, 3.2, SHIRT)
    cv.rect(hx - 1, 21 + b, hx + 2, 23 + b, SKIN)


def frame(direction, i):
    """direction: 'north', 'east', 'south', 'west'; i: 0..3 (contact, pass, contact, pass)."""
    if direction == 'west':
        return frame('east', i).flipped()
    cv = Canvas(32, 32)
    b = BOB[i]
    if direction == 'east':
        _side_body_back(cv, i, b)
        _side_body_front(cv, i, b)
        cv.pixels(HEAD_EAST, 5, 1 + b, PALETTE)
    else:
        _front_body(cv, i, b, direction == 'south')
        cv.pixels(HEAD_SOUTH if direction == 'south' else HEAD_NORTH, 6, 1 + b, PALETTE)
    cv.outline(OUT)
    return cv


def portrait():
    """The menu's farmer, 64 x 72, drawn pixel by pixel for showing four times enlarged.

    Same colours and build as the walking sprite, but with room for a face
    that smiles, a waving hand and a straw stalk between the teeth.
    """
    cv = Canvas(64, 72)
    # boots and legs, a gap between them
    for x0 in (20, 35):
        cv.rect(x0, 56, x0 + 9, 66, OVERALL if x0 < 32 else OVERALL_D)
        cv.rrect(x0 - 2, 64, x0 + 11, 71, 2, BOOT)
        cv.rect(x0, 65, x0 + 8, 66, BOOT_L)
    # the arm held down, behind the body
    cv.rrect(45, 36, 52, 53, 3, SHIRT_D)
    cv.circle(48.5, 54, 3.6, SKIN)
    cv.rect(46, 55, 51, 56, SKIN_D)
    # the waving arm, raised from the shoulder
    cv.line(19, 40, 9, 34, 6.0, SHIRT)
    cv.rect(4, 33, 12, 36, SHIRT_D)                          # the rolled-up cuff
    cv.rrect(4, 24, 12, 33, 3, SKIN)
    for fx in (4, 6, 8, 10):                                 # spread fingers
        cv.rect(fx, 20 if fx in (6, 8) else 21, fx + 2, 25, SKIN)
    cv.rect(2, 28, 5, 30, SKIN)                              # the thumb
    cv.rect(10, 26, 12, 33, SKIN_D)
    # shirt, then the overalls over it
    cv.rrect(17, 34, 47, 58, 5, SHIRT)
    cv.rect(41, 36, 47, 56, SHIRT_D)
    for x in range(20, 46, 6):                               # a little plaid
        cv.rect(x, 35, x + 1, 57, scale(SHIRT, 0.82))
    for y in range(38, 57, 6):
        cv.rect(18, y, 47, y + 1, scale(SHIRT, 0.82))
    cv.rect(23, 42, 42, 58, OVERALL)
    cv.rect(20, 52, 45, 59, OVERALL)
    cv.rect(38, 42, 42, 58, OVERALL_D)
    cv.rect(22, 34, 27, 43, OVERALL)
    cv.rect(37, 34, 42, 43, OVERALL)
    cv.rect(23, 41, 26, 44, BUTTON)
    cv.rect(38, 41, 41, 44, BUTTON)
    cv.rect(28, 46, 37, 52, OVERALL_D)                       # the bib pocket and its seam
    cv.rect(28, 46, 37, 47, scale(OVERALL_D, 0.8))
    cv.rect(32, 56, 33, 60, OVERALL_D)
    # head: ears, face, hair at the temples
    for ex in (18, 43):
        cv.rrect(ex, 22, ex + 4, 29, 1.5, SKIN)
        cv.rect(ex + 1, 24, ex + 3, 27, SKIN_D)
    cv.rrect(21, 15, 44, 36, 7, SKIN)
    cv.rect(21, 17, 24, 24, HAIR)
    cv.rect(41, 17, 44, 24, HAIR)
    cv.rect(23, 17, 42, 20, SKIN_D)                          # the brim's shadow
    # brows, eyes with a glint, nose, cheeks, a wide smile
    cv.pixels([
        '.BBBB.......BBBB.',
        '.................',
        '..ee.........ee..',
        '..we.........we..',
        '..ee.........ee..',
        '.......KKK.......',
        '......KKkKK......',
        'pp....KKKKK....pp',
        'pp.............pp',
        '..mm.........mm..',
        '....mmmmmmmmm....',
        '.....mwwwwwm.....',
        '......mmmmm......',
    ], 24, 20, dict(PALETTE, w=(255, 255, 255)))
    # a straw stalk from the corner of the mouth
    cv.line(38, 30, 48, 26, 1.2, HAT_D)
    cv.rect(47, 25, 50, 26, HAT)
    # the straw hat: brim, crown, band, a weave on the crown
    cv.ellipse(32, 15, 24, 5, HAT)
    cv.ellipse(32, 16.5, 22, 3.5, HAT_D)
    cv.ellipse(32, 14.5, 22, 3.5, HAT)
    cv.rrect(21, 1, 43, 15, 5, HAT)
    cv.rect(38, 4, 43, 11, HAT_D)
    cv.rect(24, 3, 28, 9, HAT_L)
    for y in range(3, 10, 3):
        for x in range(22 + y % 2 * 2, 42, 4):
            cv.set(x, y, HAT_D)
    cv.rect(21, 10, 43, 14, HATBAND)
    cv.rect(21, 10, 43, 11, scale(HATBAND, 1.25))
    cv.outline(OUT)
    return cv


DIRECTIONS = ('north', 'east', 'south', 'west')


def frames():
    return {d: [frame(d, i) for i in range(4)] for d in DIRECTIONS}
