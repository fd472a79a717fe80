// Choosing the renderer from what the machine has.
#include "renderer_choice.h"

#include <SDL.h>

#include <dirent.h>
#include <unistd.h>

#include <cstring>

namespace platform {

namespace {

bool HasGpuNode(const char* folder)
{
    DIR* dir = opendir(folder);
    if (!dir)
        return false;
    bool found = false;
    while (dirent* entry = readdir(dir)) {
        if (std::strncmp(entry->d_name, "renderD", 7) != 0)
            continue;
        std::string path = std::string(folder) + "/" + entry->d_name;
        if (access(path.c_str(), R_OK | W_OK) == 0) {
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

} // namespace

RendererChoice ChooseRenderer(const RendererFacts& facts)
{
    if (!facts.requested.empty())
        return {facts.requested != "software", "asked for by SDL_RENDER_DRIVER"};
    if (facts.videoDriver == "dummy" || facts.videoDriver == "offscreen")
        return {false, "no screen (" + facts.videoDriver + " video driver)"};
    if (!facts.gpuNode)
        return {false, "no GPU (no render node in /dev/dri)"};
    return {true, "GPU"};
}

bool IsSoftwareOpenGL(const std::string& glRenderer)
{
    for (const char* name : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"}) {
        if (glRenderer.find(name) != std::string::npos)
            return true;
    }
    return false;
}

RendererFacts ReadRendererFacts()
{
    RendererFacts facts;
    const char* requested = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    facts.requested = requested ? requested : "";
    const char* video = SDL_GetCurrentVideoDriver();
    facts.videoDriver = video ? video : "";
    facts.gpuNode = HasGpuNode("/dev/dri");
    return facts;
}

} // namespace platform
