#include "tnstatement.h"

#include <cmath>
#include <cstdlib>

tnStatement::tnStatement()
    : m_iX(0), m_iY(0), m_iColor(0xFFFFFFFFu), m_iAlphaStep(4), m_iRise(0)
{
}

tnStatement::tnStatement(tnInt32 x, tnInt32 y, const tnStringC& text, tnUInt32 colour, tnInt32 rise,
                         tnUInt8 alphaStep)
    : m_iX(x), m_iY(y), m_strText(text), m_iColor(colour), m_iAlphaStep(alphaStep), m_iRise(rise)
{
}

tnStatement::tnStatement(const tnStatement& other) : tnStatement()
{
    Copy(other);
}

tnStatement& tnStatement::operator=(const tnStatement& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

void tnStatement::Copy(const tnStatement& other)
{
    m_iX = other.m_iX;
    m_iY = other.m_iY;
    m_iRise = other.m_iRise;
    m_strText = other.m_strText;
    m_iColor = other.m_iColor;
    m_iAlphaStep = other.m_iAlphaStep;
}

// The alpha (plus one) spread over the updates the rise takes to cover the
// distance, rounded. A message closer than one rise runs out in one update:
// the step is capped at 255 rather than wrapping to 0, which would never fade.
// A sinking message (negative rise) fades over the distance just the same.
void tnStatement::SetDeltaColor(tnInt32 distance, tnInt32 rise)
{
    const double dRise = std::fabs(static_cast<double>(rise));
    double dDistance = std::fabs(static_cast<double>(distance));
    if (dDistance < dRise)
        dDistance = dRise;
    if (dDistance == 0.0) {
        // Standing still: nothing to fade over.
        m_iAlphaStep = 0;
        return;
    }
    const double dAlpha = static_cast<double>(m_iColor >> 24);
    const double dStep = std::floor((dAlpha + 1.0) * dRise / dDistance + 0.5);
    m_iAlphaStep = dStep > 255.0 ? 255 : static_cast<tnUInt8>(dStep);
}

void tnStatement::Update()
{
    m_iY -= m_iRise;
    FadeOut();
}

void tnStatement::FadeOut()
{
    const tnUInt32 iAlpha = m_iColor >> 24;
    const tnUInt32 iNewAlpha = iAlpha > m_iAlphaStep ? iAlpha - m_iAlphaStep : 0;
    m_iColor = (iNewAlpha << 24) | (m_iColor & 0x00FFFFFFu);
}

void tnStatement::Render(ID3DXFont* font, tnInt32 charWidth, tnInt32 height)
{
    if (!font || m_strText.GetLength() == 0)
        return;
    RECT kRect;
    kRect.left = m_iX;
    kRect.top = m_iY;
    kRect.right = m_iX + m_strText.GetLength() * charWidth;
    kRect.bottom = m_iY + height + 10;
    font->DrawTextA(static_cast<char*>(m_strText), -1, &kRect, DT_CENTER | DT_NOCLIP, m_iColor);
}
