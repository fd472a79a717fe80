#ifndef TNABO_H
#define TNABO_H

#include "tnanimation.h"
#include "tnanimationdata.h"
#include "tnerror.h"

#include <fstream>
#include <istream>
#include <string>

class tnTexture;

// An animation-based object: a placed, scaled, tinted sprite over an array
// of animations shared by every object of its kind, with its current
// animation, direction and frame, advanced at its own update speed.
class tnABO {
public:
    // Why an animation text is refused, for the log.
    static constexpr const char* BadRecords = "bad animation records (cut short, or counts out of range)";

    tnABO();
    ~tnABO();

    // Loads one animation set (a file, or the next record of an open
    // stream). The array returned belongs to the caller (delete[]); it is
    // also kept here. Null for a null texture, a file that cannot be
    // opened, or a record that is malformed, ends early, counts no frames,
    // directions or animations, or whose frames do not fit its sheet. A
    // named file (the stream's name given as logName) that fails is named in
    // the log with why; so is a colour key outside 0 to 255.
    tnAnimation* CreateFromFile(const char* fileName, tnTexture* texture, bool shareTexture = false);
    tnAnimation* CreateFromFile(std::fstream& stream, tnTexture* texture, bool shareTexture = false,
                                const char* logName = nullptr);

    void Update();
    bool SetAnimation(ANIMATION_DATA::ANIM_TYPES type, ANIMATION_DATA::ANIM_SUBTYPES subType);
    bool SetType(ANIMATION_DATA::ANIM_TYPES type);
    bool SetSubType(ANIMATION_DATA::ANIM_SUBTYPES subType);
    bool IsLastFrame() const;
    tnError32 Render();

    tnUInt16 GetWidth() const;
    tnUInt16 GetHeight() const;
    tnAnimation* GetCurrentAnimation() const;
    tnFrameStrip* GetCurrentStrip() const;
    ANIMATION_DATA::ANIM_TYPES GetType() const;
    ANIMATION_DATA::ANIM_SUBTYPES GetSubType() const;
    tnUInt16 GetNumOfAnimations() const { return m_iNumAnimations; }
    tnAnimation* GetAnimations() const { return m_pkAnimations; }
    tnUInt8 GetCurrentFrame() const { return m_iCurrentFrame; }
    void SetCurrentFrame(tnUInt8 frame) { m_iCurrentFrame = frame; }
    tnInt32 GetX() const { return m_iX; }
    tnInt32 GetY() const { return m_iY; }
    void SetPosition(tnInt32 x, tnInt32 y)
    {
        m_iX = x;
        m_iY = y;
    }
    tnUInt32 GetColor() const { return m_iColor; }
    void SetColor(tnUInt8 alpha, tnUInt8 red, tnUInt8 green, tnUInt8 blue);
    tnReal32 GetAngle() const { return m_fAngle; }
    tnReal32 GetRadius() const { return m_fRadius; }
    void SetRadius(tnReal32 radius) { m_fRadius = radius; }
    void SetScaleX(tnReal32 scale) { m_fScaleX = scale; }
    void SetScaleY(tnReal32 scale) { m_fScaleY = scale; }
    void SetScale(tnReal32 x, tnReal32 y)
    {
        m_fScaleX = x;
        m_fScaleY = y;
    }
    tnReal32 GetScaleX() const { return m_fScaleX; }
    tnReal32 GetScaleY() const { return m_fScaleY; }
    void SetUpdateSpeed(tnUInt16 speed) { m_iUpdateSpeed = speed; }
    tnUInt16 GetUpdateSpeed() const { return m_iUpdateSpeed; }
    void Rotate(tnReal32 angle, bool relative);
    // Lowers red, green and blue by step each, stopping at 0.
    void FadeColor(tnUInt8 step);
    bool Contains(tnInt32 x, tnInt32 y) const;
    bool Collides(const tnABO& other, bool circle) const;
    void CleanUp();

private:
    tnAnimation* Load(std::istream& stream, tnTexture* texture, bool shareTexture, const char* logName);
    // Fills `why` when the record is refused, or with a note when it loads.
    tnAnimation* Read(std::istream& stream, tnTexture* texture, bool shareTexture, std::string& why);

    tnAnimation* m_pkAnimations; // not owned: the caller of CreateFromFile frees it
    tnUInt16 m_iNumAnimations;
    tnUInt16 m_iCurrentAnimation;
    tnUInt8 m_iCurrentStrip; // index into the current animation's strips
    tnUInt8 m_iCurrentFrame;
    tnUInt32 m_iColor;
    tnInt32 m_iX;
    tnInt32 m_iY;
    tnReal32 m_fAngle;
    tnReal32 m_fRadius; // 0: derived from the size
    tnReal32 m_fScaleX;
    tnReal32 m_fScaleY;
    tnUInt16 m_iUpdateSpeed; // the frame advances once every this many updates
    tnUInt16 m_iUpdateCounter;
};

#endif
