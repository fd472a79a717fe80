#ifndef PLATFORM_FRAME_START_CACHE_H
#define PLATFORM_FRAME_START_CACHE_H

// Internal to the platform layer: the start of a frame that stays the same
// from one frame to the next (the play screen's background and hundreds of
// map tiles, under everything that moves), kept drawn in a texture. A frame
// that starts the same way begins with one copy of it instead of drawing
// all of that again.

#include "draw_list.h"

namespace platform {

class FrameStartCache {
public:
    FrameStartCache();
    ~FrameStartCache();
    FrameStartCache(const FrameStartCache&) = delete;
    FrameStartCache& operator=(const FrameStartCache&) = delete;

    // Draws `frame` on the current target. `last` is the frame drawn
    // before it: a long enough start they share is what gets kept.
    void Draw(const DrawList& frame, const DrawList& last);
    // The texture's pixels were lost (the renderer reset its targets).
    void Forget();
    // Frames drawn starting from a kept picture, by every cache (for tests).
    static int Hits();

private:
    bool MakeTexture();
    void DrawKept();

    DrawList m_kStart;       // the operations the texture holds drawn
    SDL_Texture* m_pkTexture; // the picture they make
    Uint32 m_iGeneration;     // the renderer the texture was made on
    int m_iWidth;
    int m_iHeight;
};

} // namespace platform

#endif
