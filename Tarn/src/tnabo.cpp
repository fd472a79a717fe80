#include "tnabo.h"

#include "tnlog.h"
#include "tnsurface.h"
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
    // (leading digits; anything else is 0). The caller checks its range.
    bool Count(int& out)
    {
        std::string token;
        if (!Word(token, kMaxCountWord))
            return false;
        out = std::atoi(token.c_str());
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

// Why a record is refused, for the log.
std::string Refused(const std::string& detail)
{
    return "bad animation records (" + detail + ")";
}

// A strip count or a frame count: at least one, and it must fit 8 bits.
bool CountInRange(int count)
{
    return count >= 1 && count <= 0xFF;
}

// Fills `why` when the record is malformed.
void ReadAnimation(RecordReader& reader, tnAnimation& animation, tnTexture* texture, const RecordHeader& header,
                   tnUInt16 index, std::string& why)
{
    const std::string which = "animation " + std::to_string(index + 1);
    std::string typeName;
    int stripCount = 0;
    if (!reader.Word(typeName) || !reader.Count(stripCount)) {
        why = tnABO::BadRecords;
        return;
    }
    if (!CountInRange(stripCount)) {
        why = Refused(which + " has " + std::to_string(stripCount) + " directions");
        return;
    }
    animation.Create(texture, static_cast<tnUInt8>(stripCount), ANIMATION_DATA::GetType(typeName.c_str()),
                     header.frameWidth, header.frameHeight);
    for (int j = 0; j < stripCount; ++j) {
        std::string subTypeName;
        int frames = 0;
        tnUInt16 row = 0, column = 0;
        // The row comes before the column.
        if (!reader.Word(subTypeName) || !reader.Count(frames) || !reader.Unsigned16(row) ||
            !reader.Unsigned16(column) || !StripFitsASheet(column, row, header)) {
            why = tnABO::BadRecords;
            return;
        }
        // The frame advances modulo this count: 0 frames would divide by zero.
        if (!CountInRange(frames)) {
            why = Refused("direction " + std::to_string(j + 1) + " of " + which + " has " + std::to_string(frames) +
                          " frames");
            return;
        }
        animation.SetStrip(static_cast<tnUInt8>(j), static_cast<tnUInt8>(frames), column, row,
                           ANIMATION_DATA::GetSubType(subTypeName.c_str()));
    }
}

// A frame of no texels divides the sheet by zero; a set of no animations
// gives the object nothing to show.
std::string HeaderProblem(const RecordHeader& header)
{
    if (header.frameWidth == 0 || header.frameHeight == 0)
        return Refused("a frame of " + std::to_string(header.frameWidth) + " x " +
                       std::to_string(header.frameHeight) + " texels");
    if (header.animationCount == 0)
        return Refused("no animations");
    return std::string();
}

// Colour-key components are kept to their low 8 bits, as they always were;
// one outside 0 to 255 is said, since the key then is another colour.
std::string ColourKeyNote(const RecordHeader& header)
{
    for (long component : {header.red, header.green, header.blue})
        if (component < 0 || component > 0xFF)
            return "colour key " + std::to_string(header.red) + " " + std::to_string(header.green) + " " +
                   std::to_string(header.blue) + " is outside 0 to 255, its low 8 bits are used";
    return std::string();
}

std::string FramesDoNotFit(const RecordHeader& header, tnUInt32 width, tnUInt32 height)
{
    return Refused("frames of " + std::to_string(header.frameWidth) + " x " + std::to_string(header.frameHeight) +
                   " texels do not fit its sheet of " + std::to_string(width) + " x " + std::to_string(height));
}

// Loads the record's sheet into the texture. A sheet that cannot be read is
// named by the bitmap reader and leaves the texture empty (the objects are
// then not drawn); frames larger than the sheet refuse the record.
std::string LoadSheet(const RecordHeader& header, tnTexture* texture)
{
    tnSurface sheet;
    const tnUInt32 key = static_cast<tnUInt32>(header.red & 0xFF) |
                         (static_cast<tnUInt32>(header.green & 0xFF) << 8) |
                         (static_cast<tnUInt32>(header.blue & 0xFF) << 16);
    if (sheet.CreateFromFile(header.textureFile.c_str(), true, key) != tnOK)
        return std::string();
    if (header.frameWidth > sheet.GetWidth() || header.frameHeight > sheet.GetHeight())
        return FramesDoNotFit(header, sheet.GetWidth(), sheet.GetHeight());
    // Sheets have a one-pixel grid: the first frame starts at (1, 1).
    RECT frame = {1, 1, header.frameWidth + 1, header.frameHeight + 1};
    texture->Create(&sheet, &frame, nullptr, true);
    return std::string();
}

// A record sharing the sheet of an earlier one: its frames must fit the
// texture that record made (when it made one).
std::string CheckSharedSheet(const RecordHeader& header, const tnTexture* texture)
{
    const tnUInt32 width = texture->GetWidth(), height = texture->GetHeight();
    if (width != 0 && (header.frameWidth > width || header.frameHeight > height))
        return FramesDoNotFit(header, width, height);
    return std::string();
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
    return Load(file, texture, shareTexture, fileName);
}

tnAnimation* tnABO::CreateFromFile(std::fstream& stream, tnTexture* texture, bool shareTexture, const char* logName)
{
    if (!texture || !stream.is_open())
        return nullptr;
    return Load(stream, texture, shareTexture, logName);
}

tnAnimation* tnABO::Load(std::istream& stream, tnTexture* texture, bool shareTexture, const char* logName)
{
    std::string why;
    tnAnimation* set = Read(stream, texture, shareTexture, why);
    if (logName && !why.empty())
        LogFileProblem(logName, why.c_str());
    return set;
}

tnAnimation* tnABO::Read(std::istream& stream, tnTexture* texture, bool shareTexture, std::string& why)
{
    RecordReader reader(stream);
    RecordHeader header;
    why = ReadHeader(reader, header) ? HeaderProblem(header) : tnABO::BadRecords;
    if (!why.empty())
        return nullptr;
    std::unique_ptr<tnAnimation[]> set(new (std::nothrow) tnAnimation[header.animationCount]);
    if (!set)
        return nullptr;
    for (tnUInt16 i = 0; i < header.animationCount && why.empty(); ++i)
        ReadAnimation(reader, set[i], texture, header, i, why);
    if (why.empty() && header.textureFlag == 1)
        why = shareTexture ? CheckSharedSheet(header, texture) : LoadSheet(header, texture);
    if (!why.empty())
        return nullptr;
    why = ColourKeyNote(header);
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
