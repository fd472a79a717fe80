#ifndef PLATFORM_DRAW_LIST_H
#define PLATFORM_DRAW_LIST_H

// Internal to the platform layer: drawing kept as a list of SDL operations.
// The device records what a frame draws and carries it out at Present, so a
// frame identical to the one on screen costs a comparison instead of a
// redraw and a present. The font and the window's loading text record the
// same operations, which keeps one way of drawing for everything.

#include "sdl_graphics.h"

#include <cstddef>
#include <vector>

namespace platform {

class DrawList {
public:
    // What happens when a pixel store the list draws from is about to change
    // or go away: a frame being recorded is drawn at once (the old pixels
    // are what it meant); a frame already shown just stops being comparable.
    enum OnStoreChange { DrawAtOnce, Forget };

    explicit DrawList(OnStoreChange policy);
    ~DrawList();
    DrawList(const DrawList&) = delete;
    DrawList& operator=(const DrawList&) = delete;

    // An opaque fill of an area of the target (null: all of it).
    void Fill(const SDL_Rect* area, SDL_Color colour);
    // A rectangle of a store onto the target, tinted by `modulate`.
    void Copy(PixelStore& store, const SDL_Rect& source, const SDL_FRect& target, SDL_Color modulate,
              SDL_BlendMode blend, SDL_ScaleMode scale);
    // Triangles, textured from `store` when it is not null.
    void Triangles(PixelStore* store, const std::vector<SDL_Vertex>& vertices, const std::vector<int>& indices,
                   SDL_BlendMode blend);
    // Lines between the vertices taken two by two, in the first one's colour.
    void Lines(const SDL_Vertex* ends, int lines, SDL_BlendMode blend);
    void Points(const std::vector<SDL_Vertex>& points, SDL_BlendMode blend);
    // Later operations draw only inside the area (null: anywhere).
    void Clip(const SDL_Rect* area);

    // Carries the list out on the renderer's current target.
    void Draw() const;
    std::size_t Size() const { return m_vCommands.size(); }
    // Draws what is recorded and forgets it; the list no longer holds a
    // whole frame, so it compares equal to nothing until it is cleared.
    void Flush();
    void Clear();
    // False once part of the frame was drawn early or a store it draws from
    // changed: then it can stand for no picture.
    bool Intact() const { return m_bIntact; }
    bool Empty() const { return m_vCommands.empty(); }
    // The same operations on the same stores: the same picture.
    bool operator==(const DrawList& other) const;
    // Exchanges what two lists hold (their policies stay).
    void Swap(DrawList& other);

    // Where on `picture` this frame differs from `shown`: the old and the
    // new place of every operation the two do not have in common, in the
    // same order, merged into a few rectangles. The whole picture when most
    // of it changed.
    std::vector<SDL_Rect> Damage(const DrawList& shown, const SDL_Rect& picture) const;
    // Draws only what falls inside the rectangles of `picture`, clipped to them.
    void DrawInside(const std::vector<SDL_Rect>& damage, const SDL_Rect& picture) const;

    // Called by a store before its pixels change or it is destroyed.
    static void StoreChanging(const PixelStore& store);

private:
    enum Kind { FillKind, CopyKind, TrianglesKind, LinesKind, PointsKind, ClipKind };
    // Plain data without padding: lists compare with memcmp.
    struct Command {
        PixelStore* store;
        Kind kind;
        SDL_Rect source; // the fill or clip area for those kinds
        SDL_FRect target;
        SDL_Color colour;
        SDL_BlendMode blend;
        SDL_ScaleMode scale;
        int firstVertex;
        int vertexCount;
        int firstIndex;
        int indexCount;
        int hasArea; // a fill or clip with an area
        int unused;  // fills what would be padding
    };
    static_assert(sizeof(Command) == sizeof(PixelStore*) + 18 * 4, "a command has no padding");

    Command& Add(Kind kind, PixelStore* store, SDL_BlendMode blend);
    // The same operation, wherever each list holds its vertices.
    bool Matches(std::size_t index, const DrawList& other, std::size_t otherIndex) const;
    // What each operation can change, clipped by the clip in force (empty
    // for a clip), and that clip itself, for every operation.
    void Footprints(const SDL_Rect& picture, std::vector<SDL_Rect>& areas, std::vector<SDL_Rect>& clips) const;
    SDL_Rect Bounds(const Command& command, const SDL_Rect& picture) const;
    bool Uses(const PixelStore& store) const;
    void AddVertices(const SDL_Vertex* vertices, int count, Command& command);
    void DrawCommand(SDL_Renderer* renderer, const Command& command) const;

    OnStoreChange m_ePolicy;
    bool m_bIntact;
    std::vector<Command> m_vCommands;
    std::vector<SDL_Vertex> m_vVertices;
    std::vector<int> m_vIndices;
};

} // namespace platform

#endif
