#include "tnframestrip.h"

#include "tntexture.h"

tnFrameStrip::tnFrameStrip()
    : m_pkTexture(nullptr), m_iStartColumn(0), m_iRow(0), m_iFrameCount(0), m_eSubType(ANIMATION_DATA::NONESUBTYPE)
{
}

void tnFrameStrip::Set(tnTexture* texture, tnUInt8 frameCount, tnUInt16 startColumn, tnUInt16 row,
                       ANIMATION_DATA::ANIM_SUBTYPES subType)
{
    m_pkTexture = texture;
    m_iFrameCount = frameCount;
    m_iStartColumn = startColumn;
    m_iRow = row;
    m_eSubType = subType;
}

tnError32 tnFrameStrip::Render(tnInt32 x, tnInt32 y, tnUInt16 frameWidth, tnUInt16 frameHeight, tnReal32 scaleX,
                               tnReal32 scaleY, tnUInt32 colour, tnReal32 angle, tnUInt8 frame)
{
    if (!m_pkTexture)
        return tnErrorAnimation;
    tnInt32 sourceX = (frame + m_iStartColumn) * frameWidth;
    tnInt32 sourceY = m_iRow * frameHeight;
    if (sourceX > static_cast<tnInt32>(m_pkTexture->GetWidth()) - 1) {
        sourceY += frameHeight;
        sourceX = 0;
    }
    return m_pkTexture->Render(x, y, sourceX, sourceY, frameWidth, frameHeight, scaleX, scaleY, colour, angle);
}
