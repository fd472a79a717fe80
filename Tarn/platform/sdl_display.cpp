// The one SDL window, the renderer that draws the game's picture, and how the
// picture reaches the screen (scaled to fit, letterboxed, presented).
#include "sdl_display.h"

#include "gdi_objects.h"
#include "renderer_choice.h"
#include "smooth_scale.h"
#include "sdl_graphics.h"
#include "testcontrol.h"
#include "tnlog.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kIconFile = "../Graphics/icon.bmp";
// The desktop entry's name: docks match the window to it by this.
const char* const kApplicationId = "io.github.grovekeep.Grovekeep";

void ApplyIcon(SDL_Window* window)
{
    // Read as every other picture is, not by SDL_LoadBMP: a missing or
    // damaged icon is named in the log, and the window goes without one.
    platform::BitmapPixels bitmap;
    if (!platform::ReadBitmapFile(kIconFile, bitmap))
        return;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(bitmap.pixels.data(), bitmap.width, bitmap.height, 32,
                                                           bitmap.width * 4, SDL_PIXELFORMAT_BGR888);
    if (!icon)
        return;
    SDL_SetColorKey(icon, SDL_TRUE, SDL_MapRGB(icon->format, 0xFF, 0x00, 0xFF));
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

// The renderer string of the current OpenGL context (empty without one).
std::string OpenGLRenderer()
{
    typedef const unsigned char* (*GetString)(unsigned int);
    const unsigned int kRenderer = 0x1F01; // GL_RENDERER
    GetString getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString ? getString(kRenderer) : nullptr;
    return name ? reinterpret_cast<const char*>(name) : "";
}

// What went wrong on the way to a window and a renderer, for the log line.
struct Refusals {
    std::vector<std::string> lines;
    void Add(const std::string& what, const char* why)
    {
        lines.push_back(what + " refused" + (why && *why ? std::string(": ") + why : std::string()));
    }
    std::string Joined() const
    {
        std::string text;
        for (const std::string& line : lines)
            text += (text.empty() ? "" : "; ") + line;
        return text;
    }
};

// --- The renderer chain ---------------------------------------------------
// The first choice comes from what the machine has; whatever it refuses, the
// others are tried in turn, so the game starts wherever SDL can draw at all.
enum class RendererAttempt {
    Requested,            // SDL_RENDER_DRIVER names it
    Accelerated,          // a GPU renderer
    SoftwareIntoWindow,   // SDL's software renderer in the window's own pixels
    SoftwareThroughTexture, // the same, its pixels shown through SDL's accelerated framebuffer
    Any                   // whatever SDL makes
};

const char* AttemptName(RendererAttempt attempt)
{
    switch (attempt) {
    case RendererAttempt::Requested:
        return "the renderer SDL_RENDER_DRIVER names";
    case RendererAttempt::Accelerated:
        return "the GPU renderer";
    case RendererAttempt::SoftwareIntoWindow:
        return "software into the window";
    case RendererAttempt::SoftwareThroughTexture:
        return "software through SDL's accelerated framebuffer";
    case RendererAttempt::Any:
        return "any renderer";
    }
    return "";
}

std::vector<RendererAttempt> RendererOrder(const platform::RendererChoice& choice, bool requested)
{
    std::vector<RendererAttempt> order;
    if (requested)
        order.push_back(RendererAttempt::Requested);
    if (choice.accelerated && !requested)
        order.push_back(RendererAttempt::Accelerated);
    order.push_back(RendererAttempt::SoftwareIntoWindow);
    order.push_back(RendererAttempt::SoftwareThroughTexture);
    if (!choice.accelerated || requested)
        order.push_back(RendererAttempt::Accelerated);
    order.push_back(RendererAttempt::Any);
    return order;
}

Uint32 AttemptFlags(RendererAttempt attempt)
{
    switch (attempt) {
    case RendererAttempt::Accelerated:
        return SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC | SDL_RENDERER_TARGETTEXTURE;
    case RendererAttempt::SoftwareIntoWindow:
    case RendererAttempt::SoftwareThroughTexture:
        return SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE;
    case RendererAttempt::Requested:
        return SDL_RENDERER_TARGETTEXTURE;
    case RendererAttempt::Any:
        break;
    }
    return 0;
}

std::string CurrentVideoDriver()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver ? driver : "";
}

// SDL decides once per video driver start whether a window's pixels may go
// through an accelerated texture; to change its mind the driver starts again.
bool SetFramebufferAcceleration(platform::Display& display, bool accelerated, const char* title)
{
    const char* value = accelerated ? "1" : "0";
    const char* current = SDL_GetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
    if (current && std::strcmp(current, value) == 0)
        return true;
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, value);
    if (!accelerated)
        return true; // set before SDL looked at it: nothing to undo
    platform::CloseDisplay(display);
    std::string driver = CurrentVideoDriver();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, driver.c_str(), SDL_HINT_OVERRIDE);
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && platform::CreateDisplayWindow(display, title);
}

SDL_Renderer* TryRenderer(platform::Display& display, RendererAttempt attempt, bool requested, const char* title,
                          Refusals& refusals, std::string& detail)
{
    if (attempt != RendererAttempt::Requested && requested) // SDL would try the named one first again
        SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "", SDL_HINT_OVERRIDE);
    bool throughTexture = attempt == RendererAttempt::SoftwareThroughTexture;
    if ((attempt == RendererAttempt::SoftwareIntoWindow || throughTexture) &&
        !SetFramebufferAcceleration(display, throughTexture, title)) {
        refusals.Add(AttemptName(attempt), SDL_GetError());
        return nullptr;
    }
    const bool injected = testcontrol::ConsumeFailure(testcontrol::Failure::CreateRenderer);
    SDL_Renderer* renderer = injected ? nullptr : SDL_CreateRenderer(display.window, -1, AttemptFlags(attempt));
    if (!renderer) {
        refusals.Add(AttemptName(attempt), injected ? "made to fail" : SDL_GetError());
        return nullptr;
    }
    SDL_RendererInfo info = {};
    SDL_GetRendererInfo(renderer, &info);
    if (info.name && std::strncmp(info.name, "opengl", 6) == 0) {
        detail = OpenGLRenderer();
        // An OpenGL asked for by name is kept even in software: that is how
        // the GPU path is tested on a machine without one. Otherwise OpenGL
        // in software costs more than SDL's own software renderer.
        if (attempt == RendererAttempt::Accelerated && platform::IsSoftwareOpenGL(detail)) {
            SDL_DestroyRenderer(renderer);
            refusals.lines.push_back(std::string(AttemptName(attempt)) + " draws in software (" + detail + ")");
            detail.clear();
            return nullptr;
        }
    }
    return renderer;
}

bool CreateRenderer(platform::Display& display, const char* title, Refusals& refusals)
{
    platform::RendererFacts facts = platform::ReadRendererFacts();
    platform::RendererChoice choice = platform::ChooseRenderer(facts);
    const bool requested = !facts.requested.empty();
    std::string detail;
    for (RendererAttempt attempt : RendererOrder(choice, requested)) {
        display.renderer = display.window ? TryRenderer(display, attempt, requested, title, refusals, detail) : nullptr;
        if (display.renderer)
            break;
    }
    if (!display.renderer)
        return false;
    SDL_RendererInfo info = {};
    SDL_GetRendererInfo(display.renderer, &info);
    display.softwareRenderer = (info.flags & SDL_RENDERER_SOFTWARE) != 0;
    std::string reason = choice.reason + (detail.empty() ? "" : " (" + detail + ")");
    if (!refusals.lines.empty())
        reason += ", after " + refusals.Joined();
    Log("Renderer: %s, chosen for %s\n", info.name ? info.name : "unknown", reason.c_str());
    return platform::SetPictureSize(display.width, display.height);
}

// --- The video driver -----------------------------------------------------
bool IsHeadlessDriver(const std::string& driver)
{
    return driver == "offscreen" || driver == "dummy";
}

// SDL's own first choice, then the desktop drivers it may have passed over;
// only what SDL_VIDEODRIVER names where it is set.
std::vector<std::string> VideoDriverOrder()
{
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (asked && *asked)
        return {asked};
    return {"", "x11", "wayland"};
}

bool StartVideoDriver(const std::string& driver, Refusals& refusals)
{
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        if (driver.empty() || CurrentVideoDriver() == driver)
            return true;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    if (!driver.empty())
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, driver.c_str(), SDL_HINT_OVERRIDE);
    if (!platform::EnsureVideo()) {
        refusals.Add("the " + (driver.empty() ? std::string("default") : driver) + " video driver", SDL_GetError());
        return false;
    }
    return true;
}

// --- Presenting on SDL's software renderer ---------------------------------
// The window's pixels stay as they were between presents there, so only what
// changed is sent; scaled, only what changed is scaled.

// The picture's place in the window: as large as fits, its shape kept, centred.
SDL_Rect Letterbox(const platform::Display& display, int windowWidth, int windowHeight)
{
    SDL_Rect box = {0, 0, windowWidth, windowHeight};
    if (static_cast<long>(windowWidth) * display.height > static_cast<long>(windowHeight) * display.width)
        box.w = static_cast<int>(static_cast<long>(windowHeight) * display.width / display.height);
    else
        box.h = static_cast<int>(static_cast<long>(windowWidth) * display.height / display.width);
    box.x = (windowWidth - box.w) / 2;
    box.y = (windowHeight - box.h) / 2;
    return box;
}

// Where picture coordinate `at` lands in the box, rounded down.
int Scaled(int at, int picture, int box)
{
    return static_cast<int>(static_cast<long>(at) * box / picture);
}

// Scales part of the picture into its place in the window surface, and
// says which pixels of the window that changed. The picture is read back
// from the renderer's target, the off-screen texture.
bool ScaleIntoWindow(platform::Display& display, SDL_Surface* window, const SDL_Rect& box, const SDL_Rect& part,
                     SDL_Rect& changed)
{
    static platform::SmoothScale scale;
    scale.SetSizes(display.width, display.height, box.w, box.h);
    // The box pixels that read any pixel of the part.
    const int x0 = std::max(0, Scaled(std::max(0, part.x - 1), display.width, box.w) - 1);
    const int y0 = std::max(0, Scaled(std::max(0, part.y - 1), display.height, box.h) - 1);
    const int x1 = std::min(box.w, Scaled(std::min(display.width, part.x + part.w + 1), display.width, box.w) + 2);
    const int y1 = std::min(box.h, Scaled(std::min(display.height, part.y + part.h + 1), display.height, box.h) + 2);
    if (x0 >= x1 || y0 >= y1)
        return true;
    int sourceX0 = 0, sourceY0 = 0, sourceX1 = 0, sourceY1 = 0;
    scale.SourceOf(x0, y0, x1, y1, sourceX0, sourceY0, sourceX1, sourceY1);
    const SDL_Rect source = {sourceX0, sourceY0, sourceX1 - sourceX0, sourceY1 - sourceY0};
    static std::vector<std::uint32_t> pixels;
    pixels.resize(static_cast<std::size_t>(source.w) * source.h);
    if (SDL_RenderReadPixels(display.renderer, &source, window->format->format, pixels.data(), source.w * 4) != 0 ||
        SDL_LockSurface(window) != 0)
        return false;
    const int pitch = window->pitch / 4;
    std::uint32_t* into = static_cast<std::uint32_t*>(window->pixels) + static_cast<long>(box.y) * pitch + box.x;
    scale.Scale(pixels.data(), source.x, source.y, source.w, into, pitch, x0, y0, x1, y1);
    SDL_UnlockSurface(window);
    changed = {box.x + x0, box.y + y0, x1 - x0, y1 - y0};
    return true;
}

// The bars beside the picture, black.
void FillBars(SDL_Surface* window, const SDL_Rect& box)
{
    const Uint32 black = SDL_MapRGB(window->format, 0, 0, 0);
    const SDL_Rect bars[] = {{0, 0, window->w, box.y},
                             {0, box.y + box.h, window->w, window->h - box.y - box.h},
                             {0, box.y, box.x, box.h},
                             {box.x + box.w, box.y, window->w - box.x - box.w, box.h}};
    for (const SDL_Rect& bar : bars) {
        if (bar.w > 0 && bar.h > 0)
            SDL_FillRect(window, &bar, black);
    }
}

// Sends the rectangles to the screen, cut to the window: X refuses any
// part outside it.
bool UpdateWindowRects(SDL_Window* window, const SDL_Surface* surface, std::vector<SDL_Rect> rects)
{
    const SDL_Rect all = {0, 0, surface->w, surface->h};
    std::vector<SDL_Rect> inside;
    for (const SDL_Rect& rect : rects) {
        SDL_Rect cut;
        if (SDL_IntersectRect(&rect, &all, &cut))
            inside.push_back(cut);
    }
    return inside.empty() || SDL_UpdateWindowSurfaceRects(window, inside.data(), static_cast<int>(inside.size())) == 0;
}

bool PresentInSoftware(platform::Display& display, const std::vector<SDL_Rect>* damage)
{
    SDL_RenderFlush(display.renderer);
    SDL_Surface* window = SDL_GetWindowSurface(display.window);
    if (!window || window->format->BytesPerPixel != 4)
        return false; // SDL's own scaling serves other formats
    const SDL_Rect whole = {0, 0, display.width, display.height};
    const std::vector<SDL_Rect> all(1, whole);
    const std::vector<SDL_Rect>& parts = damage ? *damage : all;
    if (!display.backBuffer) // the window is the picture
        return UpdateWindowRects(display.window, window, parts);
    const SDL_Rect box = Letterbox(display, window->w, window->h);
    std::vector<SDL_Rect> changed(parts.size());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!ScaleIntoWindow(display, window, box, parts[i], changed[i]))
            return false;
    }
    if (!damage) {
        FillBars(window, box);
        return SDL_UpdateWindowSurface(display.window) == 0;
    }
    return UpdateWindowRects(display.window, window, changed);
}

// --- A display that goes away --------------------------------------------
// Xlib ends the program when its connection breaks (the desktop logging
// out, a remote display lost) and says so only on standard error: the log
// gets its line first.
typedef int (*IOErrorHandler)(void* display);
IOErrorHandler g_pfnXlibOnLoss = nullptr;

int LogDisplayLoss(void* display)
{
    const char* name = SDL_getenv("DISPLAY");
    Log("Display: the connection to the X server%s%s was lost; the game ends\n", name ? " " : "", name ? name : "");
    std::fprintf(stderr, "Grovekeep: the connection to the display was lost\n");
    if (g_pfnXlibOnLoss)
        return g_pfnXlibOnLoss(display);
    std::_Exit(1);
}

void HookDisplayLoss()
{
    // SDL loads Xlib itself; the game does not link it.
    void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    typedef IOErrorHandler (*SetHandler)(IOErrorHandler);
    SetHandler setHandler = xlib ? reinterpret_cast<SetHandler>(dlsym(xlib, "XSetIOErrorHandler")) : nullptr;
    if (setHandler) {
        IOErrorHandler previous = setHandler(&LogDisplayLoss);
        if (previous != &LogDisplayLoss)
            g_pfnXlibOnLoss = previous;
    }
    if (xlib)
        dlclose(xlib);
}

void ReportNoDisplay(const Refusals& refusals)
{
    const char* line = "Display: no display to open (DISPLAY and WAYLAND_DISPLAY name none that answers); %s\n";
    std::string why = refusals.lines.empty() ? std::string("nothing was tried") : refusals.Joined();
    Log(line, why.c_str());
    std::fprintf(stderr, line, why.c_str());
}

} // namespace

namespace platform {

Display& GetDisplay()
{
    static Display display;
    return display;
}

bool EnsureVideo()
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        return true;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // SDL reads the window's class and application id from its environment.
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", kApplicationId, 0);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", kApplicationId, 0);
    SDL_SetHint(SDL_HINT_APP_NAME, "Grovekeep");
    // SDL's software renderer writes straight into the window's pixels;
    // letting it go through an OpenGL texture would bring the cost back.
    if (!SDL_GetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION))
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The screensaver is held off in play only (SetThreadExecutionState).
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    return SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
}

bool CreateDisplayWindow(Display& display, const char* title)
{
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (display.fullScreen)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    int width = display.width, height = display.height;
    FitWindowToDesktop(width, height);
    display.window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (!display.window)
        return false;
    SDL_SetWindowMinimumSize(display.window, display.width / 4, display.height / 4);
    return true;
}

bool OpenDisplay(Display& display, const char* title)
{
    Refusals refusals;
    for (const std::string& driver : VideoDriverOrder()) {
        if (!StartVideoDriver(driver, refusals))
            continue;
        std::string current = CurrentVideoDriver();
        if (IsHeadlessDriver(current) && !SDL_getenv("SDL_VIDEODRIVER")) {
            // SDL tried every desktop driver it has before this one.
            refusals.lines.push_back("SDL found only its " + current + " driver");
            break;
        }
        if (CreateDisplayWindow(display, title) && CreateRenderer(display, title, refusals)) {
            if (CurrentVideoDriver() == "x11")
                HookDisplayLoss();
            SDL_ShowCursor(SDL_ENABLE);
            ApplyIcon(display.window);
            return true;
        }
        if (!display.window)
            refusals.Add("a window on " + current, SDL_GetError());
        CloseDisplay(display);
    }
    ReportNoDisplay(refusals);
    return false;
}

void CloseDisplay(Display& display)
{
    PixelStore::KeepAllPixels(); // before their textures go

    if (display.backBuffer)
        SDL_DestroyTexture(display.backBuffer);
    if (display.renderer)
        SDL_DestroyRenderer(display.renderer);
    if (display.window)
        SDL_DestroyWindow(display.window);
    // The picture's size and the window's mode outlive a window made anew.
    Display kept;
    kept.width = display.width;
    kept.height = display.height;
    kept.fullScreen = display.fullScreen;
    kept.loadingTextPaints = display.loadingTextPaints;
    display = kept;
}

void FitWindowToDesktop(int& width, int& height)
{
    SDL_Rect usable = {};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 || usable.h <= 0)
        return;
    int roomWidth = usable.w, roomHeight = usable.h;
    if (width <= roomWidth && height <= roomHeight)
        return;
    const Display& display = GetDisplay();
    if (roomWidth * display.height > roomHeight * display.width)
        roomWidth = roomHeight * display.width / display.height;
    else
        roomHeight = roomWidth * display.height / display.width;
    width = roomWidth > 0 ? roomWidth : 1;
    height = roomHeight > 0 ? roomHeight : 1;
}

void ToggleFullScreen(Display& display)
{
    display.fullScreen = !display.fullScreen;
    SDL_SetWindowFullscreen(display.window, display.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    if (!display.fullScreen) {
        int width = display.width, height = display.height;
        FitWindowToDesktop(width, height);
        SDL_SetWindowSize(display.window, width, height);
        SDL_SetWindowPosition(display.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
}

bool SetPictureSize(int width, int height)
{
    Display& display = GetDisplay();
    if (!display.renderer)
        return false;
    if (display.width != width || display.height != height) {
        if (display.backBuffer)
            SDL_DestroyTexture(display.backBuffer);
        display.backBuffer = nullptr;
        display.width = width;
        display.height = height;
    }
    SDL_RenderSetLogicalSize(display.renderer, width, height);
    return FitPicture();
}

bool FitPicture()
{
    Display& display = GetDisplay();
    if (!display.renderer)
        return false;
    display.mustRedraw = true;
    int outputWidth = 0, outputHeight = 0;
    SDL_GetRendererOutputSize(display.renderer, &outputWidth, &outputHeight);
    if (outputWidth == display.width && outputHeight == display.height) {
        // One window pixel for each picture pixel: the window is the picture.
        SDL_SetRenderTarget(display.renderer, nullptr);
        if (display.backBuffer)
            SDL_DestroyTexture(display.backBuffer);
        display.backBuffer = nullptr;
        return true;
    }
    if (!display.backBuffer) {
        display.backBuffer = SDL_CreateTexture(display.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                               display.width, display.height);
        if (!display.backBuffer)
            return false;
        // The whole picture is scaled smoothly to the screen, sprites inside
        // it keep their own nearest-pixel sampling; whatever alpha lands in
        // it must not darken the window (the game's picture has none).
        SDL_SetTextureScaleMode(display.backBuffer, SDL_ScaleModeLinear);
        SDL_SetTextureBlendMode(display.backBuffer, SDL_BLENDMODE_NONE);
    }
    // Set anew even when it already is the target: SDL's software renderer
    // forgets its target when the window's size changes.
    SDL_SetRenderTarget(display.renderer, nullptr);
    SDL_SetRenderTarget(display.renderer, display.backBuffer);
    return true;
}

void PresentPicture(const std::vector<SDL_Rect>* damage)
{
    Display& display = GetDisplay();
    if (!display.renderer)
        return;
    if (display.softwareRenderer && PresentInSoftware(display, damage))
        return;
    if (display.backBuffer) {
        SDL_SetRenderTarget(display.renderer, nullptr);
        SDL_SetRenderDrawColor(display.renderer, 0, 0, 0, 255);
        SDL_RenderClear(display.renderer);
        SDL_RenderCopy(display.renderer, display.backBuffer, nullptr, nullptr);
    }
    SDL_RenderPresent(display.renderer);
    if (display.backBuffer)
        SDL_SetRenderTarget(display.renderer, display.backBuffer);
}

bool ReadPicture(std::vector<DWORD>& pixels, int& width, int& height)
{
    Display& display = GetDisplay();
    if (!display.renderer)
        return false;
    width = display.width;
    height = display.height;
    pixels.resize(static_cast<std::size_t>(width) * height);
    int result = SDL_RenderReadPixels(display.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4);
    if (result != 0)
        return false;
    // The game's back buffer has no alpha channel.
    for (DWORD& pixel : pixels)
        pixel |= 0xFF000000u;
    return true;
}

PresentRecord& Presents()
{
    static PresentRecord record;
    return record;
}

void RecordPresentedFrame(bool drawn, bool partial)
{
    PresentRecord& record = Presents();
    ++record.presents;
    if (!drawn)
        return;
    ++record.drawnFrames;
    record.partialFrames += partial ? 1 : 0;
    if (record.keepFrames && !ReadPicture(record.keptFrame, record.keptWidth, record.keptHeight))
        record.keptFrame.clear();
}

} // namespace platform
