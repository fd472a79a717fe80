#ifndef TESTS_CELLCHECK_H
#define TESTS_CELLCHECK_H

#include "mygameprobe.h"

#include <string>

// The field's bookkeeping, checked after every step of play: every cell
// refers only to a live fruit or trap; every fruit and trap is referred to
// by exactly one cell, its own (an explosion by its bomb's cell, a tornado
// by none); the lists stay within their bounds. Returns the first fault
// found, or an empty string.
std::string CellReferenceFault(MyGameProbe& probe);

// Division rounding down: a point left of or above the field lies in
// column or row -1, not 0.
inline long FloorDivide(long value, long divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

#endif
