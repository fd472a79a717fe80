#include "tnabo.h"

#include "tnlog.h"
#include "tntexture.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

namespace {

const std::size_t kMaxWord = 79;
const std::size_t kMaxCountWord = 3;

// The white-space separated tokens of one animation record. Any token that
// is missing, too long or not the number it should be fails the record.
class RecordReader {
public:
    explicit RecordReader(std::istream& stream) : m_kStream(stream) {}

    bool Word(std::string& out, std::size_t limit = kMaxWord)
    {
        return static_cast<bool>(m_kStream >> out) && out.size() <= limit;
    }

    bool Integer(long& out, long minimum, long maximum)
    {
        std::string token;
        if (!Word(token))
            return false;
        char* end = nullptr;
        errno = 0;
        out = std::strtol(token.c_str(), &end, 10);
        return errno == 0 && end && *end == '\0' && out >= minimum && out <= maximum;
    }

    bool Unsigned16(tnUInt16& out)
    {
        long value = 0;
        if (!Integer(value, 0, 0xFFFF))
            return false;
        out = static_cast<tnUInt16>(value);
        return true;
    }

    // A count word of at most three characters, read by atoi's rule
    // (leading digits; anything else is 0) and kept in 8 bits.
    bool Count(tnUInt8& out)
    {
        std::string token;
        if (!Word(token, kMaxCountWord))
            return false;
        out = static_cast<tnUInt8>(std::atoi(token.c_str()));
        return true;
    }

private:
    std::istream& m_kStream;
};

struct RecordHeader {
    std::string textureFile;
    long textureFlag = 0;
    long red = 0, green = 0, blue = 0;
    tnUInt16 frameWidth = 0, frameHeight = 0, animationCount = 0;
};

bool ReadHeader(RecordReader& reader, RecordHeader& header)
{
    std::string objectName;
    const long big = 0x7FFFFFFFL;
    return reader.Word(objectName) && reader.Word(header.textureFile) &&
           reader.Integer(header.textureFlag, -big, big) && reader.Integer(header.red, -big, big) &&
           reader.Integer(header.green, -big, big) && reader.Integer(header.blue, -big, big) &&
           reader.Unsigned16(header.frameWidth) && reader.Unsigned16(header.frameHeight) &&
           reader.Unsigned16(header.animationCount);
}

// A strip's frames are cut from the sheet at (frame + column) x width and
// row x height, one row further down when the strip runs past the edge.
// Positions beyond what a 32-bit texel offset holds (for any 8-bit frame)
// lie on no sheet: such a strip makes the record malformed.
bool StripFitsASheet(tnUInt16 column, tnUInt16 row, const RecordHeader& header)
{
    const std::int64_t largest = 0x7FFFFFFF;
    const std::int64_t lastFrame = 0xFF;
    return (lastFrame + column) * header.frameWidth <= largest &&
           (static_cast<std::int64_t>(row) + 1) * header.frameHeight <= largest;
}

bool ReadAnimation(RecordReader& reader, tnAnimation& animation, tnTexture* texture, const RecordHeader& header)
{
    std::string typeName;
    tnUInt8 stripCount = 0;
    if (!reader.Word(typeName) || !reader.Count(stripCount))
        return false;
    animation.Create(texture, stripCount, ANIMATION_DATA::GetType(typeName.c_str()), header.frameWidth,
                     header.frameHeight);
    for (tnUInt8 j = 0; j < stripCount; ++j) {
        std::string subTypeName;
        tnUInt8 frames = 0;
        tnUInt16 row = 0, column = 0;
        // The row comes before the column.
        if (!reader.Word(subTypeName) || !reader.Count(frames) || !reader.Unsigned16(row) ||
            !reader.Unsigned16(column) || !StripFitsASheet(column, row, header))
            return false;
        animation.SetStrip(j, frames, column, row, ANIMATION_DATA::GetSubType(subTypeName.c_str()));
    }
    return true;
}

// Half of a size, as an integer, as the collision rules take it.
tnInt32 Half(tnUInt16 size)
{
    return static_cast<tnInt32>(size / 2);
}

} // namespace

tnABO::tnABO()
    : m_pkAnimations(nullptr)
{
    CleanUp();
}

tnABO::~tnABO()
{
    CleanUp();
}

void tnABO::CleanUp()
{
    m_iNumAnimations = 0;
    m_iCurrentAnimation = 0;
    m_iCurrentStrip = 0;
    m_iCurrentFrame = 0;
    m_iColor = 0xFFFFFFFFu;
    m_iX = 0;
    m_iY = 0;
    m_fAngle = 0.0f;
    m_fRadius = 0.0f;
    m_fScaleX = 1.0f;
    m_fScaleY = 1.0f;
    m_iUpdateSpeed = 1;
    m_iUpdateCounter = 0;
}

// --- Loading ------------------------------------------------------------------
tnAnimation* tnABO::CreateFromFile(const char* fileName, tnTexture* texture, bool shareTexture)
{
    if (!texture || !fileName)
        return nullptr;
    std::ifstream file(fileName);
    if (!file.is_open()) {
        LogFileProblem(fileName, "missing");
        return nullptr;
    }
    tnAnimation* animations = Load(file, texture, shareTexture);
    if (!animations)
        LogFileProblem(fileName, BadRecords);
    return animations;
}

tnAnimation* tnABO::CreateFromFile(std::fstream& stream, tnTexture* texture, bool shareTexture)
{
    if (!texture || !stream.is_open())
        return nullptr;
    return Load(stream, texture, shareTexture);
}

tnAnimation* tnABO::Load(std::istream& stream, tnTexture* texture, bool shareTexture)
{
    RecordReader reader(stream);
    RecordHeader header;
    if (!ReadHeader(reader, header))
        return nullptr;
    std::unique_ptr<tnAnimation[]> set(new (std::nothrow) tnAnimation[header.animationCount]);
    if (!set)
        return nullptr;
    for (tnUInt16 i = 0; i < header.animationCount; ++i) {
        if (!ReadAnimation(reader, set[i], texture, header))
            return nullptr;
    }
    if (!shareTexture && header.textureFlag == 1) {
        // Sheets have a one-pixel grid: the first frame starts at (1, 1).
        RECT frame = {1, 1, header.frameWidth + 1, header.frameHeight + 1};
        tnUInt32 key = static_cast<tnUInt32>(header.red & 0xFF) | (static_cast<tnUInt32>(header.green & 0xFF) << 8) |
                       (static_cast<tnUInt32>(header.blue & 0xFF) << 16);
        texture->CreateFromFile(header.textureFile.c_str(), true, key, &frame, nullptr, true);
    }
    m_pkAnimations = set.release();
    m_iNumAnimations = header.animationCount;
    return m_pkAnimations;
}

// --- Frames and animations -------------------------------------------------------
tnAnimation* tnABO::GetCurrentAnimation() const
{
    if (!m_pkAnimations || m_iCurrentAnimation >= m_iNumAnimations)
        return nullptr;
    return &m_pkAnimations[m_iCurrentAnimation];
}

tnFrameStrip* tnABO::GetCurrentStrip() const
{
    tnAnimation* animation = GetCurrentAnimation();
    if (!animation || m_iCurrentStrip >= animation->GetStripCount())
        return nullptr;
    return &animation->GetStrips()[m_iCurrentStrip];
}

ANIMATION_DATA::ANIM_TYPES tnABO::GetType() const
{
    tnAnimation* animation = GetCurrentAnimation();
    return animation ? animation->GetType() : ANIMATION_DATA::NONETYPE;
}

ANIMATION_DATA::ANIM_SUBTYPES tnABO::GetSubType() const
{
    tnFrameStrip* strip = GetCurrentStrip();
    return strip ? strip->GetSubType() : ANIMATION_DATA::NONESUBTYPE;
}

void tnABO::Update()
{
    // A speed of 0 counts as 1 and a strip without frames stays at frame 0:
    // neither may divide by zero.
    tnUInt16 speed = m_iUpdateSpeed ? m_iUpdateSpeed : 1;
    if (m_iUpdateCounter % speed == 0)
        ++m_iCurrentFrame;
    tnFrameStrip* strip = GetCurrentStrip();
    tnUInt8 frames = strip ? strip->GetFrameCount() : 0;
    m_iCurrentFrame = frames ? static_cast<tnUInt8>(m_iCurrentFrame % frames) : 0;
    ++m_iUpdateCounter;
}

bool tnABO::SetType(ANIMATION_DATA::ANIM_TYPES type)
{
    tnAnimation* current = GetCurrentAnimation();
    if (current && current->GetType() == type)
        return true;
    for (tnUInt16 i = 0; m_pkAnimations && i < m_iNumAnimations; ++i) {
        if (m_pkAnimations[i].GetType() == type) {
            m_iCurrentAnimation = i;
            return true;
        }
    }
    return false;
}

bool tnABO::SetSubType(ANIMATION_DATA::ANIM_SUBTYPES subType)
{
    tnAnimation* animation = GetCurrentAnimation();
    if (!animation || animation->GetStripCount() == 0)
        return false;
    tnFrameStrip* strip = GetCurrentStrip();
    if (strip && strip->GetSubType() == subType)
        return true;
    tnUInt8 index = 0;
    if (!animation->FindSubType(subType, index))
        return false;
    m_iCurrentStrip = index;
    return true;
}

bool tnABO::SetAnimation(ANIMATION_DATA::ANIM_TYPES type, ANIMATION_DATA::ANIM_SUBTYPES subType)
{
    if (type == ANIMATION_DATA::NONETYPE || !SetType(type) || !SetSubType(subType))
        return false;
    m_iCurrentFrame = 0;
    return true;
}

bool tnABO::IsLastFrame() const
{
    tnFrameStrip* strip = GetCurrentStrip();
    return strip && m_iCurrentFrame == strip->GetFrameCount() - 1;
}

tnError32 tnABO::Render()
{
    tnAnimation* animation = GetCurrentAnimation();
    if (!animation)
        return tnErrorAnimation;
    return animation->Render(m_iX, m_iY, m_fScaleX, m_fScaleY, m_iColor, m_fAngle, m_iCurrentStrip, m_iCurrentFrame);
}

// --- Size, colour and collisions -----------------------------------------------------
tnUInt16 tnABO::GetWidth() const
{
    tnAnimation* animation = GetCurrentAnimation();
    if (!animation)
        return 0;
    if (m_fScaleX == 1.0f)
        return animation->GetFrameWidth();
    return static_cast<tnUInt16>(animation->GetFrameWidth() * m_fScaleX);
}

tnUInt16 tnABO::GetHeight() const
{
    tnAnimation* animation = GetCurrentAnimation();
    if (!animation)
        return 0;
    if (m_fScaleY == 1.0f)
        return animation->GetFrameHeight();
    return static_cast<tnUInt16>(animation->GetFrameHeight() * m_fScaleY);
}

void tnABO::SetColor(tnUInt8 alpha, tnUInt8 red, tnUInt8 green, tnUInt8 blue)
{
    m_iColor = (static_cast<tnUInt32>(alpha) << 24) | (static_cast<tnUInt32>(red) << 16) |
               (static_cast<tnUInt32>(green) << 8) | blue;
}

void tnABO::Rotate(tnReal32 angle, bool relative)
{
    m_fAngle = relative ? m_fAngle + angle : angle;
}

void tnABO::FadeColor(tnUInt8 step)
{
    tnUInt32 faded = m_iColor & 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        tnUInt32 channel = (m_iColor >> shift) & 0xFF;
        faded |= (channel > step ? channel - step : 0) << shift;
    }
    m_iColor = faded;
}

bool tnABO::Contains(tnInt32 x, tnInt32 y) const
{
    tnInt32 halfWidth = Half(GetWidth());
    tnInt32 halfHeight = Half(GetHeight());
    return m_iX - halfWidth <= x && x <= m_iX + halfWidth && m_iY - halfHeight <= y && y <= m_iY + halfHeight;
}

bool tnABO::Collides(const tnABO& other, bool circle) const
{
    tnInt32 halfWidth = Half(GetWidth());
    tnInt32 halfHeight = Half(GetHeight());
    if (circle) {
        auto radius = [](const tnABO& abo) {
            if (abo.m_fRadius != 0.0f)
                return abo.m_fRadius;
            tnReal32 w = static_cast<tnReal32>(Half(abo.GetWidth()));
            tnReal32 h = static_cast<tnReal32>(Half(abo.GetHeight()));
            return std::sqrt(w * w + h * h);
        };
        tnReal32 dx = static_cast<tnReal32>(m_iX - other.m_iX);
        tnReal32 dy = static_cast<tnReal32>(m_iY - other.m_iY);
        return !(radius(*this) + radius(other) < std::sqrt(dx * dx + dy * dy));
    }
    const tnInt32 corners[4][2] = {{m_iX - halfWidth, m_iY - halfHeight},
                                   {m_iX - halfWidth, m_iY + halfHeight},
                                   {m_iX + halfWidth, m_iY + halfHeight},
                                   {m_iX + halfWidth, m_iY - halfHeight}};
    for (const auto& corner : corners) {
        if (other.Contains(corner[0], corner[1]))
            return true;
    }
    return false;
}
