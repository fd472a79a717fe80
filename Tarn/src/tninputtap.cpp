#include "tninputtap.h"

namespace {
tnInputTap* g_pkTap = nullptr;
}

tnInputTap* tnInputTap::Get()
{
    return g_pkTap;
}

void tnInputTap::Set(tnInputTap* tap)
{
    g_pkTap = tap;
}
