#ifndef SKOBJECT_H
#define SKOBJECT_H

#include "tnabo.h"
#include "tnerror.h"

// One thing on the play field: the farmer, a fruit in his chain, a fruit
// lying about, a trap or a bonus. The sprite (position, colour, frame) lives
// in a private copy of an ABO; the animation set it points at is shared and
// owned by the game. A plain value: copying copies everything.
class skObject {
public:
    // The numbers matter: kinds are computed as a sample index plus a base
    // (APPLE1 + fruit sample, RAIN + trap sample).
    enum ObjectType {
        PLAYER = 0,
        APPLE1 = 1,
        GOOSEBERRY = 40,
        RAIN = 41,
        TORNADO = 42,
        FLOOD = 43,
        LIGHTENING = 44,
        FIRE = 45,
        BOMB = 46,
        POISONIVY = 47,
        MUSHROOM = 48,
        STAR = 49,
        BASKET = 50,
        MOREFRUITS = 51,
        POISON = 52,
        ANTIDOTE = 53,
        DONATE = 54,
        ANGEL = 55,
        GOLD = 56,
        EXPLOSION = 57,
        UNKNOWN = 58, // "any kind" for the spawning rules; never stored
        EMPTY = 59
    };

    static bool IsFruit(int kind) { return kind >= APPLE1 && kind <= GOOSEBERRY; }

    // Seconds of life meaning "for ever".
    static constexpr tnReal32 Unlimited = -1.0f;
    // A dead object's colour channels drop by this much per update.
    static constexpr tnUInt8 FadeStep = 16;

    skObject();
    skObject(tnABO& abo, ObjectType kind, long x, long y, long minLife, long maxLife);
    ~skObject();

    void Create(tnABO& abo, ObjectType kind, long x, long y, long minLife, long maxLife);

    void Update(tnReal32 step, long x, long y, ANIMATION_DATA::ANIM_TYPES action,
                ANIMATION_DATA::ANIM_SUBTYPES direction);
    // Moves by the moving step.
    void Update(tnReal32 step, ANIMATION_DATA::ANIM_TYPES action, ANIMATION_DATA::ANIM_SUBTYPES direction);
    // Ages and animates (or fades) where it stands.
    void UpdateInPlace(tnReal32 step) { UpdateInPlace(step, m_eDirection); }
    void UpdateInPlace(tnReal32 step, ANIMATION_DATA::ANIM_SUBTYPES direction)
    {
        Update(step, m_kABO.GetX(), m_kABO.GetY(), m_eAction, direction);
    }
    void UpdateTime(tnReal32 step) { m_fTime += step; }
    bool TimeUp() const;

    bool IsAlive() const { return m_bAlive; }
    // The direction is accepted for the callers' sake; dying looks the same either way.
    void Die(ANIMATION_DATA::ANIM_SUBTYPES direction);

    tnError32 Render();
    void SetPosition(long x, long y);
    void SetDirection(ANIMATION_DATA::ANIM_SUBTYPES direction);

    tnABO& GetABO() { return m_kABO; }
    tnInt32 GetXPosition() { return m_kABO.GetX(); }
    tnInt32 GetYPosition() { return m_kABO.GetY(); }
    tnInt32 GetMovingX() const { return m_iMovingX; }
    tnInt32 GetMovingY() const { return m_iMovingY; }
    void SetMovingStep(long x, long y);
    ANIMATION_DATA::ANIM_TYPES GetAction() const { return m_eAction; }
    ANIMATION_DATA::ANIM_SUBTYPES GetDirection() const { return m_eDirection; }
    ObjectType GetObjectType() const { return m_eObjectType; }
    tnReal32 GetTime() const { return m_fTime; }
    tnReal32 GetLifeTime() const { return m_fLifeTime; }
    void SetLifeTime(tnReal32 lifeTime) { m_fLifeTime = lifeTime; }

private:
    void SetDefaults();
    void DrawLifeTime(long minLife, long maxLife);

    tnABO m_kABO;
    tnReal32 m_fTime;      // seconds of updates since creation
    tnReal32 m_fLifeTime;  // seconds until expiry, or Unlimited
    tnInt32 m_iMovingX;    // pixels per moving update
    tnInt32 m_iMovingY;
    ANIMATION_DATA::ANIM_TYPES m_eAction;        // last action given to the ABO
    ANIMATION_DATA::ANIM_SUBTYPES m_eDirection;  // last direction given to the ABO
    bool m_bAlive;
    ObjectType m_eObjectType;
};

#endif
