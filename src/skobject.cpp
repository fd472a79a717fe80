#include "skobject.h"
#include "gamechance.h"

#include <cstdlib>

skObject::skObject()
{
    SetDefaults();
}

skObject::skObject(tnABO& abo, ObjectType kind, long x, long y, long minLife, long maxLife)
{
    Create(abo, kind, x, y, minLife, maxLife);
}

skObject::~skObject()
{
    SetDefaults();
}

void skObject::SetDefaults()
{
    m_kABO.CleanUp();
    m_fTime = 0.0f;
    m_fLifeTime = Unlimited;
    m_iMovingX = 0;
    m_iMovingY = 0;
    m_eAction = ANIMATION_DATA::WALK;
    m_eDirection = ANIMATION_DATA::EAST;
    m_bAlive = true;
    m_eObjectType = EMPTY;
}

void skObject::Create(tnABO& abo, ObjectType kind, long x, long y, long minLife, long maxLife)
{
    SetDefaults();
    m_kABO = abo;
    m_eObjectType = kind;
    m_kABO.SetPosition(x, y);
    DrawLifeTime(minLife, maxLife);
}

// A whole number of seconds from minLife to maxLife inclusive; -1 at either
// end means the object lives for ever. Bounds given the wrong way round
// would make an empty range, so the minimum then stands alone.
void skObject::DrawLifeTime(long minLife, long maxLife)
{
    if (minLife == -1 || maxLife == -1) {
        m_fLifeTime = Unlimited;
        return;
    }
    if (maxLife < minLife) {
        m_fLifeTime = static_cast<tnReal32>(minLife);
        return;
    }
    const long range = maxLife - minLife + 1;
    m_fLifeTime = static_cast<tnReal32>(GameChance::Random() % range + minLife);
}

void skObject::Update(tnReal32 step, long x, long y, ANIMATION_DATA::ANIM_TYPES action,
                      ANIMATION_DATA::ANIM_SUBTYPES direction)
{
    m_fTime += step;
    m_kABO.SetPosition(x, y);
    if (!m_bAlive) {
        m_kABO.FadeColor(FadeStep);
        return;
    }
    if (action == m_eAction && direction == m_eDirection) {
        m_kABO.Update();
        return;
    }
    // A new action or direction starts its animation from the first frame.
    m_eAction = action;
    m_eDirection = direction;
    m_kABO.SetAnimation(action, direction);
}

void skObject::Update(tnReal32 step, ANIMATION_DATA::ANIM_TYPES action, ANIMATION_DATA::ANIM_SUBTYPES direction)
{
    Update(step, m_kABO.GetX() + m_iMovingX, m_kABO.GetY() + m_iMovingY, action, direction);
}

bool skObject::TimeUp() const
{
    return m_fLifeTime != Unlimited && m_fTime >= m_fLifeTime;
}

void skObject::Die(ANIMATION_DATA::ANIM_SUBTYPES /*direction*/)
{
    m_bAlive = false;
}

tnError32 skObject::Render()
{
    // A default object has no animation set to draw from.
    if (!m_kABO.GetCurrentAnimation())
        return tnErrorAnimation;
    return m_kABO.Render();
}

void skObject::SetPosition(long x, long y)
{
    m_kABO.SetPosition(x, y);
}

void skObject::SetDirection(ANIMATION_DATA::ANIM_SUBTYPES direction)
{
    m_eDirection = direction;
    m_kABO.SetSubType(direction);
}

void skObject::SetMovingStep(long x, long y)
{
    m_iMovingX = static_cast<tnInt32>(x);
    m_iMovingY = static_cast<tnInt32>(y);
}
