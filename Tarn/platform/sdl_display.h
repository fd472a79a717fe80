#ifndef PLATFORM_SDL_DISPLAY_H
#define PLATFORM_SDL_DISPLAY_H

// Internal to the platform layer: the one SDL window, its renderer and the
// 1024 x 768 picture that every stand-in draws. Engine and game code never
// include this header.

#include "win32.h"

#include <SDL.h>

#include <functional>
#include <vector>

namespace platform {

struct Display {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    // The picture is drawn straight into the window when the window has its
    // size; otherwise into this texture, which is scaled smoothly onto the
    // window at each present.
    SDL_Texture* backBuffer = nullptr;
    int width = 1024; // size of the game's picture
    int height = 768;
    bool softwareRenderer = false;
    bool mustRedraw = true; // the window lost its picture or shows another one
    bool fullScreen = false;
    bool shown = false;
    bool active = false;    // shown and (where focus is handed out) focused
    bool minimized = false;
    HICON icon = nullptr;
    int loadingTextPaints = 0; // WM_PAINTs that drew the loading text
};

Display& GetDisplay();
// The handle the game sees for the one window (null when there is none).
HWND WindowHandle();
bool IsOurWindow(HWND window);

// Initialises SDL's video and event subsystems once; false on failure.
bool EnsureVideo();

// Opens the window (hidden) and its renderer for a picture of the display's
// width and height, full screen when the display says so: the first video
// driver and renderer that work, each refusal named in the log. False, with
// one line on standard error and in the log, when no display answers.
bool OpenDisplay(Display& display, const char* title);
// Makes the hidden window alone, at the picture's size or the largest of its
// shape that fits the desktop.
bool CreateDisplayWindow(Display& display, const char* title);
// Destroys the renderer and the window; the picture's size stays.
void CloseDisplay(Display& display);
// Shrinks a window size, keeping its shape, until it fits the desktop's
// usable area (what docks and top bars leave free).
void FitWindowToDesktop(int& width, int& height);
// Between desktop full screen and a window that fits.
void ToggleFullScreen(Display& display);

// Gives the picture a new size and draws it where it fits best; false when
// the renderer cannot make its texture.
bool SetPictureSize(int width, int height);
// Makes the picture the render target: the window when it has the picture's
// size, the off-screen texture otherwise.
bool FitPicture();
// Shows the picture on the window: scaled to fit, aspect kept, letterboxed
// in black; only the damaged rectangles of it where they are given and the
// renderer keeps the window's pixels (SDL's software renderer). Leaves the
// picture as the render target.
void PresentPicture(const std::vector<SDL_Rect>* damage = nullptr);

// Reads the picture as it is now (ARGB, alpha 0xFF); false without one.
bool ReadPicture(std::vector<DWORD>& pixels, int& width, int& height);

// What the device presented, counted for the test control; the frames
// themselves only while a test asks to keep them.
struct PresentRecord {
    int presents = 0;
    int drawnFrames = 0;
    int partialFrames = 0; // of those, drawn and sent only where they changed
    bool keepFrames = false;
    std::vector<DWORD> keptFrame;
    int keptWidth = 0;
    int keptHeight = 0;
};
PresentRecord& Presents();
// Called by the device at each successful Present.
void RecordPresentedFrame(bool drawn, bool partial);

// Every SDL event the message pump takes is offered to these listeners
// first (the input and device stand-ins keep their state from them).
typedef std::function<void(const SDL_Event&)> EventListener;
int AddEventListener(EventListener listener);
void RemoveEventListener(int id);
// Called at the start of every pump, before its events: for what moves by
// itself from frame to frame.
typedef std::function<void()> PumpListener;
int AddPumpListener(PumpListener listener);
void RemovePumpListener(int id);

// Takes every pending SDL event, turning it into window messages.
void PumpEvents();

} // namespace platform

#endif
