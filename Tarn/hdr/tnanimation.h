#ifndef TNANIMATION_H
#define TNANIMATION_H

#include "tnanimationdata.h"
#include "tnerror.h"
#include "tnframestrip.h"

class tnTexture;

// One action (walk, die, show...) with one frame strip per direction, all
// frames of one size, cut from one texture.
class tnAnimation {
public:
    tnAnimation();
    ~tnAnimation();
    tnAnimation(const tnAnimation&) = delete;
    tnAnimation& operator=(const tnAnimation&) = delete;

    // Stores the values and makes stripCount empty strips (replacing any).
    void Create(tnTexture* texture, tnUInt8 stripCount, ANIMATION_DATA::ANIM_TYPES type, tnUInt16 frameWidth,
                tnUInt16 frameHeight);
    // Sets strip `index` with the animation's texture; nothing past the count.
    void SetStrip(tnUInt8 index, tnUInt8 frameCount, tnUInt16 column, tnUInt16 row,
                  ANIMATION_DATA::ANIM_SUBTYPES subType);
    tnError32 Render(tnInt32 x, tnInt32 y, tnReal32 scaleX, tnReal32 scaleY, tnUInt32 colour, tnReal32 angle,
                     tnUInt8 stripIndex, tnUInt8 frame);
    // The first strip of that direction, searched from index 0.
    bool FindSubType(ANIMATION_DATA::ANIM_SUBTYPES subType, tnUInt8& index) const;

    tnUInt16 GetFrameWidth() const { return m_iFrameWidth; }
    tnUInt16 GetFrameHeight() const { return m_iFrameHeight; }
    void SetFrameWidth(tnUInt16 width) { m_iFrameWidth = width; }
    void SetFrameHeight(tnUInt16 height) { m_iFrameHeight = height; }
    ANIMATION_DATA::ANIM_TYPES GetType() const { return m_eType; }
    tnUInt8 GetStripCount() const { return m_iStripCount; }
    tnFrameStrip* GetStrips() const { return m_pkStrips; }
    tnTexture* GetTexture() const { return m_pkTexture; }

private:
    tnTexture* m_pkTexture;   // not owned
    tnFrameStrip* m_pkStrips; // owned array of m_iStripCount
    tnUInt8 m_iStripCount;
    tnUInt16 m_iFrameWidth;
    tnUInt16 m_iFrameHeight;
    ANIMATION_DATA::ANIM_TYPES m_eType;
};

#endif
