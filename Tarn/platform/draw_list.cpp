// Drawing kept as a list of SDL operations, carried out later or compared
// with the frame on screen.
#include "draw_list.h"
#include "sdl_display.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

// Never destroyed: lists that outlive main's statics still unregister safely.
std::vector<DrawList*>& LiveLists()
{
    static std::vector<DrawList*>* lists = new std::vector<DrawList*>();
    return *lists;
}

// The same `count` elements from `first` on in both (which hold them).
template <class T>
bool SameRange(const std::vector<T>& a, const std::vector<T>& b, std::size_t first, std::size_t count)
{
    return count == 0 || std::memcmp(a.data() + first, b.data() + first, count * sizeof(T)) == 0;
}

template <class T>
bool SameElements(const std::vector<T>& a, const std::vector<T>& b)
{
    return a.size() == b.size() && SameRange(a, b, 0, a.size());
}

} // namespace

DrawList::DrawList(OnStoreChange policy)
    : m_ePolicy(policy), m_bIntact(true)
{
    LiveLists().push_back(this);
}

DrawList::~DrawList()
{
    std::vector<DrawList*>& lists = LiveLists();
    lists.erase(std::remove(lists.begin(), lists.end(), this), lists.end());
}

DrawList::Command& DrawList::Add(Kind kind, PixelStore* store, SDL_BlendMode blend)
{
    Command command;
    std::memset(&command, 0, sizeof(command));
    command.kind = kind;
    command.store = store;
    command.blend = blend;
    command.colour = {255, 255, 255, 255};
    m_vCommands.push_back(command);
    return m_vCommands.back();
}

void DrawList::AddVertices(const SDL_Vertex* vertices, int count, Command& command)
{
    command.firstVertex = static_cast<int>(m_vVertices.size());
    command.vertexCount = count;
    m_vVertices.insert(m_vVertices.end(), vertices, vertices + count);
}

void DrawList::Fill(const SDL_Rect* area, SDL_Color colour)
{
    Command& command = Add(FillKind, nullptr, SDL_BLENDMODE_NONE);
    command.colour = colour;
    command.hasArea = area != nullptr;
    if (area)
        command.source = *area;
}

void DrawList::Copy(PixelStore& store, const SDL_Rect& source, const SDL_FRect& target, SDL_Color modulate,
                    SDL_BlendMode blend, SDL_ScaleMode scale)
{
    Command& command = Add(CopyKind, &store, blend);
    command.source = source;
    command.target = target;
    command.colour = modulate;
    command.scale = scale;
}

void DrawList::Triangles(PixelStore* store, const std::vector<SDL_Vertex>& vertices, const std::vector<int>& indices,
                         SDL_BlendMode blend)
{
    Command& command = Add(TrianglesKind, store, blend);
    AddVertices(vertices.data(), static_cast<int>(vertices.size()), command);
    command.firstIndex = static_cast<int>(m_vIndices.size());
    command.indexCount = static_cast<int>(indices.size());
    m_vIndices.insert(m_vIndices.end(), indices.begin(), indices.end());
}

void DrawList::Lines(const SDL_Vertex* ends, int lines, SDL_BlendMode blend)
{
    AddVertices(ends, lines * 2, Add(LinesKind, nullptr, blend));
}

void DrawList::Points(const std::vector<SDL_Vertex>& points, SDL_BlendMode blend)
{
    AddVertices(points.data(), static_cast<int>(points.size()), Add(PointsKind, nullptr, blend));
}

void DrawList::Clip(const SDL_Rect* area)
{
    Command& command = Add(ClipKind, nullptr, SDL_BLENDMODE_NONE);
    command.hasArea = area != nullptr;
    if (area)
        command.source = *area;
}

void DrawList::DrawCommand(SDL_Renderer* renderer, const Command& c) const
{
    const SDL_Vertex* vertices = m_vVertices.data() + c.firstVertex;
    SDL_Texture* texture = c.store ? c.store->Texture() : nullptr;
    if (c.store && !texture)
        return;
    if (texture)
        SDL_SetTextureBlendMode(texture, c.blend);
    else
        SDL_SetRenderDrawBlendMode(renderer, c.blend);
    switch (c.kind) {
    case FillKind:
        SDL_SetRenderDrawColor(renderer, c.colour.r, c.colour.g, c.colour.b, c.colour.a);
        SDL_RenderFillRect(renderer, c.hasArea ? &c.source : nullptr);
        break;
    case CopyKind:
        SDL_SetTextureScaleMode(texture, c.scale);
        SDL_SetTextureColorMod(texture, c.colour.r, c.colour.g, c.colour.b);
        SDL_SetTextureAlphaMod(texture, c.colour.a);
        SDL_RenderCopyF(renderer, texture, &c.source, &c.target);
        break;
    case TrianglesKind:
        if (texture) {
            SDL_SetTextureColorMod(texture, 255, 255, 255);
            SDL_SetTextureAlphaMod(texture, 255);
        }
        SDL_RenderGeometry(renderer, texture, vertices, c.vertexCount, m_vIndices.data() + c.firstIndex,
                           c.indexCount);
        break;
    case LinesKind:
        for (int i = 0; i + 1 < c.vertexCount; i += 2) {
            const SDL_Vertex& a = vertices[i];
            const SDL_Vertex& b = vertices[i + 1];
            SDL_SetRenderDrawColor(renderer, a.color.r, a.color.g, a.color.b, a.color.a);
            SDL_RenderDrawLineF(renderer, a.position.x, a.position.y, b.position.x, b.position.y);
        }
        break;
    case PointsKind:
        for (int i = 0; i < c.vertexCount; ++i) {
            const SDL_Vertex& v = vertices[i];
            SDL_SetRenderDrawColor(renderer, v.color.r, v.color.g, v.color.b, v.color.a);
            SDL_RenderDrawPointF(renderer, v.position.x, v.position.y);
        }
        break;
    case ClipKind:
        SDL_RenderSetClipRect(renderer, c.hasArea ? &c.source : nullptr);
        break;
    }
}

void DrawList::Draw() const
{
    SDL_Renderer* renderer = GetDisplay().renderer;
    if (!renderer)
        return;
    for (const Command& command : m_vCommands)
        DrawCommand(renderer, command);
}

void DrawList::Flush()
{
    if (m_vCommands.empty())
        return;
    Draw();
    Clear();
    m_bIntact = false;
}

void DrawList::Clear()
{
    m_vCommands.clear();
    m_vVertices.clear();
    m_vIndices.clear();
    m_bIntact = true;
}

bool DrawList::operator==(const DrawList& other) const
{
    return SameElements(m_vCommands, other.m_vCommands) && SameElements(m_vVertices, other.m_vVertices) &&
           SameElements(m_vIndices, other.m_vIndices);
}

void DrawList::Swap(DrawList& other)
{
    std::swap(m_bIntact, other.m_bIntact);
    m_vCommands.swap(other.m_vCommands);
    m_vVertices.swap(other.m_vVertices);
    m_vIndices.swap(other.m_vIndices);
}

bool DrawList::Uses(const PixelStore& store) const
{
    for (const Command& command : m_vCommands) {
        if (command.store == &store)
            return true;
    }
    return false;
}

void DrawList::StoreChanging(const PixelStore& store)
{
    for (DrawList* list : LiveLists()) {
        if (!list->Uses(store))
            continue;
        if (list->m_ePolicy == DrawAtOnce) {
            list->Flush();
        } else {
            list->Clear();
            list->m_bIntact = false;
        }
    }
}

} // namespace platform
