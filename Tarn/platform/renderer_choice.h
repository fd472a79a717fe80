#ifndef PLATFORM_RENDERER_CHOICE_H
#define PLATFORM_RENDERER_CHOICE_H

// Internal to the platform layer: which SDL renderer the window gets. A real
// GPU draws the game for next to nothing; OpenGL done in software (Mesa's
// llvmpipe on a machine without a GPU) costs far more than SDL's own
// software renderer, and loads a compiler into memory besides.

#include <string>

namespace platform {

struct RendererFacts {
    std::string requested;   // SDL_RENDER_DRIVER, empty when unset
    std::string videoDriver; // SDL's video driver ("x11", "wayland", "dummy", ...)
    bool gpuNode = false;    // a GPU render node (/dev/dri/renderD*) this user can open
};

struct RendererChoice {
    bool accelerated = false; // try the GPU renderer (else SDL's software one)
    std::string reason;       // for the log
};

RendererChoice ChooseRenderer(const RendererFacts& facts);

// True for the OpenGL renderer strings of Mesa's software rasterisers.
bool IsSoftwareOpenGL(const std::string& glRenderer);

// What this machine offers, read from the environment, SDL and /dev/dri.
RendererFacts ReadRendererFacts();

} // namespace platform

#endif
