#include "sksnake.h"

#include <cstdlib>

namespace {

// The point one step of the given length from (x, y) in a direction; the
// diagonals and "no direction" do not move.
void StepFrom(ANIMATION_DATA::ANIM_SUBTYPES direction, tnInt32 dx, tnInt32 dy, tnInt32& x, tnInt32& y)
{
    switch (direction) {
    case ANIMATION_DATA::NORTH: y -= dy; break;
    case ANIMATION_DATA::EAST: x += dx; break;
    case ANIMATION_DATA::SOUTH: y += dy; break;
    case ANIMATION_DATA::WEST: x -= dx; break;
    default: break;
    }
}

} // namespace

skSnake::skSnake()
{
    Init(8);
}

skSnake::~skSnake()
{
    CleanUp();
}

void skSnake::Init(tnUInt16 speed)
{
    m_iSpeed = speed;
    m_bIdle = true;
    m_iDeltaX = 0;
    m_iDeltaY = 0;
}

void skSnake::Create(skObject& head)
{
    if (!m_kChain.Empty())
        m_kChain.CleanUp();
    m_kChain.AppendItem(head);
    skObject& kHead = m_kChain.GetHead()->data;
    kHead.Update(0.1f, kHead.GetXPosition(), kHead.GetYPosition(), ANIMATION_DATA::WALK, ANIMATION_DATA::EAST);
}

// The newcomer joins one tail sprite behind the tail, facing the same way.
void skSnake::Insert(skObject& object)
{
    skObject kMember = object;
    if (tnSingleList<skObject>::tnListNode* pkTail = m_kChain.GetTail()) {
        skObject& kTail = pkTail->data;
        tnInt32 x = kTail.GetXPosition();
        tnInt32 y = kTail.GetYPosition();
        StepFrom(kTail.GetDirection(), -static_cast<tnInt32>(kTail.GetABO().GetWidth()),
                 -static_cast<tnInt32>(kTail.GetABO().GetHeight()), x, y);
        kMember.SetPosition(x, y);
        kMember.SetDirection(kTail.GetDirection());
    }
    m_kChain.AppendItem(kMember);
}

void skSnake::Update(tnReal32 step, bool& hitSelf)
{
    if (m_kChain.Empty())
        return;
    Lead kLead{};
    m_kChain.Reset();
    if (UpdateHead(step, kLead) == Stop)
        return;
    for (m_kChain.Next(); m_kChain.IsIteratorValid(); m_kChain.Next()) {
        if (UpdateMember(step, kLead, hitSelf) == Stop)
            return;
    }
}

skSnake::StepResult skSnake::UpdateHead(tnReal32 step, Lead& lead)
{
    skObject& kHead = m_kChain.GetCurrentItem();
    lead.width = kHead.GetABO().GetWidth();
    lead.height = kHead.GetABO().GetHeight();
    lead.direction = kHead.GetDirection();
    if (!kHead.IsAlive()) {
        if (HasFaded(kHead)) {
            CleanUp();
            return Stop;
        }
        kHead.UpdateInPlace(step);
    } else {
        tnInt32 x = kHead.GetXPosition();
        tnInt32 y = kHead.GetYPosition();
        StepFrom(lead.direction, m_iSpeed, m_iSpeed, x, y);
        kHead.Update(step, x, y, ANIMATION_DATA::WALK, lead.direction);
    }
    lead.x = lead.headX = kHead.GetXPosition();
    lead.y = lead.headY = kHead.GetYPosition();
    return Continue;
}

skSnake::StepResult skSnake::UpdateMember(tnReal32 step, Lead& lead, bool& hitSelf)
{
    skObject& kMember = m_kChain.GetCurrentItem();
    if (!kMember.IsAlive())
        return UpdateDeadMember(step, lead);

    const tnInt32 cx = kMember.GetXPosition();
    const tnInt32 cy = kMember.GetYPosition();
    const ANIMATION_DATA::ANIM_SUBTYPES eOwn = kMember.GetDirection();
    tnInt32 nx = cx;
    tnInt32 ny = cy;
    if (cx == lead.x) {
        ny = cy < lead.y ? lead.y - lead.height : lead.y + lead.height;
    } else if (cy == lead.y) {
        nx = cx < lead.x ? lead.x - lead.width : lead.x + lead.width;
    } else if (std::abs(cx - lead.x) < lead.width || std::abs(cy - lead.y) < lead.height) {
        // The member ahead is still going round a corner: this one and all
        // behind it wait until it is a full sprite away.
        FadeRest(step);
        return Stop;
    } else {
        StepFrom(eOwn, lead.width, lead.height, nx, ny);
    }

    if (nx == lead.headX && ny == lead.headY) {
        hitSelf = true;
        KillFromCurrent();
        return Stop;
    }
    kMember.Update(step, nx, ny, ANIMATION_DATA::WALK, lead.direction);
    lead.x = nx;
    lead.y = ny;
    lead.direction = eOwn;
    return Continue;
}

skSnake::StepResult skSnake::UpdateDeadMember(tnReal32 step, Lead& lead)
{
    skObject& kMember = m_kChain.GetCurrentItem();
    if (HasFaded(kMember)) {
        m_kChain.RemoveFromCurrentItem();
        return Stop;
    }
    kMember.UpdateInPlace(step);
    lead.x = kMember.GetXPosition();
    lead.y = kMember.GetYPosition();
    return Continue;
}

void skSnake::FadeRest(tnReal32 step)
{
    for (; m_kChain.IsIteratorValid(); m_kChain.Next()) {
        skObject& kMember = m_kChain.GetCurrentItem();
        if (!kMember.IsAlive())
            kMember.UpdateInPlace(step);
    }
}

void skSnake::KillFromCurrent()
{
    for (; m_kChain.IsIteratorValid(); m_kChain.Next())
        m_kChain.GetCurrentItem().Die(ANIMATION_DATA::EAST);
}

bool skSnake::HasFaded(skObject& member)
{
    return ((member.GetABO().GetColor() >> 16) & 0xFF) == 0;
}

bool skSnake::SeekTo(tnUInt32 index)
{
    m_kChain.Reset();
    for (tnUInt32 i = 0; i < index && m_kChain.IsIteratorValid(); ++i)
        m_kChain.Next();
    return m_kChain.IsIteratorValid();
}

void skSnake::SetDirection(ANIMATION_DATA::ANIM_SUBTYPES direction)
{
    m_bIdle = false;
    if (skObject* pkHead = GetHeadObject())
        pkHead->SetDirection(direction);
}

ANIMATION_DATA::ANIM_SUBTYPES skSnake::GetDirection()
{
    skObject* pkHead = GetHeadObject();
    return pkHead ? pkHead->GetDirection() : ANIMATION_DATA::NONESUBTYPE;
}

skObject* skSnake::GetHeadObject()
{
    tnSingleList<skObject>::tnListNode* pkHead = m_kChain.GetHead();
    return pkHead ? &pkHead->data : nullptr;
}

skObject* skSnake::GetMember(tnUInt32 index)
{
    return SeekTo(index) ? &m_kChain.GetCurrentItem() : nullptr;
}

void skSnake::SetDeltaXY(long x, long y)
{
    m_iDeltaX = static_cast<tnInt32>(x);
    m_iDeltaY = static_cast<tnInt32>(y);
}

// Snapping the farmer onto the grid drags along the straight run of members
// behind him; the part of the chain beyond the first bend stays where it is.
void skSnake::OffsetSnake()
{
    tnInt32 iLeadX = 0;
    tnInt32 iLeadY = 0;
    for (m_kChain.Reset(); m_kChain.IsIteratorValid(); m_kChain.Next()) {
        skObject& kMember = m_kChain.GetCurrentItem();
        const tnInt32 x = kMember.GetXPosition();
        const tnInt32 y = kMember.GetYPosition();
        const bool bHead = m_kChain.GetCurrent() == m_kChain.GetHead();
        if (!bHead && x != iLeadX && y != iLeadY)
            break;
        kMember.SetPosition(x + m_iDeltaX, y + m_iDeltaY);
        iLeadX = x;
        iLeadY = y;
    }
    m_iDeltaX = 0;
    m_iDeltaY = 0;
}

int skSnake::CutFromHere(unsigned long index)
{
    int iKilled = 0;
    if (index >= m_kChain.Size() || !SeekTo(static_cast<tnUInt32>(index)))
        return 0;
    for (; m_kChain.IsIteratorValid() && m_kChain.GetCurrentItem().IsAlive(); m_kChain.Next()) {
        m_kChain.GetCurrentItem().Die(ANIMATION_DATA::EAST);
        ++iKilled;
    }
    return iKilled;
}

tnUInt32 skSnake::Intercept(long x, long y)
{
    tnUInt32 i = 0;
    for (m_kChain.Reset(); m_kChain.IsIteratorValid(); m_kChain.Next(), ++i) {
        skObject& kMember = m_kChain.GetCurrentItem();
        if (std::labs(x - kMember.GetXPosition()) < InterceptDistance &&
            std::labs(y - kMember.GetYPosition()) < InterceptDistance)
            return i;
    }
    return NoMember;
}

tnUInt32 skSnake::Occupy(long x, long y)
{
    tnUInt32 i = 0;
    for (m_kChain.Reset(); m_kChain.IsIteratorValid(); m_kChain.Next(), ++i) {
        skObject& kMember = m_kChain.GetCurrentItem();
        if (kMember.GetXPosition() == x && kMember.GetYPosition() == y)
            return i;
    }
    return NoMember;
}

tnUInt16 skSnake::InBox(long left, long top, long right, long bottom)
{
    tnUInt32 i = 0;
    for (m_kChain.Reset(); m_kChain.IsIteratorValid() && i < NoMemberInBox; m_kChain.Next(), ++i) {
        skObject& kMember = m_kChain.GetCurrentItem();
        const long x = kMember.GetXPosition();
        const long y = kMember.GetYPosition();
        if (left <= x && x <= right && top <= y && y <= bottom)
            return static_cast<tnUInt16>(i);
    }
    return NoMemberInBox;
}

bool skSnake::IsAlive()
{
    skObject* pkHead = GetHeadObject();
    return pkHead && pkHead->IsAlive();
}

bool skSnake::IsAlive(tnUInt16 index)
{
    skObject* pkMember = GetMember(index);
    return pkMember && pkMember->IsAlive();
}

void skSnake::Die(ANIMATION_DATA::ANIM_SUBTYPES direction)
{
    for (m_kChain.Reset(); m_kChain.IsIteratorValid(); m_kChain.Next())
        m_kChain.GetCurrentItem().Die(direction);
}

bool skSnake::BorderCollision(unsigned long left, unsigned long top, unsigned long right, unsigned long bottom)
{
    skObject* pkHead = GetHeadObject();
    if (!pkHead)
        return false;
    // Compared as signed values: a farmer left of or above the screen's
    // origin is outside, not a huge unsigned number.
    const long long x = pkHead->GetXPosition();
    const long long y = pkHead->GetYPosition();
    if (x >= static_cast<long long>(left) && x <= static_cast<long long>(right) &&
        y >= static_cast<long long>(top) && y <= static_cast<long long>(bottom))
        return false;
    Die(ANIMATION_DATA::EAST);
    return true;
}

void skSnake::Render()
{
    for (m_kChain.Reset(); m_kChain.IsIteratorValid(); m_kChain.Next())
        m_kChain.GetCurrentItem().Render();
}

void skSnake::CleanUp()
{
    m_kChain.CleanUp();
}
