#ifndef TNFRAMESTRIP_H
#define TNFRAMESTRIP_H

#include "tnanimationdata.h"
#include "tnerror.h"

class tnTexture;

// One row of equally sized frames in a texture: one direction of an
// animation.
class tnFrameStrip {
public:
    tnFrameStrip();

    void Set(tnTexture* texture, tnUInt8 frameCount, tnUInt16 startColumn, tnUInt16 row,
             ANIMATION_DATA::ANIM_SUBTYPES subType);
    tnUInt8 GetFrameCount() const { return m_iFrameCount; }
    ANIMATION_DATA::ANIM_SUBTYPES GetSubType() const { return m_eSubType; }
    tnUInt16 GetStartColumn() const { return m_iStartColumn; }
    tnUInt16 GetRow() const { return m_iRow; }

    // Draws frame `frame` of the strip centred at (x, y); a frame past the
    // texture's right edge comes from the start of the next row.
    tnError32 Render(tnInt32 x, tnInt32 y, tnUInt16 frameWidth, tnUInt16 frameHeight, tnReal32 scaleX,
                     tnReal32 scaleY, tnUInt32 colour, tnReal32 angle, tnUInt8 frame);

private:
    tnTexture* m_pkTexture; // not owned
    tnUInt16 m_iStartColumn;
    tnUInt16 m_iRow;
    tnUInt8 m_iFrameCount;
    ANIMATION_DATA::ANIM_SUBTYPES m_eSubType;
};

#endif
