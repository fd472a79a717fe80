#ifndef TNANIMATIONDATA_H
#define TNANIMATIONDATA_H

#include "tnstring.h"

// The actions and directions of animations, and their names as written in
// animation files.
namespace ANIMATION_DATA {

enum ANIM_TYPES {
    NONETYPE = 0,
    WALK = 1,
    WALKBEGIN = 2,
    WALKEND = 3,
    RUN = 4,
    STARTRUN = 5,
    ENDRUN = 6,
    JUMP = 7,
    STARTJUMP = 8,
    ENDJUMP = 9,
    SWIM = 10,
    STARTSWIM = 11,
    ENDSWIM = 12,
    CLIMB = 13,
    STARTCLIMB = 14,
    ENDCLIMB = 15,
    EAT = 16,
    GRAZE = 17,
    BROWSE = 18,
    ATTACK1 = 19,
    ATTACK2 = 20,
    ATTACK3 = 21,
    ATTACK4 = 22,
    SMASH = 23,
    UPPERCUT = 24,
    THROWITEM = 25,
    THROWCREATURE = 26,
    ROTATE45LEFT = 27,
    ROTATE45RIGHT = 28,
    ROTATE90LEFT = 29,
    ROTATE90RIGHT = 30,
    AMBIENT = 31,
    STAND = 32,
    REACT = 33,
    BLOCK = 34,
    // 35 has no action.
    DIE = 36,
    SHOW = 37
};

enum ANIM_SUBTYPES {
    NONESUBTYPE = 0,
    NORTH = 1,
    NORTHEAST = 2,
    EAST = 3,
    SOUTHEAST = 4,
    SOUTH = 5,
    SOUTHWEST = 6,
    WEST = 7,
    NORTHWEST = 8,
    SHOWSUB = 9
};

// The name of a value; empty for a value without one.
tnStringC GetTypeName(int type);
tnStringC GetSubTypeName(int subType);
// The value whose name equals the text, ignoring case; 0 when none does.
ANIM_TYPES GetType(tnStringC name);
ANIM_SUBTYPES GetSubType(tnStringC name);

} // namespace ANIMATION_DATA

#endif
