#include "tnanimation.h"

#include "tntexture.h"

tnAnimation::tnAnimation()
    : m_pkTexture(nullptr), m_pkStrips(nullptr), m_iStripCount(0), m_iFrameWidth(0), m_iFrameHeight(0),
      m_eType(ANIMATION_DATA::NONETYPE)
{
}

tnAnimation::~tnAnimation()
{
    delete[] m_pkStrips;
    m_pkStrips = nullptr;
    m_pkTexture = nullptr;
    m_iStripCount = 0;
    m_iFrameWidth = 0;
    m_iFrameHeight = 0;
    m_eType = ANIMATION_DATA::NONETYPE;
}

void tnAnimation::Create(tnTexture* texture, tnUInt8 stripCount, ANIMATION_DATA::ANIM_TYPES type,
                         tnUInt16 frameWidth, tnUInt16 frameHeight)
{
    delete[] m_pkStrips;
    m_pkTexture = texture;
    m_iStripCount = stripCount;
    m_eType = type;
    m_iFrameWidth = frameWidth;
    m_iFrameHeight = frameHeight;
    m_pkStrips = stripCount ? new tnFrameStrip[stripCount] : nullptr;
}

void tnAnimation::SetStrip(tnUInt8 index, tnUInt8 frameCount, tnUInt16 column, tnUInt16 row,
                           ANIMATION_DATA::ANIM_SUBTYPES subType)
{
    if (index < m_iStripCount)
        m_pkStrips[index].Set(m_pkTexture, frameCount, column, row, subType);
}

tnError32 tnAnimation::Render(tnInt32 x, tnInt32 y, tnReal32 scaleX, tnReal32 scaleY, tnUInt32 colour,
                              tnReal32 angle, tnUInt8 stripIndex, tnUInt8 frame)
{
    if (m_iStripCount == 0 || stripIndex >= m_iStripCount || !m_pkTexture)
        return tnErrorAnimation;
    m_pkTexture->SetActiveTexture();
    return m_pkStrips[stripIndex].Render(x, y, m_iFrameWidth, m_iFrameHeight, scaleX, scaleY, colour, angle, frame);
}

bool tnAnimation::FindSubType(ANIMATION_DATA::ANIM_SUBTYPES subType, tnUInt8& index) const
{
    for (tnUInt8 i = 0; i < m_iStripCount; ++i) {
        if (m_pkStrips[i].GetSubType() == subType) {
            index = i;
            return true;
        }
    }
    return false;
}
