// A frame's unchanging start kept drawn in a texture.
#include "frame_start_cache.h"
#include "sdl_display.h"

namespace platform {

namespace {
// Below this many shared operations a kept picture saves less than the
// full-picture copy it costs.
const std::size_t kWorthKeeping = 64;
int g_iHits = 0;
} // namespace

int FrameStartCache::Hits()
{
    return g_iHits;
}

FrameStartCache::FrameStartCache()
    : m_kStart(DrawList::Forget), m_pkTexture(nullptr), m_iGeneration(0), m_iWidth(0), m_iHeight(0)
{
}

FrameStartCache::~FrameStartCache()
{
    // A texture of a renderer that is gone was freed with it.
    if (m_pkTexture && m_iGeneration == RendererGeneration())
        SDL_DestroyTexture(m_pkTexture);
}

void FrameStartCache::Forget()
{
    m_kStart.Clear();
}

bool FrameStartCache::MakeTexture()
{
    const Display& display = GetDisplay();
    Uint32 generation = RendererGeneration();
    if (m_pkTexture && m_iGeneration == generation && m_iWidth == display.width && m_iHeight == display.height)
        return true;
    if (m_pkTexture && m_iGeneration == generation)
        SDL_DestroyTexture(m_pkTexture);
    m_pkTexture = SDL_CreateTexture(display.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                    display.width, display.height);
    m_iGeneration = generation;
    m_iWidth = display.width;
    m_iHeight = display.height;
    if (!m_pkTexture)
        return false;
    SDL_SetTextureBlendMode(m_pkTexture, SDL_BLENDMODE_NONE);
    return true;
}

void FrameStartCache::DrawKept()
{
    SDL_RenderCopy(GetDisplay().renderer, m_pkTexture, nullptr, nullptr);
}

void FrameStartCache::Draw(const DrawList& frame, const DrawList& last)
{
    SDL_Renderer* renderer = GetDisplay().renderer;
    bool kept = m_kStart.Intact() && !m_kStart.Empty() && m_pkTexture && m_iGeneration == RendererGeneration();
    if (kept && frame.Intact() && frame.StartsWith(m_kStart)) {
        ++g_iHits;
        DrawKept();
        frame.DrawFrom(m_kStart.Size());
        return;
    }
    std::size_t shared = frame.Intact() && last.Intact() ? frame.CommonStart(last) : 0;
    if (shared < kWorthKeeping || !renderer || !MakeTexture()) {
        frame.Draw();
        return;
    }
    // Drawn once into the texture, then shown from it like any later frame.
    SDL_Texture* target = SDL_GetRenderTarget(renderer);
    SDL_SetRenderTarget(renderer, m_pkTexture);
    frame.DrawStart(shared);
    SDL_SetRenderTarget(renderer, target);
    m_kStart.CopyStart(frame, shared);
    DrawKept();
    frame.DrawFrom(shared);
}

} // namespace platform
