#include "tnmap.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <new>
#include <vector>

namespace {

// More cells than any level has; a count above it is a corrupt file.
const std::uint64_t kMaxCells = 1u << 22;

std::uint32_t ReadU32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void WriteU32(std::ofstream& out, std::uint32_t value)
{
    const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
                           static_cast<char>(value >> 24)};
    out.write(bytes, 4);
}

// layers x width x height, false when above kMaxCells. Checked step by step
// so that no product of the file's counts can wrap around 2^64 into a small
// number of cells for a huge map.
bool CountCells(tnUInt32 layers, tnUInt32 width, tnUInt32 height, std::uint64_t& cells)
{
    cells = 0;
    if (layers == 0 || width == 0 || height == 0)
        return true;
    const std::uint64_t area = static_cast<std::uint64_t>(layers) * width;
    if (area > kMaxCells)
        return false;
    cells = area * height;
    return cells <= kMaxCells;
}

// Copies text into a fixed field, cut to fit and NUL-terminated.
void CopyField(char* field, std::size_t size, const char* text)
{
    std::memset(field, 0, size);
    if (text)
        std::memcpy(field, text, strnlen(text, size - 1));
}

} // namespace

tnMap::tnMap()
    : m_iWidth(0), m_iHeight(0), m_iLayers(0), m_pkCells(nullptr), m_pkTiles(nullptr), m_kBackground(), m_iFlag(0),
      m_strTitle(), m_strText(), m_strBackground()
{
}

tnMap::~tnMap()
{
    CleanUp();
}

void tnMap::FreeCells()
{
    delete[] m_pkCells;
    m_pkCells = nullptr;
    delete m_pkTiles;
    m_pkTiles = nullptr;
}

void tnMap::CleanUp()
{
    FreeCells();
    m_iWidth = m_iHeight = m_iLayers = 0;
    CopyField(m_strTitle, TitleSize, nullptr);
    CopyField(m_strText, TextSize, nullptr);
    CopyField(m_strBackground, NameSize, nullptr);
    m_kBackground.CleanUp();
}

bool tnMap::Create(IDirect3DDevice8* device, tnUInt32 layers, tnUInt32 width, tnUInt32 height)
{
    FreeCells();
    m_pkTiles = new tnTiles();
    m_pkTiles->SetDevice(device);
    m_iLayers = layers;
    m_iWidth = width;
    m_iHeight = height;
    std::uint64_t cells = 0;
    if (!CountCells(layers, width, height, cells))
        return false;
    if (cells == 0)
        return true;
    m_pkCells = new (std::nothrow) MapData[cells]();
    return m_pkCells != nullptr;
}

bool tnMap::ReadShape(const unsigned char* bytes, std::size_t size, tnUInt32& layers, tnUInt32& width,
                      tnUInt32& height, std::size_t& end)
{
    if (!bytes || size < HeaderSize)
        return false;
    const unsigned char* counts = bytes + 1 + TitleSize + TextSize + NameSize;
    layers = ReadU32(counts);
    width = ReadU32(counts + 4);
    height = ReadU32(counts + 8);
    // The counts are checked against the bytes before anything trusts them.
    std::uint64_t cells = 0;
    if (!CountCells(layers, width, height, cells) || static_cast<std::uint64_t>(size) - HeaderSize < cells * CellSize)
        return false;
    end = static_cast<std::size_t>(HeaderSize + cells * CellSize);
    return true;
}

bool tnMap::Load(IDirect3DDevice8* device, const char* fileName, long& streamPos, bool create)
{
    std::ifstream file(fileName ? fileName : "", std::ios::binary);
    if (!fileName || !file.is_open())
        return false;
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    tnUInt32 layers = 0, width = 0, height = 0;
    std::size_t end = 0;
    if (file.bad() || !ReadShape(bytes.data(), bytes.size(), layers, width, height, end))
        return false;
    // A map is read only into cells of its own shape.
    if (!create && (layers != m_iLayers || width != m_iWidth || height != m_iHeight))
        return false;
    if (create && !Create(device, layers, width, height))
        return false;

    const unsigned char* header = bytes.data();
    const std::uint64_t cells = (end - HeaderSize) / CellSize;
    m_iFlag = header[0];
    std::memcpy(m_strTitle, header + 1, TitleSize);
    std::memcpy(m_strText, header + 1 + TitleSize, TextSize);
    m_strTitle[TitleSize - 1] = '\0';
    m_strText[TextSize - 1] = '\0';
    char background[NameSize];
    std::memcpy(background, header + 1 + TitleSize + TextSize, NameSize);
    background[NameSize - 1] = '\0';
    SetBackground(background);
    for (std::uint64_t i = 0; i < cells; ++i) {
        const unsigned char* cell = header + HeaderSize + static_cast<std::size_t>(i * CellSize);
        m_pkCells[i].m_iTileSet = cell[0];
        m_pkCells[i].m_iTileIndex = cell[1];
        m_pkCells[i].m_iStaticObj = cell[2];
    }
    streamPos = static_cast<long>(end);
    return true;
}

bool tnMap::Save(const char* fileName, tnUInt8 flag, const char* title, const char* text)
{
    std::ofstream out(fileName ? fileName : "", std::ios::binary | std::ios::trunc);
    if (!fileName || !out.is_open())
        return false;
    char titleField[TitleSize], textField[TextSize];
    CopyField(titleField, TitleSize, title);
    CopyField(textField, TextSize, text);
    out.put(static_cast<char>(flag));
    out.write(titleField, TitleSize);
    out.write(textField, TextSize);
    out.write(m_strBackground, NameSize);
    WriteU32(out, m_iLayers);
    WriteU32(out, m_iWidth);
    WriteU32(out, m_iHeight);
    std::uint64_t cells = m_pkCells ? static_cast<std::uint64_t>(m_iLayers) * m_iWidth * m_iHeight : 0;
    for (std::uint64_t i = 0; i < cells; ++i) {
        // The object reference means nothing on disk: zeros.
        const char cell[CellSize] = {static_cast<char>(m_pkCells[i].m_iTileSet),
                                     static_cast<char>(m_pkCells[i].m_iTileIndex),
                                     static_cast<char>(m_pkCells[i].m_iStaticObj), 0, 0, 0, 0, 0};
        out.write(cell, CellSize);
    }
    out.close();
    if (out.fail())
        return false;
    std::memcpy(m_strTitle, titleField, TitleSize);
    std::memcpy(m_strText, textField, TextSize);
    return true;
}

bool tnMap::AddTexture(tnTexture* texture, tnUInt32 tileWidth, tnUInt32 tileHeight)
{
    return m_pkTiles && m_pkTiles->AddTexture(texture, tileWidth, tileHeight);
}

void tnMap::SetBackground(const char* fileName)
{
    if (!fileName || std::strncmp(fileName, m_strBackground, NameSize) == 0)
        return;
    if (m_strBackground[0])
        m_kBackground.CleanUp();
    m_kBackground.CreateFromFile(fileName, false, 0xFF00FF, nullptr, nullptr, false);
    CopyField(m_strBackground, NameSize, fileName);
}

void tnMap::SetBackground(const char* name, tnSurface* surface)
{
    if (!name || std::strncmp(name, m_strBackground, NameSize) == 0)
        return;
    if (m_strBackground[0])
        m_kBackground.CleanUp();
    m_kBackground.Create(surface, nullptr, nullptr, false);
    CopyField(m_strBackground, NameSize, name);
}

tnMap::MapData* tnMap::GetMapDataPtr(tnUInt32 layer, tnUInt32 x, tnUInt32 y)
{
    if (!m_pkCells || layer >= m_iLayers || x >= m_iWidth || y >= m_iHeight)
        return nullptr;
    return &m_pkCells[static_cast<std::size_t>(layer) * m_iWidth * m_iHeight + static_cast<std::size_t>(y) * m_iWidth + x];
}

void tnMap::SetMapData(tnUInt32 layer, tnUInt32 x, tnUInt32 y, const MapData& data)
{
    if (MapData* cell = GetMapDataPtr(layer, x, y))
        *cell = data;
}

void tnMap::SetObject(tnUInt32 layer, tnUInt32 x, tnUInt32 y, void* object)
{
    if (MapData* cell = GetMapDataPtr(layer, x, y))
        cell->m_pkObject = object;
}

void tnMap::ClearObjectList()
{
    std::size_t cells = m_pkCells ? static_cast<std::size_t>(m_iLayers) * m_iWidth * m_iHeight : 0;
    for (std::size_t i = 0; i < cells; ++i)
        m_pkCells[i].m_pkObject = nullptr;
}

tnMap::MapData* tnMap::GetLayer(tnUInt32 layer)
{
    return GetMapDataPtr(layer, 0, 0);
}

void tnMap::SetLayer(tnUInt32 layer, const MapData* cells)
{
    MapData* target = GetLayer(layer);
    if (target && cells)
        std::copy(cells, cells + static_cast<std::size_t>(m_iWidth) * m_iHeight, target);
}

void tnMap::SetTitle(const char* title) { CopyField(m_strTitle, TitleSize, title); }
void tnMap::SetText(const char* text) { CopyField(m_strText, TextSize, text); }
void tnMap::SetBackgroundName(const char* name) { CopyField(m_strBackground, NameSize, name); }

bool tnMap::SetTiles(tnTiles* tiles)
{
    if (!tiles)
        return false;
    if (tiles != m_pkTiles)
        delete m_pkTiles;
    m_pkTiles = tiles;
    return true;
}

void tnMap::RenderBackground(tnInt32 left, tnInt32 top, tnUInt32 width, tnUInt32 height, tnUInt32 scrollX,
                             tnUInt32 scrollY, tnReal32 scaleX, tnReal32 scaleY, tnReal32 angle)
{
    m_kBackground.SetActiveTexture();
    if (!m_kBackground.GetTexture() || m_kBackground.GetWidth() == 0 || m_kBackground.GetHeight() == 0)
        return;
    tnInt32 x = left + static_cast<tnInt32>((width / 2) * scaleX) - static_cast<tnInt32>(scrollX % m_kBackground.GetWidth());
    tnInt32 y = top + static_cast<tnInt32>((height / 2) * scaleY) - static_cast<tnInt32>(scrollY % m_kBackground.GetHeight());
    m_kBackground.Render(x, y, 0, 0, static_cast<tnInt32>(width), static_cast<tnInt32>(height), scaleX, scaleY,
                         0xFFFFFFFFu, angle);
}

void tnMap::RenderLayer(tnUInt32 layer, tnInt32 left, tnInt32 top, tnUInt32 scrollX, tnUInt32 scrollY, tnUInt32 rows,
                        tnUInt32 columns, tnUInt32 colour, tnReal32 scaleX, tnReal32 scaleY)
{
    const MapData* cells = GetLayer(layer);
    if (!cells)
        return;
    tnUInt32 w = m_pkTiles->GetTileWidth(cells[0].m_iTileSet);
    tnUInt32 h = m_pkTiles->GetTileHeight(cells[0].m_iTileSet);
    if (w == 0 || h == 0)
        return;
    tnUInt32 firstColumn = scrollX / w, firstRow = scrollY / h;
    tnInt32 xOffset = static_cast<tnInt32>(scrollX % w), yOffset = static_cast<tnInt32>(scrollY % h);
    tnInt32 halfW = static_cast<tnInt32>(w * scaleX) / 2, halfH = static_cast<tnInt32>(h * scaleY) / 2;
    std::uint64_t layerCells = static_cast<std::uint64_t>(m_iWidth) * m_iHeight;
    for (tnUInt32 i = 0; i < rows; ++i) {
        for (tnUInt32 j = 0; j < columns; ++j) {
            std::uint64_t index = static_cast<std::uint64_t>(i + firstRow) * m_iWidth + j + firstColumn;
            // Past the end of the layer, or past the right edge of the map
            // (which would otherwise wrap into the next row): nothing more.
            if (index >= layerCells || j + firstColumn >= m_iWidth)
                break;
            const MapData& cell = cells[index];
            if (cell.m_iStaticObj == NOSTATICOBJECT)
                continue;
            tnInt32 cx = left + static_cast<tnInt32>(j * w * scaleX) - xOffset + halfW;
            tnInt32 cy = top + static_cast<tnInt32>(i * h * scaleY) - yOffset + halfH;
            m_pkTiles->RenderTile(cell.m_iTileSet, cell.m_iTileIndex, cx, cy, colour, scaleX, scaleY, 0.0f);
        }
    }
}

bool tnMap::Render(tnInt32 left, tnInt32 top, tnUInt32 width, tnUInt32 height, tnUInt32 scrollX, tnUInt32 scrollY,
                   tnUInt32 rows, tnUInt32 columns, tnUInt32 colour, tnReal32 scaleX, tnReal32 scaleY, tnReal32 angle)
{
    RenderBackground(left, top, width, height, scrollX, scrollY, scaleX, scaleY, angle);
    if (!m_pkCells || !m_pkTiles)
        return false;
    for (tnUInt32 layer = 0; layer < m_iLayers; ++layer)
        RenderLayer(layer, left, top, scrollX, scrollY, rows, columns, colour, scaleX, scaleY);
    return true;
}
