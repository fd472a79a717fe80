#ifndef TNSTATEMENT_H
#define TNSTATEMENT_H

#include "d3dx8.h"
#include "tnerror.h"
#include "tnstring.h"

// A short floating message over the play field ("Nice Hit...", points won,
// a trap's name): it rises a few pixels per update and fades out as it goes.
// Held by value in a tnVector; copies are deep.
class tnStatement {
public:
    tnStatement();
    tnStatement(tnInt32 x, tnInt32 y, const tnStringC& text, tnUInt32 colour, tnInt32 rise, tnUInt8 alphaStep);
    tnStatement(const tnStatement& other);
    tnStatement& operator=(const tnStatement& other);
    void Copy(const tnStatement& other);

    // Sets the alpha step so the alpha runs out over `distance` pixels when
    // rising `rise` pixels per update. Only the step changes.
    void SetDeltaColor(tnInt32 distance, tnInt32 rise);
    void Update();
    void FadeOut();
    void Render(ID3DXFont* font, tnInt32 charWidth, tnInt32 height);

    tnInt32 GetX() const { return m_iX; }
    tnInt32 GetY() const { return m_iY; }
    tnUInt32 GetColor() const { return m_iColor; }
    tnUInt8 GetAlphaStep() const { return m_iAlphaStep; }
    tnInt32 GetRise() const { return m_iRise; }
    const tnStringC& GetText() const { return m_strText; }

private:
    tnInt32 m_iX;          // left edge of the text rectangle
    tnInt32 m_iY;          // top edge of the text rectangle
    tnStringC m_strText;
    tnUInt32 m_iColor;     // ARGB; the alpha byte fades
    tnUInt8 m_iAlphaStep;  // taken off the alpha at every update
    tnInt32 m_iRise;       // pixels up per update
};

#endif
