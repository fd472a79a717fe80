#ifndef SKSNAKE_H
#define SKSNAKE_H

#include "skobject.h"
#include "tnerror.h"
#include "tnsinglelist.h"

// The player: the farmer at the head and every fruit he has collected behind
// him, newest at the tail. The farmer walks a fixed number of pixels per
// update; the fruits follow one sprite apart, each taking over the direction
// of the one before it. Dead members always form the tail end of the chain;
// they fade and are then dropped.
class skSnake {
public:
    // Returned by Intercept and Occupy when no member matches.
    static constexpr tnUInt32 NoMember = 0xFFFFFFFFu;
    // Returned by InBox when no member lies in the box.
    static constexpr tnUInt16 NoMemberInBox = 65535;
    // Members closer than this in both axes intercept a point.
    static constexpr tnInt32 InterceptDistance = 32;

    skSnake();
    ~skSnake();
    skSnake(const skSnake&) = delete;
    skSnake& operator=(const skSnake&) = delete;

    void Init(tnUInt16 speed);
    void Create(skObject& head);
    void Insert(skObject& object);
    void Update(tnReal32 step, bool& hitSelf);

    void SetDirection(ANIMATION_DATA::ANIM_SUBTYPES direction);
    ANIMATION_DATA::ANIM_SUBTYPES GetDirection();
    // Null while the chain is empty.
    skObject* GetHeadObject();
    // The member at index (0 is the farmer); null past the tail.
    skObject* GetMember(tnUInt32 index);
    tnUInt32 GetSize() const { return m_kChain.Size(); }
    tnUInt16 GetSpeed() const { return m_iSpeed; }
    void SetSpeed(tnUInt16 speed) { m_iSpeed = speed; }
    bool IsIdle() const { return m_bIdle; }

    void SetDeltaXY(long x, long y);
    void OffsetSnake();
    int CutFromHere(unsigned long index);

    tnUInt32 Intercept(long x, long y);
    tnUInt32 Occupy(long x, long y);
    tnUInt16 InBox(long left, long top, long right, long bottom);

    bool IsAlive();
    bool IsAlive(tnUInt16 index);
    void Die(ANIMATION_DATA::ANIM_SUBTYPES direction);
    bool BorderCollision(unsigned long left, unsigned long top, unsigned long right, unsigned long bottom);

    void Render();
    void CleanUp();

private:
    // Where the member just moved (or stayed) and the direction it had
    // before this update: what the next member follows.
    struct Lead {
        tnInt32 x;
        tnInt32 y;
        ANIMATION_DATA::ANIM_SUBTYPES direction;
        tnInt32 headX; // where the farmer stands after his move: biting him stops the chain
        tnInt32 headY;
        tnInt32 width; // the farmer's sprite size sets the spacing of the whole chain
        tnInt32 height;
    };
    enum StepResult { Continue, Stop };

    StepResult UpdateHead(tnReal32 step, Lead& lead);
    StepResult UpdateMember(tnReal32 step, Lead& lead, bool& hitSelf);
    // Fades a dead member in place, or drops it and the rest once it has faded.
    StepResult UpdateDeadMember(tnReal32 step, Lead& lead);
    // Fades the dead members from the iterator on; living ones wait.
    void FadeRest(tnReal32 step);
    void KillFromCurrent();
    static bool HasFaded(skObject& member);
    // Moves the iterator to the member at index; false when there is none.
    bool SeekTo(tnUInt32 index);

    tnSingleList<skObject> m_kChain; // head first
    tnUInt16 m_iSpeed;               // pixels per update
    tnInt32 m_iDeltaX;               // pending offset for OffsetSnake
    tnInt32 m_iDeltaY;
    bool m_bIdle;                    // waiting for the first direction
};

#endif
