"""Banks along water: which sides of a water cell meet dry ground, and the
name of the tile that shows them.

A water cell is dry on a side when the neighbour there is neither water nor
something that stands in the water (a bridge, a board walk). Beyond the map's
edge the water goes on. A diagonal neighbour matters only where both cells
beside it are wet: then dry ground pokes a rounded corner into the water
(an inside corner). The level compiler picks the tiles, the art draws them,
and both name them through this module.
"""

SIDES = ('n', 'e', 's', 'w')
# corner name, offset, the two sides that flank it
CORNERS = (('ne', 1, -1, 'n', 'e'), ('se', 1, 1, 's', 'e'), ('sw', -1, 1, 's', 'w'), ('nw', -1, -1, 'n', 'w'))
OFFSETS = {'n': (0, -1), 'e': (1, 0), 's': (0, 1), 'w': (-1, 0)}
FAMILIES = ('bank', 'swampbank')


def dry_around(wet, x, y):
    """(dry sides, dry inside corners) of cell (x, y); wet(x, y) tells water from ground."""
    sides = tuple(s for s in SIDES if not wet(x + OFFSETS[s][0], y + OFFSETS[s][1]))
    corners = tuple(c for c, dx, dy, a, b in CORNERS
                    if a not in sides and b not in sides and not wet(x + dx, y + dy))
    return sides, corners


def name(family, sides, corners=()):
    """'bank_ne' (dry north and east), 'bank_w_in_se' (dry west, a corner of ground to the south-east),
    'bank_in_nw'; None for open water, which keeps its own tile."""
    if not sides and not corners:
        return None
    parts = [family]
    if sides:
        parts.append(''.join(s for s in SIDES if s in sides))
    if corners:
        parts.append('in')
        parts.extend(c for c, *_ in CORNERS if c in corners)
    return '_'.join(parts)


def parse(tile):
    """The inverse of name(): (family, sides, corners), or None for a tile that is no bank."""
    parts = tile.split('_')
    if parts[0] not in FAMILIES or len(parts) < 2:
        return None
    family, rest = parts[0], parts[1:]
    sides = ()
    if rest[0] != 'in':
        sides, rest = tuple(rest[0]), rest[1:]
    corners = tuple(rest[1:]) if rest and rest[0] == 'in' else ()
    return family, sides, corners


def drawn_set(family):
    """The bank tiles the sheet holds for one family: every combination of dry sides, a single
    inside corner on open water, and the inside corners a straight bank or an outer corner can
    still have opposite it. Rarer mixes (several corners of ground around open water) fall back
    to fewer corners."""
    out = []
    for mask in range(1, 16):
        sides = tuple(s for i, s in enumerate(SIDES) if mask >> i & 1)
        free = [c for c, dx, dy, a, b in CORNERS if a not in sides and b not in sides]
        out.append(name(family, sides))
        if len(sides) == 1:
            out += [name(family, sides, (c,)) for c in free] + [name(family, sides, tuple(free))]
        elif len(sides) == 2 and free:
            out.append(name(family, sides, tuple(free)))
    out += [name(family, (), (c,)) for c, *_ in CORNERS]
    return out


def fallbacks(family, sides, corners):
    """Names to try in order: the exact tile, then with fewer inside corners, then none at all."""
    out = [name(family, sides, corners)]
    for c in corners:
        out.append(name(family, sides, tuple(k for k in corners if k != c)))
    if corners and sides:
        out.append(name(family, sides))
    return [n for n in out if n]
