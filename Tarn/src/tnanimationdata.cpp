#include "tnanimationdata.h"

namespace {

// Index = value; null where a value has no name. The four rotation names
// carry the degree sign of code page 1252 (0xB0).
const char* const kTypeNames[] = {
    nullptr,          "Walk",           "Walk Begin",      "Walk End",        "Run",        "Start run",
    "End run",        "Jump",           "Start jump",      "End jump",        "Swim",       "Start swim",
    "End swim",       "Climb",          "Start climb",     "End climb",       "Eat",        "Graze",
    "Browse",         "Attack 1",       "Attack 2",        "Attack 3",        "Attack 4",   "Smash",
    "Uppercut",       "Throw item",     "Throw creature",  "Rotate 45\xB0 left", "Rotate 45\xB0 right",
    "Rotate 90\xB0 left", "Rotate 90\xB0 right", "Ambient", "Stand",          "React",      "Block",
    nullptr,          "Die",            "Show"};

const char* const kSubTypeNames[] = {nullptr, "North", "NorthEast", "East",      "SouthEast",
                                     "South", "SouthWest", "West", "NorthWest", "ShowSub"};

template <std::size_t N>
tnStringC NameOf(const char* const (&names)[N], int value)
{
    if (value < 0 || static_cast<std::size_t>(value) >= N || !names[value])
        return tnStringC();
    return tnStringC(names[value]);
}

template <std::size_t N>
int ValueOf(const char* const (&names)[N], tnStringC& name)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] && name == names[i])
            return static_cast<int>(i);
    }
    return 0;
}

} // namespace

namespace ANIMATION_DATA {

tnStringC GetTypeName(int type)
{
    return NameOf(kTypeNames, type);
}

tnStringC GetSubTypeName(int subType)
{
    return NameOf(kSubTypeNames, subType);
}

ANIM_TYPES GetType(tnStringC name)
{
    return static_cast<ANIM_TYPES>(ValueOf(kTypeNames, name));
}

ANIM_SUBTYPES GetSubType(tnStringC name)
{
    return static_cast<ANIM_SUBTYPES>(ValueOf(kSubTypeNames, name));
}

} // namespace ANIMATION_DATA
