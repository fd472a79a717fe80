// DrawPrimitiveUP: the caller's vertices turned into SDL lines and
// triangles. SDL has no alpha test; textures made by the engine hold only
// alpha 0 or 255, so blended drawing with the vertex alpha taken as opaque
// gives exactly the picture that "alpha >= 1 drawn" gives.
#include "d3d8_internal.h"
#include "sdl_display.h"

#include <cstring>

namespace platform {

struct DeviceImpl::VertexLayout {
    UINT size = 0;
    int diffuse = -1; // byte offsets, -1 when absent
    int texture = -1;
};

namespace {

const UINT kMaxPrimitives = 0xFFFFF;

float ReadFloat(const Uint8* p)
{
    float value;
    std::memcpy(&value, p, sizeof(value));
    return value;
}

Uint32 ReadColour(const Uint8* p)
{
    Uint32 value;
    std::memcpy(&value, p, sizeof(value));
    return value;
}

UINT VertexCount(D3DPRIMITIVETYPE type, UINT primitives)
{
    switch (type) {
    case D3DPT_POINTLIST: return primitives;
    case D3DPT_LINELIST: return primitives * 2;
    case D3DPT_LINESTRIP: return primitives + 1;
    case D3DPT_TRIANGLELIST: return primitives * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: return primitives + 2;
    default: return 0;
    }
}

} // namespace

bool DeviceImpl::ReadLayout(UINT stride, VertexLayout& layout) const
{
    DWORD fvf = m_iVertexShader;
    DWORD position = fvf & 0x00E;
    if (position != D3DFVF_XYZRHW && position != D3DFVF_XYZ)
        return false;
    UINT offset = position == D3DFVF_XYZRHW ? 16 : 12;
    if (fvf & 0x010) // normal
        offset += 12;
    if (fvf & D3DFVF_DIFFUSE) {
        layout.diffuse = static_cast<int>(offset);
        offset += 4;
    }
    if (fvf & D3DFVF_SPECULAR)
        offset += 4;
    UINT coordinateSets = (fvf >> 8) & 0xF;
    if (coordinateSets > 0)
        layout.texture = static_cast<int>(offset);
    offset += coordinateSets * 8;
    layout.size = offset;
    return stride >= offset;
}

void DeviceImpl::ReadVertices(const void* vertices, UINT count, UINT stride, const VertexLayout& layout,
                              bool textured)
{
    const DWORD* stage = m_aStageStates[0];
    bool blend = m_aRenderStates[D3DRS_ALPHABLENDENABLE] != FALSE;
    // Stage 0 as the fixed pipeline combines it: colour texture x diffuse
    // unless told to take the texture alone; the diffuse alpha counts only
    // when blending and (with a texture) when the stage modulates alpha.
    bool tint = !textured || !(stage[D3DTSS_COLOROP] == D3DTOP_SELECTARG1 && stage[D3DTSS_COLORARG1] == D3DTA_TEXTURE);
    bool vertexAlpha = blend && (!textured || stage[D3DTSS_ALPHAOP] == D3DTOP_MODULATE);

    m_vVertices.resize(count);
    const Uint8* data = static_cast<const Uint8*>(vertices);
    for (UINT i = 0; i < count; ++i, data += stride) {
        SDL_Vertex& v = m_vVertices[i];
        v.position.x = ReadFloat(data);
        v.position.y = ReadFloat(data + 4);
        Uint32 colour = layout.diffuse >= 0 ? ReadColour(data + layout.diffuse) : 0xFFFFFFFFu;
        if (!tint)
            colour |= 0x00FFFFFFu;
        if (!vertexAlpha)
            colour |= 0xFF000000u;
        v.color.r = static_cast<Uint8>(colour >> 16);
        v.color.g = static_cast<Uint8>(colour >> 8);
        v.color.b = static_cast<Uint8>(colour);
        v.color.a = static_cast<Uint8>(colour >> 24);
        if (layout.texture >= 0) {
            v.tex_coord.x = ReadFloat(data + layout.texture);
            v.tex_coord.y = ReadFloat(data + layout.texture + 4);
        } else {
            v.tex_coord.x = v.tex_coord.y = 0.0f;
        }
    }
}

PixelStore* DeviceImpl::BoundStore()
{
    TextureImpl* texture = dynamic_cast<TextureImpl*>(m_apTextures[0]);
    if (!texture || m_aStageStates[0][D3DTSS_COLOROP] == D3DTOP_DISABLE)
        return nullptr;
    return texture->Store();
}

SDL_BlendMode DeviceImpl::BlendMode() const
{
    return m_aRenderStates[D3DRS_ALPHABLENDENABLE] != FALSE ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE;
}

// Most of what the engine draws is an unrotated sprite: a two-triangle strip
// whose corners are (left, top), (right, top), (left, bottom), (right,
// bottom) in one colour. A copy of the source rectangle draws the same pixels
// and costs far less than rasterising two triangles, above all on the
// software renderer.
bool DeviceImpl::AddAlignedQuad(D3DPRIMITIVETYPE type, UINT primitiveCount, PixelStore& store, SDL_BlendMode blend)
{
    if (type != D3DPT_TRIANGLESTRIP || primitiveCount != 2)
        return false;
    const SDL_Vertex* v = m_vVertices.data();
    const float left = v[0].position.x, top = v[0].position.y;
    const float right = v[3].position.x, bottom = v[3].position.y;
    bool aligned = v[1].position.x == right && v[1].position.y == top && v[2].position.x == left &&
                   v[2].position.y == bottom && right > left && bottom > top;
    bool texAligned = v[1].tex_coord.x == v[3].tex_coord.x && v[1].tex_coord.y == v[0].tex_coord.y &&
                      v[2].tex_coord.x == v[0].tex_coord.x && v[2].tex_coord.y == v[3].tex_coord.y &&
                      v[3].tex_coord.x > v[0].tex_coord.x && v[3].tex_coord.y > v[0].tex_coord.y;
    bool oneColour = true;
    for (int i = 1; i < 4; ++i)
        oneColour = oneColour && std::memcmp(&v[i].color, &v[0].color, sizeof(SDL_Color)) == 0;
    if (!aligned || !texAligned || !oneColour)
        return false;

    const float width = static_cast<float>(store.Width());
    const float height = static_cast<float>(store.Height());
    SDL_FRect source = {v[0].tex_coord.x * width, v[0].tex_coord.y * height,
                        (v[3].tex_coord.x - v[0].tex_coord.x) * width, (v[3].tex_coord.y - v[0].tex_coord.y) * height};
    SDL_Rect sourcePixels = {static_cast<int>(source.x + 0.5f), static_cast<int>(source.y + 0.5f),
                             static_cast<int>(source.w + 0.5f), static_cast<int>(source.h + 0.5f)};
    SDL_FRect target = {left, top, right - left, bottom - top};
    m_kFrame.Copy(store, sourcePixels, target, v[0].color, blend, SDL_ScaleModeNearest);
    return true;
}

void DeviceImpl::AddTriangles(D3DPRIMITIVETYPE type, UINT primitiveCount, PixelStore* store)
{
    SDL_BlendMode blend = BlendMode();
    // Alpha-tested or blended: transparent texels stay out of the picture.
    if (store && m_aRenderStates[D3DRS_ALPHATESTENABLE] != FALSE)
        blend = SDL_BLENDMODE_BLEND;
    if (store && AddAlignedQuad(type, primitiveCount, *store, blend))
        return;
    m_vIndices.resize(static_cast<std::size_t>(primitiveCount) * 3);
    for (UINT i = 0; i < primitiveCount; ++i) {
        int* triangle = &m_vIndices[static_cast<std::size_t>(i) * 3];
        int first = static_cast<int>(i);
        if (type == D3DPT_TRIANGLELIST) {
            triangle[0] = first * 3;
            triangle[1] = first * 3 + 1;
            triangle[2] = first * 3 + 2;
        } else if (type == D3DPT_TRIANGLESTRIP) {
            triangle[0] = first;
            triangle[1] = first + 1;
            triangle[2] = first + 2;
        } else {
            triangle[0] = 0;
            triangle[1] = first + 1;
            triangle[2] = first + 2;
        }
    }
    m_kFrame.Triangles(store, m_vVertices, m_vIndices, blend);
}

HRESULT DeviceImpl::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices, UINT stride)
{
    UINT count = VertexCount(type, primitiveCount);
    VertexLayout layout;
    if (!vertices || primitiveCount == 0 || primitiveCount > kMaxPrimitives || count == 0 ||
        !ReadLayout(stride, layout))
        return D3DERR_INVALIDCALL;
    // Drawing on a lost device succeeds and shows nothing, as on Windows.
    if (m_eState != Operational || !GetDisplay().renderer)
        return D3D_OK;
    bool lines = type == D3DPT_LINELIST || type == D3DPT_LINESTRIP;
    PixelStore* store = (lines || type == D3DPT_POINTLIST || layout.texture < 0) ? nullptr : BoundStore();
    ReadVertices(vertices, count, stride, layout, store != nullptr);
    if (lines)
        AddLines(type, primitiveCount);
    else if (type == D3DPT_POINTLIST)
        m_kFrame.Points(m_vVertices, BlendMode());
    else
        AddTriangles(type, primitiveCount, store);
    return D3D_OK;
}

void DeviceImpl::AddLines(D3DPRIMITIVETYPE type, UINT primitiveCount)
{
    // A list is pairs of points, each pair its own line; a strip shares its
    // inner points, so each line is given its two ends.
    if (type == D3DPT_LINESTRIP) {
        m_vLineEnds.resize(static_cast<std::size_t>(primitiveCount) * 2);
        for (UINT i = 0; i < primitiveCount; ++i) {
            m_vLineEnds[i * 2] = m_vVertices[i];
            m_vLineEnds[i * 2 + 1] = m_vVertices[i + 1];
        }
        m_kFrame.Lines(m_vLineEnds.data(), static_cast<int>(primitiveCount), BlendMode());
        return;
    }
    m_kFrame.Lines(m_vVertices.data(), static_cast<int>(primitiveCount), BlendMode());
}

} // namespace platform
