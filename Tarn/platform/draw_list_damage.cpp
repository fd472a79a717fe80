// What changed between two frames, and drawing only that. A pixel that no
// unshared operation touches is touched by the same operations, in the same
// order, in both frames: it is already right on screen.
#include "draw_list.h"
#include "sdl_display.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {

namespace {

// How far ahead an operation is looked for when the two frames part: far
// enough for a sprite that appears or goes, short enough to stay cheap.
const std::size_t kLookAhead = 24;
// More rectangles than this are merged into fewer, larger ones.
const std::size_t kMostRectangles = 12;
// Past this share of the picture, drawing it whole is as cheap.
const double kMostOfThePicture = 0.5;

bool IsEmpty(const SDL_Rect& rect)
{
    return rect.w <= 0 || rect.h <= 0;
}

SDL_Rect Intersection(const SDL_Rect& a, const SDL_Rect& b)
{
    SDL_Rect result = {0, 0, 0, 0};
    if (!SDL_IntersectRect(&a, &b, &result))
        return {0, 0, 0, 0};
    return result;
}

long Area(const SDL_Rect& rect)
{
    return IsEmpty(rect) ? 0 : static_cast<long>(rect.w) * rect.h;
}

SDL_Rect Union(const SDL_Rect& a, const SDL_Rect& b)
{
    SDL_Rect result = a;
    SDL_UnionRect(&a, &b, &result);
    return result;
}

// The pixels a float rectangle can touch, a pixel more on each side for
// rounding.
SDL_Rect Covering(float left, float top, float right, float bottom)
{
    int x0 = static_cast<int>(std::floor(left)) - 1, y0 = static_cast<int>(std::floor(top)) - 1;
    int x1 = static_cast<int>(std::ceil(right)) + 1, y1 = static_cast<int>(std::ceil(bottom)) + 1;
    return {x0, y0, x1 - x0, y1 - y0};
}

// Adds a rectangle, merging it with one it overlaps or lies close to.
void AddDamage(std::vector<SDL_Rect>& damage, const SDL_Rect& rect)
{
    if (IsEmpty(rect))
        return;
    for (SDL_Rect& existing : damage) {
        SDL_Rect joined = Union(existing, rect);
        if (Area(joined) <= (Area(existing) + Area(rect)) * 3 / 2) {
            existing = joined;
            return;
        }
    }
    damage.push_back(rect);
}

// Merges rectangles until there are few enough: each time the pair whose
// union wastes the least.
void Reduce(std::vector<SDL_Rect>& damage)
{
    while (damage.size() > kMostRectangles) {
        std::size_t bestA = 0, bestB = 1;
        long bestWaste = -1;
        for (std::size_t a = 0; a < damage.size(); ++a) {
            for (std::size_t b = a + 1; b < damage.size(); ++b) {
                long waste = Area(Union(damage[a], damage[b])) - Area(damage[a]) - Area(damage[b]);
                if (bestWaste < 0 || waste < bestWaste) {
                    bestWaste = waste;
                    bestA = a;
                    bestB = b;
                }
            }
        }
        damage[bestA] = Union(damage[bestA], damage[bestB]);
        damage.erase(damage.begin() + static_cast<std::ptrdiff_t>(bestB));
    }
}

} // namespace

bool DrawList::Matches(std::size_t index, const DrawList& other, std::size_t otherIndex) const
{
    const Command& a = m_vCommands[index];
    const Command& b = other.m_vCommands[otherIndex];
    if (a.kind != b.kind || a.store != b.store || a.blend != b.blend || a.scale != b.scale ||
        a.hasArea != b.hasArea || a.vertexCount != b.vertexCount || a.indexCount != b.indexCount ||
        std::memcmp(&a.source, &b.source, sizeof(a.source)) != 0 ||
        std::memcmp(&a.target, &b.target, sizeof(a.target)) != 0 ||
        std::memcmp(&a.colour, &b.colour, sizeof(a.colour)) != 0)
        return false;
    return (a.vertexCount == 0 || std::memcmp(m_vVertices.data() + a.firstVertex,
                                              other.m_vVertices.data() + b.firstVertex,
                                              sizeof(SDL_Vertex) * static_cast<std::size_t>(a.vertexCount)) == 0) &&
           (a.indexCount == 0 || std::memcmp(m_vIndices.data() + a.firstIndex, other.m_vIndices.data() + b.firstIndex,
                                             sizeof(int) * static_cast<std::size_t>(a.indexCount)) == 0);
}

SDL_Rect DrawList::Bounds(const Command& c, const SDL_Rect& picture) const
{
    switch (c.kind) {
    case FillKind:
        return c.hasArea ? c.source : picture;
    case CopyKind:
        return Covering(c.target.x, c.target.y, c.target.x + c.target.w, c.target.y + c.target.h);
    case TrianglesKind:
    case LinesKind:
    case PointsKind: {
        if (c.vertexCount == 0)
            return {0, 0, 0, 0};
        const SDL_Vertex* vertices = m_vVertices.data() + c.firstVertex;
        float left = vertices[0].position.x, right = left, top = vertices[0].position.y, bottom = top;
        for (int i = 1; i < c.vertexCount; ++i) {
            left = std::min(left, vertices[i].position.x);
            right = std::max(right, vertices[i].position.x);
            top = std::min(top, vertices[i].position.y);
            bottom = std::max(bottom, vertices[i].position.y);
        }
        return Covering(left, top, right + 1.0f, bottom + 1.0f);
    }
    case ClipKind:
        break;
    }
    return {0, 0, 0, 0};
}

void DrawList::Footprints(const SDL_Rect& picture, std::vector<SDL_Rect>& areas, std::vector<SDL_Rect>& clips) const
{
    areas.resize(m_vCommands.size());
    clips.resize(m_vCommands.size());
    SDL_Rect clip = picture;
    for (std::size_t i = 0; i < m_vCommands.size(); ++i) {
        const Command& command = m_vCommands[i];
        if (command.kind == ClipKind)
            clip = command.hasArea ? Intersection(command.source, picture) : picture;
        clips[i] = clip;
        areas[i] = command.kind == ClipKind ? SDL_Rect{0, 0, 0, 0} : Intersection(Bounds(command, picture), clip);
    }
}

std::vector<SDL_Rect> DrawList::Damage(const DrawList& shown, const SDL_Rect& picture) const
{
    std::vector<SDL_Rect> areas, clips, shownAreas, shownClips;
    Footprints(picture, areas, clips);
    shown.Footprints(picture, shownAreas, shownClips);
    // Two operations are shared when they are the same under the same clip.
    auto shared = [&](std::size_t i, std::size_t j) {
        return std::memcmp(&clips[i], &shownClips[j], sizeof(SDL_Rect)) == 0 && Matches(i, shown, j);
    };
    std::vector<SDL_Rect> damage;
    const std::size_t count = m_vCommands.size(), shownCount = shown.m_vCommands.size();
    std::size_t i = 0, j = 0;
    while (i < count || j < shownCount) {
        if (i < count && j < shownCount && shared(i, j)) {
            ++i, ++j;
            continue;
        }
        // Gone from the frame on screen, or new in this one: whichever makes
        // the two meet again soonest.
        std::size_t skipShown = 0, skipThis = 0;
        while (i < count && j + skipShown < shownCount && skipShown < kLookAhead && !shared(i, j + skipShown))
            ++skipShown;
        bool shownSkips = i < count && j + skipShown < shownCount && skipShown < kLookAhead;
        while (j < shownCount && i + skipThis < count && skipThis < kLookAhead && !shared(i + skipThis, j))
            ++skipThis;
        bool thisSkips = j < shownCount && i + skipThis < count && skipThis < kLookAhead;
        if (shownSkips && (!thisSkips || skipShown <= skipThis)) {
            for (; skipShown > 0; --skipShown)
                AddDamage(damage, shownAreas[j++]);
        } else if (thisSkips) {
            for (; skipThis > 0; --skipThis)
                AddDamage(damage, areas[i++]);
        } else {
            if (i < count)
                AddDamage(damage, areas[i++]);
            if (j < shownCount)
                AddDamage(damage, shownAreas[j++]);
        }
    }
    Reduce(damage);
    long damaged = 0;
    for (const SDL_Rect& rect : damage)
        damaged += Area(rect);
    if (damaged > static_cast<long>(kMostOfThePicture * static_cast<double>(Area(picture))))
        return {picture};
    return damage;
}

void DrawList::DrawInside(const std::vector<SDL_Rect>& damage, const SDL_Rect& picture) const
{
    SDL_Renderer* renderer = GetDisplay().renderer;
    if (!renderer)
        return;
    std::vector<SDL_Rect> areas, clips;
    Footprints(picture, areas, clips);
    for (const SDL_Rect& area : damage) {
        SDL_Rect applied = {0, 0, -1, -1};
        for (std::size_t i = 0; i < m_vCommands.size(); ++i) {
            if (m_vCommands[i].kind == ClipKind || !SDL_HasIntersection(&areas[i], &area))
                continue;
            SDL_Rect clip = Intersection(clips[i], area);
            if (std::memcmp(&clip, &applied, sizeof(clip)) != 0) {
                SDL_RenderSetClipRect(renderer, &clip);
                applied = clip;
            }
            DrawCommand(renderer, m_vCommands[i]);
        }
    }
    SDL_RenderSetClipRect(renderer, nullptr);
}

} // namespace platform
